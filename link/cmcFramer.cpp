#include "link/cmcFramer.h"

#include <utility>

cmcFramer::Event cmcFramer::Push(uint8_t byte) {
    if (byte == 0xFE) {
        m_frame.assign(1, byte);
        m_collecting = true;
        return Event::None;
    }
    if (!m_collecting) {
        return Event::None;
    }
    if (byte == 0xFD) {
        m_done = std::move(m_frame);
        m_frame.clear();
        m_collecting = false;
        return Event::Frame;
    }
    m_frame.push_back(byte);
    if (m_frame.size() > kMaxBody + 1) {
        Reset();
        return Event::Overflow;
    }
    return Event::None;
}

void cmcFramer::Reset() {
    m_frame.clear();
    m_collecting = false;
}
