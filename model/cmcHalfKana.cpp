#include "model/cmcHalfKana.h"

namespace {

// Full width of 161..223, in code order.
constexpr uint16_t kFull[] = {
    0x8142, 0x8175, 0x8176, 0x8141, 0x8145, 0x8392, 0x8340, 0x8342, 0x8344, 0x8346, 0x8348, 0x8383,
    0x8385, 0x8387, 0x8362, 0x815B, 0x8341, 0x8343, 0x8345, 0x8347, 0x8349, 0x834A, 0x834C, 0x834E,
    0x8350, 0x8352, 0x8354, 0x8356, 0x8358, 0x835A, 0x835C, 0x835E, 0x8360, 0x8363, 0x8365, 0x8367,
    0x8369, 0x836A, 0x836B, 0x836C, 0x836D, 0x836E, 0x8371, 0x8374, 0x8377, 0x837A, 0x837D, 0x837E,
    0x8380, 0x8381, 0x8382, 0x8384, 0x8386, 0x8388, 0x8389, 0x838A, 0x838B, 0x838C, 0x838D, 0x838F,
    0x8393, 0x814A, 0x814B,
};
static_assert(sizeof(kFull) / sizeof(kFull[0]) == cmcHalfKana::kLast - cmcHalfKana::kFirst + 1);

constexpr uint8_t kHalfU = 0xB3;
constexpr uint16_t kFullVu = 0x8394;
// ka..to and ha..ho take the voicing mark; the voiced form follows its base.
constexpr uint8_t kKa = 0xB6, kTo = 0xC4, kHa = 0xCA, kHo = 0xCE;

}  // namespace

uint16_t cmcHalfKana::FullWidth(uint8_t kana) {
    return IsHalfKana(kana) ? kFull[kana - kFirst] : 0;
}

uint16_t cmcHalfKana::FullWidthPair(uint8_t kana, uint8_t mark) {
    const bool haRow = kana >= kHa && kana <= kHo;
    if (mark == kVoiced) {
        if (kana == kHalfU) {
            return kFullVu;
        }
        if ((kana >= kKa && kana <= kTo) || haRow) {
            return static_cast<uint16_t>(FullWidth(kana) + 1);
        }
    }
    if (mark == kSemiVoiced && haRow) {
        return static_cast<uint16_t>(FullWidth(kana) + 2);
    }
    return 0;
}
