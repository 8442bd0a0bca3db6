#pragma once
#include <cstdint>
#include <string>

#include "sheet/cuiSheet.h"

// The sheet class a "[St_ChBank]" request names: one bank of a banked list.
// Its loop without a count repeats once per entry of the bank, plus a spare
// row on screen. This radio's banks are empty and no tree node opens one.
class iuiSh_ChBank : public cuiSheet {
public:
    enum BankKind : int32_t { kMemoryChannels = 0, kAddressList = 2, kOther = 3 };

    iuiSh_ChBank(const cmcCellContext& cells, const cmcCellCapsule* parentCapsule,
                 int32_t focusLink, int32_t focusIndex, std::string name, void* context);

    void SetParameter(const std::string& text) override;
    std::string GetTitle() const override;

    int32_t Kind() const { return m_kind; }
    int32_t Bank() const { return m_bank; }
    int32_t FirstIndex() const { return m_firstIndex; }
    int32_t EntryCount() const { return m_entryCount; }
    int32_t LoopStartRow() const { return m_loopStartRow; }

protected:
    void ApplyCommand(std::string_view item) override;

private:
    int32_t m_kind;
    int32_t m_loopStartRow = -1;
    int32_t m_bank = 0;
    int32_t m_firstIndex = 0;
    int32_t m_entryCount = 0;
};
