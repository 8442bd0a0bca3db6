#pragma once
#include "text/cmcHashTable.h"

// Name → record, for the choice-list cache. The records belong to the user of
// the table; the table never frees them.
class cmcHash2 : public cmcHashTable<void*> {
public:
    cmcHash2() : cmcHashTable("Overlapped Hash2 table.") {}
};
