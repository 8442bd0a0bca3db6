#pragma once
#include <QPalette>
#include <QRect>

#include "model/indActiveCellCanvas.h"
#include "sheet/cmcRect.h"

class QPainter;

// The surface a cell's link may draw on while the grid or the printer
// paints it: a painter with the palette that resolves system colours.
class cmcQtCanvas : public indActiveCellCanvas {
public:
    cmcQtCanvas(QPainter& painter, const QPalette& palette)
        : m_painter(painter), m_palette(palette) {}

    void FillRect(const cmcRect& rect, uint32_t color) override;

    // Sheet rectangles hold their last column and row.
    static QRect ToQRect(const cmcRect& rect) {
        return QRect(QPoint(rect.left, rect.top), QPoint(rect.right, rect.bottom));
    }

private:
    QPainter& m_painter;
    QPalette m_palette;
};
