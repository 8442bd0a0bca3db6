#include "app/gui/cuiMainViews.h"

#include <QMenuBar>
#include <QVBoxLayout>

#include "app/gui/TForm1.h"
#include "model/indActiveCell.h"
#include "sheet/cuiMenu.h"
#include "sheet/cuiMenuItem.h"
#include "sheet/cuiToolBar.h"
#include "sheet/cuiTree.h"
#include "sheet/qt/cuiMenuView.h"
#include "sheet/qt/cuiPopupShortcuts.h"
#include "sheet/qt/cuiToolBarView.h"
#include "sheet/qt/cuiTreeView.h"

cuiMainViews::cuiMainViews(TForm1& window, const cmcCellContext& cells, cmcCellLink link,
                           cmcEvMan& events, QList<QIcon> treeImages, QList<QIcon> toolbarImages)
    : m_window(window),
      m_cells(cells),
      m_link(std::move(link)),
      m_events(events),
      m_treeImages(std::move(treeImages)),
      m_toolbarImages(std::move(toolbarImages)) {
    auto* layout = new QVBoxLayout(window.TreePanel());
    layout->setContentsMargins(0, 0, 0, 0);
}

cuiMainViews::~cuiMainViews() {
    m_popupShortcuts.reset();
    DropTree();
    m_popupView.reset();
    m_toolBarView.reset();
    m_menuView.reset();
}

void cuiMainViews::BuildBars(CurrentCell currentCell, PopupCommand popupCommand) {
    m_currentCell = std::move(currentCell);
    m_popupCommand = std::move(popupCommand);
    m_menuView.reset();
    m_menu = std::make_unique<cuiMenu>(m_cells, "GI_Menu_Main", m_link, cuiMenu::ClickHandler(),
                                       &m_events);
    m_menu->SetHost(this);
    m_menu->SetCurrentCell(m_currentCell);
    // Items a sheet hangs under the edit item act on its current cell.
    m_menu->SetClickResolver([this](int32_t) -> cuiMenu::ClickHandler {
        return [this](cuiMenuItem& item) {
            if (item.cell && m_popupCommand) {
                m_popupCommand(item.cell->link);
            }
        };
    });
    m_menu->Build();
    m_menuView = std::make_unique<cuiMenuView>(*m_menu, m_window.menuBar(), &m_events);
    m_menuView->Rebuild();

    m_toolBarView.reset();
    m_toolBar = std::make_unique<cuiToolBar>(m_cells, "GI_ToolBar_Main", m_link, &m_events);
    m_toolBar->SetHost(this);
    m_toolBar->Build();
    m_toolBarView = std::make_unique<cuiToolBarView>(*m_toolBar, m_window.ToolBar(),
                                                     m_toolbarImages, &m_events);
    m_toolBarView->Rebuild();
}

void cuiMainViews::SetToolbarVisible(bool visible) {
    if (m_toolBarView) {
        m_toolBarView->SetVisible(visible);
    }
}

void cuiMainViews::ShowPopup(const std::string& stem, const QPoint& global) {
    if (stem.empty()) {
        return;
    }
    m_popupView.reset();
    m_popup = MakePopup(stem);
    m_popupView = cuiMenuView::ForPopup(*m_popup, &m_window);
    m_popupView->Popup(global);
}

void cuiMainViews::AttachPopupShortcuts(QWidget* grid) {
    m_popupShortcuts = std::make_unique<cuiPopupShortcuts>(
        grid, m_events, indActiveCell::LinkId("CL_Menu_Edit_Top"),
        [this](const std::string& stem) { return MakePopup(stem); });
}

std::unique_ptr<cuiMenu> cuiMainViews::MakePopup(const std::string& stem) {
    auto popup = std::make_unique<cuiMenu>(m_cells, stem, m_link, [this](cuiMenuItem& item) {
        if (item.cell && m_popupCommand) {
            m_popupCommand(item.cell->link);
        }
    });
    popup->SetHost(this);
    popup->SetCurrentCell(m_currentCell);
    popup->Build();
    return popup;
}

void cuiMainViews::InstallTree(std::unique_ptr<cuiTree> tree, int changeDelayMs, TreeHooks hooks) {
    DropTree();
    m_tree = std::move(tree);
    auto* view = new cuiTreeView(*m_tree, m_treeImages, m_window.TreePanel(), &m_events);
    view->setObjectName(QStringLiteral("tree"));
    view->hide();
    view->SetChangeDelay(changeDelayMs);
    view->onSelectionChanged = [hook = hooks.selectionChanged](const cmcCellObj*) {
        if (hook) {
            hook();
        }
    };
    view->onExpandedChanged = [hook = hooks.expandedChanged](cuiTreeNode&) {
        if (hook) {
            hook();
        }
    };
    m_window.TreePanel()->layout()->addWidget(view);
    view->show();
    m_treeView = view;
}

void cuiMainViews::DropTree() {
    // The view goes before its model.
    delete m_treeView.data();
    m_tree.reset();
}

void cuiMainViews::ShowTreeNodes() {
    if (m_treeView) {
        m_treeView->Rebuild();
    }
}

void cuiMainViews::ShowTreeMarks() {
    if (m_treeView) {
        m_treeView->RefreshImages();
    }
}

void cuiMainViews::SelectFirstNode() {
    if (m_treeView) {
        m_treeView->SelectFirst();
    } else if (m_tree && !m_tree->TopNodes().empty()) {
        m_tree->Select(m_tree->TopNodes().front().get());
    }
}

cuiMenuItem* cuiMainViews::FindItem(int32_t link) const {
    return m_menu ? m_menu->FindByLink(link) : nullptr;
}

int32_t cuiMainViews::SubItemCount(int32_t link) const {
    const cuiMenuItem* item = FindItem(link);
    return item ? static_cast<int32_t>(item->children.size()) : -1;
}
