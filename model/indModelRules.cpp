#include "model/indModelRules.h"

#include "files/FileErr.h"
#include "model/cmcChType.h"
#include "model/cmcEeprom.h"
#include "model/datCh.h"

namespace indModelRules {

namespace {

struct SelectorRange {
    int selector;
    AddrRange range;
};

// Files hold 0x0000-0x0B73; the clone write leaves out the first 0x02BC bytes
// and the last four of that span.
constexpr AddrRange kFileSpan = {0x0000, 0x0B73};
constexpr SelectorRange kRanges[] = {
    {0, kFileSpan},        {1, {0x02BC, 0x0B73}}, {2, {0x02BC, 0x0B6F}}, {3, {0x09EC, 0x0B73}},
    {4, {0x09EC, 0x0B73}}, {5, kFileSpan},        {6, kFileSpan},
};

void MarkAllGroupsValid(cmcEeprom& image) {
    datCh record(&image);
    for (int32_t i = 0; i < indImageMap::Grp::kCount; ++i) {
        uint32_t entry = static_cast<uint32_t>(i);
        record.Load(cmcChType::kGrpList, entry);
        record.valid = 1;
        record.id = static_cast<uint16_t>(i + 1);
        record.Store(cmcChType::kGrpList, entry);
        indImageMap::BitPosition bit = indImageMap::GroupValidBit(i);
        image.SetByte(bit.address, static_cast<uint8_t>(image.GetByte(bit.address) | bit.mask));
    }
}

}  // namespace

AddrRangeList GetRangeList(int selector) {
    for (const SelectorRange& entry : kRanges) {
        if (entry.selector == selector) {
            return {entry.range, kAddrRangeEnd};
        }
    }
    return {kFileSpan, kAddrRangeEnd};
}

bool CheckFileModel(uint32_t model, uint32_t extra, int& result) {
    if (model != kModelCode) {
        result = FileErr::kModel;
        return false;
    }
    if (extra != kExtraCode) {
        result = FileErr::kExtra;
        return false;
    }
    return true;
}

bool CheckMapRev(int32_t mapRev) {
    return mapRev < 2;
}

bool CheckLoadedImage(const cmcEeprom& image) {
    int32_t at = indImageMap::kModelCodeWord;
    return image.IsValidAddress(at + 1) && image.GetWord(at) == kModelCode;
}

void AfterLoad(cmcEeprom& image) {
    MarkAllGroupsValid(image);
}

void BeforeSave(cmcEeprom& image) {
    image.SetWord(indImageMap::kModelCodeWord, kModelCode);
    image.SetByte(indImageMap::kSetModePermit, 0xFF);
    MarkAllGroupsValid(image);
}

}  // namespace indModelRules
