#include "sheet/qt/cuiToolBarView.h"

#include <QAction>
#include <QMainWindow>
#include <QToolBar>
#include <utility>

#include "runtime/cmcEvent.h"
#include "app/gui/cmcQtText.h"
#include "sheet/cuiToolBar.h"
#include "sheet/qt/cmcQtAction.h"

cuiToolBarView::cuiToolBarView(cuiToolBar& model, QToolBar* bar, QList<QIcon> images,
                               cmcEvMan* events)
    : m_model(model),
      m_bar(bar),
      m_images(std::move(images)),
      m_listener(events, cmcMethod<const cmcEvent&>(this, &cuiToolBarView::OnEvent)) {
    Rebuild();
}

cuiToolBarView::~cuiToolBarView() {
    Clear();
}

void cuiToolBarView::Clear() {
    // An action may be in the middle of reporting its click, so the buttons
    // go when it is over.
    for (const QPointer<QAction>& action : m_actions) {
        if (action) {
            if (m_bar) {
                m_bar->removeAction(action);
            }
            disconnect(action, nullptr, this, nullptr);
            action->deleteLater();
        }
    }
    m_actions.clear();
    for (const QPointer<QToolBar>& row : m_rows) {
        if (!row) {
            continue;
        }
        if (auto* window = qobject_cast<QMainWindow*>(row->parentWidget())) {
            window->removeToolBarBreak(row);
            window->removeToolBar(row);
        }
        row->deleteLater();
    }
    m_rows.clear();
}

void cuiToolBarView::Rebuild() {
    Clear();
    if (!m_bar) {
        return;
    }
    QToolBar* row = m_bar;
    const std::vector<cuiToolButton>& buttons = m_model.Buttons();
    for (size_t n = 0; n < buttons.size(); ++n) {
        const cuiToolButton& button = buttons[n];
        switch (button.kind) {
            case cuiToolButton::Kind::Separator:
                m_actions.emplace_back(row->addSeparator());
                break;
            case cuiToolButton::Kind::LineBreak:
                if (QToolBar* next = NextRow()) {
                    row = next;
                    m_actions.emplace_back();
                } else {
                    m_actions.emplace_back(row->addSeparator());
                }
                break;
            case cuiToolButton::Kind::Button:
                m_actions.emplace_back(MakeButton(row, n, button));
                break;
        }
    }
    Refresh();
}

// The bar itself does not wrap; a new row is a bar of its own under it.
// Null when the bar sits in no main window.
QToolBar* cuiToolBarView::NextRow() {
    auto* window = qobject_cast<QMainWindow*>(m_bar->parentWidget());
    if (!window) {
        return nullptr;
    }
    const Qt::ToolBarArea area = window->toolBarArea(m_bar);
    auto* next = new QToolBar(window);
    next->setObjectName(m_bar->objectName() + QStringLiteral("_row%1").arg(m_rows.size() + 1));
    next->setMovable(m_bar->isMovable());
    next->setIconSize(m_bar->iconSize());
    window->addToolBarBreak(area);
    window->addToolBar(area, next);
    next->setVisible(m_bar->isVisibleTo(window));
    m_rows << next;
    return next;
}

QAction* cuiToolBarView::MakeButton(QToolBar* row, size_t n, const cuiToolButton& button) {
    auto* action = new QAction(row);
    const QString hint = cmcQtText::FromCp932(button.hint);
    action->setText(hint);
    action->setToolTip(hint);
    connect(action, &QAction::triggered, this, [this, n] { Click(n); });
    row->addAction(action);
    ShowState(*action, button);
    return action;
}

void cuiToolBarView::Refresh() {
    m_model.Refresh();
    ShowStates();
}

void cuiToolBarView::ShowStates() {
    const std::vector<cuiToolButton>& buttons = m_model.Buttons();
    for (size_t n = 0; n < buttons.size() && n < m_actions.size(); ++n) {
        QAction* action = m_actions[n];
        if (action && buttons[n].kind == cuiToolButton::Kind::Button) {
            ShowState(*action, buttons[n]);
        }
    }
}

void cuiToolBarView::ShowState(QAction& action, const cuiToolButton& button) {
    cmcQtAction::ShowState(action, button.checkStyle, button.down, button.enabled, m_images,
                           button.imageIndex);
}

void cuiToolBarView::SetVisible(bool visible) {
    for (QToolBar* bar : Bars()) {
        bar->setVisible(visible);
    }
}

QAction* cuiToolBarView::ActionFor(size_t n) const {
    return n < m_actions.size() ? m_actions[n].data() : nullptr;
}

QList<QToolBar*> cuiToolBarView::Bars() const {
    QList<QToolBar*> bars;
    if (m_bar) {
        bars << m_bar;
    }
    for (const QPointer<QToolBar>& row : m_rows) {
        if (row) {
            bars << row;
        }
    }
    return bars;
}

void cuiToolBarView::Click(size_t n) {
    // The command may close the window and take the view with it.
    QPointer<cuiToolBarView> alive(this);
    m_model.Click(n);
    if (alive) {
        Refresh();
    }
}

void cuiToolBarView::OnEvent(const cmcEvent& event) {
    if (event.code == cuiToolBar::kEventRefresh) {
        ShowStates();
    }
}
