#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// Growable byte buffer for frames, receive and send queues, address maps and
// page lists. Reading from the front is cheap: consumed bytes stay in storage
// until enough of them pile up to be worth moving.
class cmcBuff {
public:
    explicit cmcBuff(uint8_t fill = 0) : m_fill(fill) {}

    size_t Length() const { return m_length; }
    size_t Capacity() const { return m_storage.size() - m_start; }
    bool Empty() const { return m_length == 0; }

    // Live data; valid until the next change of the buffer.
    uint8_t* Data() { return m_storage.data() + m_start; }
    const uint8_t* Data() const { return m_storage.data() + m_start; }

    // Grows with the fill byte, or shrinks, to exactly n live bytes.
    void SetLength(size_t n);
    void Clear();

    void Append(const uint8_t* bytes, size_t n);
    void Append(uint8_t byte);

    // Removes and returns the first byte, or -1 when empty.
    int TakeFirst();
    // Drops the first n bytes (all when n exceeds the length).
    void Drop(size_t n);

    // Byte access; an index at or beyond the length is fatal.
    uint8_t& operator[](size_t index);
    uint8_t operator[](size_t index) const;

private:
    void Reserve(size_t newLength);
    void Compact();

    std::vector<uint8_t> m_storage;
    size_t m_start = 0;
    size_t m_length = 0;
    uint8_t m_fill;
};
