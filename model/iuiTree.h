#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "sheet/cuiTree.h"

// This radio's tree: the common tree plus the icons of bank nodes, whose
// sheet reference is "[St_ChBank]..." with parameters beginning "Bank".
class iuiTree : public cuiTree {
public:
    // Entries of a bank for a bank kind; this radio's banks are all empty.
    using BankEntries = std::function<int32_t(int32_t bank, int32_t kind)>;
    // Indexed by 2 for a valid bank number plus 1 for a bank with entries.
    using IconTable = std::array<int32_t, 4>;

    iuiTree(const cmcCellContext& context, std::string stem, IconTable icons,
            BankEntries entries = {}, cmcEvMan* events = nullptr, int32_t hostId = 0);

    // Gives every bank node the icon of its bank's state; other nodes keep
    // theirs, and the selected icon is never changed.
    void RefreshNodes();

    // The bank kind of a sheet key: 0 memory channels, 2 address list, 3 other.
    static int32_t BankKind(std::string_view sheetKey);

private:
    void RefreshNode(cuiTreeNode& node);

    IconTable m_icons;
    BankEntries m_entries;
};
