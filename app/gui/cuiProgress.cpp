#include "app/gui/cuiProgress.h"

#include <algorithm>

#include <QEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>

#include "app/cmcProgressBar.h"
#include "app/gui/cmcQtText.h"
#include "text/cmcGTex.h"

cuiProgress::cuiProgress(QWidget& owner, cmcGTex& table)
    : QWidget(&owner, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowStaysOnTopHint),
      m_table(table) {
    setObjectName(QStringLiteral("progressWindow"));
    m_bar = new QFrame(this);
    m_bar->setObjectName(QStringLiteral("progressBar"));
    m_bar->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_bar->setLineWidth(1);
    m_bar->setFixedSize(kBarWidth + 2, kBarHeight + 2);
    m_bar->installEventFilter(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 8, 16, 8);
    layout->addWidget(m_bar);
    SetJob(Job::Cloning);
    adjustSize();
    QRect area = owner.geometry();
    QRect placed(QPoint(0, 0), size());
    placed.moveCenter(area.center());
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect work = screen->availableGeometry();
        placed.moveLeft(std::clamp(placed.left(), work.left(), std::max(work.left(), work.right() - placed.width())));
        placed.moveTop(std::clamp(placed.top(), work.top(), std::max(work.top(), work.bottom() - placed.height())));
    }
    move(placed.topLeft());
}

void cuiProgress::SetJob(Job job) {
    SetCaption(m_table.GetLine("GI_AppInd_Progress_Caption", static_cast<int>(job)));
}

void cuiProgress::SetCaption(const std::string& caption) {
    setWindowTitle(cmcQtText::FromCp932(caption));
}

void cuiProgress::SetProgress(int64_t done, int64_t total) {
    SetFilled(cmcProgressBar::Filled(done, total));
}

void cuiProgress::SetFilled(int32_t filled) {
    filled = std::clamp(filled, 0, cmcProgressBar::kSegments);
    if (filled != m_filled) {
        m_filled = filled;
        m_bar->update();
    }
}

bool cuiProgress::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_bar && event->type() == QEvent::Paint) {
        PaintBar();
    }
    return QWidget::eventFilter(watched, event);
}

void cuiProgress::PaintBar() {
    QPainter painter(m_bar);
    QRect area = m_bar->contentsRect();
    const QPalette& palette = m_bar->palette();
    painter.fillRect(area, palette.color(QPalette::Base));
    for (int32_t i = 0; i < cmcProgressBar::kSegments; ++i) {
        cmcProgressBar::Span span = cmcProgressBar::Segment(i, area.width());
        QColor color = i < m_filled ? palette.color(QPalette::Highlight) : palette.color(QPalette::Base);
        painter.fillRect(area.left() + span.left, area.top(), span.width, area.height(), color);
    }
}
