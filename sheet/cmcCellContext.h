#pragma once

class cmcGTex;
class cmcCellNames;

// What the cell parser reads besides the cell text: the text table, for the
// cell models, and the names of categories and links.
struct cmcCellContext {
    cmcGTex& table;
    const cmcCellNames& names;
};
