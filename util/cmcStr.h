#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace cmcStr {

// Decimal conversion as the table's numeric settings and the file headers use
// it: leading blanks, an optional sign, digits up to the first non-digit; no
// digits give 0.
int32_t AtoI(std::string_view text);

// A whole text read as a decimal number: leading blanks, an optional sign,
// then digits to the very end. None when the text is anything else; a number
// beyond the 32-bit range gives the nearest limit rather than wrapping.
std::optional<int32_t> Decimal(std::string_view text);

// The value of one hexadecimal digit (either case), or -1.
int HexDigit(char c);

// printf-style formatting into a std::string.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace cmcStr
