#include "model/indImageDiff.h"

#include <algorithm>

#include "model/indActiveCell.h"
#include "model/indImageHost.h"
#include "model/indModelRules.h"
#include "model/iuiSh_Factory.h"
#include "sheet/cmcCellContext.h"
#include "sheet/cuiSheet.h"
#include "sheet/cuiSheetPlainMeasurer.h"
#include "text/cmcGTex.h"
#include "util/cmcStr.h"

namespace {

// The sheets the tree opens are the ones a person edits and reads.
const char kTreeKey[] = "GI_Tree_Main_HH_Body";
const char kCallSheet[] = "%CallSheet:";

std::vector<std::string> TreeSheets(cmcGTex& table) {
    std::vector<std::string> names;
    const std::string body = table.GetBody(kTreeKey);
    for (size_t at = body.find(kCallSheet); at != std::string::npos;
         at = body.find(kCallSheet, at + 1)) {
        const size_t first = at + sizeof(kCallSheet) - 1;
        const size_t end = body.find_first_of(")}", first);
        names.push_back(body.substr(first, end == std::string::npos ? end : end - first));
    }
    return names;
}

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

indImageDiff::indImageDiff(cmcGTex& table) : m_table(table) {
    static const cuiSheetPlainMeasurer measurer;
    const cmcCellContext context{table, indActiveCell::Names()};
    cmcEeprom blank;
    blank.SetSize(indModelRules::kImageSize);
    indImageHost host(blank, table);
    for (const std::string& name : TreeSheets(table)) {
        std::unique_ptr<cuiSheet> sheet =
            iuiSh_Factory::Create(name, context, nullptr, 0, 0, nullptr);
        sheet->SetMeasurer(&measurer);
        sheet->SetLink(indActiveCell::LinkFor(host));
        sheet->Rebuild();
        sheet->SetLink({});
        m_sheets.push_back(std::move(sheet));
    }
}

indImageDiff::~indImageDiff() = default;

std::vector<indImageDiff::Grid> indImageDiff::Paint(const cmcEeprom& image) {
    cmcEeprom copy = image;
    indImageHost host(copy, m_table);
    std::vector<Grid> grids;
    for (const std::unique_ptr<cuiSheet>& sheet : m_sheets) {
        sheet->SetLink(indActiveCell::LinkFor(host));
        Grid grid(static_cast<size_t>(sheet->RowCount()));
        for (int32_t row = 0; row < sheet->RowCount(); ++row) {
            for (int32_t col = 0; col < sheet->ColCount(); ++col) {
                grid[static_cast<size_t>(row)].push_back(CellText(*sheet, col, row));
            }
        }
        sheet->SetLink({});
        grids.push_back(std::move(grid));
    }
    return grids;
}

// The fixed columns' texts name the row: the entry number of a list, the
// item of the base settings.
std::string indImageDiff::RowLabel(const cuiSheet& sheet, const Grid& grid, int32_t row) const {
    for (int32_t col = 0; col < sheet.FixedCols() && col < sheet.ColCount(); ++col) {
        const std::string text = Trimmed(grid[static_cast<size_t>(row)][static_cast<size_t>(col)]);
        if (!text.empty()) {
            return text;
        }
    }
    return {};
}

// The nearest heading above the cell in the fixed rows; a heading spread over
// several columns stands in its first one.
std::string indImageDiff::ColLabel(const cuiSheet& sheet, const Grid& grid, int32_t col) const {
    for (int32_t row = std::min(sheet.FixedRows(), sheet.RowCount()) - 1; row >= 0; --row) {
        int32_t origin = col;
        while (origin > 0 && sheet.Cell(origin, row).obj.joinLeft) {
            --origin;
        }
        const std::string text =
            Trimmed(grid[static_cast<size_t>(row)][static_cast<size_t>(origin)]);
        if (!text.empty()) {
            return text;
        }
    }
    return {};
}

void indImageDiff::CellDifferences(size_t index, const Grid& first, const Grid& second,
                                   std::vector<Difference>& out) const {
    const cuiSheet& sheet = *m_sheets[index];
    for (int32_t row = sheet.FixedRows(); row < sheet.RowCount(); ++row) {
        for (int32_t col = sheet.FixedCols(); col < sheet.ColCount(); ++col) {
            const std::string& a = first[static_cast<size_t>(row)][static_cast<size_t>(col)];
            const std::string& b = second[static_cast<size_t>(row)][static_cast<size_t>(col)];
            if (a == b || sheet.Cell(col, row).obj.link == cmcCellObj::kNoLink) {
                continue;
            }
            Difference d{Trimmed(sheet.GetTitle()),
                         RowLabel(sheet, first, row),
                         ColLabel(sheet, first, col),
                         Trimmed(a),
                         Trimmed(b),
                         -1};
            if (d.item.empty()) {
                std::swap(d.item, d.row);
            }
            out.push_back(std::move(d));
        }
    }
}

// A byte is shown when taking it alone from the other image changes a text,
// tried both ways: a name's second letter shows only behind a first one.
bool indImageDiff::Shown(const cmcEeprom& first, const cmcEeprom& second, int32_t address,
                         const std::vector<Grid>& firstPainted,
                         const std::vector<Grid>& secondPainted) {
    cmcEeprom probe = first;
    probe.SetByte(address, second.GetByte(address));
    if (Paint(probe) != firstPainted) {
        return true;
    }
    probe = second;
    probe.SetByte(address, first.GetByte(address));
    return Paint(probe) != secondPainted;
}

std::vector<indImageDiff::Difference> indImageDiff::Compare(const cmcEeprom& first,
                                                            const cmcEeprom& second) {
    const std::vector<Grid> a = Paint(first);
    const std::vector<Grid> b = Paint(second);
    std::vector<Difference> out;
    for (size_t i = 0; i < m_sheets.size(); ++i) {
        CellDifferences(i, a[i], b[i], out);
    }
    const AddrRangeList whole = {{0, first.GetSize() - 1}, kAddrRangeEnd};
    for (int32_t address : DifferingAddresses(first, second, whole)) {
        if (!Shown(first, second, address, a, b)) {
            out.push_back({"", "", cmcStr::Format("0x%04X", address),
                           cmcStr::Format("%02X", first.GetByte(address)),
                           cmcStr::Format("%02X", second.GetByte(address)), address});
        }
    }
    return out;
}

std::vector<int32_t> indImageDiff::DifferingAddresses(const cmcEeprom& first,
                                                      const cmcEeprom& second,
                                                      const AddrRangeList& ranges) {
    std::vector<int32_t> out;
    const int32_t size = std::min(first.GetSize(), second.GetSize());
    ForEachValidRange(ranges, size, [&](const AddrRange& range) {
        for (int32_t at = range.first; at <= range.last; ++at) {
            if (first.GetByte(at) != second.GetByte(at)) {
                out.push_back(at);
            }
        }
    });
    return out;
}

cmcEeprom indImageDiff::ExpectedAfterWrite(const cmcEeprom& file, const cmcEeprom& radio) {
    cmcEeprom sent = file;
    indModelRules::BeforeSave(sent);
    cmcEeprom expected = radio;
    const AddrRangeList ranges = indModelRules::GetRangeList(indModelRules::kRangeCloneWrite);
    ForEachValidRange(ranges, std::min(sent.GetSize(), expected.GetSize()),
                      [&](const AddrRange& range) {
                          for (int32_t at = range.first; at <= range.last; ++at) {
                              expected.SetByte(at, sent.GetByte(at));
                          }
                      });
    return expected;
}

std::vector<int32_t> indImageDiff::WrittenDifferences(const cmcEeprom& file,
                                                      const cmcEeprom& radio) {
    const AddrRangeList whole = {{0, radio.GetSize() - 1}, kAddrRangeEnd};
    return DifferingAddresses(ExpectedAfterWrite(file, radio), radio, whole);
}

std::string indImageDiff::CellText(cuiSheet& sheet, int32_t col, int32_t row) {
    const cuiSheetPaint paint = sheet.PaintCell(col, row, sheet.CellRect(col, row), false);
    std::string text;
    for (const cuiSheetPaint::Line& line : paint.lines) {
        text += text.empty() ? line.text : " " + line.text;
    }
    return text;
}
