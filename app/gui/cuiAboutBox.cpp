#include "app/gui/cuiAboutBox.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "app/cmcDocument.h"
#include "app/cmcRevision.h"
#include "app/gui/cmcQtFont.h"
#include "app/gui/cmcQtText.h"
#include "text/cmcGTex.h"

using cmcQtText::FromCp932;

namespace {

// The revision text keeps its first three characters, as the label has room
// for "1.0" and the like.
std::string Revision() {
    return ProgramRevisionText();
}

}  // namespace

cuiAboutBox::cuiAboutBox(QWidget& owner, cmcGTex& table, cmcDocument& document, KeyHandler onKey)
    : QDialog(&owner), m_owner(owner), m_onKey(std::move(onKey)) {
    setObjectName(QStringLiteral("aboutBox"));
    setWindowTitle(FromCp932(table.GetLine("GI_App_About_Caption", 0)));
    QFont font = this->font();
    font.setFamilies(cmcQtFont::Substitutes(QStringLiteral(u"ＭＳ Ｐゴシック")));
    setFont(font);
    auto* icon = new QLabel(this);
    icon->setPixmap(QApplication::windowIcon().pixmap(32, 32));
    auto* label = new QLabel(FromCp932(document.AboutLabel(Revision())), this);
    label->setObjectName(QStringLiteral("aboutLabel"));
    auto* ok = new QPushButton(FromCp932(table.GetLine("GI_App_About_Button", 0)), this);
    ok->setObjectName(QStringLiteral("aboutOk"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* row = new QHBoxLayout;
    row->addWidget(icon, 0, Qt::AlignTop);
    row->addWidget(label, 1);
    auto* column = new QVBoxLayout(this);
    column->addLayout(row);
    column->addWidget(ok, 0, Qt::AlignHCenter);
    for (QWidget* child :
         {static_cast<QWidget*>(this), static_cast<QWidget*>(ok), static_cast<QWidget*>(label)}) {
        child->installEventFilter(this);
    }
    m_owner.setEnabled(false);
    setEnabled(true);
}

cuiAboutBox::~cuiAboutBox() {
    m_owner.setEnabled(true);
    m_owner.setFocus();
}

bool cuiAboutBox::eventFilter(QObject* watched, QEvent* event) {
    // A key the focused widget passes on reaches the box's filter again on
    // its way up: it counts once, where it was first delivered.
    if (event->type() == QEvent::KeyPress && m_onKey && watched == FirstReceiver()) {
        QString text = static_cast<QKeyEvent*>(event)->text();
        if (text.size() == 1 && text[0].unicode() < 0x80) {
            m_onKey(static_cast<char>(text[0].unicode()));
        }
    }
    return QDialog::eventFilter(watched, event);
}

QObject* cuiAboutBox::FirstReceiver() {
    QWidget* focus = QApplication::focusWidget();
    return focus != nullptr && isAncestorOf(focus) ? focus : this;
}
