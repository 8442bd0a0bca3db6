#include "sheet/cuiSheet.h"

#include <algorithm>
#include <limits>

#include "runtime/cmcEvMan.h"
#include "sheet/cmcColor.h"
#include "sheet/cmcTextMeasurer.h"
#include "sheet/cuiSheetView.h"
#include "text/cmcGTex.h"
#include "util/cmcFatal.h"
#include "util/cmcStr.h"

namespace {

// The item text after the first '='; empty when there is none.
std::string_view ValueOf(std::string_view item) {
    const size_t eq = item.find('=');
    return eq == std::string_view::npos ? std::string_view() : item.substr(eq + 1);
}

bool StartsWith(std::string_view text, std::string_view word) {
    return text.substr(0, word.size()) == word;
}

// Calls `apply` with the text of every "(...)" item of a line.
template <class Apply>
void ForEachItem(std::string_view line, Apply apply) {
    size_t pos = 0;
    while ((pos = line.find('(', pos)) != std::string_view::npos) {
        const size_t close = line.find(')', pos + 1);
        if (close == std::string_view::npos) {
            return;
        }
        apply(line.substr(pos + 1, close - pos - 1));
        pos = close + 1;
    }
}

}  // namespace

cuiSheet::cuiSheet(const cmcCellContext& cells, const cmcCellCapsule* parentCapsule,
                   int32_t focusLink, int32_t focusIndex, std::string name, void* context)
    : m_cells(cells),
      m_parentCapsule(parentCapsule ? std::make_unique<cmcCellCapsule>(*parentCapsule) : nullptr),
      m_focusLink(focusLink),
      m_focusIndex(focusIndex),
      m_name(std::move(name)),
      m_context(context) {}

cuiSheet::~cuiSheet() {
    if (m_events) {
        m_events->Unlisten(cmcEvMan::Listener(this, &cuiSheet::OnEvent));
    }
    if (m_timers && m_repeat.timer != 0) {
        m_timers->StopTimer(m_repeat.timer);
    }
}

void cuiSheet::SetEvents(cmcEvMan* events) {
    if (m_events) {
        m_events->Unlisten(cmcEvMan::Listener(this, &cuiSheet::OnEvent));
    }
    m_events = events;
    if (m_events) {
        m_events->Listen(cmcEvMan::Listener(this, &cuiSheet::OnEvent));
    }
}

void cuiSheet::SetParameter(const std::string& text) {
    m_parameter = text;
}

void cuiSheet::SetPrinter(int32_t dpiY, int32_t fontHeight) {
    m_printing = true;
    m_scale = std::max(1, dpiY / 120);
    m_explicitFontHeight = fontHeight;
}

int32_t cuiSheet::FixedCols() const {
    return std::max(0, std::min(m_style.fixedCols, m_colCount - 1));
}

int32_t cuiSheet::FixedRows() const {
    return std::max(0, std::min(m_style.fixedRows, m_rowCount - 1));
}

void cuiSheet::Rebuild() {
    const bool restore = m_built;
    const int32_t col = m_col;
    const int32_t row = m_row;
    const int32_t left = m_view && restore ? m_view->LeftCol() : 0;
    const int32_t top = m_view && restore ? m_view->TopRow() : 0;
    m_building = true;
    Build();
    m_built = true;
    PlaceInitialCursor(restore, col, row, left, top);
    m_building = false;
    if (m_view) {
        m_view->RepaintAll();
        if (m_view->HasFocus()) {
            SwitchPopup(false);
        }
    }
}

void cuiSheet::Build() {
    const bool choiceList = m_style.choiceList;
    m_style = cuiSheetStyle{};
    m_style.choiceList = choiceList;
    ParseStyle(m_cells.table.GetLine(m_name + "_Style", 0));
    LoadCells(m_name);
    // A selectable cell near the top-left corner: one step each way.
    m_col = 0;
    m_row = 0;
    m_rememberCol = 0;
    m_rememberRow = 0;
    m_anchorCol = -1;
    m_anchorRow = -1;
    ClearSelection();
    m_multiActive = false;
    for (const auto& [dx, dy] : {std::pair{0, 1}, {0, -1}, {1, 0}, {-1, 0}}) {
        Step(dx, dy, false);
    }
}

void cuiSheet::PlaceInitialCursor(bool restore, int32_t col, int32_t row, int32_t left,
                                  int32_t top) {
    if (restore && Inside(col, row) && Selectable(col, row)) {
        if (m_view) {
            m_view->ScrollTo(left, top);
        }
        m_col = col;
        m_row = row;
    } else if (m_focusLink != 0) {
        int32_t c = 0;
        int32_t r = 0;
        if (FindLinked(m_focusLink, m_focusIndex, 0, false, c, r)) {
            m_col = c;
            m_row = r;
            ScrollForCursor();
        }
    }
    m_rememberCol = m_col;
    m_rememberRow = m_row;
    m_anchorCol = m_col;
    m_anchorRow = m_row;
    if (Inside(m_col, m_row)) {
        ClearSelection();
        At(m_col, m_row).marked = true;
        m_rangeFirst = m_rangeLast = At(m_col, m_row).obj.index;
        UpdateHighlight();
    }
}

bool cuiSheet::FindLinked(int32_t link, int32_t index, int32_t category, bool matchCategory,
                          int32_t& col, int32_t& row) const {
    for (int32_t r = 0; r < m_rowCount; ++r) {
        for (int32_t c = 0; c < m_colCount; ++c) {
            const cmcCellObj& o = Cell(c, r).obj;
            if (o.selectable && o.link == link && o.index == index &&
                (!matchCategory || o.category == category)) {
                col = c;
                row = r;
                return true;
            }
        }
    }
    return false;
}

void cuiSheet::ParseStyle(const std::string& line) {
    ForEachItem(line, [this](std::string_view item) { ApplyStyleItem(item); });
}

bool cuiSheet::ApplyStyleItem(std::string_view item) {
    const std::string_view value = ValueOf(item);
    if (StartsWith(item, "TitleString")) {
        if (!value.empty()) {
            m_style.titleText = std::string(value);
        }
    } else if (StartsWith(item, "TitleColor")) {
        ParseColor(value, m_style.titleColor);
    } else if (StartsWith(item, "TitleFont")) {
        m_style.titleFont = cmcFont{};
        ParseFont(value, *m_style.titleFont);
    } else if (StartsWith(item, "FixedCols")) {
        m_style.fixedCols = cmcStr::AtoI(value);
    } else if (StartsWith(item, "FixedRows")) {
        m_style.fixedRows = cmcStr::AtoI(value);
    } else if (item == "NoPrint") {
        m_style.noPrint = true;
    } else if (StartsWith(item, "PrintFontRatio")) {
        m_style.printFontRatio = cmcStr::AtoI(value);
    } else if (item == "MultiSelect=Cell") {
        m_style.multiSelect = cuiSheetStyle::kCell;
    } else if (item == "MultiSelect=Line") {
        m_style.multiSelect = cuiSheetStyle::kLine;
    } else if (StartsWith(item, "MultiSelect")) {
        m_style.multiSelect = cuiSheetStyle::kNone;
    } else if (StartsWith(item, "Importable")) {
        m_style.importable = true;
    } else if (StartsWith(item, "Exportable")) {
        m_style.exportable = true;
    } else {
        return false;
    }
    return true;
}

void cuiSheet::LoadCells(const std::string& key) {
    LoadBasicCell(key);
    Layout(key + "_Cells");
    m_grid.assign(static_cast<size_t>(m_colCount) * static_cast<size_t>(m_rowCount),
                  cuiSheetCell{});
    // Columns without a W cell and rows without an H cell stay one device
    // pixel thin: separator lines in the cell colour.
    m_colWidths.assign(static_cast<size_t>(m_colCount), m_scale);
    m_rowHeights.assign(static_cast<size_t>(m_rowCount), m_scale);
    m_firstSelCol = m_colCount;
    m_firstSelRow = m_rowCount;
    FillCells(key + "_Cells");
}

void cuiSheet::LoadBasicCell(const std::string& key) {
    std::string text = m_cells.table.GetLine(key + "_BasicCell", 0);
    if (m_explicitFontHeight != 0) {
        text += cmcStr::Format("{(Font=,,,%d,,,)}", m_explicitFontHeight);
    } else {
        text += cmcStr::Format("{(Font=,,,%%%d,,,)}", m_fontPercent);
    }
    if (m_printing && m_style.printFontRatio != 100) {
        text += cmcStr::Format("{(Font=,,,%%%d,,,)}", m_style.printFontRatio);
    }
    m_basic = cmcCellObj{};
    ParseCell(m_cells, text, m_basic, nullptr, nullptr);
}

void cuiSheet::Layout(const std::string& key) {
    m_loop = LoopState{};
    m_rows.clear();
    int32_t maxCells = 0;
    for (m_layoutLine = 0;; ++m_layoutLine) {
        const std::string line = m_cells.table.GetLine(key, m_layoutLine);
        if (!line.empty() && line.front() == '#') {
            break;
        }
        if (!line.empty() && line.front() == ':') {
            LayoutCommandLine(line);
            continue;
        }
        int32_t cells = 0;
        cmcCellObj unused;
        for (std::string_view rest = line; !rest.empty(); ++cells) {
            rest = ParseCell(m_cells, rest, unused, nullptr, nullptr, true);
        }
        maxCells = std::max(maxCells, cells);
        m_rows.push_back({m_layoutLine, m_loop.select});
        const bool loopOpen = m_loop.start >= 0 && m_loop.end < 0;
        m_loop.bodyRows = loopOpen ? m_loop.bodyRows + 1 : 0;
    }
    m_colCount = maxCells;
    m_rowCount = static_cast<int32_t>(m_rows.size());
    if (m_colCount == 0 || m_rowCount == 0 ||
        static_cast<int64_t>(m_colCount) * m_rowCount > kMaxCells) {
        IllegalLayout();
    }
}

void cuiSheet::IllegalLayout() {
    cmcFatal(cmcFatalCaption::AppTitle, "Illegal Cell assign");
}

void cuiSheet::LayoutCommandLine(std::string_view line) {
    ForEachItem(line, [this](std::string_view item) { ApplyCommand(item); });
    if (m_loop.start < 0 || m_loop.end < 0 || m_loop.count < 0) {
        return;
    }
    // Checked before the repetitions are made: a huge count would exhaust
    // memory long before the layout's end could refuse it.
    const int64_t repeated = static_cast<int64_t>(m_loop.count - 1) * m_loop.bodyRows;
    if (static_cast<int64_t>(m_rows.size()) + repeated > kMaxCells) {
        IllegalLayout();
    }
    // A loop without rows repeats nothing, however often it is asked to.
    for (int32_t rep = 1; m_loop.bodyRows > 0 && rep < m_loop.count; ++rep) {
        for (int32_t k = 1; k <= m_loop.bodyRows; ++k) {
            m_rows.push_back({m_loop.start + k, m_loop.select});
        }
    }
    m_loop.start = m_loop.end = m_loop.count = -1;
    m_loop.bodyRows = 0;
}

void cuiSheet::ApplyCommand(std::string_view item) {
    if (StartsWith(item, "LoopFrom")) {
        const std::string_view number = item.substr(8);
        if (number.find_first_of("0123456789") != std::string_view::npos) {
            m_loop.start = m_layoutLine;
            m_loop.count = std::max(1, cmcStr::AtoI(number));
        }
    } else if (StartsWith(item, "LoopTo")) {
        m_loop.end = m_layoutLine;
    } else if (StartsWith(item, "LoopBankIndv")) {
        m_loop.start = m_layoutLine;
        m_loop.count = 30;
    } else if (StartsWith(item, "LoopBankGrp")) {
        m_loop.start = m_layoutLine;
        m_loop.count = 63;
    } else if (StartsWith(item, "SelectON")) {
        m_loop.select = true;
    } else if (StartsWith(item, "SelectOFF")) {
        m_loop.select = false;
    }
}

void cuiSheet::FillCells(const std::string& key) {
    int32_t previousCount = 0;
    std::string lineText;
    for (int32_t r = 0; r < m_rowCount; ++r) {
        OnRowStart(r);
        const bool copy = r > 0 && m_rows[static_cast<size_t>(r)].line ==
                                       m_rows[static_cast<size_t>(r - 1)].line;
        int32_t count = 0;
        if (copy) {
            // A repetition of a one-line loop body: the row above, one index on.
            for (; count < previousCount; ++count) {
                OnCellStart(count, r);
                cuiSheetCell& cell = At(count, r);
                CopyCell(cell.obj, At(count, r - 1).obj);
                ++cell.obj.index;
            }
            m_rowHeights[static_cast<size_t>(r)] = m_rowHeights[static_cast<size_t>(r - 1)];
        } else {
            lineText = m_cells.table.GetLine(key, m_rows[static_cast<size_t>(r)].line);
            for (std::string_view rest = lineText; !rest.empty(); ++count) {
                OnCellStart(count, r);
                cmcCellObj& obj = At(count, r).obj;
                rest = ParseCell(m_cells, rest, obj, &m_vars, &m_basic);
                MeasureCell(obj, count, r);
            }
        }
        for (int32_t c = 0; c < count; ++c) {
            cuiSheetCell& cell = At(c, r);
            if (cell.obj.selectable) {
                m_firstSelCol = std::min(m_firstSelCol, c);
                m_firstSelRow = std::min(m_firstSelRow, r);
            }
            cell.multiSelectable = m_style.multiSelect != cuiSheetStyle::kNone &&
                                   m_rows[static_cast<size_t>(r)].multiSelectable;
        }
        previousCount = count;
    }
}

void cuiSheet::MeasureCell(const cmcCellObj& cell, int32_t col, int32_t row) {
    if (!cell.fitWidth && !cell.fitHeight) {
        return;
    }
    if (!m_measurer) {
        cmcFatal(cmcFatalCaption::AppTitle, "Sheet built without a text measurer");
    }
    const cmcFont* own = cell.EffectiveFont();
    const cmcFont font = own ? *own : cmcFont{};
    int32_t width = 0;
    int64_t height = 0;  // a cell of very many lines must not overflow
    std::string_view text = cell.DisplayText();
    while (true) {
        const size_t feed = text.find('\n');
        const cmcTextMeasurer::Size size = m_measurer->Measure(font, text.substr(0, feed));
        width = std::max(width, size.width);
        height += size.height;
        if (feed == std::string_view::npos) {
            break;
        }
        text.remove_prefix(feed + 1);
    }
    if (cell.fitWidth) {
        int32_t& w = m_colWidths[static_cast<size_t>(col)];
        w = std::max(w, width + 8 * m_scale);
    }
    if (cell.fitHeight) {
        int32_t& h = m_rowHeights[static_cast<size_t>(row)];
        h = static_cast<int32_t>(std::clamp<int64_t>(std::max<int64_t>(h, height + 2 * m_scale), 0,
                                                     std::numeric_limits<int32_t>::max() / 2));
    }
}

bool cuiSheet::Inside(int32_t col, int32_t row) const {
    return col >= 0 && row >= 0 && col < m_colCount && row < m_rowCount;
}

void cuiSheet::CheckCell(int32_t col, int32_t row) const {
    if (!Inside(col, row)) {
        cmcFatal(cmcFatalCaption::AppTitle, "Illegal Cell selection");
    }
}

const cuiSheetCell& cuiSheet::Cell(int32_t col, int32_t row) const {
    CheckCell(col, row);
    return m_grid[static_cast<size_t>(row) * static_cast<size_t>(m_colCount) +
                  static_cast<size_t>(col)];
}

cuiSheetCell& cuiSheet::At(int32_t col, int32_t row) {
    CheckCell(col, row);
    return m_grid[static_cast<size_t>(row) * static_cast<size_t>(m_colCount) +
                  static_cast<size_t>(col)];
}

bool cuiSheet::Selectable(int32_t col, int32_t row) const {
    return Inside(col, row) && Cell(col, row).obj.selectable;
}

cmcRect cuiSheet::CellRect(int32_t col, int32_t row) const {
    CheckCell(col, row);
    cmcRect rect;
    for (int32_t c = 0; c < col; ++c) {
        rect.left += m_colWidths[static_cast<size_t>(c)];
    }
    for (int32_t r = 0; r < row; ++r) {
        rect.top += m_rowHeights[static_cast<size_t>(r)];
    }
    rect.right = rect.left + m_colWidths[static_cast<size_t>(col)] - 1;
    rect.bottom = rect.top + m_rowHeights[static_cast<size_t>(row)] - 1;
    return rect;
}
