#pragma once
#include <QHash>
#include <QIcon>
#include <QList>
#include <QTimer>
#include <QTreeWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <string_view>

#include "sheet/cuiMenuListener.h"

class cmcEvMan;
class cuiTree;
struct cmcCellObj;
struct cmcEvent;
struct cuiTreeNode;

// Renders a cuiTree's nodes: captions, images from the tree image list, the
// check marks painted over a node's image, and the tree's colour and font
// from its BasicCell. Captions are read-only. The model keeps the rules; the
// view reports what the user does:
// - a selection change, once the change delay has passed without another
//   (the controller then opens the selected node's sheet);
// - a node opened or closed (the controller then runs the warning check,
//   as marks depend on which branches are closed).
// After changing the model (Build, AddBody, MarkChecks, iuiTree's
// RefreshNodes) call the matching refresh here. With an event manager the
// view hears event 1 after the model and empties itself when the model has
// closed. The view must go before its model.
class cuiTreeView : public QTreeWidget {
    Q_OBJECT

public:
    // A node's overlay index, -1 for none.
    static constexpr int kOverlayRole = Qt::UserRole + 1;
    // Image list positions of the marks, by overlay index (error, warning).
    using OverlayImages = std::array<int32_t, 2>;
    static constexpr OverlayImages kDefaultOverlays = {9, 8};
    static constexpr int kDefaultChangeDelayMs = 100;

    cuiTreeView(cuiTree& model, QList<QIcon> images, QWidget* parent = nullptr,
                cmcEvMan* events = nullptr, OverlayImages overlays = kDefaultOverlays);
    ~cuiTreeView() override;

    void SetChangeDelay(int ms);

    // Every node again from the model; no change is reported.
    void Rebuild();
    // Removes the node's children from the model and from the view.
    void DeleteChildren(cuiTreeNode& node);
    // The node's children again from the model, after AddBody under it.
    void RefreshChildren(cuiTreeNode& node);
    // Every node's images and mark again from the model.
    void RefreshImages();

    // Makes the node current; the change is reported after the delay.
    bool SelectNode(const cuiTreeNode* node);
    bool SelectFirst();
    // The first node whose cell argument is `text`; null when none.
    cuiTreeNode* FindByArgument(std::string_view text) const;

    cuiTreeNode* NodeOf(const QTreeWidgetItem* item) const;
    QTreeWidgetItem* ItemOf(const cuiTreeNode* node) const;

    // A selection change waiting for its delay.
    bool ChangePending() const { return m_changeTimer.isActive(); }
    // Reports a waiting selection change now.
    void FlushChange();

    // The selected node's cell (null: none), after the change delay.
    std::function<void(const cmcCellObj* cell)> onSelectionChanged;
    // A node was opened or closed by the user.
    std::function<void(cuiTreeNode& node)> onExpandedChanged;

private:
    void ApplyLook();
    void AddItems(QTreeWidgetItem* parentItem, cuiTreeNode& node);
    void Forget(QTreeWidgetItem* item);
    void ShowNode(QTreeWidgetItem& item, const cuiTreeNode& node);
    void ShowImagesBelow(QTreeWidgetItem& item);
    QIcon NodeIcon(const cuiTreeNode& node) const;
    QPixmap Composed(int32_t image, int32_t overlay) const;
    void CurrentChanged(QTreeWidgetItem* current);
    void ExpandedChanged(QTreeWidgetItem* item, bool expanded);
    void ReportChange();
    void OnEvent(const cmcEvent& event);

    cuiTree& m_model;
    QList<QIcon> m_images;
    OverlayImages m_overlays;
    QTimer m_changeTimer;
    QHash<const QTreeWidgetItem*, cuiTreeNode*> m_nodes;
    QHash<const cuiTreeNode*, QTreeWidgetItem*> m_items;
    // Last, so that no event reaches a view half gone.
    cuiMenuListener m_listener;
};
