#include "link/cmcCloneBlock.h"

namespace cmcCloneBlock {
namespace {

constexpr char kDigits[] = "0123456789ABCDEF";

int HexValue(uint8_t c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

}  // namespace

void AppendHexByte(std::vector<uint8_t>& out, uint8_t value) {
    out.push_back(static_cast<uint8_t>(kDigits[value >> 4]));
    out.push_back(static_cast<uint8_t>(kDigits[value & 0x0F]));
}

std::vector<uint8_t> Encode(int32_t address, const uint8_t* data, size_t count) {
    std::vector<uint8_t> raw{static_cast<uint8_t>(address >> 8), static_cast<uint8_t>(address),
                             static_cast<uint8_t>(count)};
    raw.insert(raw.end(), data, data + count);
    uint8_t sum = 0;
    for (uint8_t b : raw) {
        sum = static_cast<uint8_t>(sum + b);
    }
    raw.push_back(static_cast<uint8_t>(0x100 - sum));
    std::vector<uint8_t> text;
    text.reserve(raw.size() * 2);
    for (uint8_t b : raw) {
        AppendHexByte(text, b);
    }
    return text;
}

std::optional<Block> Decode(const uint8_t* text, size_t length) {
    if (length % 2 != 0) {
        return std::nullopt;
    }
    std::vector<uint8_t> raw;
    raw.reserve(length / 2);
    uint8_t sum = 0;
    for (size_t i = 0; i < length; i += 2) {
        const int high = HexValue(text[i]);
        const int low = HexValue(text[i + 1]);
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        raw.push_back(static_cast<uint8_t>(high * 16 + low));
        sum = static_cast<uint8_t>(sum + raw.back());
    }
    if (raw.size() < 4 || raw[2] != raw.size() - 4 || sum != 0) {
        return std::nullopt;
    }
    Block block;
    block.address = raw[0] * 256 + raw[1];
    block.data.assign(raw.begin() + 3, raw.end() - 1);
    return block;
}

}  // namespace cmcCloneBlock
