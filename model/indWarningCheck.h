#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "sheet/cmcCellLink.h"

class cmcCellNames;
class cmcGTex;

// The data check before a clone write: every line of GI_WarningCheckList is a
// cell whose link is a check and whose argument names the sheet it guards.
// The sheets listed here are the ones the tree marks.
struct indWarningCheck {
    int32_t errors = 0;
    int32_t warnings = 0;
    std::vector<std::string> errorSheets;    // in list order
    std::vector<std::string> warningSheets;  // sheets with a warning and no error

    // Asks each check through link (without the action flag) and gathers the
    // marks; a check that sets both counts as an error only.
    static indWarningCheck Run(cmcGTex& table, const cmcCellNames& names, const cmcCellLink& link);
};
