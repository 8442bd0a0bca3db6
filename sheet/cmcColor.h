#pragma once
#include <cstdint>
#include <string_view>

// Colour values: red in the low byte, then green, then blue; a top byte of
// 0xFF marks a system colour, with the system colour index in the low byte.
namespace cmcColor {

inline constexpr uint32_t kWindow = 0xFF000005;      // "clWindow", a cell's background
inline constexpr uint32_t kWindowText = 0xFF000008;  // "clWindowText", a font's colour

}  // namespace cmcColor

// Reads a colour description: a colour name ("clRed"), or "0x" followed by
// hexadecimal digits that fit in 32 bits. The text is taken exactly as given.
// Returns false and leaves `color` alone when the text is neither.
bool ParseColor(std::string_view text, uint32_t& color);
