#pragma once
#include <memory>
#include <string>

#include "sheet/cuiSheet.h"

// Creates the sheet object a sheet request names: "[St_ChBank]" a bank
// sheet, "[St_Common]" a common sheet, anything else a plain cuiSheet. The
// sheet keeps the full request as its source and gets the parameters.
class iuiSh_Factory {
public:
    static std::unique_ptr<cuiSheet> Create(const std::string& request, const cmcCellContext& cells,
                                            const cmcCellCapsule* parentCapsule, int32_t focusLink,
                                            int32_t focusIndex, void* context);
};
