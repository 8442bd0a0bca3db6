// The grid on screen: keys, clicks and typing reach the sheet and, through
// the real link handler, the image.
#include <gtest/gtest.h>

#include <QInputMethodEvent>
#include <QTest>
#include <QWheelEvent>
#include <string>
#include <vector>

#include "sheet/qt/cuiGridEditor.h"
#include "tests/gui/FakeDocHost.h"
#include "tests/gui/GridTestSupport.h"

namespace {

using gridtest::CellPoint;
using gridtest::FindLinked;
using gridtest::Fixture;
using gridtest::Shown;

TEST(Grid, ArrowKeysMoveBetweenSelectableCellsAndAClickMovesThere) {
    Fixture f("GI_Sheet_BaseSettings");
    ASSERT_TRUE(f.built);
    const gridtest::CellPos id = FindLinked(f.Sheet(), "CL_DigCall_SelfId");
    const gridtest::CellPos name = FindLinked(f.Sheet(), "CL_DigCall_SelfName");
    const gridtest::CellPos send = FindLinked(f.Sheet(), "CL_DigCall_TxMyName");
    ASSERT_GE(send.row, 0);
    EXPECT_EQ(f.Sheet().CurrentRow(), id.row);

    QTest::keyClick(&f.Grid(), Qt::Key_Down);
    EXPECT_EQ(f.Sheet().CurrentRow(), name.row);
    EXPECT_EQ(f.Sheet().CurrentCol(), name.col);
    QTest::keyClick(&f.Grid(), Qt::Key_PageDown);
    EXPECT_EQ(f.Sheet().CurrentRow(), send.row);  // stops on the last selectable row
    QTest::keyClick(&f.Grid(), Qt::Key_Up);
    EXPECT_EQ(f.Sheet().CurrentRow(), name.row);

    QTest::mouseClick(f.Grid().viewport(), Qt::LeftButton, Qt::NoModifier,
                      CellPoint(f.Grid(), f.Sheet(), id));
    EXPECT_EQ(f.Sheet().CurrentRow(), id.row);
}

TEST(Grid, ShiftClickSelectsARangeOfRecords) {
    Fixture f("GI_Sheet_SelCallList");
    ASSERT_TRUE(f.built);
    const gridtest::CellPos first = FindLinked(f.Sheet(), "CL_IndvList_Name");
    ASSERT_GE(first.row, 0);
    const gridtest::CellPos third{first.col, first.row + 2};
    QTest::mouseClick(f.Grid().viewport(), Qt::LeftButton, Qt::NoModifier,
                      CellPoint(f.Grid(), f.Sheet(), first));
    QTest::mouseClick(f.Grid().viewport(), Qt::LeftButton, Qt::ShiftModifier,
                      CellPoint(f.Grid(), f.Sheet(), third));
    EXPECT_TRUE(f.Sheet().MultiSelectActive());
    EXPECT_EQ(f.Sheet().CurrentRow(), third.row);
    EXPECT_EQ(f.Sheet().RangeLast() - f.Sheet().RangeFirst(), 2);
}

TEST(Grid, APlainClickSelectsItsRecordAlone) {
    Fixture f("GI_Sheet_SelCallList");
    ASSERT_TRUE(f.built);
    const gridtest::CellPos first = FindLinked(f.Sheet(), "CL_IndvList_Name");
    const gridtest::CellPos fifth{first.col, first.row + 4};
    QTest::mouseClick(f.Grid().viewport(), Qt::LeftButton, Qt::NoModifier,
                      CellPoint(f.Grid(), f.Sheet(), first));
    QTest::mouseClick(f.Grid().viewport(), Qt::LeftButton, Qt::NoModifier,
                      CellPoint(f.Grid(), f.Sheet(), fifth));
    EXPECT_EQ(f.Sheet().CurrentRow(), fifth.row);
    EXPECT_FALSE(f.Sheet().MultiSelectActive());
    EXPECT_EQ(f.Sheet().RangeFirst(), f.Sheet().RangeLast());
    QTest::keyClick(&f.Grid(), Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_TRUE(f.Sheet().MultiSelectActive()) << "Shift+arrow extends";
    EXPECT_EQ(f.Sheet().RangeLast() - f.Sheet().RangeFirst(), 1);
}

// Every key clears the status text, and control characters typed on the
// grid reach the cell like any other character.
TEST(Grid, TypedKeysClearTheStatusAndControlCharactersReachTheCell) {
    Fixture f("GI_Sheet_BaseSettings");
    ASSERT_TRUE(f.built);
    std::vector<int32_t> requests;
    cmcCellLink handler = indActiveCell::LinkFor(f.host);
    f.Grid().Attach(
        &f.Sheet(),
        [&](cmcCellCapsule& c, bool action) {
            if (action) {
                requests.push_back(c.request);
            }
            return handler(c, action);
        },
        &f.host.Events());
    struct KeyCase {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int32_t request;
    };
    for (KeyCase c :
         {KeyCase{Qt::Key_Escape, Qt::NoModifier, 27}, KeyCase{Qt::Key_A, Qt::ControlModifier, 1},
          KeyCase{Qt::Key_Z, Qt::ControlModifier, 26}}) {
        requests.clear();
        f.host.heard.clear();
        QTest::keyClick(&f.Grid(), c.key, c.modifiers);
        EXPECT_EQ(requests, std::vector<int32_t>{c.request}) << c.request;
        const auto status = f.host.Heard(4);
        ASSERT_FALSE(status.empty()) << "status cleared by " << c.request;
        EXPECT_EQ(status.front().text, "") << c.request;
    }
}

TEST(Grid, RightClickMovesTheCursorAndAsksForThePopupMenu) {
    Fixture f("GI_Sheet_SelCallList");
    ASSERT_TRUE(f.built);
    const gridtest::CellPos first = FindLinked(f.Sheet(), "CL_IndvList_Name");
    const gridtest::CellPos second{first.col, first.row + 1};
    std::vector<std::string> stems;
    f.Grid().onPopupMenu = [&stems](const std::string& stem, const QPoint&) {
        stems.push_back(stem);
    };
    QTest::mouseClick(f.Grid().viewport(), Qt::RightButton, Qt::NoModifier,
                      CellPoint(f.Grid(), f.Sheet(), second));
    EXPECT_EQ(f.Sheet().CurrentRow(), second.row);
    ASSERT_EQ(stems.size(), 1u);
    EXPECT_EQ(stems[0], "GI_PMenu_CopyPaste");
}

TEST(Grid, TheWheelMovesOneRow) {
    Fixture f("GI_Sheet_SelCallList");
    ASSERT_TRUE(f.built);
    const gridtest::CellPos first = FindLinked(f.Sheet(), "CL_IndvList_Name");
    QTest::mouseClick(f.Grid().viewport(), Qt::LeftButton, Qt::NoModifier,
                      CellPoint(f.Grid(), f.Sheet(), first));
    const QPoint at = CellPoint(f.Grid(), f.Sheet(), first);
    QWheelEvent down(at, f.Grid().viewport()->mapToGlobal(at), QPoint(), QPoint(0, -120),
                     Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(f.Grid().viewport(), &down);
    EXPECT_EQ(f.Sheet().CurrentRow(), first.row + 1);
}

TEST(Grid, TypingANameAndEnterStoresIt) {
    Fixture f("GI_Sheet_BaseSettings");
    ASSERT_TRUE(f.built);
    const gridtest::CellPos name = FindLinked(f.Sheet(), "CL_DigCall_SelfName");
    QTest::keyClick(&f.Grid(), Qt::Key_Down);
    ASSERT_EQ(f.Sheet().CurrentRow(), name.row);

    QTest::keyClick(&f.Grid(), Qt::Key_K);
    auto* editor = f.Grid().findChild<cuiGridEditor*>();
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(editor->isVisible());
    QTest::keyClicks(editor, "T-7");
    QTest::keyClick(editor, Qt::Key_Return);

    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(Shown(f.Sheet(), name).substr(0, 4), "kT-7");
    EXPECT_FALSE(f.host.current.Equals(f.host.initial));
}

TEST(Grid, EscInTheEditorLeavesTheCellUnchanged) {
    Fixture f("GI_Sheet_BaseSettings");
    ASSERT_TRUE(f.built);
    const gridtest::CellPos name = FindLinked(f.Sheet(), "CL_DigCall_SelfName");
    QTest::keyClick(&f.Grid(), Qt::Key_Down);
    const std::string before = Shown(f.Sheet(), name);

    QTest::keyClick(&f.Grid(), Qt::Key_X);
    auto* editor = f.Grid().findChild<cuiGridEditor*>();
    ASSERT_TRUE(editor->isVisible());
    QTest::keyClicks(editor, "YZ");
    QTest::keyClick(editor, Qt::Key_Escape);

    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(Shown(f.Sheet(), name), before);
    EXPECT_EQ(f.Sheet().CurrentRow(), name.row);
}

TEST(Grid, UpInTheEditorCommitsAndMovesUp) {
    Fixture f("GI_Sheet_BaseSettings");
    ASSERT_TRUE(f.built);
    const gridtest::CellPos id = FindLinked(f.Sheet(), "CL_DigCall_SelfId");
    const gridtest::CellPos name = FindLinked(f.Sheet(), "CL_DigCall_SelfName");
    QTest::keyClick(&f.Grid(), Qt::Key_Down);
    QTest::keyClick(&f.Grid(), Qt::Key_Q);
    QTest::keyClick(f.Grid().findChild<cuiGridEditor*>(), Qt::Key_Up);
    EXPECT_EQ(Shown(f.Sheet(), name).substr(0, 1), "q");
    EXPECT_EQ(f.Sheet().CurrentRow(), id.row);
}

TEST(Grid, AnInputMethodCommitOpensTheEditorWithAllItsCharacters) {
    Fixture f("GI_Sheet_BaseSettings");
    ASSERT_TRUE(f.built);
    const gridtest::CellPos name = FindLinked(f.Sheet(), "CL_DigCall_SelfName");
    QTest::keyClick(&f.Grid(), Qt::Key_Down);
    QInputMethodEvent commit(QString(), {});
    commit.setCommitString(QStringLiteral("AB"));
    QApplication::sendEvent(&f.Grid(), &commit);

    auto* editor = f.Grid().findChild<cuiGridEditor*>();
    ASSERT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->toPlainText(), QStringLiteral("AB"));
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(Shown(f.Sheet(), name).substr(0, 2), "AB");
}

TEST(Grid, SpaceAndBackspaceStepAChoiceCell) {
    Fixture f("GI_Sheet_BaseSettings");
    ASSERT_TRUE(f.built);
    const gridtest::CellPos send = FindLinked(f.Sheet(), "CL_DigCall_TxMyName");
    QTest::mouseClick(f.Grid().viewport(), Qt::LeftButton, Qt::NoModifier,
                      CellPoint(f.Grid(), f.Sheet(), send));
    ASSERT_EQ(f.Sheet().CurrentRow(), send.row);
    const std::string before = Shown(f.Sheet(), send);

    QTest::keyClick(&f.Grid(), Qt::Key_Space);
    const std::string stepped = Shown(f.Sheet(), send);
    EXPECT_NE(stepped, before);
    EXPECT_FALSE(f.host.current.Equals(f.host.initial));
    QTest::keyClick(&f.Grid(), Qt::Key_Backspace);
    EXPECT_EQ(Shown(f.Sheet(), send), before);
}

}  // namespace

namespace {

// A document whose table has one more sheet: a cell whose link draws.
class PillarHost : public test::FakeDocHost {
public:
    PillarHost() {
        table.SetLines(guitest::BuiltinWith({
            "#T_Pillar_Style",
            "(FixedCols=0)",
            "#T_Pillar_BasicCell",
            "{($Basic)}",
            "#T_Pillar_Cells",
            "",
            "|{($eWh)(%CL_Misc_QuarterPillar)}WWWWWWWWWW|",
        }));
    }
    cmcGTex& Table() override { return table; }

    cmcGTex table;
};

// The link casts the request's canvas to its drawing interface; handing it
// the painter itself would call into the wrong object.
TEST(Grid, ALinkThatDrawsIsGivenACanvasNotThePainter) {
    PillarHost host;
    cuiSheetPanel panel(host);
    ASSERT_TRUE(guitest::ShowWindow(panel, 400, 200));
    ASSERT_TRUE(panel.ShowSheet("T_Pillar"));
    const gridtest::CellPos pillar = FindLinked(*panel.Sheet(), "CL_Misc_QuarterPillar");
    ASSERT_GE(pillar.row, 0);
    EXPECT_FALSE(panel.Grid()->viewport()->grab().isNull());
}

// The application's sheets carry the document as their context, so what a
// handler reports about a cell shows as its mark.
TEST(Grid, ACellWhoseHandlerReportsAnErrorOrWarningDrawsItsMark) {
    struct Case {
        uint32_t state;
        cuiSheetPaint::Mark mark;
    };
    for (const Case c : {Case{cmcCellCapsule::kStateError, cuiSheetPaint::Mark::Error},
                         Case{cmcCellCapsule::kStateWarning, cuiSheetPaint::Mark::Warning},
                         Case{cmcCellCapsule::kStateError | cmcCellCapsule::kStateWarning,
                              cuiSheetPaint::Mark::Error},
                         Case{0, cuiSheetPaint::Mark::None}}) {
        Fixture f("GI_Sheet_BaseSettings");
        ASSERT_TRUE(f.built);
        const gridtest::CellPos id = FindLinked(f.Sheet(), "CL_DigCall_SelfId");
        ASSERT_GE(id.row, 0);
        cmcCellLink handler = indActiveCell::LinkFor(f.host);
        f.Sheet().SetLink([&handler, c](cmcCellCapsule& request, bool action) {
            const int result = handler(request, action);
            request.state |= c.state;
            return result;
        });
        const cuiSheetPaint paint =
            f.Sheet().PaintCell(id.col, id.row, f.Sheet().CellRect(id.col, id.row), true);
        EXPECT_EQ(paint.mark, c.mark) << c.state;
        EXPECT_EQ(paint.markSize > 0, c.mark != cuiSheetPaint::Mark::None) << c.state;
    }
}

}  // namespace
