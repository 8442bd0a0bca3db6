#include "model/indActiveCellFields.h"

#include <array>

#include "model/cmcChType.h"
#include "model/cmcEeprom.h"
#include "model/cmcFieldCodec.h"
#include "model/datCh.h"
#include "model/indActiveCell.h"
#include "model/indActiveCellIds.h"
#include "model/indDocHost.h"
#include "model/indImageMap.h"
#include "sheet/cmcCellCapsule.h"
#include "sheet/cmcCellObj.h"
#include "text/cmcGTex.h"
#include "util/cmcStr.h"

namespace ids = indActiveCellIds;
namespace map = indImageMap;

namespace {

constexpr int32_t kMakerIdMax = 127;
constexpr int32_t kIndvNoMax = 2097151;
constexpr int32_t kGroupIdMax = 63;
constexpr int32_t kShownIdMax = 65535;
constexpr int32_t kFlex0 = ids::kFlex0;
constexpr uint32_t kBlackText = 0x000000;
constexpr const char* kPermitList = "GI_Sheet_Sel_Permit_Flag";
constexpr const char* kTxMyNameList = "GI_Sheet_Sel_TxMyName";

// Bits of the setting-mode byte, CL_SetMode_MicGain first.
constexpr std::array<int32_t, 8> kSetModeBits = {6, 0, 4, 2, 3, 1, 5, 7};

bool IsIdListNumber(int32_t link) {
    switch (link) {
        case ids::kIdListId:
        case ids::kIdListIdProhibitSelfId:
        case ids::kIdListIdProhibitGpsEmerId:
        case ids::kIdListVoiceId:
        case ids::kIdListVoiceIdProhibitGpsEmerId:
        case ids::kIdListDataId:
        case ids::kIdListDataIdProhibitSelfId:
            return true;
        default:
            return false;
    }
}

}  // namespace

int32_t indActiveCellFields::SetModeBit(int32_t link) {
    if (link < ids::kSetModeFirst || link > ids::kSetModeLast) {
        return -1;
    }
    return kSetModeBits[static_cast<size_t>(link - ids::kSetModeFirst)];
}

bool indActiveCellFields::Answer(int& result) {
    int32_t link = m_request.cell->link;
    int32_t index = m_request.cell->index;
    uint32_t bankStart = cmcChType::GetBankFirst(cmcChType::kGrpList, 0);
    switch (link) {
        case ids::kDigCallSelfId:
            result = SelfId();
            return true;
        case ids::kDigCallSelfIdMakerId:
            result = OwnNumber(map::kOwnMakerId, 1, kMakerIdMax);
            return true;
        case ids::kDigCallSelfIdIndvId:
            result = OwnNumber(map::kOwnIndividualNo, 4, kIndvNoMax);
            return true;
        case ids::kDigCallSelfName:
            result = OwnName();
            return true;
        case ids::kDigCallTxMyName:
            result = ImageBit(map::kTxMyName, map::kTxMyNameBit, kTxMyNameList);
            return true;
        case ids::kIndvListName:
        case ids::kGrpListName:
            result = RecordName();
            return true;
        case ids::kIndvListValid:
            result = IndvValid();
            return true;
        case ids::kIndvListIndvNo:
            result = RecordNumber(kIndvNoMax);
            return true;
        case ids::kIndvListMakerId:
            result = RecordNumber(kMakerIdMax);
            return true;
        case ids::kGrpListId:
            ReadOnlyLook(kBlackText);
            result = ShownNumber(m_record.id, kGroupIdMax);
            return true;
        case ids::kGrpListNameDisp:
            m_record.Load(cmcChType::kGrpList, bankStart + static_cast<uint32_t>(index));
            result = ShownText(m_record.name, map::kNameBytes, false);
            return true;
        case ids::kGrpListIdDisp:
            m_record.Load(cmcChType::kGrpList, bankStart + static_cast<uint32_t>(index));
            result = ShownNumber(m_record.id, kShownIdMax);
            return true;
        case ids::kIdListName:
            m_record.Load(cmcChType::kIndvList, static_cast<uint32_t>(index));
            result = ShownText(m_record.name, map::kNameBytes, true);
            return true;
        default:
            break;
    }
    if (IsIdListNumber(link)) {
        m_record.Load(cmcChType::kIndvList, static_cast<uint32_t>(index));
        result = ShownNumber(m_record.id, kShownIdMax);
        return true;
    }
    int32_t bit = SetModeBit(link);
    if (bit >= 0) {
        result = ImageBit(map::kSetModePermit, static_cast<uint8_t>(1u << bit), kPermitList);
        return true;
    }
    return false;
}

// The device ID row only shows; it never edits, whatever key arrives.
int indActiveCellFields::SelfId() {
    ReadOnlyLook(indActiveCell::kGrey);
    const cmcEeprom& image = m_host.CurrentImage();
    m_request.outText = cmcStr::Format("%3d-%7u", image.GetByte(map::kOwnMakerId),
                                       image.GetDword(map::kOwnIndividualNo));
    return 0;
}

int indActiveCellFields::OwnNumber(int32_t address, int32_t width, int32_t max) {
    cmcEeprom& image = m_host.CurrentImage();
    int32_t value =
        width == 1 ? image.GetByte(address) : static_cast<int32_t>(image.GetDword(address));
    int result = 0;
    if (cmcFieldCodec::NumberField(m_request, value, 0, max, 0, result) != 0) {
        if (width == 1) {
            image.SetByte(address, static_cast<uint8_t>(value));
        } else {
            image.SetDword(address, static_cast<uint32_t>(value));
        }
    }
    return result;
}

int indActiveCellFields::OwnName() {
    cmcEeprom& image = m_host.CurrentImage();
    uint8_t name[map::kNameBytes] = {};
    image.GetBlock(map::kOwnName, name, map::kNameBytes);
    int result = 0;
    // The 13th byte goes back as it was read.
    if (cmcFieldCodec::TextField(m_request, name, map::kNameTextBytes, true, result) != 0) {
        image.SetBlock(map::kOwnName, name, map::kNameBytes);
    }
    return result;
}

// A choice on one bit of an image byte; the byte's other bits stay.
int indActiveCellFields::ImageBit(int32_t address, uint8_t mask, const char* list) {
    cmcEeprom& image = m_host.CurrentImage();
    uint8_t byte = image.GetByte(address);
    int32_t value = (byte & mask) != 0 ? 1 : 0;
    int result = 0;
    if (Choice(list, value, result) != 0) {
        byte = static_cast<uint8_t>((value & 1) != 0 ? (byte | mask) : (byte & ~mask));
        image.SetByte(address, byte);
    }
    return result;
}

int indActiveCellFields::RecordName() {
    int result = 0;
    if (cmcFieldCodec::TextField(m_request, m_record.name, map::kNameTextBytes, true, result) !=
        0) {
        Changed(true);
    }
    return result;
}

int indActiveCellFields::RecordNumber(int32_t max) {
    bool maker = m_request.cell->link == ids::kIndvListMakerId;
    int32_t value = maker ? m_record.id : static_cast<int32_t>(m_record.number);
    int result = 0;
    if (cmcFieldCodec::NumberField(m_request, value, 0, max, 0, result) != 0) {
        if (maker) {
            m_record.id = static_cast<uint16_t>(value);
        } else {
            m_record.number = static_cast<uint32_t>(value);
        }
        Changed(true);
    }
    return result;
}

int indActiveCellFields::IndvValid() {
    int32_t value = m_record.valid;
    int result = 0;
    if (Choice(kPermitList, value, result) != 0) {
        m_record.valid = static_cast<uint8_t>(value);
        Changed(false);
    }
    return result;
}

// Display-only fields: the codec formats the value but never edits it.
int indActiveCellFields::ShownNumber(int32_t value, int32_t max) {
    cmcCellCapsule shown = m_request;
    shown.editHost = nullptr;
    shown.origin = cmcCellCapsule::kOriginPlain;
    int result = 0;
    cmcFieldCodec::NumberField(shown, value, 0, max, 0, result);
    m_request.outText = shown.outText;
    return 0;
}

int indActiveCellFields::ShownText(uint8_t* name, int32_t length, bool nameCodec) {
    cmcCellCapsule shown = m_request;
    shown.editHost = nullptr;
    shown.origin = cmcCellCapsule::kOriginPlain;
    int result = 0;
    if (nameCodec) {
        cmcFieldCodec::NameField(shown, name, length, true, false, result);
    } else {
        cmcFieldCodec::TextField(shown, name, length, true, result);
    }
    m_request.outText = shown.outText;
    return 0;
}

int indActiveCellFields::Choice(const char* list, int32_t& value, int& result) {
    return cmcFieldCodec::ChoiceField(m_request, list, kFlex0, value, result);
}

// Shows the cell as not editable: the read-only flag, the text colour, and
// the key dropped so that nothing edits and nothing counts as a change.
void indActiveCellFields::ReadOnlyLook(uint32_t color) {
    cmcCellObj& cell = *m_request.cell;
    cell.userFlags |= indActiveCell::kFlagReadOnly;
    const cmcFont* font = cell.EffectiveFont();
    cmcFont look = font != nullptr ? *font : cmcFont{};
    look.color = color;
    cell.font = look;
    m_request.request = cmcCellCapsule::kRequestQuery;
}

void indActiveCellFields::Changed(bool makeValid) {
    if (makeValid && m_record.valid == 0) {
        m_record.valid = 1;
    }
    m_record.StoreAndReload();
}
