#pragma once
#include <cstdint>

// A grid row of a built sheet: the "_Cells" line it was built from and
// whether it takes part in multi-selection.
struct cuiSheetRow {
    int32_t line = 0;
    bool multiSelectable = true;
};
