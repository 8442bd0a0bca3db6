// The paint description of a cell: joined spans, text placement, the draw
// query to the link, selected and printed colours, marks.
#include <gtest/gtest.h>

#include "cuiSheetTestSupport.h"
#include "sheet/cmcColor.h"

namespace {

using sheettest::SheetTest;

class cuiSheetPaintTest : public SheetTest {
protected:
    cuiSheetPaintTest() : SheetTest("runtime.txt") {}

    std::unique_ptr<cuiSheet> BuildJoin(void* sheetContext, bool printing = false) {
        auto sheet = std::make_unique<cuiSheet>(context, nullptr, 0, 0, "T_Join", sheetContext);
        sheet->SetMeasurer(&measurer);
        sheet->SetView(&view);
        sheet->SetMarkSize(8);
        if (printing) {
            sheet->SetPrinter(120, -10);
        }
        sheet->SetLink([this](cmcCellCapsule& c, bool action) {
            queries.push_back({c.cell->index, action});
            c.outText = "ab\ncd";
            c.state |= cmcCellCapsule::kStateError;
            return 0;
        });
        sheet->Rebuild();
        return sheet;
    }

    cuiSheetPaint Paint(cuiSheet& sheet, int32_t col, int32_t row, bool focused = true) {
        return sheet.PaintCell(col, row, sheet.CellRect(col, row), focused);
    }

    std::vector<std::pair<int32_t, bool>> queries;
};

TEST_F(cuiSheetPaintTest, JoinedCellIsDrawnOverTheWholeSpanByItsFirstCell) {
    auto sheet = BuildJoin(nullptr);
    ASSERT_EQ(sheet->ColWidth(0), 40);
    ASSERT_EQ(sheet->ColWidth(1), 24);
    ASSERT_EQ(sheet->RowHeight(0), 12);
    const cuiSheetPaint paint = Paint(*sheet, 1, 0);
    ASSERT_TRUE(paint.draw);
    EXPECT_EQ(paint.col, 0);
    EXPECT_EQ(paint.rect.left, 0);
    EXPECT_EQ(paint.rect.right, 63);
    ASSERT_EQ(paint.lines.size(), 1u);
    EXPECT_EQ(paint.lines[0].text, "abc");
    EXPECT_EQ(paint.lines[0].x, (64 - 24) / 2);  // centred over both columns
    EXPECT_EQ(paint.lines[0].y, (12 - 10) / 2);  // middle
}

TEST_F(cuiSheetPaintTest, LinkedCellShowsTheHandlersTextPlacedByItsAlignment) {
    auto sheet = BuildJoin(nullptr);
    const cuiSheetPaint paint = Paint(*sheet, 0, 1);
    ASSERT_EQ(queries.size(), 1u);
    EXPECT_EQ(queries[0], std::make_pair(3, false));  // a query, not an action
    ASSERT_EQ(paint.lines.size(), 2u);
    EXPECT_EQ(paint.lines[1].text, "cd");
    // Right and bottom aligned in a 40 x 12 cell at (0, 12).
    EXPECT_EQ(paint.lines[0].x, 40 - 16 - 4);
    EXPECT_EQ(paint.lines[0].y, 23 - 20 - 1);
    EXPECT_EQ(paint.lines[1].y, 23 - 10 - 1);
    EXPECT_EQ(paint.background, 0x000000FFu);  // its own red: not selected
    EXPECT_TRUE(paint.fill);
    EXPECT_EQ(paint.mark, cuiSheetPaint::Mark::None);  // no context, no marks
    EXPECT_TRUE(Paint(*sheet, 1, 1).bottomLine);
}

TEST_F(cuiSheetPaintTest, MarksNeedAContextAndFollowTheAlignment) {
    int sheetContext = 0;
    auto sheet = BuildJoin(&sheetContext);
    const cuiSheetPaint right = Paint(*sheet, 0, 1);
    EXPECT_EQ(right.mark, cuiSheetPaint::Mark::Error);
    EXPECT_EQ(right.markX, 1);  // right-aligned text: the mark goes left
    const cuiSheetPaint left = Paint(*sheet, 1, 1);
    // Left-aligned: right edge, or just after the text when that is further left.
    EXPECT_EQ(left.markX, std::min(sheet->CellRect(1, 1).right - 8 - 1,
                                   left.lines[0].x + left.lines[0].width + 1));
}

TEST_F(cuiSheetPaintTest, CurrentCellIsHighlightedOnlyWithFocus) {
    auto sheet = BuildJoin(nullptr);
    const cuiSheetPaint focused = Paint(*sheet, 0, 0, true);
    EXPECT_TRUE(focused.selected);
    EXPECT_EQ(focused.background, cuiSheetPaint::kHighlight);
    EXPECT_EQ(focused.font.color, cuiSheetPaint::kHighlightText);
    const cuiSheetPaint unfocused = Paint(*sheet, 0, 0, false);
    EXPECT_EQ(unfocused.background, cuiSheetPaint::kBtnFace);
    EXPECT_EQ(unfocused.font.color, cmcColor::kWindowText);
    EXPECT_FALSE(Paint(*sheet, 2, 0).selected);
    EXPECT_TRUE(Paint(*sheet, 2, 0).repaintRight);  // a tip follows
}

TEST_F(cuiSheetPaintTest, PrintingUsesWhiteOrGreyAndTheTextColour) {
    auto sheet = BuildJoin(nullptr, true);
    const cuiSheetPaint window = Paint(*sheet, 2, 0);
    EXPECT_EQ(window.background, cuiSheetPaint::kWhite);
    EXPECT_FALSE(window.fill);
    const cuiSheetPaint red = Paint(*sheet, 0, 1);
    EXPECT_EQ(red.background, cuiSheetPaint::kPrintGray);
    EXPECT_EQ(red.font.color, cuiSheetPaint::kPrintText);
}

}  // namespace
