#include "model/iuiSh_ChBank.h"

#include "model/cmcChType.h"
#include "text/cmcGTex.h"
#include "util/cmcStr.h"

namespace {

int32_t KindOf(const std::string& name) {
    if (name == "GI_Sheet_Mch_Dig" || name == "GI_Sheet_Mch_Ana") {
        return iuiSh_ChBank::kMemoryChannels;
    }
    if (name == "GI_Sheet_Alist_Indv" || name == "GI_Sheet_Alist_Grp") {
        return iuiSh_ChBank::kAddressList;
    }
    return iuiSh_ChBank::kOther;
}

}  // namespace

iuiSh_ChBank::iuiSh_ChBank(const cmcCellContext& cells, const cmcCellCapsule* parentCapsule,
                           int32_t focusLink, int32_t focusIndex, std::string name, void* context)
    : cuiSheet(cells, parentCapsule, focusLink, focusIndex, name, context), m_kind(KindOf(name)) {}

void iuiSh_ChBank::SetParameter(const std::string& text) {
    cuiSheet::SetParameter(text);
    const std::string_view word = "Bank";
    if (text.compare(0, word.size(), word) != 0) {
        return;
    }
    m_bank = cmcStr::AtoI(std::string_view(text).substr(word.size()));
    if (m_kind == kAddressList) {
        m_bank -= 2;
    }
    const auto chType = static_cast<uint32_t>(m_kind);
    m_firstIndex = static_cast<int32_t>(cmcChType::GetBankFirst(chType, m_bank));
    m_entryCount = static_cast<int32_t>(cmcChType::GetBankSize(chType, m_bank));
}

void iuiSh_ChBank::ApplyCommand(std::string_view item) {
    const bool countless = item.substr(0, 8) == "LoopFrom" &&
                           item.find_first_of("0123456789") == std::string_view::npos;
    if (!countless) {
        cuiSheet::ApplyCommand(item);
        return;
    }
    // One row per entry of the bank, and a spare one to type into on screen.
    Loop().start = LayoutLine();
    Loop().count = Printing() ? m_entryCount : m_entryCount + 1;
    m_loopStartRow = GridRows();
    Variables()[0] = m_firstIndex;
}

std::string iuiSh_ChBank::GetTitle() const {
    if (m_kind != kMemoryChannels && m_kind != kAddressList) {
        return cuiSheet::GetTitle();
    }
    const std::string head =
        Table().GetLine("GI_AppInd_MchSheet_Printer_Head", m_kind == kMemoryChannels ? 0 : 1);
    return cmcStr::Format("%s : %s %s", head.c_str(), cuiSheet::GetTitle().c_str(),
                          Parameter().c_str());
}
