#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "sheet/cmcCellObj.h"

// One entry of a menu model: what the GUI renders (caption in code page 932,
// shortcut text, image, separator, state) and the cell that names its command.
struct cuiMenuItem {
    using ClickHandler = std::function<void(cuiMenuItem&)>;

    // User flags of an item's or a button's cell through which the link
    // handler answers; cleared before every query.
    static constexpr uint16_t kFlagChecked = 1 << 0;
    static constexpr uint16_t kFlagHidden = 1 << 1;
    static constexpr uint16_t kFlagDisabled = 1 << 2;
    static constexpr uint16_t kFlagCaptionReplaced = 1 << 3;  // display text is the new caption
    static constexpr uint16_t kStateFlags =
        kFlagChecked | kFlagHidden | kFlagDisabled | kFlagCaptionReplaced;

    std::string caption;   // display text, '&' marking the accelerator
    std::string shortcut;  // the link argument, e.g. "Ctrl+N"; empty when none
    int32_t imageIndex = -1;
    bool separator = false;
    bool checked = false;
    bool visible = true;
    bool enabled = true;
    std::unique_ptr<cmcCellObj> cell;  // none for the root
    // The BasicCell of a body attached under this item; its items inherit it.
    std::unique_ptr<cmcCellObj> attachedBasicCell;
    ClickHandler click;
    cuiMenuItem* parentItem = nullptr;
    std::vector<std::unique_ptr<cuiMenuItem>> children;
};
