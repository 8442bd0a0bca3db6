#include "sheet/qt/cuiMenuView.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <utility>

#include "app/gui/cmcQtText.h"
#include "runtime/cmcEvent.h"
#include "sheet/cuiMenu.h"
#include "sheet/qt/cmcQtAction.h"

namespace {

// A caption may carry its own shortcut text after a tab; the link argument
// still wins when the description gives both. Alternatives are separated by
// ';' (a comma already means a key sequence of several strokes); the first
// is the one the menu shows.
struct Caption {
    QString text;
    QList<QKeySequence> shortcuts;
};

Caption CaptionOf(const cuiMenuItem& item) {
    Caption caption;
    caption.text = cmcQtText::FromCp932(item.caption);
    QString shortcut;
    const qsizetype tab = caption.text.indexOf(QLatin1Char('\t'));
    if (tab >= 0) {
        shortcut = caption.text.mid(tab + 1).trimmed();
        caption.text.truncate(tab);
    }
    if (!item.shortcut.empty()) {
        shortcut = QString::fromStdString(item.shortcut);
    }
    for (const QString& one : shortcut.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        caption.shortcuts.append(
            QKeySequence::fromString(one.trimmed(), QKeySequence::PortableText));
    }
    return caption;
}

}  // namespace

cuiMenuView::cuiMenuView(cuiMenu& model, QMenuBar* bar, cmcEvMan* events, QList<QIcon> images)
    : cuiMenuView(model, static_cast<QWidget*>(bar), false, events, std::move(images)) {}

cuiMenuView::cuiMenuView(cuiMenu& model, QMenu* menu, cmcEvMan* events, QList<QIcon> images)
    : cuiMenuView(model, static_cast<QWidget*>(menu), false, events, std::move(images)) {}

cuiMenuView::cuiMenuView(cuiMenu& model, QWidget* target, bool ownsTarget, cmcEvMan* events,
                         QList<QIcon> images)
    : m_model(model),
      m_target(target),
      m_ownsTarget(ownsTarget),
      m_images(std::move(images)),
      m_listener(events, cmcMethod<const cmcEvent&>(this, &cuiMenuView::OnEvent)) {
    if (QMenu* menu = Menu()) {
        connect(menu, &QMenu::aboutToShow, this, &cuiMenuView::Refresh);
    }
    Rebuild();
}

cuiMenuView::~cuiMenuView() {
    if (!m_target) {
        return;
    }
    if (m_ownsTarget) {
        m_target->deleteLater();
        return;
    }
    // The widget belongs to the window; only the actions are ours. They may
    // be in the middle of reporting a choice, so they go when it is over.
    Forget(m_target);
}

std::unique_ptr<cuiMenuView> cuiMenuView::ForPopup(cuiMenu& model, QWidget* parent,
                                                   QList<QIcon> images) {
    auto* menu = new QMenu(parent);
    return std::unique_ptr<cuiMenuView>(
        new cuiMenuView(model, menu, true, nullptr, std::move(images)));
}

QMenu* cuiMenuView::Menu() const {
    return qobject_cast<QMenu*>(m_target.data());
}

QAction* cuiMenuView::ActionFor(const cuiMenuItem& item) const {
    return m_actions.value(&item, nullptr);
}

void cuiMenuView::Rebuild() {
    if (!m_target) {
        return;
    }
    Forget(m_target);
    Fill(m_target, m_model.Root());
}

void cuiMenuView::Fill(QWidget* container, cuiMenuItem& parent) {
    for (const auto& child : parent.children) {
        container->addAction(MakeAction(container, *child));
    }
}

QAction* cuiMenuView::MakeAction(QWidget* container, cuiMenuItem& item) {
    auto* action = new QAction(container);
    m_items.insert(action, &item);
    m_actions.insert(&item, action);
    if (item.separator) {
        action->setSeparator(true);
    } else {
        action->setShortcuts(CaptionOf(item).shortcuts);
        connect(action, &QAction::triggered, this, [this, action] { Choose(action); });
        SetSubItems(*action, item);
    }
    ShowState(*action, item);
    return action;
}

// An item with sub-items opens a menu; one without is a command. The menu
// is kept while the item has sub-items, so that one refilled while it is
// open stays open.
void cuiMenuView::SetSubItems(QAction& action, cuiMenuItem& item) {
    QMenu* sub = action.menu();
    if (sub) {
        Forget(sub);
    }
    if (item.children.empty()) {
        if (sub) {
            action.setMenu(static_cast<QMenu*>(nullptr));
            disconnect(sub, nullptr, this, nullptr);
            sub->deleteLater();
        }
        return;
    }
    Fill(sub ? sub : MakeSubMenu(action), item);
}

QMenu* cuiMenuView::MakeSubMenu(QAction& action) {
    auto* sub = new QMenu(qobject_cast<QWidget*>(action.parent()));
    connect(sub, &QMenu::aboutToShow, this, &cuiMenuView::Refresh);
    action.setMenu(sub);
    return sub;
}

// Drops the actions of a container and everything below them.
void cuiMenuView::Forget(QWidget* container) {
    const QList<QAction*> actions = container->actions();
    for (QAction* action : actions) {
        if (!m_items.contains(action)) {
            continue;
        }
        if (QMenu* sub = action->menu()) {
            Forget(sub);
            disconnect(sub, nullptr, this, nullptr);
            sub->deleteLater();
        }
        m_actions.remove(m_items.take(action));
        container->removeAction(action);
        disconnect(action, nullptr, this, nullptr);
        action->deleteLater();
    }
}

void cuiMenuView::Refresh() {
    m_model.UpdateAll();
    ShowStates();
}

void cuiMenuView::ShowStates() {
    for (auto it = m_items.cbegin(); it != m_items.cend(); ++it) {
        ShowState(*it.key(), *it.value());
    }
}

void cuiMenuView::ShowState(QAction& action, const cuiMenuItem& item) {
    action.setVisible(item.visible);
    if (item.separator) {
        return;
    }
    action.setText(CaptionOf(item).text);
    cmcQtAction::ShowState(action, item.checked, item.checked, item.enabled, m_images,
                           item.imageIndex);
}

void cuiMenuView::Choose(QAction* action) {
    cuiMenuItem* item = m_items.value(action, nullptr);
    if (!item) {
        return;
    }
    // The command may close the window and take the view with it.
    QPointer<cuiMenuView> alive(this);
    m_model.Activate(*item);
    if (alive) {
        ShowStates();
    }
}

void cuiMenuView::Popup(const QPoint& global) {
    if (QMenu* menu = Menu()) {
        Refresh();
        menu->popup(global);
    }
}

void cuiMenuView::OnEvent(const cmcEvent& event) {
    switch (event.code) {
        case cuiMenu::kEventRefresh:
            ShowStates();
            break;
        case kEventToolbarRefresh:
            Refresh();
            break;
        case cuiMenu::kEventDeleteSub:
        case cuiMenu::kEventAttachSub:
            if (cuiMenuItem* item = m_model.FindByLink(event.p2); item && !item->separator) {
                if (QAction* action = ActionFor(*item)) {
                    SetSubItems(*action, *item);
                    ShowStates();
                }
            }
            break;
        default:
            break;
    }
}
