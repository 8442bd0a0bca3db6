// The runtime rules of a sheet on a fake grid: cursor moves, selection,
// requests to the link, the editor, repeats on virtual time and events.
#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "runtime/cmcEvMan.h"
#include "runtime/cmcVirtualTimerHost.h"
#include "cuiSheetTestSupport.h"

namespace {

using sheettest::SheetTest;
using Key = cuiSheet::Key;
using Cell = std::pair<int32_t, int32_t>;

class cuiSheetRuntimeTest : public SheetTest {
protected:
    cuiSheetRuntimeTest() : SheetTest("runtime.txt") {
        link = [this](cmcCellCapsule& c, bool action) {
            requests.push_back(c);
            actions.push_back(action);
            return reply ? reply(c) : 0;
        };
    }

    static Cell At(const cuiSheet& s) { return {s.CurrentCol(), s.CurrentRow()}; }

    // The cells whose entry has the bit `flag` points at.
    static std::set<Cell> Cells(const cuiSheet& s, bool cuiSheetCell::*flag) {
        std::set<Cell> cells;
        for (int32_t r = 0; r < s.RowCount(); ++r) {
            for (int32_t c = 0; c < s.ColCount(); ++c) {
                if (s.Cell(c, r).*flag) {
                    cells.insert({c, r});
                }
            }
        }
        return cells;
    }
    static std::set<Cell> Highlighted(const cuiSheet& s) {
        return Cells(s, &cuiSheetCell::highlighted);
    }
    static std::set<Cell> Marked(const cuiSheet& s) { return Cells(s, &cuiSheetCell::marked); }

    static std::set<Cell> Rows(int32_t c0, int32_t c1, int32_t r0, int32_t r1) {
        std::set<Cell> cells;
        for (int32_t r = r0; r <= r1; ++r) {
            for (int32_t c = c0; c <= c1; ++c) {
                cells.insert({c, r});
            }
        }
        return cells;
    }

    std::vector<cmcCellCapsule> requests;
    std::vector<bool> actions;
    std::function<int(cmcCellCapsule&)> reply;
};

TEST_F(cuiSheetRuntimeTest, CursorStartsOnTheFirstSelectableCell) {
    auto sheet = Build("T_Grid");
    EXPECT_EQ(At(*sheet), Cell(1, 1));
}

TEST_F(cuiSheetRuntimeTest, RightInTheLastSelectableColumnAsksTheCell) {
    auto sheet = Build("T_Grid");
    sheet->KeyDown(Key::Right);
    sheet->KeyDown(Key::Right);
    EXPECT_EQ(At(*sheet), Cell(3, 1));
    EXPECT_TRUE(requests.empty());
    sheet->KeyDown(Key::Right);
    EXPECT_EQ(At(*sheet), Cell(3, 1));
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].request, cmcCellCapsule::kRequestKeyRight);
    EXPECT_TRUE(actions[0]);
    EXPECT_EQ(requests[0].state & cmcCellCapsule::kStateCurrent, cmcCellCapsule::kStateCurrent);
}

TEST_F(cuiSheetRuntimeTest, PageDownStopsOnTheLastSelectableRowAndUpStopsAtTheData) {
    auto sheet = Build("T_Grid");
    sheet->KeyDown(Key::PageDown);
    EXPECT_EQ(At(*sheet), Cell(1, 8));
    EXPECT_FALSE(sheet->Move(0, 1));
    sheet->KeyDown(Key::PageUp);
    EXPECT_EQ(At(*sheet), Cell(1, 1));
    EXPECT_FALSE(sheet->Move(0, -1));
    // Back at the start of the data: the headers scroll into view.
    EXPECT_EQ(view.top, 1);
}

TEST_F(cuiSheetRuntimeTest, MovesSearchFurtherLinesForTheNearestSelectableCell) {
    auto sheet = Build("T_Stagger");
    ASSERT_EQ(At(*sheet), Cell(0, 0));
    EXPECT_TRUE(sheet->Move(0, 1));
    EXPECT_EQ(At(*sheet), Cell(2, 1));
    EXPECT_TRUE(sheet->Move(0, 1));
    EXPECT_EQ(At(*sheet), Cell(1, 2));
    EXPECT_TRUE(sheet->Move(1, 0));
    EXPECT_EQ(At(*sheet), Cell(2, 1));
    EXPECT_FALSE(sheet->Move(1, 0));
}

TEST_F(cuiSheetRuntimeTest, ShiftDownInCellModeSelectsTheRangeOfIndexes) {
    auto sheet = Build("T_Grid");
    sheet->KeyDown(Key::Right);
    sheet->KeyDown(Key::Down, true);
    sheet->KeyDown(Key::Down, true);
    EXPECT_EQ(At(*sheet), Cell(2, 3));
    EXPECT_TRUE(sheet->MultiSelectActive());
    EXPECT_EQ(sheet->RangeFirst(), 0);
    EXPECT_EQ(sheet->RangeLast(), 2);
    EXPECT_EQ(Marked(*sheet), Rows(2, 2, 1, 3));
    EXPECT_EQ(Highlighted(*sheet), Rows(1, 3, 1, 3));

    sheet->KeyDown(Key::Down);
    EXPECT_FALSE(sheet->MultiSelectActive());
    EXPECT_EQ(Marked(*sheet), Rows(2, 2, 4, 4));
    EXPECT_EQ(Highlighted(*sheet), Rows(1, 3, 4, 4));
    EXPECT_EQ(sheet->RangeFirst(), 3);
}

TEST_F(cuiSheetRuntimeTest, ShiftDownInLineModeHighlightsWholeRows) {
    auto sheet = Build("T_Lines");
    sheet->Move(0, 3);  // data row 3
    sheet->KeyDown(Key::Down, true);
    sheet->KeyDown(Key::Down, true);
    EXPECT_EQ(sheet->RangeFirst(), 3);
    EXPECT_EQ(sheet->RangeLast(), 5);
    EXPECT_EQ(Highlighted(*sheet), Rows(1, 2, 4, 6));
    cmcCellCapsule capsule;
    sheet->PrepareCapsule(sheet->CurrentCol(), sheet->CurrentRow(), capsule);
    EXPECT_EQ(capsule.rangeState, cmcCellCapsule::kRangeActive);
    EXPECT_EQ(capsule.rangeFirst, 3);
    EXPECT_EQ(capsule.rangeLast, 5);
}

TEST_F(cuiSheetRuntimeTest, APlainClickSelectsItsCellAloneAndShiftOrDraggingExtends) {
    auto sheet = Build("T_Grid");
    sheet->KeyDown(Key::Right);  // (2, 1): index 0
    sheet->SetExtending(false, false);
    sheet->MousePress(2, 5);
    sheet->MouseRelease(2, 5);
    EXPECT_EQ(At(*sheet), Cell(2, 5));
    EXPECT_FALSE(sheet->MultiSelectActive());
    EXPECT_EQ(Marked(*sheet), Rows(2, 2, 5, 5));
    EXPECT_EQ(sheet->RangeFirst(), 4);
    EXPECT_EQ(sheet->RangeLast(), 4);

    sheet->SetExtending(true, false);  // Shift+click
    sheet->MousePress(2, 3);
    sheet->MouseRelease(2, 3);
    EXPECT_TRUE(sheet->MultiSelectActive());
    EXPECT_EQ(Marked(*sheet), Rows(2, 2, 3, 5));

    sheet->SetExtending(false, false);  // press on row 1, drag to row 2
    sheet->MousePress(2, 1);
    EXPECT_EQ(Marked(*sheet), Rows(2, 2, 1, 1));
    sheet->MouseMove(2, 2);
    sheet->MouseRelease(2, 2);
    EXPECT_EQ(Marked(*sheet), Rows(2, 2, 1, 2));
    EXPECT_EQ(sheet->RangeFirst(), 0);
    EXPECT_EQ(sheet->RangeLast(), 1);
}

TEST_F(cuiSheetRuntimeTest, ChoiceListWrapsOnlyWithoutScrollBars) {
    for (const bool scrollBars : {false, true}) {
        SCOPED_TRACE(scrollBars);
        view.scrollBars = scrollBars;
        cuiSheet sheet(context, nullptr, 0, 0, "T_Choice", nullptr);
        sheet.SetMeasurer(&measurer);
        sheet.SetView(&view);
        sheet.SetChoiceList(true);
        sheet.Rebuild();
        sheet.KeyDown(Key::Down);
        sheet.KeyDown(Key::Down);
        sheet.KeyDown(Key::Down);
        EXPECT_EQ(sheet.CurrentRow(), scrollBars ? 2 : 0);
    }
}

TEST_F(cuiSheetRuntimeTest, ChoosingAnEntrySendsTheOwnersCapsuleWithTheEntry) {
    cmcCellCapsule owner;
    owner.command = 77;
    cuiSheet sheet(context, &owner, names.LinkId("Flex0"), 2, "T_Choice", nullptr);
    sheet.SetMeasurer(&measurer);
    sheet.SetView(&view);
    sheet.SetLink([this](cmcCellCapsule& c, bool) {
        EXPECT_NE(c.parent, nullptr);
        EXPECT_EQ(c.parent->cell->index, 2);
        requests.push_back(c);
        return 0;
    });
    sheet.SetChoiceList(true);
    sheet.Rebuild();
    EXPECT_EQ(sheet.CurrentRow(), 2);  // the focus value
    sheet.TypeByte('a');               // typing is ignored in a list
    EXPECT_TRUE(requests.empty());
    sheet.TypeByte(13);
    sheet.MouseRelease(0, 2);
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].command, 77);
    EXPECT_EQ(requests[0].origin, cmcCellCapsule::kOriginChoice);
    EXPECT_EQ(view.choices, 2);
}

TEST_F(cuiSheetRuntimeTest, HandlerMovesTheCursorAndOpensTheEditor) {
    auto sheet = Build("T_Grid");
    reply = [this](cmcCellCapsule& c) {
        c.moveRequest = 1;
        c.moveCategory = names.CategoryId("CT_IndvList");
        c.moveLink = names.LinkId("CL_IndvList_Name");
        c.moveIndex = 5;
        c.outText = "abc";
        c.caretPosition = 2;
        return cmcCellLinkResult::kOpenEditor;
    };
    sheet->TypeByte(13);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].request, 13);
    EXPECT_EQ(At(*sheet), Cell(2, 6));
    EXPECT_TRUE(view.editorOpen);
    EXPECT_EQ(view.editorCell, Cell(2, 6));
    EXPECT_EQ(view.editorText, "abc");
    EXPECT_EQ(view.editorCaret, 2);
}

TEST_F(cuiSheetRuntimeTest, DoubleByteCharacterIsOneRequest) {
    auto sheet = Build("T_Grid");
    sheet->TypeByte(0x82);
    EXPECT_TRUE(requests.empty());
    sheet->TypeByte(0xA0);
    sheet->TypeByte(0xB1);  // half-width katakana: as it is
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].request, 0x82A0);
    EXPECT_EQ(requests[1].request, 0xB1);
}

TEST_F(cuiSheetRuntimeTest, RepeatsWaitOnTheTimerHostWithFallingDelays) {
    cmcVirtualTimerHost host;
    auto sheet = Build("T_Grid");
    sheet->SetTimerHost(&host);
    std::vector<uint32_t> times;
    reply = [&](cmcCellCapsule& c) {
        times.push_back(host.NowMs());
        if (times.size() <= 5) {
            c.repeatRequest = 32;
        }
        return 0;
    };
    sheet->TypeByte(32);
    EXPECT_TRUE(sheet->RepeatPending());
    host.Advance(200);
    EXPECT_FALSE(sheet->RepeatPending());
    ASSERT_EQ(times.size(), 6u);
    std::vector<uint32_t> waits;
    for (size_t i = 1; i < times.size(); ++i) {
        waits.push_back(times[i] - times[i - 1]);
    }
    EXPECT_EQ(waits, (std::vector<uint32_t>{30, 24, 18, 12, 6}));
    for (size_t i = 1; i < requests.size(); ++i) {
        EXPECT_EQ(requests[i].request, 32);
    }
}

TEST_F(cuiSheetRuntimeTest, HandlerRangeBecomesTheSelection) {
    auto sheet = Build("T_Grid");
    sheet->Move(1, 2);
    sheet->Move(0, 2);  // (2, 3): index 2
    reply = [](cmcCellCapsule& c) {
        c.rangeState |= cmcCellCapsule::kRangeChanged;
        c.rangeFirst = 2;
        c.rangeLast = 4;
        return 0;
    };
    sheet->TypeByte(32);
    EXPECT_TRUE(sheet->MultiSelectActive());
    EXPECT_EQ(Marked(*sheet), Rows(2, 2, 3, 5));
    EXPECT_EQ(sheet->AnchorRow(), 5);
    EXPECT_EQ(Highlighted(*sheet), Rows(1, 3, 3, 5));
}

TEST_F(cuiSheetRuntimeTest, EditorUpCommitsAndMovesEscapeDiscards) {
    auto sheet = Build("T_Grid");
    sheet->Move(0, 2);
    sheet->OpenEditor(1, 3, "old", 0, 0);
    view.editorText = "new";
    EXPECT_TRUE(sheet->EditorKey(Key::Up));
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].origin, cmcCellCapsule::kOriginEditor);
    EXPECT_EQ(requests[0].request, 0);
    EXPECT_EQ(requests[0].inText, "new");
    EXPECT_FALSE(view.editorOpen);
    EXPECT_EQ(At(*sheet), Cell(1, 2));

    sheet->OpenEditor(1, 2, "old", 0, 0);
    view.editorText = "other";
    EXPECT_TRUE(sheet->EditorKey(Key::Escape));
    EXPECT_FALSE(view.editorOpen);
    EXPECT_EQ(requests.size(), 1u);
}

class cuiSheetEventTest : public cuiSheetRuntimeTest {
protected:
    cmcVirtualTimerHost host;
    cmcEvMan events{host};
};

TEST_F(cuiSheetEventTest, RepaintsVisibleLinkedCellsOfAnIndex) {
    auto sheet = Build("T_Grid");
    sheet->SetEvents(&events);
    view.visible = {0, 0, 3, 8};
    events.Send(cuiSheet::kEvRepaintIndex, 0, 4);
    EXPECT_EQ(std::set<Cell>(view.repainted.begin(), view.repainted.end()), Rows(0, 3, 5, 5));
    view.repainted.clear();
    view.visible = {0, 0, 3, 2};  // rows up to one below the last visible
    events.Send(cuiSheet::kEvRepaintIndexUpTo, 0, 10);
    EXPECT_EQ(std::set<Cell>(view.repainted.begin(), view.repainted.end()), Rows(0, 3, 1, 3));
}

TEST_F(cuiSheetEventTest, CommitEventCommitsTheEditorAndCursorMovesAreAnnounced) {
    auto sheet = Build("T_Grid");
    sheet->SetEvents(&events);
    std::vector<cmcEvent> heard;
    const int owner = 0;
    events.Listen(cmcEvMan::Listener(&owner, [&](const cmcEvent& e) { heard.push_back(e); }));
    sheet->KeyDown(Key::Down);
    const auto moved = std::find_if(heard.begin(), heard.end(), [](const cmcEvent& e) {
        return e.code == cuiSheet::kEvCursorMoved;
    });
    ASSERT_NE(moved, heard.end());
    int32_t payload[3] = {};
    ASSERT_EQ(moved->payload.size(), sizeof payload);
    std::memcpy(payload, moved->payload.data(), sizeof payload);
    EXPECT_EQ(payload[2], 1);  // the new cell's index

    sheet->OpenEditor(1, 2, "x", 0, 0);
    events.Send(cuiSheet::kEvCommitEdit, 0, 0);
    EXPECT_FALSE(view.editorOpen);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].inText, "x");
}

TEST_F(cuiSheetEventTest, AnswersWhichCellIsCurrent) {
    auto sheet = Build("T_Grid");
    sheet->SetEvents(&events);
    sheet->SetSheetId(7);
    sheet->Move(1, 0);
    EXPECT_EQ(events.Ask(cuiSheet::kEvCurrentCell, 8, 0), nullptr);
    const cmcEvAns* answer = events.Ask(cuiSheet::kEvCurrentCell, 7, 0);
    ASSERT_NE(answer, nullptr);
    cuiSheet::CurrentCellAnswer current;
    ASSERT_EQ(answer->payload.size(), sizeof current);
    std::memcpy(&current, answer->payload.data(), sizeof current);
    EXPECT_EQ(current.link, names.LinkId("CL_IndvList_Name"));
    EXPECT_EQ(current.col, 2);
}

TEST_F(cuiSheetEventTest, PopupMenuFollowsTheCellOnlyWhenItsNameChanges) {
    auto sheet = Build("T_Grid");
    sheet->SetEvents(&events);
    std::vector<std::string> assigned;
    const int owner = 0;
    events.Listen(cmcEvMan::Listener(&owner, [&](const cmcEvent& e) {
        if (e.code == cuiSheet::kEvPopupAssign) {
            EXPECT_EQ(e.p2, 19);
            assigned.push_back(e.Text());
        }
    }));
    sheet->FocusIn();
    sheet->KeyDown(Key::Down);  // same menu: nothing new
    EXPECT_EQ(assigned, (std::vector<std::string>{"GI_PMenu_Edit"}));
    EXPECT_EQ(sheet->PopupStem(), "GI_PMenu_Edit");
    sheet->FocusOut();
    EXPECT_EQ(sheet->PopupStem(), "");
    sheet->PopupCommand(42);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].command, 42);
    EXPECT_EQ(requests[0].request, 0);
}

}  // namespace
