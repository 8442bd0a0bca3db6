// The runtime rules of a built sheet: cursor, selection, keys, mouse,
// requests to the link and the events a sheet handles.
#include <algorithm>
#include <cstdlib>

#include "runtime/cmcEvMan.h"
#include "runtime/cmcTimerHost.h"
#include "sheet/cmcColor.h"
#include "sheet/cuiSheet.h"
#include "sheet/cuiSheetView.h"
#include "util/Cp932.h"

namespace {

constexpr int32_t kRepeatFirstDelayMs = 30;
constexpr int32_t kRepeatDelayStepMs = 6;
constexpr int32_t kPageRows = 10;
constexpr int32_t kMenuEditTopLink = 19;  // the menu item whose submenu is the pop-up menu

bool Between(int32_t a, int32_t b, int32_t x) {
    return x >= std::min(a, b) && x <= std::max(a, b);
}

int32_t Wrap(int32_t value, int32_t count) {
    return ((value % count) + count) % count;
}

struct CursorPayload {
    int32_t category;
    int32_t link;
    int32_t index;
};

}  // namespace

bool cuiSheet::SelectCell(int32_t col, int32_t row) {
    if (m_building || !Inside(col, row)) {
        return false;
    }
    return ChangeCursor(col, row);
}

void cuiSheet::SetExtending(bool shift, bool button) {
    m_extendShift = shift;
    m_extendButton = button;
}

bool cuiSheet::Move(int32_t dx, int32_t dy) {
    if (m_building || m_grid.empty()) {
        return false;
    }
    if (dx != 0) {
        dy = 0;
    }
    const int32_t steps = std::abs(dx != 0 ? dx : dy);
    const int32_t sx = dx > 0 ? 1 : (dx < 0 ? -1 : 0);
    const int32_t sy = dy > 0 ? 1 : (dy < 0 ? -1 : 0);
    const bool wrap = m_style.choiceList && steps == 1 && !(m_view && m_view->HasScrollBars());
    bool moved = false;
    for (int32_t i = 0; i < steps && Step(sx, sy, wrap); ++i) {
        moved = true;
    }
    return moved;
}

bool cuiSheet::Step(int32_t sx, int32_t sy, bool wrap) {
    int32_t col = m_col;
    int32_t row = m_row;
    if (!WalkLine(sx, sy, wrap, col, row) && !SearchBeyond(sx, sy, col, row)) {
        return false;
    }
    if (!ChangeCursor(col, row)) {
        return false;
    }
    m_rememberCol = col;
    m_rememberRow = row;
    ScrollForCursor();
    return true;
}

bool cuiSheet::WalkLine(int32_t sx, int32_t sy, bool wrap, int32_t& col, int32_t& row) const {
    int32_t c = m_col + sx;
    int32_t r = m_row + sy;
    while (true) {
        if (wrap) {
            c = Wrap(c, m_colCount);
            r = Wrap(r, m_rowCount);
            if (c == m_col && r == m_row) {
                return false;
            }
        } else if (!Inside(c, r)) {
            return false;
        }
        if (Selectable(c, r)) {
            col = c;
            row = r;
            return true;
        }
        c += sx;
        r += sy;
    }
}

bool cuiSheet::SearchBeyond(int32_t sx, int32_t sy, int32_t& col, int32_t& row) const {
    // Further rows (or columns) in the direction: in each the selectable cell
    // nearest to the remembered column (or row); the first such line wins.
    const bool vertical = sy != 0;
    const int32_t step = vertical ? sy : sx;
    const int32_t across = vertical ? m_colCount : m_rowCount;
    const int32_t target = vertical ? m_rememberCol : m_rememberRow;
    for (int32_t line = (vertical ? m_row : m_col) + step;
         line >= 0 && line < (vertical ? m_rowCount : m_colCount); line += step) {
        int32_t best = -1;
        for (int32_t i = 0; i < across; ++i) {
            const bool ok = vertical ? Selectable(i, line) : Selectable(line, i);
            if (ok && (best < 0 || std::abs(i - target) < std::abs(best - target))) {
                best = i;
            }
        }
        if (best >= 0) {
            col = vertical ? best : line;
            row = vertical ? line : best;
            return true;
        }
    }
    return false;
}

void cuiSheet::ScrollForCursor() {
    if (!m_view) {
        return;
    }
    // Headers come back into view when the cursor reaches the start of the data.
    const int32_t left = m_col <= m_firstSelCol ? FixedCols() : m_view->LeftCol();
    const int32_t top = m_row <= m_firstSelRow ? FixedRows() : m_view->TopRow();
    if (left != m_view->LeftCol() || top != m_view->TopRow()) {
        m_view->ScrollTo(left, top);
    }
    m_view->ShowCell(m_col, m_row);
}

bool cuiSheet::ChangeCursor(int32_t col, int32_t row) {
    if (!Selectable(col, row) || (m_multiActive && !Cell(col, row).multiSelectable)) {
        return false;
    }
    if (col == m_col && row == m_row) {
        return true;
    }
    const int32_t oldCol = m_col;
    const int32_t oldRow = m_row;
    m_col = col;
    m_row = row;
    if (m_building) {
        return true;
    }
    const cmcCellObj& cell = Cell(col, row).obj;
    const CursorPayload payload{cell.category, cell.link, cell.index};
    if (m_events) {
        m_events->SendData(kEvCursorMoved, &payload, sizeof payload);
    }
    if (m_view && m_view->HasFocus()) {
        SwitchPopup(false);
    }
    UpdateSelection(oldCol, oldRow, col, row);
    if (m_view) {
        m_view->RepaintAll();
    }
    SendEvent(kEvRefreshMenus);
    return true;
}

void cuiSheet::UpdateSelection(int32_t oldCol, int32_t oldRow, int32_t col, int32_t row) {
    const bool extending = m_extendShift || m_extendButton;
    const bool oldMulti = Inside(oldCol, oldRow) && Cell(oldCol, oldRow).multiSelectable;
    const bool rangeable = (m_style.multiSelect != cuiSheetStyle::kNone || m_multiActive) &&
                           oldMulti && Cell(col, row).multiSelectable;
    const int32_t index = Cell(col, row).obj.index;
    if (!extending || !rangeable || m_anchorCol < 0 || !Inside(m_anchorCol, m_anchorRow)) {
        m_anchorCol = col;
        m_anchorRow = row;
        ClearSelection();
        m_multiActive = false;
        m_rangeFirst = m_rangeLast = index;
    } else {
        const int32_t c0 = std::min({m_anchorCol, oldCol, col});
        const int32_t c1 = std::max({m_anchorCol, oldCol, col});
        const int32_t r0 = std::min({m_anchorRow, oldRow, row});
        const int32_t r1 = std::max({m_anchorRow, oldRow, row});
        for (int32_t r = r0; r <= r1; ++r) {
            for (int32_t c = c0; c <= c1; ++c) {
                At(c, r).marked = Between(m_anchorCol, col, c) && Between(m_anchorRow, row, r);
            }
        }
        m_multiActive = true;
        if (m_style.multiSelect == cuiSheetStyle::kLine) {
            m_rangeFirst = std::min(m_anchorRow, row) - m_firstSelRow;
            m_rangeLast = std::max(m_anchorRow, row) - m_firstSelRow;
        } else {
            m_rangeFirst = std::min(m_rangeFirst, index);
            m_rangeLast = std::max(m_rangeLast, index);
        }
    }
    At(col, row).marked = true;
    UpdateHighlight();
}

void cuiSheet::UpdateHighlight() {
    if (!m_multiActive && !m_highlightClean) {
        for (cuiSheetCell& cell : m_grid) {
            cell.highlighted = false;
        }
        m_highlightClean = true;
    }
    const int32_t fixedCols = FixedCols();
    const int32_t fixedRows = FixedRows();
    if (m_style.multiSelect == cuiSheetStyle::kCell) {
        int32_t first = 65535;
        int32_t last = 0;
        for (const cuiSheetCell& cell : m_grid) {
            // Only cells the cursor can stop on carry an index that means a record.
            if (cell.marked && cell.obj.selectable) {
                first = std::min(first, cell.obj.index);
                last = std::max(last, cell.obj.index);
            }
        }
        m_rangeFirst = first;
        m_rangeLast = last;
        for (int32_t r = 0; r < m_rowCount; ++r) {
            for (int32_t c = 0; c < m_colCount; ++c) {
                cuiSheetCell& cell = At(c, r);
                cell.highlighted = cell.obj.selectable && c >= fixedCols && r >= fixedRows &&
                                   cell.obj.index >= first && cell.obj.index <= last;
                m_highlightClean = m_highlightClean && !cell.highlighted;
            }
        }
    } else if (m_style.multiSelect == cuiSheetStyle::kLine) {
        for (int32_t r = 0; r < m_rowCount; ++r) {
            bool marked = false;
            for (int32_t c = 0; c < m_colCount; ++c) {
                marked = marked || Cell(c, r).marked;
            }
            for (int32_t c = 0; c < m_colCount; ++c) {
                At(c, r).highlighted = marked && c >= fixedCols;
                m_highlightClean = m_highlightClean && !(marked && c >= fixedCols);
            }
        }
    }
}

void cuiSheet::ClearSelection() {
    for (cuiSheetCell& cell : m_grid) {
        cell.marked = false;
    }
}

void cuiSheet::ClearMultiSelection() {
    m_multiActive = false;
    ClearSelection();
    if (Inside(m_col, m_row)) {
        m_anchorCol = m_col;
        m_anchorRow = m_row;
        At(m_col, m_row).marked = true;
        m_rangeFirst = m_rangeLast = Cell(m_col, m_row).obj.index;
    }
    UpdateHighlight();
    if (m_view) {
        m_view->RepaintAll();
    }
}

int32_t cuiSheet::TipOwner(int32_t col, int32_t row) const {
    int32_t c = col;
    while (c > 0 && Cell(c, row).obj.tip && !Cell(c, row).obj.selectable) {
        --c;
    }
    return Selectable(c, row) ? c : col;
}

// The pop-up menu and the focus.

void cuiSheet::SwitchPopup(bool force) {
    if (!Inside(m_col, m_row)) {
        return;
    }
    const std::string stem = Cell(m_col, m_row).obj.EffectivePopupMenu();
    if (force || !m_popupShown || stem != m_popupStem) {
        m_popupStem = stem;
        m_popupShown = true;
        if (m_events) {
            // The menus drop the old items under the edit menu and offer the new ones.
            m_events->Send(kEvPopupRebuild, 0, kMenuEditTopLink);
            m_events->SendData(kEvPopupAssign, 0, kMenuEditTopLink, stem);
        }
    }
    SendEvent(kEvRefreshMenus);
}

void cuiSheet::RepaintSelected() {
    if (!m_view) {
        return;
    }
    for (int32_t r = 0; r < m_rowCount; ++r) {
        for (int32_t c = 0; c < m_colCount; ++c) {
            if (PaintedSelected(c, r)) {
                m_view->RepaintCell(c, r);
            }
        }
    }
}

void cuiSheet::FocusIn() {
    if (m_building || m_grid.empty()) {
        return;
    }
    SwitchPopup(true);
    RepaintSelected();
}

void cuiSheet::FocusOut() {
    if (m_building || m_grid.empty()) {
        return;
    }
    m_popupShown = false;
    m_popupStem.clear();
    SendEvent(kEvPopupRebuild, 0, kMenuEditTopLink);
    SendEvent(kEvRefreshMenus);
    RepaintSelected();
}

void cuiSheet::PopupCommand(int32_t linkId) {
    if (Inside(m_col, m_row)) {
        Dispatch(m_col, m_row, cmcCellCapsule::kRequestQuery, linkId);
    }
}

// Keys, typing and the mouse.

void cuiSheet::ClearStatus() {
    if (m_events) {
        m_events->SendData(kEvStatus, static_cast<int32_t>(cmcColor::kWindowText),
                           static_cast<int32_t>(cuiSheetPaint::kBtnFace), "");
    }
}

bool cuiSheet::KeyDown(Key key, bool shift, bool ctrl) {
    if (m_building || m_grid.empty()) {
        return false;
    }
    ClearStatus();
    CommitEditor();
    m_extendShift = shift;
    switch (key) {
        case Key::Right:
            if (!Move(1, 0)) {
                Dispatch(m_col, m_row, cmcCellCapsule::kRequestKeyRight, 0);
            }
            return true;
        case Key::Left:
            if (!Move(-1, 0)) {
                Dispatch(m_col, m_row, cmcCellCapsule::kRequestKeyLeft, 0);
            }
            return true;
        case Key::Down:
        case Key::Up:
            if (ctrl && !shift) {
                return false;  // pop-up command shortcuts
            }
            Move(0, key == Key::Down ? 1 : -1);
            return true;
        case Key::PageDown:
        case Key::PageUp:
            Move(0, key == Key::PageDown ? kPageRows : -kPageRows);
            return true;
        case Key::Home:
        case Key::End:
            return true;
        case Key::InputMethod:
            Dispatch(m_col, m_row, cmcCellCapsule::kRequestInputMethod, 0);
            return true;
        case Key::Enter:
        case Key::Escape:
            return false;
    }
    return false;
}

bool cuiSheet::TypeByte(uint8_t byte) {
    if (m_building || m_grid.empty()) {
        return false;
    }
    if (m_style.choiceList) {
        // A list takes no typing; Enter chooses the current entry, and Esc
        // is the list window's.
        if (byte != cmcCellCapsule::kRequestEnter) {
            return false;
        }
        Dispatch(m_col, m_row, byte, 0);
        return true;
    }
    if (m_leadByte >= 0) {
        const int32_t request = m_leadByte * 256 + byte;
        m_leadByte = -1;
        Dispatch(m_col, m_row, request, 0);
    } else if (Cp932::IsLeadByte(byte)) {
        m_leadByte = byte;
    } else {
        Dispatch(m_col, m_row, byte, 0);
    }
    return true;
}

void cuiSheet::MousePress(int32_t col, int32_t row) {
    if (!Inside(col, row)) {
        return;
    }
    // The press itself moves the cursor; only dragging with the button held
    // extends the selection from there.
    m_extendButton = false;
    SelectCell(TipOwner(col, row), row);
    m_extendButton = true;
}

void cuiSheet::MouseRelease(int32_t col, int32_t row) {
    m_extendButton = false;
    if (m_style.choiceList && col == m_col && row == m_row) {
        Dispatch(col, row, cmcCellCapsule::kRequestClick, 0);
    }
}

void cuiSheet::MouseMove(int32_t col, int32_t row) {
    if (Inside(col, row) && (m_style.choiceList || m_extendButton)) {
        SelectCell(col, row);
    }
}

void cuiSheet::DoubleClick(int32_t col, int32_t row) {
    if (col == m_col && row == m_row) {
        Dispatch(col, row, cmcCellCapsule::kRequestClick, 0);
    }
}

void cuiSheet::RightClick(int32_t col, int32_t row) {
    if (!Inside(col, row)) {
        return;
    }
    if (!m_multiActive) {
        SelectCell(TipOwner(col, row), row);
    }
    if (m_view && Inside(m_col, m_row)) {
        m_view->PopupMenu(Cell(m_col, m_row).obj.EffectivePopupMenu());
    }
}

// The in-cell editor.

void cuiSheet::OpenEditor(int32_t col, int32_t row, const std::string& text, int32_t caret,
                          int32_t selectionLength) {
    if (!m_view || !Inside(col, row)) {
        return;
    }
    ClearMultiSelection();
    ChangeCursor(col, row);
    m_editCol = col;
    m_editRow = row;
    m_view->OpenEditor(col, row, text, caret, selectionLength);
}

void cuiSheet::CommitEditor() {
    if (!m_view || !m_view->EditorVisible()) {
        return;
    }
    const std::string text = m_view->EditorText();
    // Hidden before the request so that a handler refusing the text can
    // open the editor again.
    m_view->CloseEditor();
    Dispatch(m_editCol, m_editRow, cmcCellCapsule::kRequestEnter, 0, text);
}

bool cuiSheet::EditorKey(Key key) {
    if (!m_view) {
        return false;
    }
    switch (key) {
        case Key::Enter:
            CommitEditor();
            return true;
        case Key::Up:
        case Key::Down:
            CommitEditor();
            Move(0, key == Key::Down ? 1 : -1);
            return true;
        case Key::PageUp:
        case Key::PageDown:
            CommitEditor();
            return KeyDown(key);
        case Key::Escape:
            m_view->CloseEditor();
            return true;
        default:
            return false;
    }
}

// Requests.

void cuiSheet::PrepareCapsule(int32_t col, int32_t row, cmcCellCapsule& capsule) {
    capsule.Reset();
    capsule.parent = m_parentCapsule.get();
    void* host = m_view ? static_cast<void*>(m_view) : static_cast<void*>(this);
    capsule.sender = host;
    capsule.editHost = host;
    capsule.cell = &At(col, row).obj;
    capsule.rect = CellRect(col, row);
    capsule.context = m_context;
    capsule.sheet = this;
    capsule.state = (col == m_col && row == m_row ? cmcCellCapsule::kStateCurrent : 0u) |
                    (m_printing ? cmcCellCapsule::kStatePrinting : 0u);
    capsule.rangeState = m_multiActive ? cmcCellCapsule::kRangeActive : 0u;
    if (m_style.multiSelect == cuiSheetStyle::kLine) {
        capsule.rangeFirst = m_rangeFirst;
        capsule.rangeLast = m_rangeLast;
    } else if (Inside(m_anchorCol, m_anchorRow) && Inside(m_col, m_row)) {
        const int32_t a = Cell(m_anchorCol, m_anchorRow).obj.index;
        const int32_t b = Cell(m_col, m_row).obj.index;
        capsule.rangeFirst = std::min(a, b);
        capsule.rangeLast = std::max(a, b);
    }
    capsule.invalidate = cmcMethod<cmcCellCapsule&, uint32_t>(this, &cuiSheet::Invalidate);
    capsule.reopenEditor = cmcMethod<cmcCellCapsule&>(this, &cuiSheet::ReopenEditor);
}

int cuiSheet::Dispatch(int32_t col, int32_t row, int32_t request, int32_t command,
                       const std::optional<std::string>& text) {
    if (m_building || m_grid.empty()) {
        return cmcCellLinkResult::kDone;
    }
    CheckCell(col, row);
    if (m_style.choiceList) {
        return SendChoice(col, row, request);
    }
    cmcCellCapsule capsule;
    const int result = SendOnce(col, row, request, command, text, capsule);
    if (capsule.repeatRequest != 0) {
        if (m_timers == nullptr && cmcTimerHost::HasCurrent()) {
            m_timers = &cmcTimerHost::Current();
        }
        if (m_repeat.timer != 0) {
            m_timers->StopTimer(m_repeat.timer);  // a new request replaces a pending repeat
        }
        m_repeat = Repeat{0, col, row, capsule.repeatRequest, kRepeatFirstDelayMs};
        if (m_timers) {
            m_repeat.timer = m_timers->StartTimer(static_cast<uint32_t>(m_repeat.delay),
                                                  [this] { RepeatTick(); });
            if (m_repeat.timer != 0) {
                return result;
            }
        }
        m_repeat.delay = 0;  // no host to wait on: repeat at once
        RepeatTick();
        return result;
    }
    FinishDispatch(capsule);
    return result;
}

void cuiSheet::RepeatTick() {
    if (m_repeat.timer != 0) {
        m_timers->StopTimer(m_repeat.timer);
        m_repeat.timer = 0;
    }
    cmcCellCapsule capsule;
    while (true) {
        if (m_view) {
            m_view->RepaintAll();
        }
        SendOnce(m_repeat.col, m_repeat.row, m_repeat.request, 0, std::nullopt, capsule);
        if (capsule.repeatRequest == 0) {
            break;
        }
        m_repeat.request = capsule.repeatRequest;
        m_repeat.delay = std::max(0, m_repeat.delay - kRepeatDelayStepMs);
        if (m_repeat.delay > 0 && m_timers) {
            m_repeat.timer = m_timers->StartTimer(static_cast<uint32_t>(m_repeat.delay),
                                                  [this] { RepeatTick(); });
            if (m_repeat.timer != 0) {
                return;
            }
        }
    }
    FinishDispatch(capsule);
}

int cuiSheet::SendOnce(int32_t col, int32_t row, int32_t request, int32_t command,
                       const std::optional<std::string>& text, cmcCellCapsule& capsule) {
    PrepareCapsule(col, row, capsule);
    capsule.request = request;
    capsule.command = command;
    if (text) {
        capsule.origin = cmcCellCapsule::kOriginEditor;
        capsule.request = cmcCellCapsule::kRequestQuery;
        capsule.inText = *text;
    }
    const int result = m_link ? m_link(capsule, true) : cmcCellLinkResult::kDone;
    if (capsule.moveRequest != 0) {
        int32_t c = 0;
        int32_t r = 0;
        if (FindLinked(capsule.moveLink, capsule.moveIndex, capsule.moveCategory, true, c, r)) {
            ChangeCursor(c, r);
            ScrollForCursor();
        }
        m_rangeFirst = capsule.rangeFirst;
        m_rangeLast = capsule.rangeLast;
    }
    if (result == cmcCellLinkResult::kChoiceListOpened) {
        ClearMultiSelection();
    } else if (result == cmcCellLinkResult::kOpenEditor) {
        OpenEditor(m_col, m_row, capsule.outText, capsule.caretPosition, capsule.selectionLength);
    }
    return result;
}

int cuiSheet::SendChoice(int32_t col, int32_t row, int32_t request) {
    if (request != cmcCellCapsule::kRequestEnter && request != cmcCellCapsule::kRequestClick) {
        return cmcCellLinkResult::kDone;
    }
    cmcCellCapsule entry;
    PrepareCapsule(col, row, entry);
    cmcCellCapsule owner = m_parentCapsule ? *m_parentCapsule : cmcCellCapsule{};
    owner.parent = &entry;
    owner.origin = cmcCellCapsule::kOriginChoice;
    const int result = m_link ? m_link(owner, true) : cmcCellLinkResult::kDone;
    if (m_view) {
        m_view->ChoiceMade();
    }
    return result;
}

void cuiSheet::FinishDispatch(const cmcCellCapsule& capsule) {
    const bool keepRange = m_style.multiSelect != cuiSheetStyle::kNone &&
                           (capsule.rangeState & cmcCellCapsule::kRangeChanged) != 0 &&
                           Inside(m_col, m_row);
    ClearSelection();
    if (keepRange) {
        // The handler's range, on the cells of the current cell's link.
        const int32_t link = Cell(m_col, m_row).obj.link;
        const int32_t index = Cell(m_col, m_row).obj.index;
        const int32_t otherEnd =
            index == capsule.rangeFirst ? capsule.rangeLast : capsule.rangeFirst;
        for (int32_t r = 0; r < m_rowCount; ++r) {
            for (int32_t c = 0; c < m_colCount; ++c) {
                const cmcCellObj& o = Cell(c, r).obj;
                if (o.link == link && Between(capsule.rangeFirst, capsule.rangeLast, o.index)) {
                    At(c, r).marked = true;
                    if (o.index == otherEnd) {
                        m_anchorCol = c;
                        m_anchorRow = r;
                    }
                }
            }
        }
        m_multiActive = true;
    } else if (Inside(m_col, m_row)) {
        m_multiActive = false;
        At(m_col, m_row).marked = true;
    }
    UpdateHighlight();
    if (m_view) {
        m_view->RepaintAll();
    }
    SendEvent(kEvRefreshMenus);
}

void cuiSheet::SendEvent(uint32_t code, int32_t p1, int32_t p2) {
    if (m_events) {
        m_events->Send(code, p1, p2);
    }
}

// Repaints asked for by events and by handlers.

template <class Match>
void cuiSheet::RepaintVisible(Match match) {
    if (!m_view || m_building || m_grid.empty()) {
        return;
    }
    const cuiSheetView::Range visible = m_view->Visible();
    const int32_t lastRow = std::min(visible.lastRow + 1, m_rowCount - 1);
    const int32_t lastCol = std::min(visible.lastCol + 1, m_colCount - 1);
    for (int32_t r = 0; r <= lastRow; ++r) {
        for (int32_t c = 0; c <= lastCol; ++c) {
            if (match(Cell(c, r).obj)) {
                m_view->RepaintCell(c, r);
            }
        }
    }
}

void cuiSheet::OnEvent(const cmcEvent& event) {
    const int32_t p2 = event.p2;
    auto linked = [](const cmcCellObj& o) { return o.link != cmcCellObj::kNoLink; };
    switch (event.code) {
        case kEvCurrentCell:
            if (event.p1 == m_sheetId && Inside(m_col, m_row) && m_events) {
                const cmcCellObj& o = Cell(m_col, m_row).obj;
                const CurrentCellAnswer answer{o.category, o.link, o.index, o.userFlags,
                                               m_col,      m_row,  &o};
                m_events->AnswerData(&answer, sizeof answer);
            }
            break;
        case kEvRepaintAll:
            RepaintVisible(linked);
            break;
        case kEvRepaintCategory:
            RepaintVisible([p2](const cmcCellObj& o) { return o.category == p2; });
            break;
        case kEvRepaintLink:
            RepaintVisible([p2](const cmcCellObj& o) { return o.link == p2; });
            break;
        case kEvRepaintIndex:
            RepaintVisible([&](const cmcCellObj& o) { return linked(o) && o.index == p2; });
            break;
        case kEvRepaintIndexUpTo:
            RepaintVisible([&](const cmcCellObj& o) { return linked(o) && o.index <= p2; });
            break;
        case kEvRepaintIndexFrom:
            RepaintVisible([&](const cmcCellObj& o) { return linked(o) && o.index >= p2; });
            break;
        case kEvCommitEdit:
            CommitEditor();
            break;
        default:
            break;
    }
}

void cuiSheet::Invalidate(cmcCellCapsule& capsule, uint32_t mask) {
    if (!capsule.cell) {
        return;
    }
    const cmcCellObj ref = *capsule.cell;
    RepaintVisible([&ref, mask](const cmcCellObj& o) {
        const bool linked = o.link != cmcCellObj::kNoLink;
        const bool sameLink = o.link == ref.link;
        const bool sameCategory = o.category == ref.category;
        return ((mask & 0x01) && sameLink && o.index == ref.index) ||
               ((mask & 0x02) && sameCategory) || ((mask & 0x04) && sameLink) ||
               ((mask & 0x08) && ref.category != cmcCellObj::kNoCategory && linked &&
                o.index == ref.index) ||
               ((mask & 0x10) && sameCategory && std::abs(o.index - ref.index) <= 1) ||
               ((mask & 0x20) && linked) || ((mask & 0x40) && linked && o.index >= ref.index) ||
               ((mask & 0x80) && linked && o.index <= ref.index);
    });
}

void cuiSheet::ReopenEditor(cmcCellCapsule& capsule) {
    if (Inside(m_col, m_row) && capsule.cell == &Cell(m_col, m_row).obj) {
        OpenEditor(m_col, m_row, capsule.outText, capsule.caretPosition, capsule.selectionLength);
    }
}
