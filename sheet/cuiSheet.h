#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/cmcEvent.h"
#include "sheet/cmcCellCapsule.h"
#include "sheet/cmcCellContext.h"
#include "sheet/cmcCellLink.h"
#include "sheet/cmcCellObj.h"
#include "sheet/cuiSheetCell.h"
#include "sheet/cuiSheetPaint.h"
#include "sheet/cuiSheetRow.h"
#include "sheet/cuiSheetStyle.h"

class cmcEvMan;
class cmcTextMeasurer;
class cmcTimerHost;
class cuiSheetView;

// A sheet: a grid of cells built from the three descriptions "<name>_Style",
// "<name>_BasicCell" and "<name>_Cells", and the rules of its cursor,
// selection, requests and painting. It holds no pixels: a view draws the
// grid and hosts the editor, a measurer sizes texts, and the link callback
// answers every cell's text and takes every user action.
class cuiSheet {
public:
    // The most cells a grid holds. The largest sheet of the built-in table
    // has a few thousand; a description beyond this (a loop repeated
    // millions of times, say) is as faulty as one without cells, and with
    // cell sizes of at most 32767 the sums of widths and heights stay in
    // 32 bits.
    static constexpr int64_t kMaxCells = 65536;

    // The engine's own events (application event codes).
    enum Event : uint32_t {
        kEvStatus = 4,
        kEvRefreshMenus = 9,
        kEvPopupRebuild = 10,
        kEvPopupAssign = 11,
        kEvCurrentCell = 12,
        kEvRepaintAll = 13,
        kEvRepaintCategory = 14,
        kEvRepaintLink = 15,
        kEvRepaintIndex = 16,
        kEvRepaintIndexUpTo = 17,
        kEvRepaintIndexFrom = 18,
        kEvCursorMoved = 19,
        kEvCommitEdit = 21,
    };

    // Keys the grid passes on.
    enum class Key {
        Right,
        Left,
        Down,
        Up,
        PageDown,
        PageUp,
        Home,
        End,
        InputMethod,
        Enter,
        Escape
    };

    // What answers event 12: the current cell of the sheet asked.
    struct CurrentCellAnswer {
        int32_t category = 0;
        int32_t link = 0;
        int32_t index = 0;
        int32_t userFlags = 0;
        int32_t col = 0;
        int32_t row = 0;
        const cmcCellObj* cell = nullptr;  // valid until the sheet changes
    };

    // The parent capsule is copied; nothing is built yet.
    cuiSheet(const cmcCellContext& cells, const cmcCellCapsule* parentCapsule, int32_t focusLink,
             int32_t focusIndex, std::string name, void* context);
    virtual ~cuiSheet();
    cuiSheet(const cuiSheet&) = delete;
    cuiSheet& operator=(const cuiSheet&) = delete;

    virtual void SetParameter(const std::string& text);
    virtual void Rebuild();

    // Services. The measurer is needed for a build; the others are optional.
    void SetMeasurer(const cmcTextMeasurer* measurer) { m_measurer = measurer; }
    void SetLink(cmcCellLink link) { m_link = std::move(link); }
    void SetView(cuiSheetView* view) { m_view = view; }
    void SetTimerHost(cmcTimerHost* host) { m_timers = host; }
    // Registers for the events a sheet handles; the sheet unregisters itself.
    void SetEvents(cmcEvMan* events);
    void SetSheetId(int32_t id) { m_sheetId = id; }
    void SetSource(const std::string& source) { m_source = source; }
    void SetFontSizePercent(int32_t percent) { m_fontPercent = percent; }
    void SetChoiceList(bool on) { m_style.choiceList = on; }
    // Paper: the printer's vertical resolution and the print font height.
    void SetPrinter(int32_t dpiY, int32_t fontHeight);
    // Size of the warning and error marks on screen (from the context).
    void SetMarkSize(int32_t size) { m_markSize = size; }

    // Built sheet.
    const std::string& Name() const { return m_name; }
    const std::string& Source() const { return m_source; }
    const std::string& Parameter() const { return m_parameter; }
    const cuiSheetStyle& Style() const { return m_style; }
    const cmcCellObj& BasicCell() const { return m_basic; }
    int32_t ColCount() const { return m_colCount; }
    int32_t RowCount() const { return m_rowCount; }
    // Fixed columns and rows as the grid uses them: at most one less than the count.
    int32_t FixedCols() const;
    int32_t FixedRows() const;
    const std::vector<cuiSheetRow>& RowMap() const { return m_rows; }
    const cuiSheetCell& Cell(int32_t col, int32_t row) const;
    int32_t ColWidth(int32_t col) const { return m_colWidths.at(static_cast<size_t>(col)); }
    int32_t RowHeight(int32_t row) const { return m_rowHeights.at(static_cast<size_t>(row)); }
    int32_t FirstSelectableCol() const { return m_firstSelCol; }
    int32_t FirstSelectableRow() const { return m_firstSelRow; }
    int32_t Scale() const { return m_scale; }
    bool Printing() const { return m_printing; }
    // The cell's rectangle in grid coordinates (column widths and row heights added up).
    cmcRect CellRect(int32_t col, int32_t row) const;

    virtual std::string GetTitle() const { return m_style.titleText; }
    virtual bool IsPrintable() const { return !m_style.noPrint; }
    virtual bool IsImportable() const { return m_style.importable; }
    virtual bool IsExportable() const { return m_style.exportable; }

    // Runtime.
    int32_t CurrentCol() const { return m_col; }
    int32_t CurrentRow() const { return m_row; }
    bool MultiSelectActive() const { return m_multiActive; }
    int32_t RangeFirst() const { return m_rangeFirst; }
    int32_t RangeLast() const { return m_rangeLast; }
    int32_t AnchorCol() const { return m_anchorCol; }
    int32_t AnchorRow() const { return m_anchorRow; }

    // Moves the cursor dx columns or dy rows over selectable cells; true when it moved.
    bool Move(int32_t dx, int32_t dy);
    // The grid asks to make a cell current (click, drag); applies the
    // cursor-change and selection rules. False when refused.
    bool SelectCell(int32_t col, int32_t row);
    // Shift held, or the left button held: cursor changes extend the selection.
    void SetExtending(bool shift, bool button);

    // Every key press clears the status text (event 4); KeyDown does it itself.
    void ClearStatus();
    // Keys on the grid; false when the key is not the grid's (menu shortcuts).
    bool KeyDown(Key key, bool shift = false, bool ctrl = false);
    // One typed byte; a lead byte waits for its trail byte. False when the
    // sheet does not take it (a choice list takes Enter only).
    bool TypeByte(uint8_t byte);
    // Mouse, in grid cells.
    void MousePress(int32_t col, int32_t row);
    void MouseRelease(int32_t col, int32_t row);
    void MouseMove(int32_t col, int32_t row);
    void DoubleClick(int32_t col, int32_t row);
    void RightClick(int32_t col, int32_t row);
    void Wheel(int32_t rows) { Move(0, rows); }

    // Focus of the grid: the pop-up menu follows the current cell only while
    // the grid has the focus.
    void FocusIn();
    void FocusOut();
    // A pop-up menu item was chosen: its link goes to the current cell.
    void PopupCommand(int32_t linkId);
    const std::string& PopupStem() const { return m_popupStem; }

    // Keys while the editor is open; false when the editor does not take it.
    bool EditorKey(Key key);
    void OpenEditor(int32_t col, int32_t row, const std::string& text, int32_t caret,
                    int32_t selectionLength);
    void CommitEditor();

    // Hands a request for the cell to the link; see the runtime rules.
    // Returns the link's first result; repeats the link asks for continue on
    // the timer host.
    int Dispatch(int32_t col, int32_t row, int32_t request, int32_t command,
                 const std::optional<std::string>& text = std::nullopt);
    bool RepeatPending() const { return m_repeat.timer != 0; }

    virtual void PrepareCapsule(int32_t col, int32_t row, cmcCellCapsule& capsule);

    // How to paint the cell whose own rectangle is `rect`. The canvas goes to
    // the link as is, for links that draw on the surface themselves.
    cuiSheetPaint PaintCell(int32_t col, int32_t row, const cmcRect& rect, bool gridFocused,
                            void* canvas = nullptr);

protected:
    virtual bool ApplyStyleItem(std::string_view item);
    virtual void ApplyCommand(std::string_view item);
    virtual void LoadCells(const std::string& key);
    virtual void LoadBasicCell(const std::string& key);
    virtual void Layout(const std::string& key);
    virtual void FillCells(const std::string& key);
    virtual void OnRowStart(int32_t /*row*/) {}
    virtual void OnCellStart(int32_t /*col*/, int32_t /*row*/) {}
    virtual cmcCellCapsule& OnDrawQuery(cmcCellCapsule& capsule) { return capsule; }

    // For ApplyCommand overrides: the loop under construction.
    struct LoopState {
        int32_t start = -1;  // line of the loop's command, -1 unset
        int32_t end = -1;
        int32_t count = -1;
        int32_t bodyRows = 0;
        bool select = true;
    };
    LoopState& Loop() { return m_loop; }
    int32_t LayoutLine() const { return m_layoutLine; }
    int32_t GridRows() const { return static_cast<int32_t>(m_rows.size()); }
    cmcCellVars& Variables() { return m_vars; }
    cmcGTex& Table() const { return m_cells.table; }

private:
    struct Repeat {
        int timer = 0;
        int32_t col = 0;
        int32_t row = 0;
        int32_t request = 0;
        int32_t delay = 0;
    };

    void Build();
    void ParseStyle(const std::string& line);
    void LayoutCommandLine(std::string_view line);
    [[noreturn]] static void IllegalLayout();
    void FillRow(int32_t row, int32_t& previousCount);
    void MeasureCell(const cmcCellObj& cell, int32_t col, int32_t row);
    cuiSheetCell& At(int32_t col, int32_t row);
    void CheckCell(int32_t col, int32_t row) const;
    bool Inside(int32_t col, int32_t row) const;
    bool Selectable(int32_t col, int32_t row) const;
    void PlaceInitialCursor(bool restore, int32_t col, int32_t row, int32_t left, int32_t top);
    bool FindLinked(int32_t link, int32_t index, int32_t category, bool matchCategory, int32_t& col,
                    int32_t& row) const;

    // Cursor and selection.
    bool Step(int32_t sx, int32_t sy, bool wrap);
    bool WalkLine(int32_t sx, int32_t sy, bool wrap, int32_t& col, int32_t& row) const;
    bool SearchBeyond(int32_t sx, int32_t sy, int32_t& col, int32_t& row) const;
    bool ChangeCursor(int32_t col, int32_t row);
    void UpdateSelection(int32_t oldCol, int32_t oldRow, int32_t col, int32_t row);
    void UpdateHighlight();
    void ClearSelection();
    void ClearMultiSelection();
    void ScrollForCursor();
    int32_t TipOwner(int32_t col, int32_t row) const;
    void SwitchPopup(bool force);
    void RepaintSelected();

    // Requests.
    int SendOnce(int32_t col, int32_t row, int32_t request, int32_t command,
                 const std::optional<std::string>& text, cmcCellCapsule& capsule);
    int SendChoice(int32_t col, int32_t row, int32_t request);
    void AfterRequest(const cmcCellCapsule& capsule);
    void RepeatTick();
    void FinishDispatch(const cmcCellCapsule& capsule);
    void SendEvent(uint32_t code, int32_t p1 = 0, int32_t p2 = 0);
    void OnEvent(const cmcEvent& event);
    void Invalidate(cmcCellCapsule& capsule, uint32_t mask);
    void ReopenEditor(cmcCellCapsule& capsule);
    template <class Match>
    void RepaintVisible(Match match);

    // Painting.
    bool PaintedSelected(int32_t col, int32_t row) const;
    void PaintText(cuiSheetPaint& paint, const cmcCellObj& cell, const std::string& text) const;
    void PaintMark(cuiSheetPaint& paint, const cmcCellObj& cell,
                   const cmcCellCapsule& capsule) const;

    cmcCellContext m_cells;
    std::unique_ptr<cmcCellCapsule> m_parentCapsule;
    int32_t m_focusLink;
    int32_t m_focusIndex;
    std::string m_name;
    void* m_context;
    std::string m_source;
    std::string m_parameter;

    const cmcTextMeasurer* m_measurer = nullptr;
    cmcCellLink m_link;
    cuiSheetView* m_view = nullptr;
    cmcTimerHost* m_timers = nullptr;
    cmcEvMan* m_events = nullptr;
    int32_t m_sheetId = 0;

    cuiSheetStyle m_style;
    int32_t m_fontPercent = 100;
    int32_t m_scale = 1;
    int32_t m_explicitFontHeight = 0;
    bool m_printing = false;
    int32_t m_markSize = 8;

    cmcCellObj m_basic;
    cmcCellVars m_vars{};
    std::vector<cuiSheetRow> m_rows;
    std::vector<cuiSheetCell> m_grid;
    std::vector<int32_t> m_colWidths;
    std::vector<int32_t> m_rowHeights;
    int32_t m_colCount = 0;
    int32_t m_rowCount = 0;
    int32_t m_firstSelCol = 0;
    int32_t m_firstSelRow = 0;
    LoopState m_loop;
    int32_t m_layoutLine = 0;
    bool m_building = false;
    bool m_built = false;

    int32_t m_col = 0;
    int32_t m_row = 0;
    int32_t m_anchorCol = -1;
    int32_t m_anchorRow = -1;
    int32_t m_rememberCol = 0;
    int32_t m_rememberRow = 0;
    int32_t m_rangeFirst = 0;
    int32_t m_rangeLast = 0;
    bool m_multiActive = false;
    bool m_extendShift = false;
    bool m_extendButton = false;
    bool m_highlightClean = true;
    int m_leadByte = -1;
    int32_t m_editCol = 0;
    int32_t m_editRow = 0;
    Repeat m_repeat;
    std::string m_popupStem;
    bool m_popupShown = false;
    cmcCellCapsule m_drawCapsule;
};
