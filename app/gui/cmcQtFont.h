#pragma once
#include <QFont>
#include <QStringList>

#include "sheet/cmcFont.h"

namespace cmcQtFont {

// The installed faces that stand in for a face name of the descriptions, in
// order of preference; the name itself when none is known.
QStringList Substitutes(const QString& face);
// A described font as Qt draws it; a negative height is a pixel height.
QFont ToQFont(const cmcFont& font);

}  // namespace cmcQtFont
