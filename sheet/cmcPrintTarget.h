#pragma once
#include "sheet/cmcPrintSheet.h"
#include "sheet/cmcRect.h"

// Where a print job goes: the printer canvas in the application, a recorder
// in tests. Called in page order.
class cmcPrintTarget {
public:
    virtual ~cmcPrintTarget() = default;
    virtual void NewPage() = 0;
    // The page frame around the print rectangle.
    virtual void DrawFrame() = 0;
    // The sheet's title at `at`'s top left, then the block's cells, with the
    // sheet as last built.
    virtual void PrintBlock(const cmcPrintBlock& block, const cmcRect& at) = 0;
    // The user asked to stop.
    virtual bool Cancelled() const = 0;
};
