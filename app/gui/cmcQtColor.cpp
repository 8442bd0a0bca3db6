#include "app/gui/cmcQtColor.h"

namespace cmcQtColor {

namespace {

QPalette::ColorRole SystemRole(uint32_t index) {
    switch (index) {
    case 5:  // window
        return QPalette::Base;
    case 8:  // window text
        return QPalette::Text;
    case 18:  // button text
        return QPalette::ButtonText;
    case 13:  // highlight
        return QPalette::Highlight;
    case 14:  // highlighted text
        return QPalette::HighlightedText;
    case 15:  // button face
        return QPalette::Button;
    case 16:  // button shadow
        return QPalette::Mid;
    case 20:  // button highlight
        return QPalette::Light;
    case 23:  // tool tip text
        return QPalette::ToolTipText;
    case 24:  // tool tip background
        return QPalette::ToolTipBase;
    default:
        return QPalette::Window;
    }
}

}  // namespace

QColor ToQColor(uint32_t color, const QPalette& palette) {
    if ((color >> 24) == 0xFF) {
        return palette.color(SystemRole(color & 0xFF));
    }
    return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                  static_cast<int>((color >> 16) & 0xFF));
}

}  // namespace cmcQtColor
