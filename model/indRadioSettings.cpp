#include "model/indRadioSettings.h"

#include <cstring>

#include "model/cmcChType.h"
#include "model/cmcEeprom.h"
#include "model/datCh.h"
#include "model/indImageMap.h"

namespace imap = indImageMap;

namespace {

std::string NameText(const uint8_t* bytes) {
    const void* end = std::memchr(bytes, 0, imap::kNameTextBytes);
    size_t length = end != nullptr ? static_cast<size_t>(static_cast<const uint8_t*>(end) - bytes)
                                   : static_cast<size_t>(imap::kNameTextBytes);
    return std::string(reinterpret_cast<const char*>(bytes), length);
}

}  // namespace

indRadioSettings indRadioSettings::Read(cmcEeprom& image) {
    indRadioSettings s;
    s.makerId = image.GetByte(imap::kOwnMakerId);
    s.individualNo = image.GetDword(imap::kOwnIndividualNo);
    uint8_t ownName[imap::kNameBytes] = {};
    for (int32_t i = 0; i < imap::kNameBytes; ++i) {
        ownName[i] = image.GetByte(imap::kOwnName + i);
    }
    s.name = NameText(ownName);
    s.txMyName = (image.GetByte(imap::kTxMyName) & imap::kTxMyNameBit) != 0 ? 1 : 0;

    datCh record(&image);
    for (int32_t i = 0; i < imap::Indv::kCount; ++i) {
        record.Load(cmcChType::kIndvList, static_cast<uint32_t>(i));
        s.individuals.push_back(
            {i + 1, record.valid != 0 ? 1 : 0, NameText(record.name), record.id, record.number});
    }
    for (int32_t i = 0; i < imap::Grp::kCount; ++i) {
        record.Load(cmcChType::kGrpList, static_cast<uint32_t>(i));
        s.groups.push_back({record.id, NameText(record.name)});
    }
    return s;
}
