#pragma once
#include <QPalette>

#include "sheet/cuiSheetPaint.h"

class QPainter;

// Puts one cell's paint description on a surface: the screen grid and the
// printer draw the same way.
namespace cuiGridPainter {

void Draw(QPainter& painter, const cuiSheetPaint& paint, const QPalette& palette);

}  // namespace cuiGridPainter
