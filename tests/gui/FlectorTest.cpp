// The choice list pop-up opened from a real choice cell.
#include <gtest/gtest.h>

#include <QPointer>
#include <QTest>
#include <algorithm>
#include <vector>

#include "tests/gui/GridTestSupport.h"

namespace {

using gridtest::CellPoint;
using gridtest::FindLinked;
using gridtest::Fixture;
using gridtest::Shown;

struct ListFixture : Fixture {
    ListFixture() : Fixture("GI_Sheet_BaseSettings") {
        send = FindLinked(Sheet(), "CL_DigCall_TxMyName");
        QTest::mouseClick(Grid().viewport(), Qt::LeftButton, Qt::NoModifier,
                          CellPoint(Grid(), Sheet(), send));
        before = Shown(Sheet(), send);
        QTest::keyClick(&Grid(), Qt::Key_Return);
        list = Grid().findChild<cuiFlector*>();
    }
    gridtest::CellPos send;
    std::string before;
    QPointer<cuiFlector> list;
};

TEST(Flector, EnterOpensTheListBelowTheCellOnTheCurrentValue) {
    ListFixture f;
    ASSERT_TRUE(f.list);
    EXPECT_TRUE(f.list->isVisible());
    const QRect cell = f.Grid().ScreenRect(f.Sheet().CellRect(f.send.col, f.send.row));
    EXPECT_EQ(f.list->geometry().left(), cell.left() + 8);
    EXPECT_EQ(f.list->geometry().top(), cell.bottom());
    // Sized to its sheet: every entry shows without scroll bars.
    EXPECT_FALSE(f.list->Grid()->HasScrollBars());
    cuiSheet& list = *f.list->Sheet();
    EXPECT_EQ(Shown(list, {list.CurrentCol(), list.CurrentRow()}), f.before);
}

TEST(Flector, ChoosingAnotherEntryStoresItsValue) {
    ListFixture f;
    ASSERT_TRUE(f.list);
    QTest::keyClick(f.list->Grid(), Qt::Key_Down);
    QTest::keyClick(f.list->Grid(), Qt::Key_Return);
    gridtest::FlushDeleted();
    EXPECT_FALSE(f.list);
    EXPECT_NE(Shown(f.Sheet(), f.send), f.before);
    EXPECT_FALSE(f.host.current.Equals(f.host.initial));
}

TEST(Flector, DownOnTheLastEntryWrapsToTheFirst) {
    ListFixture f;
    ASSERT_TRUE(f.list);
    cuiSheet& list = *f.list->Sheet();
    const int32_t start = list.CurrentRow();
    QTest::keyClick(f.list->Grid(), Qt::Key_Down);
    QTest::keyClick(f.list->Grid(), Qt::Key_Down);  // two entries: back where it started
    EXPECT_EQ(list.CurrentRow(), start);
}

TEST(Flector, EscClosesWithoutAChoice) {
    ListFixture f;
    ASSERT_TRUE(f.list);
    QTest::keyClick(f.list->Grid(), Qt::Key_Down);
    QTest::keyClick(f.list->Grid(), Qt::Key_Escape);
    gridtest::FlushDeleted();
    EXPECT_FALSE(f.list);
    EXPECT_EQ(Shown(f.Sheet(), f.send), f.before);
    EXPECT_TRUE(f.host.current.Equals(f.host.initial));
}

TEST(Flector, CommitEventClosesTheList) {
    ListFixture f;
    ASSERT_TRUE(f.list);
    f.host.Events().Send(cuiFlector::kEvCommitEdit, 0, 0);
    gridtest::FlushDeleted();
    EXPECT_FALSE(f.list);
}

TEST(Flector, ReleasingTheButtonOnAnEntryChoosesIt) {
    ListFixture f;
    ASSERT_TRUE(f.list);
    cuiGrid& grid = *f.list->Grid();
    cuiSheet& list = *f.list->Sheet();
    const gridtest::CellPos other{list.CurrentCol(), list.CurrentRow() == 0 ? 1 : 0};
    QTest::mousePress(grid.viewport(), Qt::LeftButton, Qt::NoModifier,
                      CellPoint(grid, list, other));
    EXPECT_EQ(list.CurrentRow(), other.row);
    QTest::mouseRelease(grid.viewport(), Qt::LeftButton, Qt::NoModifier,
                        CellPoint(grid, list, other));
    gridtest::FlushDeleted();
    EXPECT_FALSE(f.list);
    EXPECT_NE(Shown(f.Sheet(), f.send), f.before);
}

// Raised: the edge is lit on the top and left and shaded on the bottom and
// right; the entries keep a border of room inside it.
TEST(Flector, TheListHasARaisedEdgeWithABorderInside) {
    ListFixture f;
    ASSERT_TRUE(f.list);
    constexpr int kEdge = 3;  // the edge line and the border
    const QImage image = f.list->grab().toImage();
    const int w = image.width();
    const int h = image.height();
    ASSERT_GT(w, 2 * kEdge);
    ASSERT_GT(h, 2 * kEdge);
    // Lightness of the pixels across one side's band, from the outside in.
    auto band = [&](auto pixel) {
        std::vector<int> values;
        for (int n = 0; n < kEdge; ++n) {
            values.push_back(pixel(n).lightness());
        }
        return values;
    };
    struct Sides {
        const char* name;
        std::vector<int> lit;
        std::vector<int> shaded;
    };
    for (const Sides& s :
         {Sides{"top/bottom", band([&](int n) { return image.pixelColor(w / 2, n); }),
                band([&](int n) { return image.pixelColor(w / 2, h - 1 - n); })},
          Sides{"left/right", band([&](int n) { return image.pixelColor(n, h / 2); }),
                band([&](int n) { return image.pixelColor(w - 1 - n, h / 2); })}}) {
        EXPECT_GT(std::ranges::max(s.lit), std::ranges::max(s.shaded)) << s.name;
        EXPECT_LT(std::ranges::min(s.shaded), std::ranges::min(s.lit)) << s.name;
    }
    EXPECT_EQ(f.list->Grid()->geometry(), f.list->rect().adjusted(kEdge, kEdge, -kEdge, -kEdge));
}

}  // namespace
