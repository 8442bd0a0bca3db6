#pragma once
#include <cstdint>

#include "sheet/cmcRect.h"

// Where a choice list pops up: below its cell and a little to the right,
// above the cell when there is no room below, pulled left at the right edge.
// Pure arithmetic in screen pixels, so that it is tested without a screen.
namespace cuiFlectorPlacement {

// The desktop's work area less a margin at the top and at the bottom.
cmcRect WorkArea(const cmcRect& desktop);
// The list window's rectangle for a window of width x height opened for the
// cell (screen coordinates, right and bottom inclusive) inside workArea.
cmcRect Place(const cmcRect& cell, int32_t width, int32_t height, const cmcRect& workArea);

}  // namespace cuiFlectorPlacement
