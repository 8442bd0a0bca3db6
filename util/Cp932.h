#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The one place where code page 932 bytes meet Unicode: display, keyboard
// input and the command-line tool's output. Everything inside the program
// stays code page 932.
namespace Cp932 {

// Converts code page 932 bytes to UTF-8; a byte sequence that does not
// decode is replaced by U+FFFD, so output never fails.
std::string ToUtf8(const std::string& cp932);

// Converts UTF-8 to code page 932; none when a character has no code.
std::optional<std::string> FromUtf8(const std::string& utf8);

// True when byte c starts a double-byte character.
inline bool IsLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Length of the character that starts at byte i: 2 for a lead byte with a byte
// after it, else 1. Scanners step by this so that a trail byte equal to a
// delimiter ('|', '\\', '{', ...) is never taken for one.
inline size_t CharLength(std::string_view text, size_t i) {
    return IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
}

// Position of the first single-byte `wanted` at or after `from`, stepping over
// double-byte characters; npos when there is none.
size_t Find(std::string_view text, char wanted, size_t from = 0);

// Position of the first single-byte `wanted` at or after `from` that is not
// escaped by a single-byte '\\' (the escape covers the whole next character).
size_t FindUnescaped(std::string_view text, char wanted, size_t from = 0);

// Splits at every single-byte `separator`; n separators give n + 1 pieces.
std::vector<std::string_view> Split(std::string_view text, char separator);

}  // namespace Cp932
