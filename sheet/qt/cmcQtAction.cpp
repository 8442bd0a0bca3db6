#include "sheet/qt/cmcQtAction.h"

#include <QAction>

namespace cmcQtAction {

void ShowState(QAction& action, bool checkable, bool checked, bool enabled,
               const QList<QIcon>& images, int32_t imageIndex) {
    action.setCheckable(checkable);
    action.setChecked(checked);
    action.setEnabled(enabled);
    const QIcon icon = imageIndex >= 0 && imageIndex < images.size() ? images.at(imageIndex) : QIcon();
    // Every refresh comes here; an unchanged image must not relayout the menu.
    if (icon.cacheKey() != action.icon().cacheKey()) {
        action.setIcon(icon);
    }
}

}  // namespace cmcQtAction
