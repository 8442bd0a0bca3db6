#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "sheet/cmcCellObj.h"

// One entry of a toolbar model, in body order.
struct cuiToolButton {
    enum class Kind { Button, Separator, LineBreak };

    static constexpr int32_t kSeparatorWidth = 8;
    static constexpr int32_t kLineBreakWidth = 1;

    Kind kind = Kind::Button;
    std::string hint;  // display text, code page 932
    int32_t imageIndex = -1;
    bool checkStyle = false;  // a check button, shown down
    bool down = false;
    bool enabled = true;
    std::unique_ptr<cmcCellObj> cell;  // buttons only
};
