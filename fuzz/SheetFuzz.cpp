// The cell description language end to end: the input is a sheet written in
// the language (its style line, its basic cell, then its cell lines), added
// to the built-in table beside this radio's cell models and sheets. The
// sheet is built, every cell painted, and then driven by keys, typing and
// the mouse as the first line of the input says. A description that the
// program ends with a fatal report is expected; nothing else may go wrong.
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "model/indActiveCell.h"
#include "sheet/cmcCellCapsule.h"
#include "sheet/cmcCellContext.h"
#include "sheet/cuiSheet.h"
#include "sheet/cuiSheetPlainMeasurer.h"
#include "sheet/cuiSheetView.h"

namespace {

class QuietView : public cuiSheetView {
public:
    Range Visible() const override { return {0, 0, 40, 40}; }
    int32_t LeftCol() const override { return m_left; }
    int32_t TopRow() const override { return m_top; }
    void ScrollTo(int32_t left, int32_t top) override {
        m_left = left;
        m_top = top;
    }
    bool HasScrollBars() const override { return true; }
    bool HasFocus() const override { return true; }
    void ShowCell(int32_t, int32_t) override {}
    void RepaintCell(int32_t, int32_t) override {}
    void RepaintAll() override {}
    void OpenEditor(int32_t, int32_t, const std::string& text, int32_t, int32_t) override {
        m_open = true;
        m_text = text;
    }
    void CloseEditor() override { m_open = false; }
    bool EditorVisible() const override { return m_open; }
    std::string EditorText() const override { return m_text; }
    void PopupMenu(const std::string&) override {}
    void ChoiceMade() override {}

private:
    int32_t m_left = 0;
    int32_t m_top = 0;
    bool m_open = false;
    std::string m_text;
};

std::vector<std::string> Split(const uint8_t* data, size_t size) {
    std::vector<std::string> lines(1);
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == '\n') {
            lines.emplace_back();
        } else {
            lines.back().push_back(static_cast<char>(data[i]));
        }
    }
    return lines;
}

// The built-in table with the input's sheet "T_Fuzz" before its end line.
std::vector<std::string> TableWithSheet(const std::vector<std::string>& input) {
    std::vector<std::string> lines = BuiltinTable::Lines();
    const std::string end = lines.back();
    lines.pop_back();
    const char* const keys[] = {"#T_Fuzz_Style", "#T_Fuzz_BasicCell", "#T_Fuzz_Cells"};
    for (size_t i = 1; i < input.size(); ++i) {
        if (i - 1 < std::size(keys)) {
            lines.push_back(keys[i - 1]);
        }
        lines.push_back(input[i]);
    }
    lines.push_back(end);
    return lines;
}

void PaintAll(cuiSheet& sheet) {
    for (int32_t row = 0; row < sheet.RowCount() && row < 200; ++row) {
        for (int32_t col = 0; col < sheet.ColCount() && col < 50; ++col) {
            sheet.PaintCell(col, row, sheet.CellRect(col, row), (row + col) % 2 == 0);
        }
    }
}

void Drive(cuiSheet& sheet, const std::string& script) {
    for (size_t i = 0; i < script.size(); ++i) {
        const uint8_t b = static_cast<uint8_t>(script[i]);
        const int32_t col = b % 8;
        const int32_t row = b / 8 % 16;
        switch (b % 10) {
            case 0:
                sheet.KeyDown(static_cast<cuiSheet::Key>(b / 10 % 11), (b & 0x40) != 0,
                              (b & 0x80) != 0);
                break;
            case 1:
                sheet.TypeByte(i + 1 < script.size() ? static_cast<uint8_t>(script[++i]) : b);
                break;
            case 2:
                sheet.MousePress(col, row);
                sheet.MouseMove(col + 1, row + 1);
                sheet.MouseRelease(col + 1, row + 1);
                break;
            case 3:
                sheet.DoubleClick(col, row);
                break;
            case 4:
                sheet.RightClick(col, row);
                break;
            case 5:
                sheet.EditorKey(static_cast<cuiSheet::Key>(b / 10 % 11));
                break;
            case 6:
                sheet.CommitEditor();
                break;
            case 7:
                sheet.Wheel(static_cast<int32_t>(b / 10) - 12);
                break;
            case 8:
                sheet.SelectCell(col, row);
                break;
            default:
                sheet.Move(b / 10 % 3 - 1, b / 30 % 3 - 1);
                break;
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::CatchFatal();
    const std::vector<std::string> input = Split(data, size);
    cmcGTex table;
    try {
        if (!table.SetLines(TableWithSheet(input))) {
            return 0;
        }
        const cmcCellContext context{table, indActiveCell::Names()};
        const cuiSheetPlainMeasurer measurer;
        QuietView view;
        cuiSheet sheet(context, nullptr, 0, 0, "T_Fuzz", nullptr);
        sheet.SetMeasurer(&measurer);
        sheet.SetView(&view);
        sheet.SetLink([](cmcCellCapsule& capsule, bool) {
            if (capsule.cell != nullptr && !capsule.cell->text) {
                capsule.cell->text = std::string("A\x82\xA0");
            }
            return 0;
        });
        sheet.Rebuild();
        PaintAll(sheet);
        sheet.FocusIn();
        Drive(sheet, input[0]);
        PaintAll(sheet);
    } catch (const fuzz::FatalReport&) {
    }
    return 0;
}
