#include "sheet/cmcFont.h"

#include <algorithm>
#include <vector>

#include "util/Cp932.h"
#include "util/cmcStr.h"

namespace {

template <class Value>
struct Named {
    std::string_view name;
    Value value;
};

constexpr Named<uint8_t> kCharsets[] = {
    {"ANSI_CHARSET", 0},      {"DEFAULT_CHARSET", 1},    {"SYMBOL_CHARSET", 2},
    {"MAC_CHARSET", 77},      {"SHIFTJIS_CHARSET", 128}, {"HANGEUL_CHARSET", 129},
    {"JOHAB_CHARSET", 130},   {"GB2312_CHARSET", 134},   {"CHINESEBIG5_CHARSET", 136},
    {"GREEK_CHARSET", 161},   {"TURKISH_CHARSET", 162},  {"VIETNAMESE_CHARSET", 163},
    {"HEBREW_CHARSET", 177},  {"ARABIC_CHARSET", 178},   {"BALTIC_CHARSET", 186},
    {"RUSSIAN_CHARSET", 204}, {"THAI_CHARSET", 222},     {"EASTEUROPE_CHARSET", 238},
    {"OEM_CHARSET", 255},
};

constexpr Named<uint8_t> kStyles[] = {
    {"fsBold", cmcFontStyle::kBold},
    {"fsItalic", cmcFontStyle::kItalic},
    {"fsUnderline", cmcFontStyle::kUnderline},
    {"fsStrikeOut", cmcFontStyle::kStrikeOut},
};

constexpr Named<cmcFontPitch> kPitches[] = {
    {"fpDefault", cmcFontPitch::Default},
    {"fpFixed", cmcFontPitch::Fixed},
    {"fpVariable", cmcFontPitch::Variable},
};

// Sets `value` from the table entry named `name`; false when there is none.
template <class Value, size_t N>
bool Lookup(const Named<Value> (&table)[N], std::string_view name, Value& value) {
    for (const Named<Value>& entry : table) {
        if (entry.name == name) {
            value = entry.value;
            return true;
        }
    }
    return false;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// Cuts a face name to kMaxName bytes without leaving half a double-byte
// character at the end.
std::string CutName(std::string_view name) {
    size_t end = 0;
    while (end < name.size()) {
        size_t next = end + Cp932::CharLength(name, end);
        if (next > cmcFont::kMaxName) {
            break;
        }
        end = next;
    }
    return std::string(name.substr(0, end));
}

// No font is taller than this many pixels or points, either sign: a bigger
// number in a description is cut to it, so that adding up the lines of a
// cell can never overflow.
constexpr int64_t kMaxMeasure = 32767;

// Height and size: a number, or '%' and a percentage of the current value.
// A percentage never yields 0 (it gives 1 instead); a plain 0 or a field that
// is not a number leaves the value alone.
void ApplyMeasure(std::string_view field, int32_t& value) {
    field = TrimBlanks(field);
    if (field.empty()) {
        return;
    }
    int64_t result = 0;
    if (field.front() == '%') {
        result = int64_t{value} * cmcStr::AtoI(field.substr(1)) / 100;
        if (result == 0) {
            result = 1;
        }
    } else {
        result = cmcStr::AtoI(field);
    }
    if (result != 0) {
        value = static_cast<int32_t>(std::clamp<int64_t>(result, -kMaxMeasure, kMaxMeasure));
    }
}

// Style names joined by '+'. The first name recognised replaces the whole set,
// so "fsBold" alone means bold only, whatever the font had.
void ApplyStyles(std::string_view field, uint8_t& style) {
    bool replaced = false;
    for (std::string_view name : Cp932::Split(field, '+')) {
        uint8_t bit = 0;
        if (!Lookup(kStyles, name, bit)) {
            continue;
        }
        if (!replaced) {
            style = 0;
            replaced = true;
        }
        style |= bit;
    }
}

}  // namespace

void ParseFont(std::string_view text, cmcFont& font) {
    std::vector<std::string_view> fields = Cp932::Split(text, ',');
    fields.resize(7);
    Lookup(kCharsets, TrimBlanks(fields[0]), font.charset);
    if (!fields[1].empty()) {
        font.name = CutName(fields[1]);
    }
    ParseColor(fields[2], font.color);
    ApplyMeasure(fields[3], font.height);
    ApplyMeasure(fields[4], font.size);
    ApplyStyles(fields[5], font.style);
    Lookup(kPitches, fields[6], font.pitch);
}
