#include "sheet/qt/cuiGridKeys.h"

#include <QtCore/qnamespace.h>

namespace cuiGridKeys {

std::optional<cuiSheet::Key> KeyOf(int qtKey) {
    switch (qtKey) {
        case Qt::Key_Right:
            return cuiSheet::Key::Right;
        case Qt::Key_Left:
            return cuiSheet::Key::Left;
        case Qt::Key_Down:
            return cuiSheet::Key::Down;
        case Qt::Key_Up:
            return cuiSheet::Key::Up;
        case Qt::Key_PageDown:
            return cuiSheet::Key::PageDown;
        case Qt::Key_PageUp:
            return cuiSheet::Key::PageUp;
        case Qt::Key_Home:
            return cuiSheet::Key::Home;
        case Qt::Key_End:
            return cuiSheet::Key::End;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return cuiSheet::Key::Enter;
        case Qt::Key_Escape:
            return cuiSheet::Key::Escape;
        default:
            return std::nullopt;
    }
}

}  // namespace cuiGridKeys
