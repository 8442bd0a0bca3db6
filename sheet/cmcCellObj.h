#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "sheet/cmcColor.h"
#include "sheet/cmcFont.h"

struct cmcCellContext;

// The builders' loop variables, written "@ch0" to "@ch9" in descriptions.
using cmcCellVars = std::array<int32_t, 10>;

// One parsed element of a description: a sheet cell, a choice-list entry, a
// menu item, a toolbar button or a tree node. Plain data, copied by value;
// copies own their strings and font.
struct cmcCellObj {
    static constexpr int32_t kNoCategory = 12;
    static constexpr int32_t kNoLink = 359;

    const cmcCellObj* parent = nullptr;  // inherited from; not owned
    cmcCellVars* variables = nullptr;    // set only while parsing
    int32_t category = kNoCategory;
    int32_t link = kNoLink;
    int32_t index = 0;
    std::optional<std::string> argument;  // link argument, after ':'
    int32_t imageIndex = -1;
    uint8_t hAlign = 0;  // 0 left, 1 centre, 2 right
    uint8_t vAlign = 0;  // 0 top, 1 middle, 2 bottom
    bool fitWidth = false;
    bool fitHeight = false;
    bool joinLeft = false;
    bool bottomLine = false;
    bool selectable = false;
    bool multiLine = false;
    bool tip = false;
    uint16_t userFlags = 0;  // Flag0 to Flag8, bit n for Flag n
    uint32_t color = cmcColor::kWindow;
    std::optional<cmcFont> font;           // own font; none: the parent's is used
    std::optional<std::string> popupMenu;  // own pop-up menu key stem
    std::optional<std::string> text;       // display text, escapes processed

    // The own pop-up menu name when set and not empty, else the parent's
    // effective one; empty when there is none.
    std::string EffectivePopupMenu() const;
    // The own font, else the parent's own font; null when neither has one.
    const cmcFont* EffectiveFont() const;
    // The display text; empty when there is none.
    std::string_view DisplayText() const;

    // Clears the object for a new parse (category and index survive) and then
    // takes everything but the own font, pop-up name and text from `from`.
    void ResetFrom(const cmcCellObj* from);
};

// Parses the first cell of a row: the text before the first unescaped
// single-byte '|'. Returns the rest of the row after that '|' (a view into
// `text`; empty when there is none). Unless `splitOnly` is set, `object` is
// reset from `parent`, the cell is parsed into it, and `variables` serves the
// "@chN" references meanwhile. With `splitOnly` only the rest is returned.
std::string_view ParseCell(const cmcCellContext& context, std::string_view text, cmcCellObj& object,
                           cmcCellVars* variables, const cmcCellObj* parent,
                           bool splitOnly = false);

// A full copy: strings and the own font are the copy's own.
inline void CopyCell(cmcCellObj& to, const cmcCellObj& from) {
    to = from;
}
