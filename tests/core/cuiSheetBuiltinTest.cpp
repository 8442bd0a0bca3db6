// This radio's sheets from the built-in text table, each built once.
#include <gtest/gtest.h>

#include "cuiSheetTestSupport.h"
#include "model/indLinkNames.h"
#include "text/BuiltinTable.h"

namespace {

class cuiSheetBuiltinTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { table().SetLines(BuiltinTable::Lines()); }

    static cmcGTex& table() {
        static cmcGTex t;
        return t;
    }

    std::unique_ptr<cuiSheet> Build(const std::string& name) {
        auto sheet = std::make_unique<cuiSheet>(context, nullptr, 0, 0, name, nullptr);
        sheet->SetMeasurer(&measurer);
        sheet->Rebuild();
        return sheet;
    }

    indLinkNames names;
    cmcCellContext context{table(), names};
    sheettest::FakeMeasurer measurer;
};

struct SheetShape {
    const char* name;
    int32_t cols;
    int32_t rows;
    int32_t fixedCols;
    int32_t fixedRows;
    bool printable;
    int32_t firstCol;  // the cursor's start
    int32_t firstRow;
};

TEST_F(cuiSheetBuiltinTest, EverySheetHasItsGrid) {
    const SheetShape shapes[] = {
        {"GI_Sheet_TopPage", 2, 10, 1, 1, false, 0, 0},
        {"GI_Sheet_BaseSettings", 4, 8, 3, 1, true, 3, 3},
        {"GI_Sheet_SelCallList", 13, 33, 3, 3, true, 3, 3},
        {"GI_Sheet_GroupList", 5, 66, 3, 3, true, 3, 3},
        {"GI_Sheet_CloneInfo", 3, 5, 1, 1, false, 0, 0},
    };
    for (const SheetShape& s : shapes) {
        SCOPED_TRACE(s.name);
        auto sheet = Build(s.name);
        EXPECT_EQ(sheet->ColCount(), s.cols);
        EXPECT_EQ(sheet->RowCount(), s.rows);
        EXPECT_EQ(sheet->FixedCols(), s.fixedCols);
        EXPECT_EQ(sheet->FixedRows(), s.fixedRows);
        EXPECT_EQ(sheet->IsPrintable(), s.printable);
        EXPECT_EQ(sheet->CurrentCol(), s.firstCol);
        EXPECT_EQ(sheet->CurrentRow(), s.firstRow);
    }
}

TEST_F(cuiSheetBuiltinTest, GroupListRowsCarryTheEntryIndex) {
    auto sheet = Build("GI_Sheet_GroupList");
    const int32_t nameLink = names.LinkId("CL_GrpList_Name");
    for (int32_t entry : {0, 1, 62}) {
        const cmcCellObj& cell = sheet->Cell(3, 3 + entry).obj;
        EXPECT_EQ(cell.link, nameLink);
        EXPECT_EQ(cell.index, entry);
        EXPECT_EQ(cell.category, names.CategoryId("CT_GrpList"));
        EXPECT_TRUE(cell.selectable);
    }
    EXPECT_EQ(sheet->Style().multiSelect, cuiSheetStyle::kCell);
    EXPECT_TRUE(sheet->IsImportable());
    EXPECT_EQ(sheet->GetTitle(), celltest::Sj(" グループリスト設定"));
}

TEST_F(cuiSheetBuiltinTest, SelCallListCopiesEveryLinkOfTheRow) {
    auto sheet = Build("GI_Sheet_SelCallList");
    const cmcCellObj& valid = sheet->Cell(3, 32).obj;
    EXPECT_EQ(valid.link, names.LinkId("CL_IndvList_Valid"));
    EXPECT_EQ(valid.index, 29);
    EXPECT_EQ(sheet->Cell(11, 32).obj.link, names.LinkId("CL_IndvList_IndvNo"));
    EXPECT_EQ(sheet->Cell(11, 32).obj.index, 29);
}

}  // namespace
