#include "sheet/qt/cmcQtCanvas.h"

#include <QPainter>

#include "app/gui/cmcQtColor.h"

void cmcQtCanvas::FillRect(const cmcRect& rect, uint32_t color) {
    m_painter.fillRect(ToQRect(rect), cmcQtColor::ToQColor(color, m_palette));
}
