#include "model/cmcEeprom.h"

#include <algorithm>
#include <cstring>

#include "util/cmcFatal.h"

void cmcEeprom::SetSize(int32_t n) {
    size_t wanted = n > 0 ? static_cast<size_t>(n) : 0;
    if (wanted != m_bytes.size()) {
        // Release the old storage rather than keep a larger block around.
        std::vector<uint8_t>().swap(m_bytes);
        m_bytes.resize(wanted);
    }
    Fill(0);
}

void cmcEeprom::Assign(const cmcEeprom& source) {
    if (&source == this) {
        return;
    }
    SetSize(source.GetSize());
    std::copy(source.m_bytes.begin(), source.m_bytes.end(), m_bytes.begin());
}

bool cmcEeprom::Equals(const cmcEeprom& other) const {
    return m_bytes == other.m_bytes;
}

bool cmcEeprom::IsValidAddress(int32_t address) const {
    return address >= 0 && address < GetSize();
}

void cmcEeprom::Fill(uint8_t value) {
    std::fill(m_bytes.begin(), m_bytes.end(), value);
}

void cmcEeprom::SetByte(int32_t address, uint8_t value) {
    if (!IsValidAddress(address)) {
        cmcFatal(cmcFatalCaption::ExeName, "Out of EEPROM image address (SetByte).");
    }
    m_bytes[static_cast<size_t>(address)] = value;
}

uint8_t cmcEeprom::GetByte(int32_t address) const {
    if (!IsValidAddress(address)) {
        cmcFatal(cmcFatalCaption::ExeName, "Out of EEPROM image address (GetByte).");
    }
    return m_bytes[static_cast<size_t>(address)];
}

bool cmcEeprom::IsValidBlock(int32_t address, int32_t length) const {
    // 64-bit sum: address + length must not wrap around for huge lengths.
    return IsValidAddress(address) && length >= 1 &&
           static_cast<int64_t>(address) + length <= GetSize();
}

void cmcEeprom::SetBlock(int32_t address, const uint8_t* source, int32_t length) {
    if (source == nullptr || !IsValidBlock(address, length)) {
        return;
    }
    std::memmove(m_bytes.data() + address, source, static_cast<size_t>(length));
}

void cmcEeprom::GetBlock(int32_t address, uint8_t* destination, int32_t length) const {
    if (destination == nullptr || !IsValidBlock(address, length)) {
        return;
    }
    std::memmove(destination, m_bytes.data() + address, static_cast<size_t>(length));
}

uint16_t cmcEeprom::GetWord(int32_t address) const {
    return static_cast<uint16_t>(GetByte(address) | (GetByte(address + 1) << 8));
}

void cmcEeprom::SetWord(int32_t address, uint16_t value) {
    SetByte(address, static_cast<uint8_t>(value));
    SetByte(address + 1, static_cast<uint8_t>(value >> 8));
}

uint32_t cmcEeprom::GetDword(int32_t address) const {
    return static_cast<uint32_t>(GetWord(address)) |
           (static_cast<uint32_t>(GetWord(address + 2)) << 16);
}

void cmcEeprom::SetDword(int32_t address, uint32_t value) {
    SetWord(address, static_cast<uint16_t>(value));
    SetWord(address + 2, static_cast<uint16_t>(value >> 16));
}
