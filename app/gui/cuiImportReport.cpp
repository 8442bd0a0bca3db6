#include "app/gui/cuiImportReport.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>
#include <QStyle>
#include <QVBoxLayout>

#include "app/gui/cmcQtText.h"
#include "text/cmcGTex.h"

using cmcQtText::FromCp932;

namespace {

constexpr int kWidth = 480;
constexpr int kHeight = 300;

QString Joined(const std::vector<std::string>& lines) {
    QStringList shown;
    for (const std::string& line : lines) {
        shown << FromCp932(line);
    }
    return shown.join(QLatin1Char('\n'));
}

}  // namespace

cuiImportReport::cuiImportReport(QWidget* owner, cmcGTex& table,
                                 const std::vector<std::string>& lines)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("importReport"));
    setWindowTitle(FromCp932(table.GetLine("GI_Mess_ImportReport_Headline", 0)));
    setModal(true);
    auto* text = new QPlainTextEdit(Joined(lines), this);
    text->setObjectName(QStringLiteral("importReportText"));
    text->setReadOnly(true);
    text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto* close = new QPushButton(FromCp932(table.GetLine("GI_Sys_ImportReport_Close", 0)), this);
    close->setObjectName(QStringLiteral("importReportClose"));
    close->setDefault(true);
    // Escape rejects a dialog, which closes it too: the button is the cancel
    // button as well.
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto* strip = new QHBoxLayout;
    // The button lines up with the text box's scroll bar, one bar's width
    // in from the right edge.
    strip->setContentsMargins(0, 0, style()->pixelMetric(QStyle::PM_ScrollBarExtent), 0);
    strip->addStretch(1);
    strip->addWidget(close);
    auto* column = new QVBoxLayout(this);
    column->addWidget(text, 1);
    column->addLayout(strip);
    resize(kWidth, kHeight);
}

void cuiImportReport::Show(QWidget* owner, cmcGTex& table, const std::vector<std::string>& lines) {
    // QDialog centres itself on its owner's window when it is first shown.
    cuiImportReport report(owner, table, lines);
    report.exec();
}
