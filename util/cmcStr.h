#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace cmcStr {

// Decimal conversion as the table's numeric settings and the file headers use
// it: leading blanks, an optional sign, digits up to the first non-digit; no
// digits give 0.
int32_t AtoI(std::string_view text);

// The value of one hexadecimal digit (either case), or -1.
int HexDigit(char c);

// printf-style formatting into a std::string.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace cmcStr
