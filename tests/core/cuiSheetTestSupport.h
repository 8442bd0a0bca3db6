#pragma once
// Helpers for the sheet tests: a measurer with a simple rule, a grid view
// that records what the sheet asks of it, a link that records requests, and
// tables holding the test sheets of tests/data/sheets.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "CellTestSupport.h"
#include "sheet/cuiSheetPlainMeasurer.h"
#include "sheet/cuiSheet.h"
#include "sheet/cuiSheetView.h"

namespace sheettest {

// 8 pixels a byte; a line as high as the font's character height.
using FakeMeasurer = cuiSheetPlainMeasurer;

class FakeView : public cuiSheetView {
public:
    Range Visible() const override { return visible; }
    int32_t LeftCol() const override { return left; }
    int32_t TopRow() const override { return top; }
    void ScrollTo(int32_t l, int32_t t) override {
        left = l;
        top = t;
    }
    bool HasScrollBars() const override { return scrollBars; }
    bool HasFocus() const override { return true; }
    void ShowCell(int32_t, int32_t) override {}
    void RepaintCell(int32_t col, int32_t row) override { repainted.emplace_back(col, row); }
    void RepaintAll() override { ++repaintAll; }
    void OpenEditor(int32_t col, int32_t row, const std::string& text, int32_t caret,
                    int32_t) override {
        editorOpen = true;
        editorText = text;
        editorCell = {col, row};
        editorCaret = caret;
    }
    void CloseEditor() override { editorOpen = false; }
    bool EditorVisible() const override { return editorOpen; }
    std::string EditorText() const override { return editorText; }
    void PopupMenu(const std::string& stem) override { popups.push_back(stem); }
    void ChoiceMade() override { ++choices; }

    Range visible{0, 0, 100, 100};
    int32_t left = 0;
    int32_t top = 0;
    bool scrollBars = true;
    std::vector<std::pair<int32_t, int32_t>> repainted;
    int repaintAll = 0;
    bool editorOpen = false;
    std::string editorText;
    std::pair<int32_t, int32_t> editorCell;
    int32_t editorCaret = 0;
    std::vector<std::string> popups;
    int choices = 0;
};

// The lines of a test table file (UTF-8) in code page 932.
inline std::vector<std::string> SheetFile(const std::string& name) {
    std::ifstream in(std::string(MX_TEST_DATA) + "/sheets/" + name);
    EXPECT_TRUE(in.good()) << name;
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        lines.push_back(celltest::Sj(line));
    }
    return lines;
}

// A text table with the cell models and one test sheet file, and the
// services a sheet is built with.
class SheetTest : public celltest::CellTest {
protected:
    explicit SheetTest(const std::string& file) : celltest::CellTest(SheetFile(file)) {}

    // Builds the sheet `name` with the fake services.
    std::unique_ptr<cuiSheet> Build(const std::string& name, bool withView = true,
                                    const cmcCellCapsule* parent = nullptr) {
        auto sheet = std::make_unique<cuiSheet>(context, parent, 0, 0, name, nullptr);
        sheet->SetMeasurer(&measurer);
        if (withView) {
            sheet->SetView(&view);
        }
        sheet->SetLink([this](cmcCellCapsule& c, bool action) {
            return link ? link(c, action) : 0;
        });
        sheet->Rebuild();
        return sheet;
    }

    FakeMeasurer measurer;
    FakeView view;
    std::function<int(cmcCellCapsule&, bool)> link;
};

}  // namespace sheettest
