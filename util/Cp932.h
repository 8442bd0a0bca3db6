#pragma once
#include <optional>
#include <string>

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

}  // namespace Cp932
