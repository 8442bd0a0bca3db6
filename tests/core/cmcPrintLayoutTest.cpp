#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sheet/cmcPrintLayout.h"

namespace {

struct MarginCase {
    int32_t dpi;
    const char* margins;
    cmcRect expected;  // on a page of 5000 x 7000 pixels
};

TEST(cmcPrintLayoutTest, MarginsBecomePixelsAtTheResolution) {
    const MarginCase cases[] = {
        {600, "15,10,5,5", {354, 236, 5000 - 118, 7000 - 118}},
        {300, "15,10,5,5", {177, 118, 5000 - 59, 7000 - 59}},
        {600, "0,0,0,0", {0, 0, 5000, 7000}},
        {600, "15", {354, 0, 5000, 7000}},  // missing fields are no margin
    };
    for (const MarginCase& c : cases) {
        const cmcRect r = cmcPrintLayout::PrintRect(5000, 7000, c.dpi, c.margins);
        EXPECT_EQ(r.left, c.expected.left) << c.dpi << " " << c.margins;
        EXPECT_EQ(r.top, c.expected.top) << c.dpi << " " << c.margins;
        EXPECT_EQ(r.right, c.expected.right) << c.dpi << " " << c.margins;
        EXPECT_EQ(r.bottom, c.expected.bottom) << c.dpi << " " << c.margins;
    }
}

TEST(cmcPrintLayoutTest, FrameLeavesRoomForTitleMakerAndBars) {
    const cmcRect page{100, 200, 4100, 6200};
    // h = 100 gives g = round(0.1 * 100 + 1) = 11.
    const cmcPrintLayout::Frame f = cmcPrintLayout::PageFrame(page, 100);
    EXPECT_EQ(f.titleRight, 4099);
    EXPECT_EQ(f.titleTop, 200);
    EXPECT_EQ(f.topBar.top, 200 + 100 + 11);
    EXPECT_EQ(f.topBar.bottom, 200 + 100 + 22);
    EXPECT_EQ(f.topBar.left, 100);
    EXPECT_EQ(f.topBar.right, 4100);
    EXPECT_EQ(f.inner.top, 200 + 100 + 66);
    EXPECT_EQ(f.makerRight, 4099);
    EXPECT_EQ(f.makerBottom, 6199);
    EXPECT_EQ(f.bottomBar.top, 6200 - 100 - 22);
    EXPECT_EQ(f.bottomBar.bottom, 6200 - 100 - 11);
    EXPECT_EQ(f.inner.bottom, 6200 - 100 - 66);
    EXPECT_EQ(f.inner.left, 100);
    EXPECT_EQ(f.inner.right, 4100);
}

TEST(cmcPrintLayoutTest, FrameGapRoundsToNearest) {
    // h = 14: g = round(2.4) = 2; h = 15: g = round(2.5) = 3.
    EXPECT_EQ(cmcPrintLayout::PageFrame({0, 0, 100, 1000}, 14).inner.top, 14 + 12);
    EXPECT_EQ(cmcPrintLayout::PageFrame({0, 0, 100, 1000}, 15).inner.top, 15 + 18);
}

struct PageCase {
    const char* name;
    std::vector<int32_t> widths;
    int32_t fixed;
    std::vector<bool> joined;
    int32_t page;
    std::vector<int32_t> expected;
};

TEST(cmcPrintLayoutTest, ColumnsSplitOnlyBeforeUnjoinedColumns) {
    const PageCase cases[] = {
        {"plain", {10, 30, 30, 30, 30}, 1, {}, 75, {2, 2}},
        {"joined", {10, 30, 30, 30, 30}, 1, {false, false, false, true, false}, 75, {1, 2, 1}},
        {"all fit", {10, 10}, 0, {}, 100, {2}},
        {"too wide", {200, 10}, 0, {}, 50, {1, 1}},
        {"joined group wider than the page",
         {20, 20, 20, 20},
         0,
         {false, true, true, false},
         30,
         {3, 1}},
        {"exactly full", {25, 25, 25, 25}, 0, {}, 50, {2, 2}},
        {"fixed only", {10, 20}, 2, {}, 50, {}},
    };
    for (const PageCase& c : cases) {
        EXPECT_EQ(cmcPrintLayout::PageCounts(
                      cmcPrintLayout::PaginateColumns(c.widths, c.fixed, c.joined, c.page)),
                  c.expected)
            << c.name;
    }
}

TEST(cmcPrintLayoutTest, RowsTakeWhatFitsAtLeastOne) {
    EXPECT_EQ(cmcPrintLayout::PageCounts(
                  cmcPrintLayout::PaginateRows({40, 20, 20, 20, 20, 200, 20}, 1, 100)),
              (std::vector<int32_t>{3, 1, 1, 1}));
}

TEST(cmcPrintLayoutTest, PageListsHoldBigEndianWords) {
    std::vector<int32_t> rows(300, 1);
    const cmcBuff pages = cmcPrintLayout::PaginateRows(rows, 0, 1000);
    ASSERT_EQ(pages.Length(), 2u);
    EXPECT_EQ(pages[0], 0x01);
    EXPECT_EQ(pages[1], 0x2C);
}

}  // namespace
