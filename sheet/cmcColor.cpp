#include "sheet/cmcColor.h"

#include <string>

#include "text/cmcHash.h"
#include "util/cmcStr.h"

namespace {

struct NamedColor {
    const char* name;
    uint32_t value;
};

constexpr NamedColor kColorNames[] = {
    {"clAqua", 0x00FFFF00},
    {"clBlack", 0x00000000},
    {"clBlue", 0x00FF0000},
    {"clDkGray", 0x00808080},
    {"clFuchsia", 0x00FF00FF},
    {"clGray", 0x00808080},
    {"clGreen", 0x00008000},
    {"clLime", 0x0000FF00},
    {"clLtGray", 0x00C0C0C0},
    {"clMaroon", 0x00000080},
    {"clNavy", 0x00800000},
    {"clOlive", 0x00008080},
    {"clPurple", 0x00800080},
    {"clRed", 0x000000FF},
    {"clSilver", 0x00C0C0C0},
    {"clTeal", 0x00808000},
    {"clWhite", 0x00FFFFFF},
    {"clYellow", 0x0000FFFF},
    {"clBackground", 0xFF000001},
    {"clActiveCaption", 0xFF000002},
    {"clInactiveCaption", 0xFF000003},
    {"clMenu", 0xFF000004},
    {"clWindow", cmcColor::kWindow},
    {"clWindowFrame", 0xFF000006},
    {"clMenuText", 0xFF000007},
    {"clWindowText", cmcColor::kWindowText},
    {"clCaptionText", 0xFF000009},
    {"clActiveBorder", 0xFF00000A},
    {"clInactiveBorder", 0xFF00000B},
    {"clAppWorkSpace", 0xFF00000C},
    {"clHighlight", 0xFF00000D},
    {"clHightlightText", 0xFF00000E},  // the name as the descriptions spell it
    {"clBtnFace", 0xFF00000F},
    {"clBtnShadow", 0xFF000010},
    {"clGrayText", 0xFF000011},
    {"clBtnText", 0xFF000012},
    {"clInactiveCaptionText", 0xFF000013},
    {"clBtnHighlight", 0xFF000014},
};
static_assert(std::size(kColorNames) == 38);

// Built on first use and never changed afterwards, so one table serves every
// parse.
const cmcHash& ColorNames() {
    static const cmcHash names = [] {
        cmcHash h;
        h.Create(101);
        for (const NamedColor& c : kColorNames) {
            h.Add(c.name, static_cast<int32_t>(c.value));
        }
        return h;
    }();
    return names;
}


// The digits after "0x". Anything but one or more hexadecimal digits that fit
// in 32 bits is refused rather than half converted: a bad description must
// not paint a cell in some accidental colour.
bool ParseHex(std::string_view digits, uint32_t& value) {
    if (digits.empty()) {
        return false;
    }
    uint64_t v = 0;
    for (char c : digits) {
        int d = cmcStr::HexDigit(c);
        if (d < 0) {
            return false;
        }
        v = v * 16 + static_cast<uint64_t>(d);
        if (v > 0xFFFFFFFFu) {
            return false;
        }
    }
    value = static_cast<uint32_t>(v);
    return true;
}

}  // namespace

bool ParseColor(std::string_view text, uint32_t& color) {
    if (const cmcHash::Node* node = ColorNames().Find(std::string(text))) {
        color = static_cast<uint32_t>(node->value);
        return true;
    }
    if (text.starts_with("0x")) {
        return ParseHex(text.substr(2), color);
    }
    return false;
}
