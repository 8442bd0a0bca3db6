#pragma once
#include <cstdint>

#include "sheet/cmcRect.h"

// Keeps a saved window position reachable on the desktop's work area: at
// least a corner of the window stays inside it, and its top never above it.
namespace cmcWorkArea {

inline constexpr int32_t kMargin = 16;

struct Bounds {
    int32_t left;
    int32_t top;
    int32_t width;
    int32_t height;
};

Bounds Fit(Bounds window, const cmcRect& work);

}  // namespace cmcWorkArea
