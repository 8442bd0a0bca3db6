#pragma once
#include "runtime/cmcEvent.h"
#include "util/cmcMethod.h"

class cmcEvMan;

// Keeps a menu, toolbar or tree registered with the event manager for as
// long as it lives; without a manager it does nothing.
class cuiMenuListener {
public:
    cuiMenuListener(cmcEvMan* events, cmcMethod<const cmcEvent&> handler);
    ~cuiMenuListener();
    cuiMenuListener(const cuiMenuListener&) = delete;
    cuiMenuListener& operator=(const cuiMenuListener&) = delete;

private:
    cmcEvMan* m_events;
    cmcMethod<const cmcEvent&> m_handler;
};
