#include "sheet/cmcPrintJob.h"

#include <algorithm>
#include <cmath>

#include "sheet/cmcPrintLayout.h"

namespace {

bool Fits(const cmcPrintSize& size, const cmcRect& rect) {
    return size.width <= rect.right - rect.left && size.height <= rect.bottom - rect.top;
}

}  // namespace

std::vector<cmcPrintBlock> cmcPrintJob::Blocks(const cmcPrintSheet& sheet,
                                               const cmcRect& rect) const {
    const std::vector<int32_t> widths = sheet.ColumnWidths();
    std::vector<bool> joined(widths.size());
    for (size_t col = 0; col < widths.size(); ++col) {
        joined[col] = sheet.JoinedInFixedRows(static_cast<int32_t>(col));
    }
    std::vector<int32_t> cols = cmcPrintLayout::PageCounts(
        cmcPrintLayout::PaginateColumns(widths, sheet.FixedCols(), joined, rect.right - rect.left));
    std::vector<int32_t> rows = cmcPrintLayout::PageCounts(cmcPrintLayout::PaginateRows(
        sheet.RowHeights(), sheet.FixedRows(), rect.bottom - rect.top));
    // A sheet of fixed rows or columns only still prints its fixed part.
    if (cols.empty()) {
        cols.push_back(0);
    }
    if (rows.empty()) {
        rows.push_back(0);
    }
    std::vector<cmcPrintBlock> blocks;
    int32_t firstRow = sheet.FixedRows();
    for (int32_t rowCount : rows) {
        int32_t firstCol = sheet.FixedCols();
        for (int32_t colCount : cols) {
            blocks.push_back({firstCol, colCount, firstRow, rowCount});
            firstCol += colCount;
        }
        firstRow += rowCount;
    }
    return blocks;
}

int32_t cmcPrintJob::Fit(cmcPrintSheet& sheet, const cmcPrintBlock& block, const cmcRect& rect) {
    for (int reductions = 0; reductions < kMaxReductions; ++reductions) {
        const cmcPrintSize size = sheet.MeasureBlock(block);
        if (Fits(size, rect)) {
            return size.height;
        }
        const double width = std::max(size.width, 1);
        const double height = std::max(size.height, 1);
        const double factor =
            std::min((rect.bottom - rect.top) / height, (rect.right - rect.left) / width);
        m_fontHeight =
            std::max<int32_t>(1, static_cast<int32_t>(std::lround(m_fontHeight * factor)));
        sheet.Rebuild(m_fontHeight);
    }
    // After the last reduction the block goes out as it is.
    return -1;
}

void cmcPrintJob::PrintSheet(cmcPrintSheet& sheet, int32_t fontHeight, cmcPrintTarget& target) {
    m_fontHeight = fontHeight;
    if (!sheet.IsPrintable() || target.Cancelled()) {
        return;
    }
    cmcRect rect = m_inner;
    rect.top += m_runningOffset;
    std::vector<cmcPrintBlock> blocks = Blocks(sheet, rect);
    const bool continues =
        m_pageStarted && !blocks.empty() && Fits(sheet.MeasureBlock(blocks.front()), rect);
    if (!continues) {
        rect = m_inner;
        m_runningOffset = 0;
        blocks = Blocks(sheet, rect);
    }
    for (size_t n = 0; n < blocks.size(); ++n) {
        const bool continuing = continues && n == 0;
        const cmcRect at = continuing ? rect : m_inner;
        const int32_t height = Fit(sheet, blocks[n], at);
        if (target.Cancelled()) {
            return;
        }
        if (m_pageStarted && !continuing) {
            target.NewPage();
        }
        if (!continuing) {
            target.DrawFrame();
        }
        target.PrintBlock(blocks[n], at);
        m_pageStarted = true;
        // A block printed unmeasured may reach the bottom: nothing more goes
        // on its page.
        m_runningOffset = height < 0 ? m_inner.bottom - m_inner.top : at.top - m_inner.top + height;
    }
}
