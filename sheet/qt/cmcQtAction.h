#pragma once
#include <QIcon>
#include <QList>
#include <cstdint>

class QAction;

// How a menu item or a toolbar button shows the state the link handler
// answered: its check mark, whether it takes a choice, and its image.
namespace cmcQtAction {

// Only an action that can show a mark is checkable, so that the others draw
// no empty box; an image index the list does not hold shows no image.
void ShowState(QAction& action, bool checkable, bool checked, bool enabled,
               const QList<QIcon>& images, int32_t imageIndex);

}  // namespace cmcQtAction
