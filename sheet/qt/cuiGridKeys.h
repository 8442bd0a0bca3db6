#pragma once
#include <optional>

#include "sheet/cuiSheet.h"

// The Qt keys the sheet knows by name; the grid and its editor share them.
namespace cuiGridKeys {

std::optional<cuiSheet::Key> KeyOf(int qtKey);

}  // namespace cuiGridKeys
