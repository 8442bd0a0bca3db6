#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "sheet/cmcCellObj.h"

// One node of a tree model: caption (code page 932), images, the overlay
// mark and the cell whose link argument names the sheet the node opens.
struct cuiTreeNode {
    std::string caption;
    int32_t imageIndex = -1;
    int32_t selectedImageIndex = -1;
    int32_t overlayIndex = -1;  // -1: no mark
    bool expanded = false;
    std::unique_ptr<cmcCellObj> cell;
    cuiTreeNode* parent = nullptr;
    std::vector<std::unique_ptr<cuiTreeNode>> children;

    // The cell's link argument; empty when there is none.
    std::string_view Argument() const {
        return cell && cell->argument ? std::string_view(*cell->argument) : std::string_view();
    }
};
