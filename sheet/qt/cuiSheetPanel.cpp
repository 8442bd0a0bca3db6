#include "sheet/qt/cuiSheetPanel.h"

#include <QLabel>
#include <QVBoxLayout>

#include "app/gui/cmcQtColor.h"
#include "app/gui/cmcQtFont.h"
#include "app/gui/cmcQtText.h"

#include "model/indActiveCell.h"
#include "model/indDocHost.h"
#include "model/iuiSh_Factory.h"
#include "sheet/qt/cuiGrid.h"
#include "text/cmcGTex.h"

cuiSheetPanel::cuiSheetPanel(indDocHost& host, QWidget* parent) : QWidget(parent), m_host(host) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_title = new QLabel(this);
    m_title->setObjectName(QStringLiteral("sheetTitle"));
    m_title->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_title->setLineWidth(2);
    m_title->setTextFormat(Qt::PlainText);
    m_title->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_title->setAutoFillBackground(true);
    m_title->hide();
    layout->addWidget(m_title);
    m_grid = new cuiGrid(this);
    layout->addWidget(m_grid);
}

cuiSheetPanel::~cuiSheetPanel() {
    Clear();
}

bool cuiSheetPanel::ShowSheet(const std::string& request) {
    const cmcCellContext cells{m_host.Table(), indActiveCell::Names()};
    // The document is the sheet's context: handlers reach the model through
    // it, and a sheet without one never draws error or warning marks.
    std::unique_ptr<cuiSheet> sheet = iuiSh_Factory::Create(request, cells, nullptr, 0, 0, &m_host);
    // Checked first: a missing description is fatal inside the build.
    for (const char* part : {"_Style", "_BasicCell", "_Cells"}) {
        if (!m_host.Table().HasKey(sheet->Name() + part)) {
            return false;
        }
    }
    Clear();
    m_sheet = std::move(sheet);
    m_sheet->SetFontSizePercent(m_fontPercent);
    m_grid->Attach(m_sheet.get(), indActiveCell::LinkFor(m_host), &m_host.Events());
    m_sheet->Rebuild();
    ShowTitle(*m_sheet);
    m_grid->Refit();
    return true;
}

void cuiSheetPanel::ShowTitle(const cuiSheet& sheet) {
    const cuiSheetStyle& style = sheet.Style();
    if (style.titleText.empty()) {
        m_title->hide();
        return;
    }
    QPalette palette = m_title->palette();
    palette.setColor(QPalette::Window, cmcQtColor::ToQColor(style.titleColor, palette));
    QFont font = this->font();
    if (style.titleFont) {
        font = cmcQtFont::ToQFont(*style.titleFont);
        palette.setColor(QPalette::WindowText,
                         cmcQtColor::ToQColor(style.titleFont->color, palette));
    }
    m_title->setPalette(palette);
    m_title->setFont(font);
    m_title->setText(cmcQtText::FromCp932(style.titleText));
    m_title->setFixedHeight(QFontMetrics(font).height() + 2 * m_title->lineWidth() + 8);
    m_title->show();
}

void cuiSheetPanel::Clear() {
    m_title->hide();
    m_grid->Attach(nullptr, nullptr, nullptr);
    m_sheet.reset();
}

std::array<int32_t, 4> cuiSheetPanel::Position() const {
    if (!m_sheet) {
        return {};
    }
    return {m_grid->LeftCol(), m_grid->TopRow(), m_sheet->CurrentCol(), m_sheet->CurrentRow()};
}

void cuiSheetPanel::RestorePosition(const std::array<int32_t, 4>& position) {
    if (!m_sheet) {
        return;
    }
    // A cell that is no longer selectable leaves the sheet where it opened.
    m_sheet->SelectCell(position[2], position[3]);
    m_grid->ScrollTo(position[0], position[1]);
}
