#pragma once
#include <cstdint>
#include <vector>

// The radio's whole settings memory as one flat byte image. Every part of the
// program reads and writes settings through an image; copies are by value.
class cmcEeprom {
public:
    cmcEeprom() = default;

    // Resizes to n bytes (none when n <= 0) and clears every byte to 0, also
    // when the size stays the same, so no stale bytes survive a resize.
    void SetSize(int32_t n);
    int32_t GetSize() const { return static_cast<int32_t>(m_bytes.size()); }

    // Takes the size and every byte of the source.
    void Assign(const cmcEeprom& source);

    // Equal when the sizes and all bytes are equal.
    bool Equals(const cmcEeprom& other) const;
    bool NotEquals(const cmcEeprom& other) const { return !Equals(other); }

    bool IsValidAddress(int32_t address) const;
    void Fill(uint8_t value);

    // Single-byte access; an address outside the image is a programming
    // error and ends the process.
    void SetByte(int32_t address, uint8_t value);
    uint8_t GetByte(int32_t address) const;

    // Block copies happen only when the whole block lies inside the image and
    // is at least one byte long; otherwise nothing is copied at all. Source
    // and destination may overlap.
    void SetBlock(int32_t address, const uint8_t* source, int32_t length);
    void GetBlock(int32_t address, uint8_t* destination, int32_t length) const;

    // Little-endian words as the radio keeps them; range-checked like
    // SetByte and GetByte.
    uint16_t GetWord(int32_t address) const;
    void SetWord(int32_t address, uint16_t value);
    uint32_t GetDword(int32_t address) const;
    void SetDword(int32_t address, uint32_t value);

    // The raw bytes, null for an empty image.
    uint8_t* Data() { return m_bytes.empty() ? nullptr : m_bytes.data(); }
    const uint8_t* Data() const { return m_bytes.empty() ? nullptr : m_bytes.data(); }

private:
    bool IsValidBlock(int32_t address, int32_t length) const;

    std::vector<uint8_t> m_bytes;
};
