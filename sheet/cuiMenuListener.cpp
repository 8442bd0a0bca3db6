#include "sheet/cuiMenuListener.h"

#include <utility>

#include "runtime/cmcEvMan.h"

cuiMenuListener::cuiMenuListener(cmcEvMan* events, cmcMethod<const cmcEvent&> handler)
    : m_events(events), m_handler(std::move(handler)) {
    if (m_events) {
        m_events->Listen(m_handler);
    }
}

cuiMenuListener::~cuiMenuListener() {
    if (m_events) {
        m_events->Unlisten(m_handler);
    }
}
