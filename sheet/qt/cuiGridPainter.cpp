#include "sheet/qt/cuiGridPainter.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygonF>
#include <vector>

#include "app/gui/cmcQtColor.h"
#include "app/gui/cmcQtFont.h"
#include "app/gui/cmcQtText.h"
#include "sheet/cmcColor.h"
#include "sheet/qt/cmcQtCanvas.h"

namespace {

QRect ToQRect(const cmcRect& rect) {
    return cmcQtCanvas::ToQRect(rect);
}

// A figure given on a 12 x 12 design grid, scaled to the mark's size.
QPolygonF Figure(const std::vector<QPointF>& points, double x, double y, double size) {
    QPolygonF polygon;
    for (const QPointF& point : points) {
        polygon << QPointF(x + point.x() * size / 12.0, y + point.y() * size / 12.0);
    }
    return polygon;
}

void DrawError(QPainter& painter, double x, double y, double size) {
    // A cross outlined by its twelve corners.
    static const std::vector<QPointF> kCross = {{0, 2}, {2, 0}, {6, 4}, {10, 0}, {12, 2}, {8, 6},
                                                {12, 10}, {10, 12}, {6, 8}, {2, 12}, {0, 10}, {4, 6}};
    painter.setPen(QColor(128, 0, 0));
    painter.setBrush(QColor(255, 0, 0));
    painter.drawPolygon(Figure(kCross, x, y, size));
}

void DrawWarning(QPainter& painter, double x, double y, double size) {
    // A triangle with an exclamation bar and dot inside.
    static const std::vector<QPointF> kTriangle = {{6, 0}, {12, 12}, {0, 12}};
    static const std::vector<QPointF> kBar = {{5, 4}, {7, 4}, {6.5, 8}, {5.5, 8}};
    static const std::vector<QPointF> kDot = {{5.5, 9}, {6.5, 9}, {6.5, 10.5}, {5.5, 10.5}};
    painter.setPen(QColor(128, 96, 0));
    painter.setBrush(QColor(255, 208, 0));
    painter.drawPolygon(Figure(kTriangle, x, y, size));
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawPolygon(Figure(kBar, x, y, size));
    painter.drawPolygon(Figure(kDot, x, y, size));
}

}  // namespace

namespace cuiGridPainter {

void Draw(QPainter& painter, const cuiSheetPaint& paint, const QPalette& palette) {
    if (!paint.draw) {
        return;
    }
    painter.save();
    const QRect rect = ToQRect(paint.rect);
    if (paint.fill) {
        painter.fillRect(rect, cmcQtColor::ToQColor(paint.background, palette));
    }
    if (paint.bottomLine) {
        painter.setPen(cmcQtColor::ToQColor(cmcColor::kWindowText, palette));
        painter.drawLine(rect.left(), rect.bottom(), rect.right(), rect.bottom());
    }
    const QFont font = cmcQtFont::ToQFont(paint.font);
    painter.setFont(font);
    painter.setPen(cmcQtColor::ToQColor(paint.font.color, palette));
    const int ascent = QFontMetrics(font).ascent();
    for (const cuiSheetPaint::Line& line : paint.lines) {
        painter.drawText(QPoint(line.x, line.y + ascent), cmcQtText::FromCp932(line.text));
    }
    painter.setRenderHint(QPainter::Antialiasing);
    if (paint.mark == cuiSheetPaint::Mark::Error) {
        DrawError(painter, paint.markX, paint.markY, paint.markSize);
    } else if (paint.mark == cuiSheetPaint::Mark::Warning) {
        DrawWarning(painter, paint.markX, paint.markY, paint.markSize);
    }
    painter.restore();
}

}  // namespace cuiGridPainter
