#include "model/datCh.h"

#include "runtime/cmcEvMan.h"
#include "model/cmcChType.h"
#include "model/cmcEeprom.h"
#include "model/cmcFieldCodec.h"
#include "model/indImageMap.h"
#include "sheet/cmcCellCapsule.h"
#include "util/cmcStr.h"

namespace imap = indImageMap;

namespace {

// Only the individual and the group list have records; an index beyond its
// list names none.
bool HasRecord(uint32_t type, uint32_t entry) {
    return (type == cmcChType::kIndvList && entry < uint32_t{imap::Indv::kCount}) ||
           (type == cmcChType::kGrpList && entry < uint32_t{imap::Grp::kCount});
}

static_assert(sizeof(datCh::Report) == 28, "event 25 carries exactly 28 bytes");

constexpr size_t kIndvFields = 4;
constexpr size_t kGrpFields = 2;
constexpr int32_t kMakerIdMax = 127;
constexpr int32_t kIndvNumberMax = 0x1FFFFF;
constexpr int kResultFormat = 6;
constexpr int kResultEntryNumber = 10;

cmcCellCapsule Committed(const std::string& text) {
    cmcCellCapsule request;
    request.origin = cmcCellCapsule::kOriginEditor;
    request.request = cmcCellCapsule::kRequestEnter;
    request.inText = text;
    return request;
}

// The name as a row shows it: up to its end, control bytes as blanks.
std::string NameText(const uint8_t* name) {
    std::string text;
    for (int32_t i = 0; i < imap::kNameBytes && name[i] != 0; ++i) {
        const uint8_t b = name[i];
        text += static_cast<char>(b < 0x20 || b == 0x7F ? ' ' : b);
    }
    return text;
}

// The report code for a number field: the value is taken as a typed commit
// would take it.
int32_t ImportNumber(const std::string& field, int32_t max, int32_t& value) {
    if (field.empty()) {
        return 0;
    }
    int32_t taken = value, outResult = 0;
    cmcCellCapsule request = Committed(field);
    if (cmcFieldCodec::NumberField(request, taken, 0, max, 0, outResult) == 0) {
        return datCh::kReportIllegalInput;
    }
    value = taken;
    return cmcStr::Format("%d", value) == field ? 0 : datCh::kReportAdjusted;
}

// A field that is not a number reads as 0, and numbers up to 0 name no
// entry, so both give an index before the list's first.
int32_t EntryIndex(const std::string& field) {
    const int32_t number = cmcStr::Decimal(field).value_or(0);
    return number > 0 ? number - 1 : -1;
}

}  // namespace

std::vector<std::string> datCh::ExportRow() const {
    if (chType != cmcChType::kIndvList && chType != cmcChType::kGrpList) {
        return {};
    }
    std::vector<std::string> row = {std::to_string(index + 1), NameText(name)};
    if (chType == cmcChType::kIndvList) {
        row.push_back(std::to_string(id));
        row.push_back(std::to_string(number));
    }
    return row;
}

int32_t datCh::ImportRow(uint32_t type, const std::vector<std::string>& fields, cmcEvMan& events) {
    const bool indv = type == cmcChType::kIndvList;
    if (!indv && type != cmcChType::kGrpList) {
        return kResultFormat;
    }
    const int32_t entry = fields.empty() ? -1 : EntryIndex(fields[0]);
    const cmcChType::Range range = cmcChType::GetRange(type);
    if (entry < static_cast<int32_t>(range.first) || entry > static_cast<int32_t>(range.last)) {
        return kResultEntryNumber;
    }
    if (fields.size() != (indv ? kIndvFields : kGrpFields)) {
        return kResultFormat;
    }
    Load(type, static_cast<uint32_t>(entry));
    auto report = [&](int32_t column, int32_t code) {
        if (code != 0) {
            Report r;
            r.chType = static_cast<int32_t>(type);
            r.index = entry;
            r.column = column;
            r.code = code;
            events.SendData(kReportEvent, &r, sizeof(r));
        }
    };
    ImportName(fields[1]);
    report(1, NameText(name) == fields[1] ? 0 : kReportAdjusted);
    if (indv) {
        int32_t maker = id;
        int32_t individual = static_cast<int32_t>(number);
        report(2, ImportNumber(fields[2], kMakerIdMax, maker));
        report(3, ImportNumber(fields[3], kIndvNumberMax, individual));
        id = static_cast<uint16_t>(maker);
        number = static_cast<uint32_t>(individual);
    }
    Store(type, static_cast<uint32_t>(entry));
    return 0;
}

void datCh::ImportName(const std::string& field) {
    // Byte 12 always ends the stored name, so the codec works on the twelve
    // before it and never leaves half a double-byte character there.
    cmcCellCapsule request = Committed(field);
    int32_t outResult = 0;
    cmcFieldCodec::TextField(request, name, imap::kNameTextBytes, true, outResult);
    name[imap::kNameTextBytes] = 0;
}

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
