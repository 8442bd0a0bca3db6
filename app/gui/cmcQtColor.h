#pragma once
#include <QColor>
#include <QPalette>
#include <cstdint>

namespace cmcQtColor {

// A described colour; system colours take the palette's matching role.
QColor ToQColor(uint32_t color, const QPalette& palette);

}  // namespace cmcQtColor
