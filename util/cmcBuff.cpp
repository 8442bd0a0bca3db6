#include "util/cmcBuff.h"

#include <algorithm>

#include "util/cmcFatal.h"

namespace {

// Consumed bytes are moved out once this many have gathered at the front.
constexpr size_t kCompactThreshold = 4097;

}  // namespace

void cmcBuff::Reserve(size_t newLength) {
    if (newLength <= Capacity()) {
        return;
    }
    // Grow by a quarter of the old length so that byte-by-byte appends do not
    // reallocate every time.
    size_t capacity = newLength + std::max<size_t>(1, m_length / 4);
    std::vector<uint8_t> storage(capacity, m_fill);
    std::copy_n(Data(), m_length, storage.begin());
    m_storage.swap(storage);
    m_start = 0;
}

void cmcBuff::SetLength(size_t n) {
    if (n > m_length) {
        Reserve(n);
        std::fill(Data() + m_length, Data() + n, m_fill);
    }
    m_length = n;
}

void cmcBuff::Clear() {
    m_start = 0;
    m_length = 0;
}

void cmcBuff::Append(const uint8_t* bytes, size_t n) {
    if (n == 0) {
        return;
    }
    Reserve(m_length + n);
    std::copy_n(bytes, n, Data() + m_length);
    m_length += n;
}

void cmcBuff::Append(uint8_t byte) { Append(&byte, 1); }

int cmcBuff::TakeFirst() {
    if (m_length == 0) {
        return -1;
    }
    int first = Data()[0];
    ++m_start;
    --m_length;
    Compact();
    return first;
}

void cmcBuff::Drop(size_t n) {
    n = std::min(n, m_length);
    m_start += n;
    m_length -= n;
    Compact();
}

void cmcBuff::Compact() {
    if (m_length == 0) {
        m_start = 0;
        return;
    }
    if (m_start < kCompactThreshold) {
        return;
    }
    std::copy_n(m_storage.begin() + static_cast<std::ptrdiff_t>(m_start), m_length,
                m_storage.begin());
    m_storage.resize(m_storage.size() - m_start);
    m_start = 0;
}

uint8_t& cmcBuff::operator[](size_t index) {
    if (index >= m_length) {
        cmcFatal(cmcFatalCaption::ExeName, "Out of cmcBuff element !");
    }
    return Data()[index];
}

uint8_t cmcBuff::operator[](size_t index) const {
    if (index >= m_length) {
        cmcFatal(cmcFatalCaption::ExeName, "Out of cmcBuff element !");
    }
    return Data()[index];
}
