#pragma once
#include <QIcon>
#include <QList>
#include <QObject>
#include <QPointer>
#include <cstddef>
#include <vector>

#include "sheet/cuiMenuListener.h"

class QAction;
class QToolBar;
class cmcEvMan;
class cuiToolBar;
struct cmcEvent;
struct cuiToolButton;

// Renders a cuiToolBar's buttons into a tool bar: images from the toolbar
// image list by each button's image index, the caption as hint, separators,
// and the checked and disabled states the link handler answers. A "/" starts
// a new row: when the bar sits in a main window the row is a bar of its own
// after a tool bar break, elsewhere a plain separator. A click calls
// cuiToolBar::Click.
//
// With an event manager the view shows the states on event 20; the model
// must listen to the same manager and be made first. After cuiToolBar::Build
// call Rebuild. The view must go before its model.
class cuiToolBarView : public QObject {
    Q_OBJECT

public:
    cuiToolBarView(cuiToolBar& model, QToolBar* bar, QList<QIcon> images,
                   cmcEvMan* events = nullptr);
    ~cuiToolBarView() override;
    cuiToolBarView(const cuiToolBarView&) = delete;
    cuiToolBarView& operator=(const cuiToolBarView&) = delete;

    // Every button again from the model, with fresh states.
    void Rebuild();
    // Asks the model for every button's state, then shows them.
    void Refresh();
    // Shows the states the model holds.
    void ShowStates();
    // Shows or hides every row.
    void SetVisible(bool visible);

    // The action of body line n (a separator's too); null for a row break.
    QAction* ActionFor(size_t n) const;
    // The first bar and the rows after it.
    QList<QToolBar*> Bars() const;

private:
    void Clear();
    QToolBar* NextRow();
    QAction* MakeButton(QToolBar* row, size_t n, const cuiToolButton& button);
    void ShowState(QAction& action, const cuiToolButton& button);
    void Click(size_t n);
    void OnEvent(const cmcEvent& event);

    cuiToolBar& m_model;
    QPointer<QToolBar> m_bar;
    QList<QIcon> m_images;
    // One per body line; null for a row break.
    std::vector<QPointer<QAction>> m_actions;
    // Rows made for "/" lines; the first bar is the window's.
    QList<QPointer<QToolBar>> m_rows;
    // Last, so that no event reaches a view half gone.
    cuiMenuListener m_listener;
};
