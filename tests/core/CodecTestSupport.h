#pragma once
// A text table with the choice lists and texts the codec and CSV tests use,
// and the choice-list cache over it, installed for the codecs.
#include <string>
#include <vector>

#include "CellTestSupport.h"
#include "model/indLinkNames.h"
#include "sheet/cmcFCache.h"
#include "text/cmcGTex.h"

namespace codectest {

using celltest::Sj;

inline std::vector<std::string> CodecLines() {
    return {
        "#GI_AppInd_DigitOff", "OFF", Sj("無制限"), Sj("直前のチャンネル"),
        "#GI_Sheet_Sel_Permit_Flag_Cells", Sj("{S(%Flex0[0]:)}無効 \\_"), Sj("{S(%Flex0[1]:○)}有効"),
        "#GI_Sheet_Sel_Enable_Cells", Sj("{S(%Flex0[1])}有効"), Sj("{S(%Flex0[0])}無効"),
        "#GI_Sheet_Sel_Mch_Dig_CallMode_Cells", "{S(%Flex2[0])}A", "{S(%Flex2[3])}B", "{S(%Flex2[2])}C",
        "{S(%Flex2[1])}D",
        // two columns with a separator between them and a remark that is no entry
        "#GI_Sheet_Sel_TwoCol_Cells", "{S(%Flex0[0])}a|{($iSp)!W}|{S(%Flex0[3])}d",
        "{S(%Flex0[1])}b|{($iSp)!W}|{S(%Flex0[4])}e", "{S(%Flex0[2])}c|{($iSp)!W}|{T}tip",
        "#GI_Sheet_Sel_Sixteen_Cells", "{S(%Flex0[0])}0", "{S(%Flex0[1])}1", "{S(%Flex0[2])}2",
        "{S(%Flex0[3])}3", "{S(%Flex0[4])}4", "{S(%Flex0[5])}5", "{S(%Flex0[6])}6", "{S(%Flex0[7])}7",
        "{S(%Flex0[8])}8", "{S(%Flex0[9])}9", "{S(%Flex0[10])}10", "{S(%Flex0[11])}11",
        "{S(%Flex0[12])}12", "{S(%Flex0[13])}13", "{S(%Flex0[14])}14", "{S(%Flex0[15])}15",
        "#GI_Sheet_Sel_Big_Cells", "{S(%Flex1[382687500])}382.6875", "{S(%Flex1[-3])}\\_G1",
        "#GI_Sheet_Sel_End",
    };
}

// Owns the table, the names and the installed cache.
class CodecWorld {
public:
    explicit CodecWorld(const std::vector<std::string>& extra = {}) {
        std::vector<std::string> lines = CodecLines();
        lines.insert(lines.end(), extra.begin(), extra.end());
        table.SetLines(celltest::TableWith(lines));
        cmcFCache::Install(&cache);
    }
    int32_t Flex(const char* name) const { return names.LinkId(name); }

    cmcGTex table;
    indLinkNames names;
    cmcCellContext context{table, names};
    cmcFCache cache{context};
};

}  // namespace codectest
