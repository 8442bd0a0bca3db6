#pragma once
#include <cstdint>
#include <string>

struct cmcCellCapsule;

// The field codecs: one value of the image to the text a cell shows, key
// presses to steps or to the in-cell editor, and a committed text or a chosen
// list item back to the value. Each returns 1 when the value changed, else 0;
// outResult is 0, 1 (a choice list was opened) or 2 (open the in-cell editor
// now with capsule.outText). The texts and lists come from the installed
// cmcFCache.
class cmcFieldCodec {
public:
    static constexpr int32_t kResultNone = 0;
    static constexpr int32_t kResultListOpened = 1;
    static constexpr int32_t kResultOpenEditor = 2;

    // offLabel 0: none; k: line k - 1 of GI_AppInd_DigitOff stands for 0.
    static int32_t NumberField(cmcCellCapsule& request, int32_t& value, int32_t min, int32_t max,
                               int32_t offLabel, int32_t& outResult);
    // n bytes of buffer; padded with 0 when padZero is set, else with blanks.
    static int32_t TextField(cmcCellCapsule& request, uint8_t* buffer, int32_t n, bool padZero,
                             int32_t& outResult);
    // As TextField, converting half-width katakana to full width, and with
    // userChars the "%U0h" escapes for user-defined characters.
    static int32_t NameField(cmcCellCapsule& request, uint8_t* buffer, int32_t n, bool padZero,
                             bool userChars, int32_t& outResult);
    // sheet: the choice list key such as GI_Sheet_Sel_TxMyName; flex: the
    // link id of the Flex link its entries use.
    static int32_t ChoiceField(cmcCellCapsule& request, const std::string& sheet, int32_t flex,
                               int32_t& value, int32_t& outResult);
};
