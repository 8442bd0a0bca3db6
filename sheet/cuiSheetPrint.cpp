#include "sheet/cuiSheetPrint.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "sheet/cmcTextMeasurer.h"
#include "sheet/cuiSheet.h"

cuiSheetPrint::cuiSheetPrint(cuiSheet& sheet, int32_t dpiY, const cmcTextMeasurer& measurer,
                             const cmcFont& titleFont)
    : m_sheet(sheet), m_dpiY(dpiY), m_measurer(measurer), m_titleFont(titleFont) {}

bool cuiSheetPrint::IsPrintable() const {
    return m_sheet.IsPrintable();
}

void cuiSheetPrint::Rebuild(int32_t fontHeight) {
    // A negative font height is a character height in pixels.
    m_sheet.SetMeasurer(&m_measurer);
    m_sheet.SetPrinter(m_dpiY, -std::abs(fontHeight));
    m_sheet.Rebuild();
}

std::vector<int32_t> cuiSheetPrint::ColumnWidths() const {
    std::vector<int32_t> widths;
    for (int32_t col = 0; col < m_sheet.ColCount(); ++col) {
        widths.push_back(m_sheet.ColWidth(col));
    }
    return widths;
}

std::vector<int32_t> cuiSheetPrint::RowHeights() const {
    std::vector<int32_t> heights;
    for (int32_t row = 0; row < m_sheet.RowCount(); ++row) {
        heights.push_back(m_sheet.RowHeight(row));
    }
    return heights;
}

int32_t cuiSheetPrint::FixedCols() const {
    return m_sheet.FixedCols();
}

int32_t cuiSheetPrint::FixedRows() const {
    return m_sheet.FixedRows();
}

bool cuiSheetPrint::JoinedInFixedRows(int32_t col) const {
    for (int32_t row = 0; row < m_sheet.FixedRows(); ++row) {
        if (m_sheet.Cell(col, row).obj.joinLeft) {
            return true;
        }
    }
    return false;
}

int32_t cuiSheetPrint::TitleHeight() const {
    const std::string title = m_sheet.GetTitle();
    return title.empty() ? 0 : m_measurer.Measure(m_titleFont, title).height;
}

int32_t cuiSheetPrint::TitleWidth() const {
    const std::string title = m_sheet.GetTitle();
    return title.empty() ? 0 : m_measurer.Measure(m_titleFont, title).width;
}

int32_t cuiSheetPrint::Width(Span cols) const {
    int32_t width = 0;
    for (int32_t col = cols.first; col < cols.first + cols.count; ++col) {
        width += m_sheet.ColWidth(col);
    }
    return width;
}

int32_t cuiSheetPrint::Height(Span rows) const {
    int32_t height = 0;
    for (int32_t row = rows.first; row < rows.first + rows.count; ++row) {
        height += m_sheet.RowHeight(row);
    }
    return height;
}

cmcPrintSize cuiSheetPrint::MeasureBlock(const cmcPrintBlock& block) const {
    const int32_t cells = Width({0, FixedCols()}) + Width({block.firstCol, block.colCount});
    return {std::max(cells, TitleWidth()), TitleHeight() + Height({0, FixedRows()}) +
                                               Height({block.firstRow, block.rowCount})};
}

std::vector<cuiSheetPrint::PageCell> cuiSheetPrint::PageCells(const cmcPrintBlock& block,
                                                              const cmcRect& at) const {
    const Span fixedCols{0, FixedCols()};
    const Span fixedRows{0, FixedRows()};
    const Span cols{block.firstCol, block.colCount};
    const Span rows{block.firstRow, block.rowCount};
    const int32_t left = at.left + Width(fixedCols);
    const int32_t top = at.top + TitleHeight() + Height(fixedRows);
    std::vector<PageCell> cells;
    AddArea(fixedCols, fixedRows, at.left, top - Height(fixedRows), cells);
    AddArea(cols, fixedRows, left, top - Height(fixedRows), cells);
    AddArea(fixedCols, rows, at.left, top, cells);
    AddArea(cols, rows, left, top, cells);
    return cells;
}

void cuiSheetPrint::AddArea(Span cols, Span rows, int32_t left, int32_t top,
                            std::vector<PageCell>& cells) const {
    if (cols.count <= 0 || rows.count <= 0) {
        return;
    }
    const cmcRect clip{left, top, left + Width(cols) - 1, top + Height(rows) - 1};
    const int32_t lastCol = cols.first + cols.count - 1;
    int32_t y = top;
    for (int32_t row = rows.first; row < rows.first + rows.count; ++row) {
        int32_t x = left;
        for (int32_t col = cols.first; col <= lastCol; ++col) {
            const cmcRect rect{x, y, x + m_sheet.ColWidth(col) - 1, y + m_sheet.RowHeight(row) - 1};
            x += m_sheet.ColWidth(col);
            // A joined span is painted once, from its last cell in the area.
            if (col < lastCol && m_sheet.Cell(col + 1, row).obj.joinLeft) {
                continue;
            }
            cells.push_back({col, row, rect, clip});
        }
        y += m_sheet.RowHeight(row);
    }
}
