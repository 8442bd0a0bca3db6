#pragma once
#include <cstdint>

#include "sheet/cmcRect.h"

// What a link that draws needs of the surface the grid hands over in a
// request's canvas while it paints a cell.
class indActiveCellCanvas {
public:
    virtual ~indActiveCellCanvas() = default;
    // Fills the rectangle with a colour value (red in the low byte).
    virtual void FillRect(const cmcRect& rect, uint32_t color) = 0;
};
