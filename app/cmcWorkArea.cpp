#include "app/cmcWorkArea.h"

#include <algorithm>

namespace cmcWorkArea {

Bounds Fit(Bounds window, const cmcRect& work) {
    // Each test sees the result of the one before.
    if (window.left > work.right - kMargin) {
        window.left = work.right - kMargin;
    }
    if (window.top > work.bottom - kMargin) {
        window.top = work.bottom - kMargin;
    }
    if (window.left + window.width < work.left + kMargin) {
        window.left = work.left + kMargin - window.width;
    }
    if (window.top < work.top) {
        window.top = work.top;
    }
    return window;
}

Bounds Inside(Bounds window, const cmcRect& work) {
    window.left = std::max(std::min(window.left, work.right - window.width), work.left);
    window.top = std::max(std::min(window.top, work.bottom - window.height), work.top);
    return window;
}

}  // namespace cmcWorkArea
