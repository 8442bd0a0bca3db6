#include "sheet/cuiFlectorPlacement.h"

namespace cuiFlectorPlacement {

namespace {
constexpr int32_t kMargin = 50;  // kept free for the task bars above and below
constexpr int32_t kIndent = 8;   // the list starts a little right of the cell
}  // namespace

cmcRect WorkArea(const cmcRect& desktop) {
    cmcRect area = desktop;
    area.top += kMargin;
    area.bottom -= kMargin;
    return area;
}

cmcRect Place(const cmcRect& cell, int32_t width, int32_t height, const cmcRect& workArea) {
    int32_t left = cell.left + kIndent;
    int32_t top = cell.bottom;
    bool overlaps = false;
    if (top + height > workArea.bottom) {
        if (cell.top - workArea.top <= height) {
            top = workArea.bottom - height;
            overlaps = true;
        } else {
            top = cell.top - height;
        }
    }
    if (left + width > workArea.right) {
        if (!overlaps || cell.left - workArea.left <= width) {
            left = workArea.right - width;
        } else {
            left = cell.left - width;
        }
    }
    return {left, top, left + width - 1, top + height - 1};
}

}  // namespace cuiFlectorPlacement
