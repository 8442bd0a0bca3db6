#pragma once
#include <cstdint>
#include <string>

// The grid a sheet drives. The sheet keeps the cursor, the selection and the
// rules; the view scrolls, repaints and hosts the in-cell editor. Cells are
// (column, row) of the whole grid.
class cuiSheetView {
public:
    struct Range {
        int32_t firstCol = 0;
        int32_t firstRow = 0;
        int32_t lastCol = -1;  // last fully or partly visible column
        int32_t lastRow = -1;
    };

    virtual ~cuiSheetView() = default;

    virtual Range Visible() const = 0;
    // Top-left scrolling position: the first non-fixed column and row shown.
    virtual int32_t LeftCol() const = 0;
    virtual int32_t TopRow() const = 0;
    virtual void ScrollTo(int32_t leftCol, int32_t topRow) = 0;
    // Choice lists wrap single steps only when the grid shows no scroll bars.
    virtual bool HasScrollBars() const = 0;
    virtual bool HasFocus() const = 0;

    // The cursor is now on this cell: keep it in view.
    virtual void ShowCell(int32_t col, int32_t row) = 0;
    virtual void RepaintCell(int32_t col, int32_t row) = 0;
    virtual void RepaintAll() = 0;

    virtual void OpenEditor(int32_t col, int32_t row, const std::string& text, int32_t caret,
                            int32_t selectionLength) = 0;
    virtual void CloseEditor() = 0;
    virtual bool EditorVisible() const = 0;
    virtual std::string EditorText() const = 0;

    // Pops up the sheet's pop-up menu at the mouse; stem may be empty.
    virtual void PopupMenu(const std::string& stem) = 0;
    // A choice list's entry was chosen: the list window hides itself.
    virtual void ChoiceMade() = 0;
};
