#pragma once
#include <QIcon>
#include <QList>
#include <QPointer>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "sheet/cmcCellContext.h"
#include "sheet/cmcCellLink.h"
#include "sheet/qt/cuiTreeView.h"

class QPoint;
class TForm1;
class cmcEvMan;
class cuiMenu;
class cuiMenuView;
class cuiPopupShortcuts;
class cuiToolBar;
class cuiToolBarView;
class cuiTree;

struct cmcCellObj;
struct cuiMenuItem;
struct cuiTreeNode;

// The main window's parts built from descriptions: the main menu, the
// toolbar, the tree and the sheets' pop-up menus, each a model with its
// view. The link handler answers their states and runs their commands; the
// main controller is told of tree selections and opened branches.
class cuiMainViews {
public:
    // The current sheet cell, or null.
    using CurrentCell = std::function<const cmcCellObj*()>;
    // A pop-up item chosen for the current sheet cell: its link.
    using PopupCommand = std::function<void(int32_t link)>;

    struct TreeHooks {
        std::function<void()> selectionChanged;
        std::function<void()> expandedChanged;
    };

    // Everything given must outlive the views.
    cuiMainViews(TForm1& window, const cmcCellContext& cells, cmcCellLink link, cmcEvMan& events,
                 QList<QIcon> treeImages, QList<QIcon> toolbarImages);
    ~cuiMainViews();
    cuiMainViews(const cuiMainViews&) = delete;
    cuiMainViews& operator=(const cuiMainViews&) = delete;

    // The main menu ("GI_Menu_Main") and the toolbar ("GI_ToolBar_Main").
    void BuildBars(CurrentCell currentCell, PopupCommand popupCommand);
    void SetToolbarVisible(bool visible);
    // A sheet's pop-up menu at a screen position.
    void ShowPopup(const std::string& stem, const QPoint& global);
    // The shown sheet's grid answers the shortcuts of its current cell's
    // pop-up menu.
    void AttachPopupShortcuts(QWidget* grid);
    const cuiPopupShortcuts* PopupShortcuts() const { return m_popupShortcuts.get(); }

    // Replaces the tree; the tree panel shows the new one.
    void InstallTree(std::unique_ptr<cuiTree> tree, int changeDelayMs, TreeHooks hooks);
    void DropTree();
    cuiTree* Tree() const { return m_tree.get(); }
    // After the model's nodes or marks changed.
    void ShowTreeNodes();
    void ShowTreeMarks();
    // Selects the first node; the selection is reported after the delay.
    void SelectFirstNode();

    // How many items hang under the menu item with this link; -1 when the
    // main menu has no such item.
    int32_t SubItemCount(int32_t link) const;

    cuiMenu* Menu() const { return m_menu.get(); }
    cuiMenuView* MenuView() const { return m_menuView.get(); }
    cuiToolBarView* ToolBarView() const { return m_toolBarView.get(); }
    cuiTreeView* TreeView() const { return m_treeView; }
    cuiMenuView* PopupView() const { return m_popupView.get(); }

private:
    cuiMenuItem* FindItem(int32_t link) const;
    // A pop-up menu model whose items run on the current sheet cell.
    std::unique_ptr<cuiMenu> MakePopup(const std::string& stem);

    TForm1& m_window;
    const cmcCellContext& m_cells;
    cmcCellLink m_link;
    cmcEvMan& m_events;
    QList<QIcon> m_treeImages;
    QList<QIcon> m_toolbarImages;
    CurrentCell m_currentCell;
    PopupCommand m_popupCommand;
    // Models before their views, so that every view goes first.
    std::unique_ptr<cuiMenu> m_menu;
    std::unique_ptr<cuiToolBar> m_toolBar;
    std::unique_ptr<cuiMenu> m_popup;
    std::unique_ptr<cuiTree> m_tree;
    std::unique_ptr<cuiMenuView> m_menuView;
    std::unique_ptr<cuiToolBarView> m_toolBarView;
    std::unique_ptr<cuiMenuView> m_popupView;
    std::unique_ptr<cuiPopupShortcuts> m_popupShortcuts;
    QPointer<cuiTreeView> m_treeView;
};
