#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "sheet/cmcColor.h"

// A font as the descriptions give it: plain data, turned into a real font only
// where text is drawn. Height and size are kept as written; which of them the
// drawing side honours is its business.
namespace cmcFontStyle {

inline constexpr uint8_t kBold = 1;
inline constexpr uint8_t kItalic = 2;
inline constexpr uint8_t kUnderline = 4;
inline constexpr uint8_t kStrikeOut = 8;

}  // namespace cmcFontStyle

enum class cmcFontPitch : uint8_t { Default, Fixed, Variable };

struct cmcFont {
    static constexpr size_t kMaxName = 31;  // bytes of a face name

    uint8_t charset = 1;  // DEFAULT_CHARSET
    std::string name;     // face name; empty for the platform's default face
    uint32_t color = cmcColor::kWindowText;
    int32_t height = -11;  // platform height unit; negative: character height in pixels
    int32_t size = 8;      // points
    uint8_t style = 0;     // cmcFontStyle bits
    cmcFontPitch pitch = cmcFontPitch::Default;

    bool operator==(const cmcFont&) const = default;
};

// Applies a font description of seven comma-separated fields (charset, face
// name, colour, height, size, styles, pitch) to `font`. An absent or empty
// field, an unknown name and a value that does not parse leave that property
// as it was.
void ParseFont(std::string_view text, cmcFont& font);
