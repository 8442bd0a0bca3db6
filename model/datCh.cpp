#include "model/datCh.h"

#include "model/cmcChType.h"
#include "model/cmcEeprom.h"
#include "model/indImageMap.h"

namespace imap = indImageMap;

namespace {

// Only the individual and the group list have records; an index beyond its
// list names none.
bool HasRecord(uint32_t type, uint32_t entry) {
    return (type == cmcChType::kIndvList && entry < uint32_t{imap::Indv::kCount}) ||
           (type == cmcChType::kGrpList && entry < uint32_t{imap::Grp::kCount});
}

}  // namespace

void datCh::Load(uint32_t type, uint32_t entry) {
    cmcEeprom* keep = image;
    *this = datCh(keep);
    chType = type;
    index = entry;
    if (image == nullptr || !HasRecord(chType, index)) {
        return;
    }
    chType == cmcChType::kIndvList ? LoadIndv() : LoadGrp();
}

void datCh::Store(uint32_t type, uint32_t entry) {
    if (type != 0) {
        chType = type;
    }
    index = entry;
    if (image == nullptr || !HasRecord(chType, index)) {
        return;
    }
    chType == cmcChType::kIndvList ? StoreIndv() : StoreGrp();
}

void datCh::LoadIndv() {
    int32_t base = imap::IndvRecord(static_cast<int32_t>(index));
    ReadName(base + imap::Indv::kName);
    valid = image->GetByte(base + imap::Indv::kValid);
    id = image->GetByte(base + imap::Indv::kMakerId);
    number = image->GetDword(base + imap::Indv::kNumber);
}

void datCh::LoadGrp() {
    int32_t base = imap::GrpRecord(static_cast<int32_t>(index));
    ReadName(base + imap::Grp::kName);
    uint8_t idByte = image->GetByte(base + imap::Grp::kIdByte);
    id = static_cast<uint16_t>((idByte & imap::Grp::kIdMask) >> 1);
    imap::BitPosition bit = imap::GroupValidBit(static_cast<int32_t>(index));
    valid = (image->GetByte(bit.address) & bit.mask) != 0 ? 1 : 0;
}

void datCh::StoreIndv() {
    int32_t base = imap::IndvRecord(static_cast<int32_t>(index));
    WriteName(base + imap::Indv::kName);
    image->SetByte(base + imap::Indv::kMakerId, static_cast<uint8_t>(id));
    image->SetDword(base + imap::Indv::kNumber, number);
    image->SetByte(base + imap::Indv::kValid, valid);
}

void datCh::StoreGrp() {
    int32_t base = imap::GrpRecord(static_cast<int32_t>(index));
    WriteName(base + imap::Grp::kName);
    // The radio finds a group by its position: the stored ID always follows it.
    id = static_cast<uint16_t>(index + 1);
    int32_t at = base + imap::Grp::kIdByte;
    uint8_t kept = image->GetByte(at) & imap::Grp::kIdKeptBit;
    uint8_t idBits = static_cast<uint8_t>((id << 1) & imap::Grp::kIdMask);
    image->SetByte(at, static_cast<uint8_t>(kept | idBits | imap::Grp::kIdFixedBit));
}

void datCh::ReadName(int32_t address) {
    for (int32_t i = 0; i < imap::kNameBytes; ++i) {
        name[i] = image->GetByte(address + i);
    }
}

void datCh::WriteName(int32_t address) {
    for (int32_t i = 0; i < imap::kNameBytes; ++i) {
        image->SetByte(address + i, name[i]);
    }
    // The radio relies on a terminated name, whatever the buffer held.
    image->SetByte(address + imap::kNameTextBytes, 0);
}
