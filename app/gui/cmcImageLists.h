#pragma once
#include <QIcon>
#include <QList>

// The two image lists of the main window, in the order the tree and
// toolbar descriptions index them.
namespace cmcImageLists {

inline constexpr int kTreeCount = 10;
inline constexpr int kToolbarCount = 15;

QList<QIcon> Tree();
QList<QIcon> Toolbar();

}  // namespace cmcImageLists
