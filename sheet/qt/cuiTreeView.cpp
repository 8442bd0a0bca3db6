#include "sheet/qt/cuiTreeView.h"

#include <QHeaderView>
#include <QPainter>
#include <QSignalBlocker>
#include <utility>

#include "runtime/cmcEvent.h"
#include "app/gui/cmcQtColor.h"
#include "app/gui/cmcQtFont.h"
#include "app/gui/cmcQtText.h"
#include "sheet/cuiTree.h"

cuiTreeView::cuiTreeView(cuiTree& model, QList<QIcon> images, QWidget* parent, cmcEvMan* events,
                         OverlayImages overlays)
    : QTreeWidget(parent),
      m_model(model),
      m_images(std::move(images)),
      m_overlays(overlays),
      m_listener(events, cmcMethod<const cmcEvent&>(this, &cuiTreeView::OnEvent)) {
    setHeaderHidden(true);
    setColumnCount(1);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_changeTimer.setSingleShot(true);
    m_changeTimer.setInterval(kDefaultChangeDelayMs);
    connect(&m_changeTimer, &QTimer::timeout, this, &cuiTreeView::ReportChange);
    connect(this, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current) { CurrentChanged(current); });
    connect(this, &QTreeWidget::itemExpanded, this,
            [this](QTreeWidgetItem* item) { ExpandedChanged(item, true); });
    connect(this, &QTreeWidget::itemCollapsed, this,
            [this](QTreeWidgetItem* item) { ExpandedChanged(item, false); });
    Rebuild();
}

// The items go before the maps that name them, without reporting anything.
cuiTreeView::~cuiTreeView() {
    const QSignalBlocker quiet(this);
    clear();
}

void cuiTreeView::SetChangeDelay(int ms) {
    m_changeTimer.setInterval(ms);
}

void cuiTreeView::ApplyLook() {
    QPalette look = palette();
    look.setColor(QPalette::Base, cmcQtColor::ToQColor(m_model.BackgroundColor(), look));
    if (const cmcFont* font = m_model.Font()) {
        setFont(cmcQtFont::ToQFont(*font));
        look.setColor(QPalette::Text, cmcQtColor::ToQColor(font->color, look));
    }
    // The selection stays visible while another part has the focus.
    for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText}) {
        look.setColor(QPalette::Inactive, role, look.color(QPalette::Active, role));
    }
    setPalette(look);
}

void cuiTreeView::Rebuild() {
    const QSignalBlocker quiet(this);
    m_changeTimer.stop();
    clear();
    m_nodes.clear();
    m_items.clear();
    ApplyLook();
    for (const auto& node : m_model.TopNodes()) {
        AddItems(nullptr, *node);
    }
    if (QTreeWidgetItem* selected = ItemOf(m_model.Selected())) {
        setCurrentItem(selected);
    }
}

void cuiTreeView::AddItems(QTreeWidgetItem* parentItem, cuiTreeNode& node) {
    auto* item = parentItem ? new QTreeWidgetItem(parentItem) : new QTreeWidgetItem(this);
    m_nodes.insert(item, &node);
    m_items.insert(&node, item);
    ShowNode(*item, node);
    for (const auto& child : node.children) {
        AddItems(item, *child);
    }
    item->setExpanded(node.expanded);
}

void cuiTreeView::ShowNode(QTreeWidgetItem& item, const cuiTreeNode& node) {
    item.setText(0, cmcQtText::FromCp932(node.caption));
    item.setIcon(0, NodeIcon(node));
    item.setData(0, kOverlayRole, node.overlayIndex);
}

void cuiTreeView::Forget(QTreeWidgetItem* item) {
    for (int i = 0; i < item->childCount(); ++i) {
        Forget(item->child(i));
    }
    m_items.remove(m_nodes.take(item));
}

void cuiTreeView::DeleteChildren(cuiTreeNode& node) {
    QTreeWidgetItem* item = ItemOf(&node);
    if (item) {
        // The model forgets a selection inside the branch; so does the view,
        // which moves it to the node.
        QTreeWidgetItem* current = currentItem();
        for (QTreeWidgetItem* at = current; at; at = at->parent()) {
            if (at->parent() == item) {
                setCurrentItem(item);
                break;
            }
        }
        const QSignalBlocker quiet(this);
        for (QTreeWidgetItem* child : item->takeChildren()) {
            Forget(child);
            delete child;
        }
    }
    m_model.DeleteChildren(node);
}

void cuiTreeView::RefreshChildren(cuiTreeNode& node) {
    QTreeWidgetItem* item = ItemOf(&node);
    if (!item) {
        return;
    }
    const QSignalBlocker quiet(this);
    for (QTreeWidgetItem* child : item->takeChildren()) {
        Forget(child);
        delete child;
    }
    for (const auto& child : node.children) {
        AddItems(item, *child);
    }
    ShowNode(*item, node);
    item->setExpanded(node.expanded);
}

void cuiTreeView::RefreshImages() {
    for (int i = 0; i < topLevelItemCount(); ++i) {
        ShowImagesBelow(*topLevelItem(i));
    }
}

void cuiTreeView::ShowImagesBelow(QTreeWidgetItem& item) {
    if (const cuiTreeNode* node = NodeOf(&item)) {
        item.setIcon(0, NodeIcon(*node));
        item.setData(0, kOverlayRole, node->overlayIndex);
    }
    for (int i = 0; i < item.childCount(); ++i) {
        ShowImagesBelow(*item.child(i));
    }
}

QIcon cuiTreeView::NodeIcon(const cuiTreeNode& node) const {
    QIcon icon(Composed(node.imageIndex, node.overlayIndex));
    if (node.selectedImageIndex != node.imageIndex) {
        icon.addPixmap(Composed(node.selectedImageIndex, node.overlayIndex), QIcon::Selected);
    }
    return icon;
}

// The node's image with its mark painted over it; an empty picture for an
// image index the list does not hold.
QPixmap cuiTreeView::Composed(int32_t image, int32_t overlay) const {
    const QSize size = iconSize().isValid() ? iconSize() : QSize(16, 16);
    QPixmap picture(size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    if (image >= 0 && image < m_images.size()) {
        m_images.at(image).paint(&painter, picture.rect());
    }
    if (overlay >= 0 && overlay < static_cast<int32_t>(m_overlays.size())) {
        const int32_t mark = m_overlays[static_cast<size_t>(overlay)];
        if (mark >= 0 && mark < m_images.size()) {
            m_images.at(mark).paint(&painter, picture.rect());
        }
    }
    return picture;
}

bool cuiTreeView::SelectNode(const cuiTreeNode* node) {
    QTreeWidgetItem* item = ItemOf(node);
    if (!item) {
        return false;
    }
    setCurrentItem(item);
    return true;
}

bool cuiTreeView::SelectFirst() {
    return topLevelItemCount() > 0 && SelectNode(NodeOf(topLevelItem(0)));
}

cuiTreeNode* cuiTreeView::FindByArgument(std::string_view text) const {
    return m_model.FindByArgument(text);
}

cuiTreeNode* cuiTreeView::NodeOf(const QTreeWidgetItem* item) const {
    return m_nodes.value(item, nullptr);
}

QTreeWidgetItem* cuiTreeView::ItemOf(const cuiTreeNode* node) const {
    return m_items.value(node, nullptr);
}

void cuiTreeView::CurrentChanged(QTreeWidgetItem* current) {
    m_model.Select(NodeOf(current));
    m_changeTimer.start();
}

void cuiTreeView::ExpandedChanged(QTreeWidgetItem* item, bool expanded) {
    cuiTreeNode* node = NodeOf(item);
    if (!node) {
        return;
    }
    node->expanded = expanded;
    if (onExpandedChanged) {
        onExpandedChanged(*node);
    }
}

void cuiTreeView::FlushChange() {
    if (m_changeTimer.isActive()) {
        m_changeTimer.stop();
        ReportChange();
    }
}

void cuiTreeView::ReportChange() {
    if (onSelectionChanged) {
        onSelectionChanged(m_model.SelectedCell());
    }
}

void cuiTreeView::OnEvent(const cmcEvent& event) {
    if (event.code == cuiTree::kEventGoingAway && m_model.Closed()) {
        const QSignalBlocker quiet(this);
        m_changeTimer.stop();
        clear();
        m_nodes.clear();
        m_items.clear();
    }
}
