#pragma once
#include <cstdint>
#include <vector>

// A range of a sheet printed as one piece: its own columns and rows, after
// the fixed ones, which every block repeats.
struct cmcPrintBlock {
    int32_t firstCol = 0;
    int32_t colCount = 0;
    int32_t firstRow = 0;
    int32_t rowCount = 0;
};

struct cmcPrintSize {
    int32_t width = 0;
    int32_t height = 0;
};

// What printing needs of a sheet that the engine built for the printer.
// Sizes are printer pixels.
class cmcPrintSheet {
public:
    virtual ~cmcPrintSheet() = default;
    // False for sheets whose style says (NoPrint).
    virtual bool IsPrintable() const = 0;
    // Builds the sheet again with the given cell font height.
    virtual void Rebuild(int32_t fontHeight) = 0;
    virtual std::vector<int32_t> ColumnWidths() const = 0;
    virtual std::vector<int32_t> RowHeights() const = 0;
    virtual int32_t FixedCols() const = 0;
    virtual int32_t FixedRows() const = 0;
    // True when a cell of the column in the fixed rows is joined to its left
    // neighbour, so that no page may start at the column.
    virtual bool JoinedInFixedRows(int32_t col) const = 0;
    // The size of the block as printed: title, fixed rows and columns, cells.
    virtual cmcPrintSize MeasureBlock(const cmcPrintBlock& block) const = 0;
};
