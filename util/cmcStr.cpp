#include "util/cmcStr.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <vector>

namespace cmcStr {

namespace {

// Leading blanks and a sign, as both decimal readers allow them; returns
// where the digits begin.
size_t SkipBlanksAndSign(std::string_view text, bool& negative) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
        ++i;
    }
    negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    return i;
}

}  // namespace

int32_t AtoI(std::string_view text) {
    bool negative = false;
    size_t i = SkipBlanksAndSign(text, negative);
    // Accumulate in unsigned so an overlong number wraps instead of overflowing.
    uint32_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10u + static_cast<uint32_t>(text[i] - '0');
    }
    if (negative) {
        value = 0u - value;
    }
    return static_cast<int32_t>(value);
}

std::optional<int32_t> Decimal(std::string_view text) {
    bool negative = false;
    size_t i = SkipBlanksAndSign(text, negative);
    if (i == text.size()) {
        return std::nullopt;
    }
    // Counted in 64 bits and held at the limit once past it, so no length of
    // digits can overflow.
    constexpr int64_t kLimit = int64_t{INT32_MAX} + 1;
    int64_t value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return std::nullopt;
        }
        value = std::min(value * 10 + (text[i] - '0'), kLimit);
    }
    if (negative) {
        return static_cast<int32_t>(-value);
    }
    return static_cast<int32_t>(std::min<int64_t>(value, INT32_MAX));
}

std::string Format(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string out;
    if (n > 0) {
        std::vector<char> buf(static_cast<size_t>(n) + 1);
        std::vsnprintf(buf.data(), buf.size(), format, args);
        out.assign(buf.data(), static_cast<size_t>(n));
    }
    va_end(args);
    return out;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

}  // namespace cmcStr
