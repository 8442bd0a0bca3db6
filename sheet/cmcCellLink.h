#pragma once
#include <functional>

#include "sheet/cmcCellCapsule.h"

// The one way sheets, menus, toolbars, trees, choice lists and the warning
// check reach the data behind a cell: hand the request to the link handler.
// action is clear for drawing queries and set for user actions. The result:
// 0 nothing more to do, 1 a choice list was opened for the cell, 2 the caller
// must open the in-place editor now with the text and caret in the request.
using cmcCellLink = std::function<int(cmcCellCapsule& request, bool action)>;

namespace cmcCellLinkResult {
inline constexpr int kDone = 0;
inline constexpr int kChoiceListOpened = 1;
inline constexpr int kOpenEditor = 2;
}  // namespace cmcCellLinkResult
