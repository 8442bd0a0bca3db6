#pragma once
#include <cstdint>

// Half-width katakana of code page 932 (161..223) and their full-width
// double-byte forms, our own table. The results are the two bytes as one
// number, lead byte high.
namespace cmcHalfKana {
inline constexpr uint8_t kFirst = 161;
inline constexpr uint8_t kLast = 223;
inline constexpr uint8_t kVoiced = 222;      // the voicing mark
inline constexpr uint8_t kSemiVoiced = 223;  // the semi-voicing mark

inline bool IsHalfKana(uint8_t b) {
    return b >= kFirst && b <= kLast;
}
inline bool IsMark(uint8_t b) {
    return b == kVoiced || b == kSemiVoiced;
}
// The full-width form of one half-width character; 0 for any other byte.
uint16_t FullWidth(uint8_t kana);
// The one full-width character a katakana and a following mark make
// together (ka and the voicing mark give ga); 0 when there is none.
uint16_t FullWidthPair(uint8_t kana, uint8_t mark);
}  // namespace cmcHalfKana
