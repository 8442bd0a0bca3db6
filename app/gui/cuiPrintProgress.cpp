#include "app/gui/cuiPrintProgress.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <algorithm>
#include <cmath>

#include "app/gui/cmcQtText.h"
#include "text/cmcGTex.h"

namespace {

constexpr const char* kTexts = "GI_Sys_Printer_PrintingDialog";

}  // namespace

cuiPrintProgress::cuiPrintProgress(QWidget* owner, cmcGTex& table, std::function<void()> onCancel)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::MSWindowsFixedSizeDialogHint),
      m_onCancel(std::move(onCancel)) {
    setObjectName(QStringLiteral("printProgress"));
    setWindowTitle(cmcQtText::FromCp932(table.GetLine(kTexts, 0)));
    m_label = new QLabel(this);
    m_label->setTextFormat(Qt::PlainText);  // no accelerator or markup in the message
    m_label->setText(cmcQtText::FromCp932(table.GetLine(kTexts, 1)));
    m_button = new QPushButton(cmcQtText::FromCp932(table.GetLine(kTexts, 2)), this);
    m_button->setDefault(true);
    connect(m_button, &QPushButton::clicked, this, [this] { reject(); });
    Arrange();
    PlaceOver(owner);
}

void cuiPrintProgress::reject() {
    if (m_onCancel) {
        m_onCancel();
    }
}

void cuiPrintProgress::Arrange() {
    m_label->adjustSize();
    const int labelWidth = m_label->width();
    const int labelHeight = m_label->height();
    const int buttonHeight = m_button->sizeHint().height();
    const int buttonWidth = static_cast<int>(std::lround(1.2 * labelWidth));
    const int width = 2 * labelWidth;
    const int height = 3 * (labelHeight + buttonHeight);
    setFixedSize(width, height);
    m_label->move((width - labelWidth) / 2, 2 * labelHeight);
    m_button->setGeometry((width - buttonWidth) / 2,
                          height - static_cast<int>(std::lround(1.5 * buttonHeight)), buttonWidth,
                          buttonHeight);
}

void cuiPrintProgress::PlaceOver(QWidget* owner) {
    QRect placed(QPoint(0, 0), size());
    if (owner) {
        placed.moveCenter(owner->frameGeometry().center());
    }
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect work = screen->availableGeometry();
        placed.moveLeft(std::clamp(placed.left(), work.left(),
                                   std::max(work.left(), work.right() - placed.width())));
        placed.moveTop(std::clamp(placed.top(), work.top(),
                                  std::max(work.top(), work.bottom() - placed.height())));
    }
    move(placed.topLeft());
}
