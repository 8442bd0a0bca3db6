#include "sheet/cmcCellCapsule.h"

void cmcCellCapsule::Reset() {
    *this = cmcCellCapsule();
}
