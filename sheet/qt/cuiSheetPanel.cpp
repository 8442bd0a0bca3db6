#include "sheet/qt/cuiSheetPanel.h"

#include <QVBoxLayout>

#include "model/indActiveCell.h"
#include "model/indDocHost.h"
#include "model/iuiSh_Factory.h"
#include "sheet/qt/cuiGrid.h"
#include "text/cmcGTex.h"

cuiSheetPanel::cuiSheetPanel(indDocHost& host, QWidget* parent) : QWidget(parent), m_host(host) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_grid = new cuiGrid(this);
    layout->addWidget(m_grid);
}

cuiSheetPanel::~cuiSheetPanel() {
    Clear();
}

bool cuiSheetPanel::ShowSheet(const std::string& request) {
    const cmcCellContext cells{m_host.Table(), indActiveCell::Names()};
    std::unique_ptr<cuiSheet> sheet = iuiSh_Factory::Create(request, cells, nullptr, 0, 0, nullptr);
    // Checked first: a missing description is fatal inside the build.
    for (const char* part : {"_Style", "_BasicCell", "_Cells"}) {
        if (!m_host.Table().HasKey(sheet->Name() + part)) {
            return false;
        }
    }
    Clear();
    m_sheet = std::move(sheet);
    m_grid->Attach(m_sheet.get(), indActiveCell::LinkFor(m_host), &m_host.Events());
    m_sheet->Rebuild();
    m_grid->Refit();
    return true;
}

void cuiSheetPanel::Clear() {
    m_grid->Attach(nullptr, nullptr, nullptr);
    m_sheet.reset();
}
