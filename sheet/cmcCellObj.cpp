#include "sheet/cmcCellObj.h"

#include "sheet/cmcCellContext.h"
#include "sheet/cmcCellParser.h"
#include "util/Cp932.h"

namespace {

// Sorts the bytes of a cell into block text (inside braces) and display text
// (outside). Several blocks join up, as do the display pieces around them.
// Braces cannot be escaped.
void SplitBraces(std::string_view cell, std::string& block, std::string& display) {
    bool inBlock = false;
    size_t i = 0;
    while (i < cell.size()) {
        const size_t length = Cp932::CharLength(cell, i);
        if (length == 1 && (cell[i] == '{' || cell[i] == '}')) {
            inBlock = cell[i] == '{';
        } else {
            (inBlock ? block : display).append(cell.substr(i, length));
        }
        i += length;
    }
}

}  // namespace

std::string cmcCellObj::EffectivePopupMenu() const {
    if (popupMenu && !popupMenu->empty()) {
        return *popupMenu;
    }
    return parent != nullptr ? parent->EffectivePopupMenu() : std::string();
}

const cmcFont* cmcCellObj::EffectiveFont() const {
    if (font) {
        return &*font;
    }
    return parent != nullptr && parent->font ? &*parent->font : nullptr;
}

std::string_view cmcCellObj::DisplayText() const {
    return text ? std::string_view(*text) : std::string_view();
}

void cmcCellObj::ResetFrom(const cmcCellObj* from) {
    if (from != nullptr) {
        *this = *from;
        // Looked up from the parent when used, so a change to the parent's
        // font or menu reaches every cell built on it.
        font.reset();
        popupMenu.reset();
    } else {
        // Category and index survive a reset: without a parent, a link item
        // that names neither takes them from what was parsed here before.
        cmcCellObj fresh;
        fresh.category = category;
        fresh.index = index;
        *this = std::move(fresh);
    }
    parent = from;
    variables = nullptr;
    text.reset();
}

std::string_view ParseCell(const cmcCellContext& context, std::string_view text, cmcCellObj& object,
                           cmcCellVars* variables, const cmcCellObj* parent, bool splitOnly) {
    const size_t bar = Cp932::FindUnescaped(text, '|');
    const std::string_view cell = text.substr(0, bar);
    const std::string_view rest =
        text.substr(bar == std::string_view::npos ? text.size() : bar + 1);
    if (splitOnly) {
        return rest;
    }
    object.ResetFrom(parent);
    std::string block;
    std::string display;
    SplitBraces(cell, block, display);
    object.variables = variables;
    cmcCellParser parser(context, object);
    parser.ParseBlock(block);
    parser.ParseDisplay(display);
    object.variables = nullptr;
    return rest;
}
