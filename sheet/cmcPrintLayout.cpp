#include "sheet/cmcPrintLayout.h"

#include <cmath>

#include "util/cmcStr.h"

int32_t cmcPrintLayout::MmToPixels(double mm, int32_t dpi) {
    return static_cast<int32_t>(std::lround(mm * dpi / 25.4));
}

cmcRect cmcPrintLayout::PrintRect(int32_t pageWidth, int32_t pageHeight, int32_t dpi,
                                  std::string_view margins) {
    int32_t mm[4] = {0, 0, 0, 0};
    for (int i = 0; i < 4 && !margins.empty(); ++i) {
        const size_t comma = margins.find(',');
        mm[i] = cmcStr::AtoI(margins.substr(0, comma));
        margins = comma == std::string_view::npos ? std::string_view() : margins.substr(comma + 1);
    }
    return {MmToPixels(mm[0], dpi), MmToPixels(mm[1], dpi), pageWidth - MmToPixels(mm[2], dpi),
            pageHeight - MmToPixels(mm[3], dpi)};
}

cmcPrintLayout::Frame cmcPrintLayout::PageFrame(const cmcRect& rect, int32_t fontHeight) {
    const int32_t h = fontHeight;
    const auto g = static_cast<int32_t>(std::lround(0.1 * h + 1));
    Frame frame;
    frame.titleRight = rect.right - 1;
    frame.titleTop = rect.top;
    frame.topBar = {rect.left, rect.top + h + g, rect.right, rect.top + h + 2 * g};
    frame.makerRight = rect.right - 1;
    frame.makerBottom = rect.bottom - 1;
    frame.bottomBar = {rect.left, rect.bottom - h - 2 * g, rect.right, rect.bottom - h - g};
    frame.inner = {rect.left, rect.top + h + 6 * g, rect.right, rect.bottom - h - 6 * g};
    return frame;
}

cmcBuff cmcPrintLayout::Paginate(const std::vector<int32_t>& sizes, int32_t fixed,
                                 const std::vector<bool>& joined, int32_t pageSize) {
    const auto count = static_cast<int32_t>(sizes.size());
    int32_t fixedSize = 0;
    for (int32_t i = 0; i < fixed && i < count; ++i) {
        fixedSize += sizes[i];
    }
    auto breakable = [&joined](int32_t i) {
        return static_cast<size_t>(i) >= joined.size() || !joined[i];
    };
    cmcBuff pages;
    for (int32_t first = fixed; first < count;) {
        int32_t sum = fixedSize;
        int32_t end = count;  // the columns ran out: the page takes the rest
        int32_t lastBreak = -1;
        for (int32_t i = first; i < count; ++i) {
            if (i > first && breakable(i)) {
                lastBreak = i;
            }
            sum += sizes[i];
            if (sum > pageSize && lastBreak >= 0) {
                end = lastBreak;
                break;
            }
        }
        const int32_t taken = end - first;
        pages.Append(static_cast<uint8_t>(taken >> 8));
        pages.Append(static_cast<uint8_t>(taken & 0xFF));
        first = end;
    }
    return pages;
}

cmcBuff cmcPrintLayout::PaginateColumns(const std::vector<int32_t>& widths, int32_t fixedCols,
                                        const std::vector<bool>& joined, int32_t pageWidth) {
    return Paginate(widths, fixedCols, joined, pageWidth);
}

cmcBuff cmcPrintLayout::PaginateRows(const std::vector<int32_t>& heights, int32_t fixedRows,
                                     int32_t pageHeight) {
    return Paginate(heights, fixedRows, {}, pageHeight);
}

std::vector<int32_t> cmcPrintLayout::PageCounts(const cmcBuff& pages) {
    std::vector<int32_t> counts;
    for (size_t i = 0; i + 1 < pages.Length(); i += 2) {
        counts.push_back(pages[i] << 8 | pages[i + 1]);
    }
    return counts;
}
