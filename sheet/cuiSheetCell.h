#pragma once
#include "sheet/cmcCellObj.h"

// One grid cell of a built sheet: the parsed description and the three
// selection bits the runtime keeps per cell.
struct cuiSheetCell {
    cmcCellObj obj;
    bool multiSelectable = true;
    bool marked = false;       // part of the selection
    bool highlighted = false;  // painted as selected with the selection
};
