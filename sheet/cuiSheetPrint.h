#pragma once
#include <cstdint>
#include <vector>

#include "sheet/cmcFont.h"
#include "sheet/cmcPrintSheet.h"
#include "sheet/cmcRect.h"

class cmcTextMeasurer;
class cuiSheet;

// A sheet as the print job sees it: built for the printer at a font height,
// measured in printer pixels, with the sheet's title above every block in
// the frame font. It also says where each cell of a block lands on the page,
// so that the painter only paints.
class cuiSheetPrint : public cmcPrintSheet {
public:
    // One cell to paint: its own rectangle on the page and the area it is
    // clipped to (a joined span reaches left beyond its first column).
    struct PageCell {
        int32_t col = 0;
        int32_t row = 0;
        cmcRect rect;
        cmcRect clip;
    };

    // `measurer` measures on the printer and is also the sheet's measurer.
    cuiSheetPrint(cuiSheet& sheet, int32_t dpiY, const cmcTextMeasurer& measurer,
                  const cmcFont& titleFont);

    cuiSheet& Sheet() const { return m_sheet; }
    const cmcFont& TitleFont() const { return m_titleFont; }
    // Height of the title line above the cells; 0 for a sheet without a title.
    int32_t TitleHeight() const;
    // The cells of the block in paint order when the block's top left is at
    // `at`: fixed rows and columns first, each joined span once, from its
    // last cell in the area.
    std::vector<PageCell> PageCells(const cmcPrintBlock& block, const cmcRect& at) const;

    // cmcPrintSheet. Font heights are character heights in printer pixels.
    bool IsPrintable() const override;
    void Rebuild(int32_t fontHeight) override;
    std::vector<int32_t> ColumnWidths() const override;
    std::vector<int32_t> RowHeights() const override;
    int32_t FixedCols() const override;
    int32_t FixedRows() const override;
    bool JoinedInFixedRows(int32_t col) const override;
    cmcPrintSize MeasureBlock(const cmcPrintBlock& block) const override;

private:
    // Columns (or rows) first..first+count-1 of an area.
    struct Span {
        int32_t first = 0;
        int32_t count = 0;
    };
    int32_t TitleWidth() const;
    int32_t Width(Span cols) const;
    int32_t Height(Span rows) const;
    void AddArea(Span cols, Span rows, int32_t left, int32_t top,
                 std::vector<PageCell>& cells) const;

    cuiSheet& m_sheet;
    int32_t m_dpiY;
    const cmcTextMeasurer& m_measurer;
    cmcFont m_titleFont;
};
