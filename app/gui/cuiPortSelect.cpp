#include "app/gui/cuiPortSelect.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QAbstractItemView>
#include <QVBoxLayout>

#include "runtime/cmcPrompt.h"
#include "app/gui/cmcQtFont.h"
#include "app/gui/cmcQtText.h"
#include "text/cmcGTex.h"

using cmcQtText::FromCp932;
using cmcPortChoice::Variant;

namespace {

constexpr int kTypedMaxLength = 4;

// The drop-down refills itself from the lister every time it opens.
class cuiPortCombo : public QComboBox {
public:
    cuiPortCombo(QWidget* parent, std::function<void()> beforeShow)
        : QComboBox(parent), m_beforeShow(std::move(beforeShow)) {}
    void showPopup() override {
        m_beforeShow();
        QComboBox::showPopup();
    }

private:
    std::function<void()> m_beforeShow;
};

}  // namespace

cuiPortSelect::cuiPortSelect(QWidget* owner, cmcGTex& table, cmcPrompt& prompt, Variant variant,
                             int32_t current, Lister lister)
    : QDialog(owner),
      m_table(table),
      m_prompt(prompt),
      m_variant(variant),
      m_lister(std::move(lister)),
      m_port(current) {
    setObjectName(QStringLiteral("portSelect"));
    setWindowTitle(FromCp932(table.GetLine("GI_AppInd_Opt_ComSel_Caption", 0)));
    QFont font = this->font();
    font.setFamilies(cmcQtFont::Substitutes(QStringLiteral(u"ＭＳ Ｐゴシック")));
    font.setPointSize(9);
    setFont(font);
    QFontMetrics metrics(font);
    auto* column = new QVBoxLayout(this);
    column->addWidget(new QLabel(FromCp932(table.GetLine("GI_AppInd_Opt_ComSel_Notice", 0)), this));
    QWidget* input = nullptr;
    if (variant == Variant::Typed) {
        m_edit = new QLineEdit(QString::number(current), this);
        m_edit->setMaxLength(kTypedMaxLength);
        m_edit->setFixedWidth(metrics.horizontalAdvance(QStringLiteral("255WWWW")));
        input = m_edit;
    } else {
        m_list = new cuiPortCombo(this, [this] { Refill(); });
        m_list->setEditable(false);
        const char* sample = variant == Variant::Registry
                                 ? "9999WWWW"
                                 : "1: Norv USB-to-Serial Comm. Port (COM1)WW";
        m_list->setFixedWidth(metrics.horizontalAdvance(QLatin1String(sample)));
        Refill();
        m_list->setCurrentIndex(m_list->findText(ItemFor(current)));
        input = m_list;
    }
    input->setObjectName(QStringLiteral("portInput"));
    column->addWidget(input);
    auto* buttons = new QHBoxLayout;
    int buttonWidth =
        metrics.horizontalAdvance(FromCp932(table.GetLine("GI_AppInd_Opt_ComSel_SizeOfButtons", 0)));
    auto* ok = new QPushButton(FromCp932(table.GetLine("GI_AppInd_Opt_ComSel_Buttons", 0)), this);
    auto* cancel = new QPushButton(FromCp932(table.GetLine("GI_AppInd_Opt_ComSel_Buttons", 1)), this);
    ok->setObjectName(QStringLiteral("portOk"));
    cancel->setObjectName(QStringLiteral("portCancel"));
    for (QPushButton* button : {ok, cancel}) {
        button->setFixedWidth(buttonWidth);
        buttons->addWidget(button);
    }
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] { Accept(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    column->addLayout(buttons);
    if (owner != nullptr) {
        adjustSize();
        move(owner->geometry().center() - rect().center());
    }
}

QWidget* cuiPortSelect::Input() const {
    return m_edit != nullptr ? static_cast<QWidget*>(m_edit) : static_cast<QWidget*>(m_list);
}

QString cuiPortSelect::ItemFor(int32_t port) const {
    if (m_list == nullptr) {
        return {};
    }
    for (int i = 0; i < m_list->count(); ++i) {
        if (cmcPortChoice::NumberOfText(cmcQtText::ToCp932(m_list->itemText(i))) == port) {
            return m_list->itemText(i);
        }
    }
    return {};
}

void cuiPortSelect::Refill() {
    if (m_list == nullptr || !m_lister) {
        return;
    }
    QString chosen = m_list->currentText();
    QStringList items = m_lister();
    QStringList shown;
    for (int i = 0; i < m_list->count(); ++i) {
        shown << m_list->itemText(i);
    }
    if (items != shown) {
        m_list->clear();
        m_list->addItems(items);
    }
    m_list->setCurrentIndex(m_list->findText(chosen));
    if (m_variant == Variant::Named) {
        QFontMetrics metrics(m_list->font());
        int widest = 0;
        for (const QString& item : items) {
            widest = std::max(widest, metrics.horizontalAdvance(item));
        }
        int width = widest + metrics.horizontalAdvance(QStringLiteral("WW"));
        if (items.size() > m_list->maxVisibleItems()) {
            width += m_list->view()->verticalScrollBar()->sizeHint().width();
        }
        m_list->view()->setMinimumWidth(width);
    }
}

void cuiPortSelect::Accept() {
    QString text = m_edit != nullptr ? m_edit->text() : m_list->currentText();
    int32_t port = cmcPortChoice::Read(m_variant, cmcQtText::ToCp932(text));
    if (!cmcPortChoice::IsValid(port)) {
        m_prompt.Message(m_table.GetLine("GI_AppInd_Opt_ComSel_OutofRange", 0),
                         m_table.GetLine("GI_Sys_AppTitle", 0), cmcPrompt::Icon::Stop,
                         cmcPrompt::Buttons::Ok);
        Input()->setFocus();
        return;
    }
    m_port = port;
    accept();
}
