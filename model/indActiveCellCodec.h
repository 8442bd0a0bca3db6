#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct cmcCellCapsule;
class cmcCellNames;
class cmcGTex;

// The field codecs as the handler uses them: a value or a byte buffer in, the
// display text, the editor's start and the stepped or committed value out.
// Each returns 1 when the value changed; outResult is 2 when the caller must
// open the in-place editor and 1 when a choice list is to be opened.
namespace indActiveCellCodec {

// Numbers in min..max: commits are checked, rounded and clamped; Space and
// Backspace wrap around the range.
int NumberField(cmcCellCapsule& request, int32_t& value, int32_t min, int32_t max, int& outResult);

// Names of n bytes of code page 932, padded with 0 (or blanks): commits are
// cut at n bytes, control bytes become blanks and a lead byte may not end it.
int TextField(cmcCellCapsule& request, uint8_t* buffer, int32_t n, bool padZero, int& outResult);

// The entries of a choice list sheet for one Flex link, in position order
// (down the first column, then the next).
struct ChoiceEntry {
    int32_t value;
    std::string label;
};
std::vector<ChoiceEntry> ChoiceEntries(cmcGTex& table, const cmcCellNames& names,
                                       const std::string& sheet, int32_t flex);

// A value chosen from a list: the label shows it, Space and Backspace step
// through the list, Enter asks for the list (outResult 1).
int ChoiceField(cmcCellCapsule& request, const std::vector<ChoiceEntry>& entries, int32_t flex,
                int32_t& value, int& outResult);

}  // namespace indActiveCellCodec
