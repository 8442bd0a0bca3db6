#pragma once
#include <cstdint>

#include "sheet/cmcRect.h"

// Window positions against the desktop's work area (right and bottom are
// exclusive).
namespace cmcWorkArea {

inline constexpr int32_t kMargin = 16;

struct Bounds {
    int32_t left;
    int32_t top;
    int32_t width;
    int32_t height;
};

// Keeps a saved window position reachable: at least a corner of the window
// stays inside the work area, and its top never above it.
Bounds Fit(Bounds window, const cmcRect& work);

// Moves a window wholly into the work area; one larger than the area keeps
// its left and top edges in it, where its title bar and close box are.
Bounds Inside(Bounds window, const cmcRect& work);

}  // namespace cmcWorkArea
