#include "runtime/cmcEvAns.h"

#include <utility>

const cmcEvAns* cmcEvAns::Next() const {
    return (m_next && m_next->m_answered) ? m_next.get() : nullptr;
}

const cmcEvAns* cmcEvAns::Nested() const {
    return (m_child && m_child->m_answered) ? m_child.get() : nullptr;
}

cmcEvAns* cmcEvAns::Fill(int32_t v1, int32_t v2, std::vector<uint8_t> bytes) {
    value1 = v1;
    value2 = v2;
    payload = std::move(bytes);
    m_answered = true;
    m_next = std::make_unique<cmcEvAns>(m_parent);
    return m_next.get();
}

cmcEvAns* cmcEvAns::OpenChild() {
    m_child = std::make_unique<cmcEvAns>(this);
    return m_child.get();
}
