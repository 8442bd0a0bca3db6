#include "app/gui/cuiCompareWindow.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/gui/cmcQtText.h"
#include "text/cmcGTex.h"

using cmcQtText::FromCp932;

namespace {

const char kTexts[] = "GI_AppInd_Compare";
// Lines of the texts entry.
enum Line {
    kTitleRadio = 0,
    kTitleFile = 1,
    kSheet = 2,
    kDocument = 5,
    kRadio = 6,
    kFile = 7,
    kNone = 8,
    kClose = 9,
};
constexpr int kColumns = 5;
constexpr int kWidth = 640;
constexpr int kHeight = 360;

QTableWidget* Table(QWidget* parent, cmcGTex& table, cuiCompareWindow::Other other,
                    const std::vector<indImageDiff::Difference>& differences) {
    auto* grid = new QTableWidget(static_cast<int>(differences.size()), kColumns, parent);
    grid->setObjectName(QStringLiteral("compareTable"));
    QStringList heads;
    for (int line = kSheet; line <= kDocument; ++line) {
        heads << FromCp932(table.GetLine(kTexts, line));
    }
    heads << FromCp932(
        table.GetLine(kTexts, other == cuiCompareWindow::Other::Radio ? kRadio : kFile));
    grid->setHorizontalHeaderLabels(heads);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->verticalHeader()->hide();
    grid->horizontalHeader()->setStretchLastSection(true);
    for (size_t r = 0; r < differences.size(); ++r) {
        const indImageDiff::Difference& d = differences[r];
        const std::string cells[kColumns] = {d.sheet, d.row, d.item, d.first, d.second};
        for (int c = 0; c < kColumns; ++c) {
            grid->setItem(static_cast<int>(r), c, new QTableWidgetItem(FromCp932(cells[c])));
        }
    }
    grid->resizeColumnsToContents();
    return grid;
}

}  // namespace

cuiCompareWindow::cuiCompareWindow(QWidget* owner, cmcGTex& table, Other other,
                                   const std::vector<indImageDiff::Difference>& differences)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("compareWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(
        FromCp932(table.GetLine(kTexts, other == Other::Radio ? kTitleRadio : kTitleFile)));
    auto* column = new QVBoxLayout(this);
    if (differences.empty()) {
        auto* none = new QLabel(FromCp932(table.GetLine(kTexts, kNone)), this);
        none->setObjectName(QStringLiteral("compareNone"));
        column->addWidget(none, 1);
    } else {
        column->addWidget(Table(this, table, other, differences), 1);
    }
    auto* close = new QPushButton(FromCp932(table.GetLine(kTexts, kClose)), this);
    close->setObjectName(QStringLiteral("compareClose"));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto* strip = new QHBoxLayout;
    strip->addStretch(1);
    strip->addWidget(close);
    column->addLayout(strip);
    resize(kWidth, kHeight);
}

cuiCompareWindow* cuiCompareWindow::Show(QWidget* owner, cmcGTex& table, Other other,
                                         const std::vector<indImageDiff::Difference>& differences) {
    for (cuiCompareWindow* open : owner->findChildren<cuiCompareWindow*>()) {
        open->close();
    }
    auto* window = new cuiCompareWindow(owner, table, other, differences);
    window->show();
    return window;
}
