#include "app/gui/cuiStatusPanel.h"

#include <QPainter>

cuiStatusPanel::cuiStatusPanel(QWidget* parent) : QWidget(parent) {
    setMinimumHeight(fontMetrics().height() + 4);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
}

void cuiStatusPanel::paintEvent(QPaintEvent*) {
    if (m_painter) {
        QPainter painter(this);
        m_painter(painter, rect());
    }
}
