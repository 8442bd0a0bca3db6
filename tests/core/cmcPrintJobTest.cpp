#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sheet/cmcPrintJob.h"
#include "util/cmcStr.h"

namespace {

// A sheet whose sizes scale with the font height, from sizes at height 100,
// with a title row above every block.
class FakeSheet : public cmcPrintSheet {
public:
    FakeSheet(std::vector<int32_t> widths, std::vector<int32_t> heights, int32_t fixedCols = 0,
              int32_t fixedRows = 0)
        : m_widths(std::move(widths)),
          m_heights(std::move(heights)),
          m_fixedCols(fixedCols),
          m_fixedRows(fixedRows) {}

    bool IsPrintable() const override { return printable; }
    void Rebuild(int32_t fontHeight) override {
        builds.push_back(fontHeight);
        m_font = fontHeight;
    }
    std::vector<int32_t> ColumnWidths() const override { return Scaled(m_widths); }
    std::vector<int32_t> RowHeights() const override { return Scaled(m_heights); }
    int32_t FixedCols() const override { return m_fixedCols; }
    int32_t FixedRows() const override { return m_fixedRows; }
    bool JoinedInFixedRows(int32_t col) const override {
        return static_cast<size_t>(col) < joined.size() && joined[col];
    }
    cmcPrintSize MeasureBlock(const cmcPrintBlock& block) const override {
        const std::vector<int32_t> w = ColumnWidths();
        const std::vector<int32_t> h = RowHeights();
        cmcPrintSize size{0, titleHeight};
        for (int32_t c = 0; c < m_fixedCols; ++c)
            size.width += w[c];
        for (int32_t c = block.firstCol; c < block.firstCol + block.colCount; ++c)
            size.width += w[c];
        for (int32_t r = 0; r < m_fixedRows; ++r)
            size.height += h[r];
        for (int32_t r = block.firstRow; r < block.firstRow + block.rowCount; ++r)
            size.height += h[r];
        size.width = std::max(size.width, minimum);
        size.height = std::max(size.height, minimum);
        return size;
    }

    bool printable = true;
    std::vector<bool> joined;
    int32_t titleHeight = 0;
    int32_t minimum = 0;  // a size the sheet never shrinks below
    std::vector<int32_t> builds;

private:
    std::vector<int32_t> Scaled(const std::vector<int32_t>& sizes) const {
        std::vector<int32_t> out;
        for (int32_t s : sizes)
            out.push_back(s * m_font / 100);
        return out;
    }

    std::vector<int32_t> m_widths;
    std::vector<int32_t> m_heights;
    int32_t m_fixedCols;
    int32_t m_fixedRows;
    int32_t m_font = 100;
};

// Writes down what a printer would have been told.
class RecordingTarget : public cmcPrintTarget {
public:
    void NewPage() override { log.push_back("page"); }
    void DrawFrame() override { log.push_back("frame"); }
    void PrintBlock(const cmcPrintBlock& b, const cmcRect& at) override {
        log.push_back(cmcStr::Format("cols %d+%d rows %d+%d at %d", b.firstCol, b.colCount,
                                     b.firstRow, b.rowCount, at.top));
        if (cancelAfterBlock)
            cancelled = true;
    }
    bool Cancelled() const override { return cancelled; }

    std::vector<std::string> log;
    bool cancelled = false;
    bool cancelAfterBlock = false;
};

using Log = std::vector<std::string>;

class cmcPrintJobTest : public ::testing::Test {
protected:
    cmcPrintJob job{cmcRect{0, 100, 1000, 1100}};  // 1000 x 1000 inside the frame
    RecordingTarget target;
};

TEST_F(cmcPrintJobTest, TwoShortSheetsShareAPage) {
    FakeSheet first({500}, {100, 100, 100});
    FakeSheet second({500}, {100, 100}, 0, 1);
    job.PrintSheet(first, 100, target);
    job.PrintSheet(second, 100, target);
    EXPECT_EQ(target.log, (Log{"frame", "cols 0+1 rows 0+3 at 100", "cols 0+1 rows 1+1 at 400"}));
    EXPECT_EQ(job.RunningOffset(), 500);
}

TEST_F(cmcPrintJobTest, ALongSheetContinuesBelowWithTheRowsThatFit) {
    FakeSheet first({500}, {300, 300});
    FakeSheet second({500}, {300, 300});
    job.PrintSheet(first, 100, target);
    job.PrintSheet(second, 100, target);
    EXPECT_EQ(target.log, (Log{"frame", "cols 0+1 rows 0+2 at 100", "cols 0+1 rows 0+1 at 700",
                               "page", "frame", "cols 0+1 rows 1+1 at 100"}));
    EXPECT_TRUE(first.builds.empty());  // both fitted at the first font
}

TEST_F(cmcPrintJobTest, ASheetWhoseFirstBlockDoesNotFitBelowStartsANewPage) {
    FakeSheet first({500}, {300, 300, 300});
    FakeSheet second({500}, {300});
    job.PrintSheet(first, 100, target);
    job.PrintSheet(second, 100, target);
    EXPECT_EQ(target.log, (Log{"frame", "cols 0+1 rows 0+3 at 100", "page", "frame",
                               "cols 0+1 rows 0+1 at 100"}));
    EXPECT_EQ(job.RunningOffset(), 300);
}

TEST_F(cmcPrintJobTest, AWideSheetSplitsIntoColumnBlocksBetweenJoinedColumns) {
    // One fixed column; the fourth column is joined to the third in the title rows.
    FakeSheet sheet({100, 300, 300, 400, 300}, {100, 100}, 1, 1);
    sheet.joined = {false, false, false, true, false};
    job.PrintSheet(sheet, 100, target);
    EXPECT_EQ(target.log,
              (Log{"frame", "cols 1+1 rows 1+1 at 100", "page", "frame", "cols 2+2 rows 1+1 at 100",
                   "page", "frame", "cols 4+1 rows 1+1 at 100"}));
}

TEST_F(cmcPrintJobTest, RowBlocksRunTopToBottomWithColumnBlocksInside) {
    FakeSheet sheet({600, 600}, {600, 600});
    job.PrintSheet(sheet, 100, target);
    EXPECT_EQ(target.log,
              (Log{"frame", "cols 0+1 rows 0+1 at 100", "page", "frame", "cols 1+1 rows 0+1 at 100",
                   "page", "frame", "cols 0+1 rows 1+1 at 100", "page", "frame",
                   "cols 1+1 rows 1+1 at 100"}));
}

TEST_F(cmcPrintJobTest, OneReductionByTheSmallerRatio) {
    FakeSheet sheet({800}, {2000});  // twice the page height
    job.PrintSheet(sheet, 100, target);
    EXPECT_EQ(sheet.builds, (std::vector<int32_t>{50}));
    EXPECT_EQ(job.FontHeight(), 50);
    EXPECT_EQ(job.RunningOffset(), 1000);
}

TEST_F(cmcPrintJobTest, AtMostThreeReductionsThenPrintedAsItIs) {
    FakeSheet sheet({400}, {400});
    sheet.minimum = 1500;  // never fits
    job.PrintSheet(sheet, 100, target);
    EXPECT_EQ(sheet.builds.size(), 3u);
    EXPECT_EQ(target.log, (Log{"frame", "cols 0+1 rows 0+1 at 100"}));
    // Nothing more may go on a page whose block was not measured.
    FakeSheet small({100}, {10});
    job.PrintSheet(small, 100, target);
    EXPECT_EQ(target.log.size(), 5u);
    EXPECT_EQ(target.log[2], "page");
}

TEST_F(cmcPrintJobTest, AZeroWidthBlockShrinksByItsHeight) {
    FakeSheet sheet({0}, {2000});
    job.PrintSheet(sheet, 100, target);
    EXPECT_EQ(sheet.builds, (std::vector<int32_t>{50}));
}

TEST_F(cmcPrintJobTest, ASheetOfFixedCellsOnlyStillPrints) {
    FakeSheet sheet({100, 100}, {50}, 2, 1);
    job.PrintSheet(sheet, 100, target);
    EXPECT_EQ(target.log, (Log{"frame", "cols 2+0 rows 1+0 at 100"}));
    EXPECT_EQ(job.RunningOffset(), 50);
}

TEST_F(cmcPrintJobTest, SheetsWithoutPrintAreSkipped) {
    FakeSheet top({100}, {100});
    top.printable = false;
    FakeSheet list({100}, {100});
    job.PrintSheet(top, 100, target);
    job.PrintSheet(list, 100, target);
    EXPECT_EQ(target.log, (Log{"frame", "cols 0+1 rows 0+1 at 100"}));
}

TEST_F(cmcPrintJobTest, CancelStopsTheRemainingBlocks) {
    FakeSheet sheet({600, 600}, {100});
    target.cancelAfterBlock = true;
    job.PrintSheet(sheet, 100, target);
    EXPECT_EQ(target.log, (Log{"frame", "cols 0+1 rows 0+1 at 100"}));
}

}  // namespace
