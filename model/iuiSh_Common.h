#pragma once
#include "sheet/cuiSheet.h"

// The sheet class a "[St_Common]" request names: a plain sheet under its own
// name, kept so that descriptions of the product family stay valid.
class iuiSh_Common : public cuiSheet {
public:
    using cuiSheet::cuiSheet;
};
