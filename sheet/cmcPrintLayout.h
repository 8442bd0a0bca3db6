#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

#include "sheet/cmcRect.h"
#include "util/cmcBuff.h"

// The page geometry of printing: margins, the page frame and the split of a
// sheet into page-sized pieces. Pure arithmetic in printer pixels.
class cmcPrintLayout {
public:
    // What PageFrame draws and what it leaves for the content.
    struct Frame {
        cmcRect inner;
        cmcRect topBar;
        cmcRect bottomBar;
        int32_t titleRight = 0;   // the title with revision ends here...
        int32_t titleTop = 0;     // ...with its top here
        int32_t makerRight = 0;   // the maker line ends here...
        int32_t makerBottom = 0;  // ...with its bottom here
    };

    // Millimetres to pixels at `dpi`, rounded.
    static int32_t MmToPixels(double mm, int32_t dpi);
    // The print rectangle of a page from "left,top,right,bottom" margins in
    // millimetres; missing fields count as 0.
    static cmcRect PrintRect(int32_t pageWidth, int32_t pageHeight, int32_t dpi,
                             std::string_view margins);
    // The frame of a page for a frame font `fontHeight` pixels high.
    static Frame PageFrame(const cmcRect& rect, int32_t fontHeight);

    // Columns per page, as 16-bit counts high byte first. A page starts with
    // the fixed columns' width and never starts at a column in `joined`.
    static cmcBuff PaginateColumns(const std::vector<int32_t>& widths, int32_t fixedCols,
                                   const std::vector<bool>& joined, int32_t pageWidth);
    // Rows per page, likewise, without joined rows.
    static cmcBuff PaginateRows(const std::vector<int32_t>& heights, int32_t fixedRows,
                                int32_t pageHeight);
    // The counts of a page list.
    static std::vector<int32_t> PageCounts(const cmcBuff& pages);

private:
    static cmcBuff Paginate(const std::vector<int32_t>& sizes, int32_t fixed,
                            const std::vector<bool>& joined, int32_t pageSize);
};
