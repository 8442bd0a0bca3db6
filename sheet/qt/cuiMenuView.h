#pragma once
#include <QHash>
#include <QIcon>
#include <QList>
#include <QObject>
#include <QPointer>
#include <cstdint>
#include <memory>

#include "sheet/cuiMenuListener.h"

class QAction;
class QMenu;
class QMenuBar;
class QPoint;
class QWidget;
class cmcEvMan;
class cuiMenu;
struct cmcEvent;
struct cuiMenuItem;

// Renders a cuiMenu's items into a menu bar (the main menu) or a menu (a
// sheet's pop-up menu): captions with their accelerators, separators,
// shortcuts, images and the checked, hidden, disabled and caption states the
// link handler answers. The model keeps the rules; choosing an action calls
// cuiMenu::Activate.
//
// With an event manager the view hears 9 (show the states the model has just
// asked for), 20 (ask and show) and 10/11 (rebuild the sub-items of the item
// the model has just emptied or filled). The model must listen to the same
// manager and be made first, so that it hears each event before the view.
// After cuiMenu::Build call Rebuild. The view must go before its model.
class cuiMenuView : public QObject {
    Q_OBJECT

public:
    static constexpr uint32_t kEventToolbarRefresh = 20;

    cuiMenuView(cuiMenu& model, QMenuBar* bar, cmcEvMan* events = nullptr,
                QList<QIcon> images = {});
    cuiMenuView(cuiMenu& model, QMenu* menu, cmcEvMan* events = nullptr,
                QList<QIcon> images = {});
    ~cuiMenuView() override;
    cuiMenuView(const cuiMenuView&) = delete;
    cuiMenuView& operator=(const cuiMenuView&) = delete;

    // A view on a menu of its own, parented to `parent` for its style and
    // screen; for a sheet's pop-up menu, shown by Popup.
    static std::unique_ptr<cuiMenuView> ForPopup(cuiMenu& model, QWidget* parent,
                                                 QList<QIcon> images = {});

    // Every action again from the model's items.
    void Rebuild();
    // Asks the model for every item's state, then shows them.
    void Refresh();
    // Shows the states the model holds.
    void ShowStates();
    // Refreshes and shows the menu at a global position (menus only).
    void Popup(const QPoint& global);

    // The action that renders the item; null when it has none.
    QAction* ActionFor(const cuiMenuItem& item) const;
    // The menu the view fills; null for a menu bar.
    QMenu* Menu() const;

private:
    cuiMenuView(cuiMenu& model, QWidget* target, bool ownsTarget, cmcEvMan* events,
                QList<QIcon> images);

    void Fill(QWidget* container, cuiMenuItem& parent);
    QAction* MakeAction(QWidget* container, cuiMenuItem& item);
    void SetSubItems(QAction& action, cuiMenuItem& item);
    QMenu* MakeSubMenu(QAction& action);
    void Forget(QWidget* container);
    void ShowState(QAction& action, const cuiMenuItem& item);
    void Choose(QAction* action);
    void OnEvent(const cmcEvent& event);

    cuiMenu& m_model;
    QPointer<QWidget> m_target;
    bool m_ownsTarget;
    QList<QIcon> m_images;
    QHash<QAction*, cuiMenuItem*> m_items;
    QHash<const cuiMenuItem*, QAction*> m_actions;
    // Last, so that no event reaches a view half gone.
    cuiMenuListener m_listener;
};
