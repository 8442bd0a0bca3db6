#include "model/indActiveCell.h"

#include "model/cmcChType.h"
#include "model/datClipCh.h"
#include "model/indActiveCellCanvas.h"
#include "model/indActiveCellFields.h"
#include "model/indActiveCellIds.h"
#include "model/indActiveCellRows.h"
#include "model/indDocHost.h"
#include "model/indLinkNames.h"
#include "runtime/cmcEvMan.h"
#include "sheet/cmcCellCapsule.h"
#include "sheet/cmcCellObj.h"
#include "text/cmcGTex.h"
#include "util/cmcStr.h"

namespace ids = indActiveCellIds;

namespace {

constexpr int32_t kCategoryPopupMenu = 1;
constexpr uint32_t kAddrList = 5;
// The pop-up states count rows up to this fixed limit, whatever the list.
constexpr int32_t kPopupRowLimit = 30;
constexpr uint16_t kThisModelCode = 0x4001;

// Line 0 names entry 0, the radio's own system; line 1 is the pattern for
// the support entries after it.
std::string ChannelName(cmcGTex& table, int32_t index) {
    if (index == 0) {
        return table.GetLine("GI_AppInd_ChNo0Base", 0);
    }
    return cmcStr::Format(table.GetLine("GI_AppInd_ChNo0Base", 1).c_str(), index);
}

bool IsListWithRows(uint32_t chType) {
    return chType == kAddrList || chType == cmcChType::kIndvList || chType == cmcChType::kGrpList;
}

}  // namespace

const cmcCellNames& indActiveCell::Names() {
    static const indLinkNames names;
    return names;
}

int32_t indActiveCell::CategoryId(std::string_view name) {
    return Names().CategoryId(name);
}

int32_t indActiveCell::LinkId(std::string_view name) {
    return Names().LinkId(name);
}

uint32_t indActiveCell::ChTypeOf(int32_t category) {
    return indLinkNames::ChTypeOf(category);
}

cmcCellLink indActiveCell::LinkFor(indDocHost& host) {
    return [&host](cmcCellCapsule& request, bool action) {
        return indActiveCell(host).Handle(request, action);
    };
}

int indActiveCell::HandleForCell(cmcCellObj& cell, int32_t requestCode) {
    cmcCellCapsule request;
    request.cell = &cell;
    request.request = requestCode;
    return Handle(request, false);
}

int indActiveCell::Handle(cmcCellCapsule& request, bool action) {
    cmcCellObj& cell = *request.cell;
    datCh record(&m_host.CurrentImage());
    uint32_t chType = ChTypeOf(cell.category);
    if (request.request == cmcCellCapsule::kRequestClick) {
        request.request = cmcCellCapsule::kRequestEnter;
    }
    request.outText.clear();
    request.state &= ~(cmcCellCapsule::kStateWarning | cmcCellCapsule::kStateError);
    request.moveCategory = cell.category;
    request.moveLink = cell.link;
    request.moveIndex = cell.index;
    if (chType != 0) {
        record.Load(chType, static_cast<uint32_t>(cell.index));
    }
    bool commandRan = RunPopupCommand(request, record, chType);
    if (cell.category == kCategoryPopupMenu && request.parent != nullptr &&
        request.parent->cell != nullptr) {
        // A pop-up item judges the cell whose menu it is.
        const cmcCellObj& owner = *request.parent->cell;
        record.Load(ChTypeOf(owner.category), static_cast<uint32_t>(owner.index));
    }
    int result = commandRan ? 0 : Dispatch(request, record);
    uint32_t mask = kRepaintSameLink | (record.chType != 0 ? kRepaintSameRow : 0);
    if (action && request.invalidate) {
        request.invalidate(request, mask);
    }
    if (request.request != 0 || request.origin != 0 || request.command != 0) {
        m_host.RestartChangeTimer();
        m_host.TestModified();
    }
    return result;
}

bool indActiveCell::RunPopupCommand(cmcCellCapsule& request, datCh& record, uint32_t chType) {
    if (request.command == ids::kPMenuEdit) {
        request.request = cmcCellCapsule::kRequestEnter;
        request.command = 0;
        return false;
    }
    indActiveCellRows rows(m_host);
    if (!rows.Run(request.command, request, chType)) {
        return false;
    }
    bool shifted = request.command == ids::kPMenuCarryUp ||
                   request.command == ids::kPMenuCarryDown || request.command == ids::kPMenuDelete;
    if (shifted && chType == 8) {
        m_host.Events().Send(indActiveCellRows::kEvRefreshAll, 0, 0);
    }
    record.Reload();
    return true;
}

int indActiveCell::Dispatch(cmcCellCapsule& request, datCh& record) {
    int32_t link = request.cell->link;
    if (link == ids::kNull || link == cmcCellObj::kNoLink) {
        return 0;
    }
    if (AnswerDisplay(request) || AnswerInfo(request) || AnswerCommand(request) ||
        AnswerPopupItem(request, record)) {
        return 0;
    }
    int result = 0;
    if (indActiveCellFields(m_host, request, record).Answer(result)) {
        return result;
    }
    switch (link) {
        case ids::kGrpListValid:
        case ids::kGrpListTxSelCallVoiceDisp:
        case ids::kGrpListTxSelCallDataDisp:
        case ids::kGrpListGpsDisp:
        case ids::kDigCallReplyType:
        case ids::kDigCallReplyWaitTime:
        case ids::kDigCallReSendNum:
            return 0;  // these answer with nothing at all
        default:
            break;
    }
    request.outText = cmcStr::Format("%d *Yet*", link);
    return 0;
}

// Links that show a text of their own or of their index.
bool indActiveCell::AnswerDisplay(cmcCellCapsule& request) {
    const cmcCellObj& cell = *request.cell;
    int32_t index = cell.index;
    switch (cell.link) {
        case ids::kFlex0:
        case ids::kFlex1:
        case ids::kFlex2:
        case ids::kFlex3:
        case ids::kFlexMark:
        case ids::kFlexAfterConvDisp:
        case ids::kFlexDigKey:
            request.outText = std::string(cell.DisplayText());
            return true;
        case ids::kMiscNo0Base:
            request.outText = cmcStr::Format("%d", index);
            return true;
        case ids::kMiscNo1Base:
        case ids::kMiscChNo1Base:
            request.outText = cmcStr::Format("%d", index + 1);
            return true;
        case ids::kMiscNoNBase:
            request.outText = cmcStr::Format("%d", index - 64);
            return true;
        case ids::kMiscChNo0Base:
            request.outText = ChannelName(m_host.Table(), index);
            return true;
        case ids::kMiscSChNo1Base:
            request.outText = cmcStr::Format("S%d", index - 29);
            return true;
        case ids::kMiscQuarterPillar:
            DrawQuarterPillar(request);
            return true;
        case ids::kMchNo:
            request.outText = cmcStr::Format("%3d", index + 1);
            return true;
        case ids::kMchNoI:
        case ids::kMchNoG:
            request.outText = cmcStr::Format("%2d", index + 1);
            return true;
        default:
            return false;
    }
}

// The program's and the radio's identification.
bool indActiveCell::AnswerInfo(cmcCellCapsule& request) {
    cmcGTex& table = m_host.Table();
    const indDocHost::RadioInfo& info = m_host.RadioInformation();
    switch (request.cell->link) {
        case ids::kAppInfoTitle:
            request.outText = table.GetLine("GI_Sys_AppTitle", 0);
            return true;
        case ids::kAppInfoRevision:
            request.outText = "Revision " + m_host.RevisionText();
            return true;
        case ids::kAppInfoSubTitle:
            request.outText =
                cmcStr::Format(table.GetLine("GI_AppInd_SubTitle", 0).c_str(),
                               table.GetLine("GI_AppInd_Model", m_host.ModelIndex()).c_str());
            return true;
        case ids::kCloneInfoModel:
            request.outText =
                table.GetLine("GI_AppInd_Model", m_host.RadioModelCode() == kThisModelCode ? 0 : 2);
            return true;
        case ids::kCloneInfoModelNo:
        case ids::kCloneInfoExtraNo: {
            uint16_t code = request.cell->link == ids::kCloneInfoModelNo ? m_host.RadioModelCode()
                                                                         : m_host.RadioExtraCode();
            request.outText = cmcStr::Format("%02X%02X", code >> 8, code & 0xFF);
            return true;
        }
        case ids::kCloneInfoRevision:
            request.outText = cmcStr::Format("%X.%X", info[1], info[2] >> 4);
            return true;
        case ids::kCloneInfoVersion:
            request.outText = cmcStr::Format("%X.%02X.%X%02X", info[3], info[4], info[5], info[6]);
            return true;
        case ids::kCloneInfoMapRevClone:
            request.outText = cmcStr::Format("%d", info[7]);
            return true;
        case ids::kCloneInfoMapRevAdj:
            request.outText = cmcStr::Format("%d", info[8]);
            return true;
        case ids::kCloneInfoAdjSpecRev:
            request.outText = cmcStr::Format("%d", info[9]);
            return true;
        default:
            return false;
    }
}

// Menu, toolbar and tree items: state on every request, the command only on
// execute.
bool indActiveCell::AnswerCommand(cmcCellCapsule& request) {
    cmcCellObj& cell = *request.cell;
    if (cell.link == ids::kCallSheet) {
        if (request.request == cmcCellCapsule::kRequestEnter && cell.argument &&
            !cell.argument->empty()) {
            m_host.CallSheet(*cell.argument);
        }
        return true;
    }
    const bool menu = (cell.link >= ids::kMenuFirst && cell.link <= ids::kMenuLast) ||
                      (cell.link >= ids::kMenuLaterFirst && cell.link <= ids::kMenuLaterLast);
    if (!menu) {
        return false;
    }
    if (cell.link == ids::kMenuOptionCsm || cell.link == ids::kMenuOptionAtis ||
        cell.link == ids::kMenuModel2 || cell.link == ids::kMenuModel3) {
        return true;
    }
    if (!m_host.CommandState(cell.link, request)) {
        request.outText = cmcStr::Format("%d *Yet*", cell.link);
    }
    if (request.request == cmcCellCapsule::kRequestEnter) {
        m_host.ExecuteCommand(cell.link, request);
    }
    return true;
}

// Pop-up item states, judged on the owning cell's row and the clipboard.
bool indActiveCell::AnswerPopupItem(cmcCellCapsule& request, const datCh& record) {
    cmcCellObj& cell = *request.cell;
    if (cell.link < ids::kPMenuNoItem || cell.link > ids::kPMenuAllOff) {
        return false;
    }
    const cmcCellObj* owner = request.parent != nullptr ? request.parent->cell : nullptr;
    int32_t row = owner != nullptr ? owner->index : 0;
    uint32_t chType = record.chType;
    cmcChType::Range range = cmcChType::GetRange(chType);
    int32_t first = static_cast<int32_t>(range.first);
    // The fixed row limit serves the lists with rows; others use their range.
    int32_t end = IsListWithRows(chType) ? kPopupRowLimit : static_cast<int32_t>(range.last) + 1;
    bool outside = row < first || row >= end;
    bool disabled = false;
    switch (cell.link) {
        case ids::kPMenuNoItem:
            disabled = true;
            if (m_host.EditMenuItemCount() != 1) {
                cell.userFlags |= kFlagHidden;
            }
            break;
        case ids::kPMenuEdit:
            disabled = owner != nullptr && (owner->userFlags & kFlagReadOnly) != 0;
            break;
        case ids::kPMenuCopy:
        case ids::kPMenuClear:
        case ids::kPMenuDelete:
        case ids::kPMenuInsert:
            disabled = outside;
            break;
        case ids::kPMenuPaste:
            disabled = !m_host.Clipboard().CanPaste(chType) || outside;
            break;
        case ids::kPMenuCarryUp:
            disabled = row <= first;
            break;
        case ids::kPMenuCarryDown:
            disabled = row + 1 >= end;
            break;
        default:
            break;  // set-all: no state
    }
    if (disabled) {
        cell.userFlags |= kFlagDisabled;
    }
    return true;
}

void indActiveCell::DrawQuarterPillar(cmcCellCapsule& request) {
    if (request.canvas == nullptr) {
        return;
    }
    cmcRect band = request.rect;
    band.top = band.bottom - 3 * (band.bottom - band.top) / 10;
    static_cast<indActiveCellCanvas*>(request.canvas)->FillRect(band, kGrey);
}
