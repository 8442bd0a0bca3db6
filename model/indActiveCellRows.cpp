#include "model/indActiveCellRows.h"

#include <algorithm>

#include "runtime/cmcEvMan.h"
#include "runtime/cmcPrompt.h"
#include "model/cmcChType.h"
#include "model/datClipCh.h"
#include "model/indActiveCellIds.h"
#include "model/indDocHost.h"
#include "sheet/cmcCellCapsule.h"
#include "sheet/cmcCellObj.h"
#include "sheet/cmcColor.h"
#include "text/cmcGTex.h"

namespace ids = indActiveCellIds;

namespace {

constexpr uint32_t kBtnFace = 0xFF00000F;  // "clBtnFace", the status panel's background
constexpr uint32_t kConfigCh = 2;
constexpr int32_t kConfigChWideLast = 128;

// Copy, clear, insert and the set-all commands reach one row further on the
// configuration channels than the ChType table says.
bool UsesWideConfigRange(int32_t command) {
    return command == ids::kPMenuCopy || command == ids::kPMenuClear ||
           command == ids::kPMenuInsert || command == ids::kPMenuAllOn ||
           command == ids::kPMenuAllOff;
}

bool NeedsClear(int32_t command) {
    return command == ids::kPMenuClear || command == ids::kPMenuDelete;
}

}  // namespace

indActiveCellRows::Rows indActiveCellRows::RowsOf(const cmcCellCapsule& request, int32_t command,
                                                  uint32_t chType) {
    cmcChType::Range range = cmcChType::GetRange(chType);
    Rows rows{};
    rows.min = static_cast<int32_t>(range.first);
    rows.max = static_cast<int32_t>(range.last);
    if (chType == kConfigCh && UsesWideConfigRange(command)) {
        rows.min = 0;
        rows.max = kConfigChWideLast;
    }
    rows.current = request.cell->index;
    if ((request.rangeState & cmcCellCapsule::kRangeActive) != 0) {
        rows.first = request.rangeFirst;
        rows.last = request.rangeLast;
    } else {
        rows.first = rows.current;
        rows.last = rows.current;
    }
    return rows;
}

bool indActiveCellRows::Run(int32_t command, cmcCellCapsule& request, uint32_t chType) {
    if (command < ids::kPMenuCopy || command > ids::kPMenuAllOff) {
        return false;
    }
    cmcChType::Range range = cmcChType::GetRange(chType);
    if (!range.canRangeOp || (NeedsClear(command) && !range.canClear)) {
        return false;
    }
    Rows rows = RowsOf(request, command, chType);
    switch (command) {
        case ids::kPMenuCopy:
            CopyRows(request, chType, rows);
            break;
        case ids::kPMenuPaste:
            PasteRows(request, chType, rows);
            break;
        case ids::kPMenuCarryUp:
            MoveRows(request, chType, rows, -1);
            break;
        case ids::kPMenuCarryDown:
            MoveRows(request, chType, rows, +1);
            break;
        case ids::kPMenuClear:
            ClearRows(chType, rows);
            break;
        case ids::kPMenuDelete:
            DeleteRows(request, chType, rows);
            break;
        case ids::kPMenuInsert:
            InsertRows(request, rows);
            break;
        default:
            SetAllRows(chType, rows);
            break;
    }
    return true;
}

void indActiveCellRows::CopyRows(cmcCellCapsule& request, uint32_t chType, const Rows& rows) {
    if (rows.current < rows.min || rows.current > rows.max) {
        return;
    }
    int32_t first = std::max(rows.first, rows.min);
    int32_t last = std::min(rows.last, rows.max);
    m_host.Clipboard().Copy(&m_host.CurrentImage(), chType, first, last - first + 1);
    MarkRange(request, first, last);
    Status("GI_AppMess_S_Copy");
}

void indActiveCellRows::PasteRows(cmcCellCapsule& request, uint32_t chType, const Rows& rows) {
    if (rows.current < rows.min || rows.current > rows.max) {
        return;
    }
    if (chType == 5 && cmcChType::GetBankSize(chType, 0) == 0) {
        return;  // the address list pastes into its bank, and there is none
    }
    datClipCh& clip = m_host.Clipboard();
    if (!clip.CanPaste(chType)) {
        return;
    }
    int32_t n = std::min(clip.Count(), rows.max - rows.first + 1);
    if (n <= 0) {
        return;
    }
    cmcEeprom* image = &m_host.CurrentImage();
    int32_t length = rows.last - rows.first + 1;
    int32_t blockLast = rows.first + n - 1;
    if (length > 0 && length % n == 0) {
        // The clipboard repeats over the whole selection.
        for (int32_t at = rows.first; at <= rows.last; at += n) {
            clip.Paste(image, chType, at, n);
        }
        blockLast = rows.last;
    } else {
        clip.Paste(image, chType, rows.first, n);
    }
    RowsChanged(rows.first, blockLast);
    MarkRange(request, rows.first, blockLast);
    if (rows.current > blockLast) {
        MoveCursor(request, blockLast);
    }
    Status("GI_AppMess_S_Paste");
}

void indActiveCellRows::MoveRows(cmcCellCapsule& request, uint32_t chType, const Rows& rows,
                                 int32_t direction) {
    bool up = direction < 0;
    if ((up && rows.first <= rows.min) || (!up && rows.last >= rows.max) ||
        rows.first > rows.last) {
        return;
    }
    cmcEeprom* image = &m_host.CurrentImage();
    int32_t count = rows.last - rows.first + 1;
    datClipCh neighbour;
    datClipCh block;
    neighbour.Copy(image, chType, up ? rows.first - 1 : rows.last + 1, 1);
    block.Copy(image, chType, rows.first, count);
    block.Paste(image, chType, rows.first + direction, count);
    neighbour.Paste(image, chType, up ? rows.last : rows.first, 1);
    MarkRange(request, rows.first + direction, rows.last + direction);
    MoveCursor(request, up ? rows.first + direction : rows.last + direction);
}

void indActiveCellRows::ClearRows(uint32_t chType, const Rows& rows) {
    if (!Confirm("GI_AppMess_Conv_Clear")) {
        return;
    }
    int32_t count = rows.last - rows.first + 1;
    datClipCh fresh;
    fresh.Copy(&m_host.InitialImage(), chType, rows.first, count);
    fresh.Paste(&m_host.CurrentImage(), chType, rows.first, count);
    RowsChanged(rows.first, rows.last);
    Status("GI_AppMess_S_Clear");
}

void indActiveCellRows::DeleteRows(cmcCellCapsule& request, uint32_t chType, const Rows& rows) {
    // Rows outside the list would pull records from beyond its end.
    if (rows.first < rows.min || rows.last > rows.max || rows.first > rows.last) {
        return;
    }
    if (!Confirm("GI_AppMess_Conv_Delete")) {
        return;
    }
    cmcEeprom* image = &m_host.CurrentImage();
    int32_t after = rows.max - rows.last;
    datClipCh tail;
    tail.Copy(image, chType, rows.last + 1, after);
    tail.Paste(image, chType, rows.first, after);
    int32_t freed = rows.last - rows.first + 1;
    datClipCh fresh;
    fresh.Copy(&m_host.InitialImage(), chType, rows.max - freed + 1, freed);
    fresh.Paste(image, chType, rows.max - freed + 1, freed);
    request.rangeState &= ~cmcCellCapsule::kRangeChanged;
    MoveCursor(request, rows.first);
    m_host.Events().Send(kEvRefreshAll, 0, 0);
    Status("GI_AppMess_S_Delete");
}

void indActiveCellRows::InsertRows(cmcCellCapsule& request, const Rows& rows) {
    MarkRange(request, rows.first, rows.last);
    m_host.Events().Send(kEvRefreshAll, 0, 0);
    Status("GI_AppMess_S_Insert");
}

void indActiveCellRows::SetAllRows(uint32_t chType, const Rows& rows) {
    int32_t first = std::max(rows.first, rows.min);
    int32_t last = std::min(rows.last, rows.max);
    datCh record(&m_host.CurrentImage());
    for (int32_t row = last; row >= first; --row) {
        record.Load(chType, static_cast<uint32_t>(row));
        record.Store(chType, static_cast<uint32_t>(row));
    }
    RowsChanged(first, last);
}

void indActiveCellRows::ShiftDown(cmcEeprom& current, cmcEeprom& initial, int32_t end,
                                  uint32_t chType, int32_t at) {
    datCh record(&current);
    for (int32_t row = end - 2; row >= at; --row) {
        record.Load(chType, static_cast<uint32_t>(row));
        record.Store(chType, static_cast<uint32_t>(row + 1));
    }
    datCh fresh(&initial);
    fresh.Load(chType, static_cast<uint32_t>(at));
    fresh.SetImage(&current);
    fresh.Store(chType, static_cast<uint32_t>(at));
}

bool indActiveCellRows::Confirm(const char* key) {
    cmcGTex& table = m_host.Table();
    cmcPrompt::Answer answer =
        m_host.Prompt().Message(table.GetBody(key), table.GetLine("GI_Sys_AppTitle", 0),
                                cmcPrompt::Icon::Exclamation, cmcPrompt::Buttons::OkCancel);
    return answer == cmcPrompt::Answer::Ok;
}

void indActiveCellRows::Status(const char* key) {
    m_host.Events().SendData(kEvStatusText, static_cast<int32_t>(cmcColor::kWindowText),
                             static_cast<int32_t>(kBtnFace), m_host.Table().GetLine(key, 0));
}

void indActiveCellRows::RowsChanged(int32_t first, int32_t last) {
    for (int32_t row = first; row <= last; ++row) {
        m_host.Events().Send(kEvRowChanged, 0, row);
    }
}

void indActiveCellRows::MarkRange(cmcCellCapsule& request, int32_t first, int32_t last) {
    request.rangeState |= cmcCellCapsule::kRangeChanged;
    request.rangeFirst = first;
    request.rangeLast = last;
}

void indActiveCellRows::MoveCursor(cmcCellCapsule& request, int32_t row) {
    request.moveRequest = 1;
    request.moveIndex = row;
}
