#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

// The ASCII data block both sides use: address (2 bytes), count, data and a
// checksum that brings the byte sum to 0, sent as uppercase hex digits.
namespace cmcCloneBlock {

struct Block {
    int32_t address = 0;
    std::vector<uint8_t> data;
};

std::vector<uint8_t> Encode(int32_t address, const uint8_t* data, size_t count);
// None when the text is not uppercase hex of even length, too short, or when
// the count or checksum do not fit.
std::optional<Block> Decode(const uint8_t* text, size_t length);
// Two uppercase hex digits.
void AppendHexByte(std::vector<uint8_t>& out, uint8_t value);

}  // namespace cmcCloneBlock
