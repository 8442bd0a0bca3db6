#pragma once
#include <cstdint>

#include "text/cmcHashTable.h"

// Name → integer, for the link registry and the colour names.
class cmcHash : public cmcHashTable<int32_t> {
public:
    cmcHash() : cmcHashTable("Overlapped Hash table.") {}
};
