#include "model/iuiTree.h"

#include <utility>

#include "util/cmcStr.h"

namespace {

constexpr std::string_view kBankClass = "[St_ChBank]";
constexpr std::string_view kBankWord = "Bank";
constexpr int32_t kBankCount = 4;

}  // namespace

iuiTree::iuiTree(const cmcCellContext& context, std::string stem, IconTable icons,
                 BankEntries entries, cmcEvMan* events, int32_t hostId)
    : cuiTree(context, std::move(stem), events, hostId),
      m_icons(icons),
      m_entries(std::move(entries)) {}

int32_t iuiTree::BankKind(std::string_view sheetKey) {
    if (sheetKey == "GI_Sheet_Mch_Dig" || sheetKey == "GI_Sheet_Mch_Ana") {
        return 0;
    }
    if (sheetKey == "GI_Sheet_Alist_Indv" || sheetKey == "GI_Sheet_Alist_Grp") {
        return 2;
    }
    return 3;
}

void iuiTree::RefreshNodes() {
    const auto& top = TopNodes();
    for (auto it = top.rbegin(); it != top.rend(); ++it) {
        RefreshNode(**it);
    }
}

void iuiTree::RefreshNode(cuiTreeNode& node) {
    for (auto it = node.children.rbegin(); it != node.children.rend(); ++it) {
        RefreshNode(**it);
    }
    std::string_view reference = node.Argument();
    if (!reference.starts_with(kBankClass)) {
        return;
    }
    reference.remove_prefix(kBankClass.size());
    const size_t comma = reference.find(',');
    if (comma == std::string_view::npos) {
        return;
    }
    const std::string_view sheetKey = reference.substr(0, comma);
    const std::string_view parameters = reference.substr(comma + 1);
    if (!parameters.starts_with(kBankWord)) {
        return;
    }
    const int32_t kind = BankKind(sheetKey);
    int32_t bank = cmcStr::AtoI(parameters.substr(kBankWord.size()));
    if (kind == 2) {
        bank -= 2;
    }
    const bool valid = bank >= 0 && bank < kBankCount;
    const bool hasEntries = valid && m_entries && m_entries(bank, kind) > 0;
    node.imageIndex = m_icons[(valid ? 2 : 0) + (hasEntries ? 1 : 0)];
}
