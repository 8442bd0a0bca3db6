// Building sheets from their descriptions: loops, copies, the row map,
// measurement, style items and the printing mode.
#include <gtest/gtest.h>

#include "cuiSheetTestSupport.h"
#include "model/indLinkNames.h"

namespace {

using sheettest::SheetTest;

class cuiSheetLayoutTest : public SheetTest {
protected:
    cuiSheetLayoutTest() : SheetTest("layout.txt") {}

    static std::vector<int32_t> Lines(const cuiSheet& sheet) {
        std::vector<int32_t> lines;
        for (const cuiSheetRow& row : sheet.RowMap()) {
            lines.push_back(row.line);
        }
        return lines;
    }
};

TEST_F(cuiSheetLayoutTest, OneLineLoopBodyIsCopiedWithTheIndexOneHigher) {
    auto sheet = Build("T_Loop2");
    ASSERT_EQ(sheet->ColCount(), 2);
    ASSERT_EQ(sheet->RowCount(), 3);
    EXPECT_EQ(Lines(*sheet), (std::vector<int32_t>{0, 2, 2}));
    EXPECT_EQ(sheet->Cell(0, 1).obj.index, 0);
    EXPECT_EQ(sheet->Cell(0, 2).obj.index, 1);
    EXPECT_EQ(sheet->Cell(1, 1).obj.index, 5);
    EXPECT_EQ(sheet->Cell(1, 2).obj.index, 6);
    EXPECT_EQ(sheet->Cell(0, 2).obj.link, sheet->Cell(0, 1).obj.link);
    EXPECT_EQ(sheet->Cell(0, 2).obj.DisplayText(), "WWW");
}

TEST_F(cuiSheetLayoutTest, MeasuresFlaggedCellsAndLeavesTheRestOnePixel) {
    auto sheet = Build("T_Loop2");
    // "head" in the default font: 4 x 8 + 8 wide, 11 + 2 high.
    EXPECT_EQ(sheet->ColWidth(0), 40);
    EXPECT_EQ(sheet->ColWidth(1), 16);
    EXPECT_EQ(sheet->RowHeight(0), 13);
    EXPECT_EQ(sheet->RowHeight(1), 1);
    EXPECT_EQ(sheet->RowHeight(2), 1);
    EXPECT_EQ(sheet->FirstSelectableCol(), 0);
    EXPECT_EQ(sheet->FirstSelectableRow(), 1);
    EXPECT_EQ(sheet->CurrentCol(), 0);
    EXPECT_EQ(sheet->CurrentRow(), 1);
}

TEST_F(cuiSheetLayoutTest, LoopCountsBelowOneAndMissingCountsGiveOneBody) {
    EXPECT_EQ(Build("T_Loop0")->RowCount(), 1);
    EXPECT_EQ(Build("T_NoCount")->RowCount(), 1);
}

TEST_F(cuiSheetLayoutTest, TwoLineBodyRepeatsInOrderAndParsesEachRow) {
    auto sheet = Build("T_TwoLines");
    EXPECT_EQ(Lines(*sheet), (std::vector<int32_t>{0, 2, 3, 2, 3, 2, 3}));
    // Parsed again each time, so the variable advanced by the b rows shows.
    EXPECT_EQ(sheet->Cell(0, 1).obj.index, 0);
    EXPECT_EQ(sheet->Cell(0, 3).obj.index, 1);
    EXPECT_EQ(sheet->Cell(0, 5).obj.index, 2);
}

TEST_F(cuiSheetLayoutTest, StyleItemsAndEmptyRows) {
    auto sheet = Build("T_Fixed");
    EXPECT_EQ(sheet->FixedCols(), 1);  // 3 asked, 2 columns
    EXPECT_EQ(sheet->FixedRows(), 1);
    EXPECT_EQ(sheet->Style().multiSelect, cuiSheetStyle::kNone);  // value in lower case
    EXPECT_FALSE(sheet->IsPrintable());
    EXPECT_TRUE(sheet->IsImportable());
    EXPECT_FALSE(sheet->IsExportable());
    ASSERT_EQ(sheet->RowCount(), 4);
    EXPECT_EQ(sheet->RowHeight(1), 1);   // the empty line
    EXPECT_EQ(sheet->RowHeight(2), 24);  // "\nc": two lines
    EXPECT_EQ(sheet->ColWidth(0), 16);
}

TEST_F(cuiSheetLayoutTest, SelectOffRowsAndBankLoop) {
    auto sheet = Build("T_Copy");
    ASSERT_EQ(sheet->RowCount(), 31);
    EXPECT_FALSE(sheet->RowMap()[0].multiSelectable);
    EXPECT_FALSE(sheet->Cell(0, 0).multiSelectable);
    EXPECT_TRUE(sheet->Cell(0, 30).multiSelectable);
    EXPECT_EQ(sheet->Cell(0, 30).obj.index, 29);
    // The taller font of the second cell sets the row; copies keep it.
    EXPECT_EQ(sheet->RowHeight(1), 24);
    EXPECT_EQ(sheet->RowHeight(30), 24);
}

TEST_F(cuiSheetLayoutTest, PrintingScalesAndUsesTheExplicitHeightAndRatio) {
    auto sheet = std::make_unique<cuiSheet>(context, nullptr, 0, 0, "T_Loop2", nullptr);
    sheet->SetMeasurer(&measurer);
    sheet->SetPrinter(600, 40);
    sheet->Rebuild();
    EXPECT_EQ(sheet->Scale(), 5);
    ASSERT_TRUE(sheet->BasicCell().font.has_value());
    EXPECT_EQ(sheet->BasicCell().font->height, 20);  // 40 at the ratio of 50
    EXPECT_EQ(sheet->RowHeight(0), 20 + 10);
    EXPECT_EQ(sheet->ColWidth(0), 32 + 40);
    EXPECT_EQ(sheet->RowHeight(1), 5);
}

TEST_F(cuiSheetLayoutTest, ViewFontSizeScalesTheBasicCellFont) {
    auto sheet = std::make_unique<cuiSheet>(context, nullptr, 0, 0, "T_Loop2", nullptr);
    sheet->SetMeasurer(&measurer);
    sheet->SetFontSizePercent(150);
    sheet->Rebuild();
    EXPECT_EQ(sheet->BasicCell().font->height, -16);  // -11 x 1.5, toward zero
    EXPECT_EQ(sheet->RowHeight(0), 18);
}

TEST_F(cuiSheetLayoutTest, FocusLinkPutsTheCursorOnTheMatchingCell) {
    auto sheet = std::make_unique<cuiSheet>(context, nullptr, names.LinkId("CL_IndvList_Name"),
                                            17, "T_Copy", nullptr);
    sheet->SetMeasurer(&measurer);
    sheet->Rebuild();
    EXPECT_EQ(sheet->CurrentRow(), 18);
}

TEST_F(cuiSheetLayoutTest, ALoopWithoutRowsAddsNoneHoweverLargeItsCount) {
    auto sheet = Build("T_EndlessEmpty");
    EXPECT_EQ(sheet->RowCount(), 1);
}

using cuiSheetLayoutDeathTest = cuiSheetLayoutTest;

TEST_F(cuiSheetLayoutDeathTest, BodyWithoutCellsIsFatal) {
    EXPECT_DEATH(Build("T_Empty"), "Illegal Cell assign");
}

// Refused as it is read: building the rows first would exhaust memory.
TEST_F(cuiSheetLayoutDeathTest, ALayoutOfMoreCellsThanAGridHoldsIsFatal) {
    EXPECT_DEATH(Build("T_Endless"), "Illegal Cell assign");
    EXPECT_DEATH(Build("T_TooMany"), "Illegal Cell assign");  // 2 x 32769
}

TEST_F(cuiSheetLayoutDeathTest, CellOutsideTheGridIsFatal) {
    auto sheet = Build("T_Loop2");
    EXPECT_DEATH(sheet->Cell(2, 0), "Illegal Cell selection");
}

}  // namespace
