// A sheet of this radio driven through the real link handler over an image:
// what the user types lands in the image and comes back on the grid.
#include <gtest/gtest.h>

#include "FakeDocHost.h"
#include "cuiSheetTestSupport.h"
#include "model/indActiveCell.h"

namespace {

class cuiSheetHandlerTest : public ::testing::Test {
protected:
    std::unique_ptr<cuiSheet> Build(const std::string& name) {
        auto sheet = std::make_unique<cuiSheet>(context, nullptr, 0, 0, name, nullptr);
        sheet->SetMeasurer(&measurer);
        sheet->SetView(&view);
        sheet->SetLink(indActiveCell::LinkFor(host));
        sheet->SetEvents(&host.Events());
        sheet->Rebuild();
        return sheet;
    }

    static std::string Text(cuiSheet& sheet, int32_t col, int32_t row) {
        const cuiSheetPaint paint = sheet.PaintCell(col, row, sheet.CellRect(col, row), true);
        return paint.lines.empty() ? std::string() : paint.lines[0].text;
    }

    test::FakeDocHost host;
    cmcCellContext context{host.Table(), indActiveCell::Names()};
    sheettest::FakeMeasurer measurer;
    sheettest::FakeView view;
};

TEST_F(cuiSheetHandlerTest, NameTypedIntoTheGroupListShowsInItsCell) {
    auto sheet = Build("GI_Sheet_GroupList");
    ASSERT_TRUE(sheet->Move(0, 2));
    ASSERT_EQ(sheet->CurrentRow(), 5);  // entry 2
    const std::vector<uint8_t> before(host.current.Data(),
                                      host.current.Data() + host.current.GetSize());
    sheet->OpenEditor(sheet->CurrentCol(), sheet->CurrentRow(), "", 0, 0);
    view.editorText = "ABC";
    EXPECT_TRUE(sheet->EditorKey(cuiSheet::Key::Enter));
    EXPECT_EQ(Text(*sheet, sheet->CurrentCol(), 5), "ABC");
    EXPECT_NE(Text(*sheet, sheet->CurrentCol(), 4), "ABC");
    EXPECT_NE(std::vector<uint8_t>(host.current.Data(), host.current.Data() + host.current.GetSize()),
              before);
}

}  // namespace
