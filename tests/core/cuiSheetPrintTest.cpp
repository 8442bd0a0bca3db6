#include <gtest/gtest.h>

#include "cuiSheetTestSupport.h"
#include "sheet/cuiSheetPrint.h"

namespace {

class cuiSheetPrintTest : public sheettest::SheetTest {
protected:
    cuiSheetPrintTest() : SheetTest("print.txt") { titleFont.height = -20; }

    // The sheet built for a 600 dpi printer with 40-pixel characters.
    std::unique_ptr<cuiSheetPrint> Paper(const std::string& name) {
        sheet = std::make_unique<cuiSheet>(context, nullptr, 0, 0, name, nullptr);
        auto paper = std::make_unique<cuiSheetPrint>(*sheet, 600, measurer, titleFont);
        paper->Rebuild(40);
        return paper;
    }

    cmcFont titleFont;
    std::unique_ptr<cuiSheet> sheet;
};

TEST_F(cuiSheetPrintTest, BuildsAtTheGivenCharacterHeightAndPrinterScale) {
    auto paper = Paper("T_PrintShortA");
    EXPECT_TRUE(sheet->Printing());
    EXPECT_EQ(sheet->Scale(), 5);
    // The plain measurer's line is the character height; H adds 2 x scale.
    EXPECT_EQ(paper->RowHeights(), (std::vector<int32_t>{50, 50}));
    paper->Rebuild(20);
    EXPECT_EQ(paper->RowHeights(), (std::vector<int32_t>{30, 30}));
}

TEST_F(cuiSheetPrintTest, NoPrintSheetIsNotPrintable) {
    EXPECT_FALSE(Paper("T_PrintHidden")->IsPrintable());
    EXPECT_TRUE(Paper("T_PrintShortA")->IsPrintable());
}

TEST_F(cuiSheetPrintTest, OnlyAColumnJoinedInTheFixedRowsIsJoined) {
    auto paper = Paper("T_PrintWide");
    ASSERT_TRUE(sheet->Cell(2, 2).obj.joinLeft);  // joined below the fixed row only
    for (int32_t col = 0; col < sheet->ColCount(); ++col) {
        EXPECT_EQ(paper->JoinedInFixedRows(col), col == 3) << col;
    }
}

TEST_F(cuiSheetPrintTest, BlockMeasuresTitleFixedPartsAndItsOwnCells) {
    auto paper = Paper("T_PrintWide");
    const std::vector<int32_t> w = paper->ColumnWidths();
    const std::vector<int32_t> h = paper->RowHeights();
    const cmcPrintSize size = paper->MeasureBlock({4, 2, 2, 1});
    EXPECT_EQ(size.width, w[0] + w[4] + w[5]);
    EXPECT_EQ(size.height, 20 + h[0] + h[2]);
}

TEST_F(cuiSheetPrintTest, PageCellsPutFixedPartsFirstAndTheBlockBesideThem) {
    auto paper = Paper("T_PrintWide");
    const std::vector<int32_t> w = paper->ColumnWidths();
    const std::vector<int32_t> h = paper->RowHeights();
    const std::vector<cuiSheetPrint::PageCell> cells = paper->PageCells({2, 2, 1, 1}, {100, 200, 0, 0});
    std::vector<std::pair<int32_t, int32_t>> order;
    for (const cuiSheetPrint::PageCell& cell : cells) {
        order.emplace_back(cell.col, cell.row);
    }
    // Column 3 is joined to 2 in the header: the span is painted once, from 3.
    EXPECT_EQ(order, (std::vector<std::pair<int32_t, int32_t>>{{0, 0}, {3, 0}, {0, 1}, {2, 1}, {3, 1}}));
    const cuiSheetPrint::PageCell& joined = cells[1];
    EXPECT_EQ(joined.rect.left, 100 + w[0] + w[2]);
    EXPECT_EQ(joined.rect.top, 200 + 20);
    EXPECT_EQ(joined.clip.left, 100 + w[0]);  // the span is cut at the block's edge
    EXPECT_EQ(joined.clip.right, 100 + w[0] + w[2] + w[3] - 1);
    EXPECT_EQ(cells[3].rect.top, 200 + 20 + h[0]);
}

}  // namespace
