#include "model/indActiveCell.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeDocHost.h"

#include "model/indActiveCellCanvas.h"
#include "model/indActiveCellIds.h"
#include "model/indActiveCellRows.h"
#include "model/indLinkNames.h"
#include "text/BuiltinTable.h"
#include "text/cmcGTex.h"

namespace ids = indActiveCellIds;

namespace {

constexpr int32_t kNullCategory = 0;
constexpr int32_t kPopupCategory = 1;
constexpr int32_t kIndvCategory = 7;
constexpr int32_t kGrpCategory = 8;
constexpr uint16_t kChecked = indActiveCell::kFlagReadOnly;  // Flag0 on a menu item
constexpr uint16_t kHidden = indActiveCell::kFlagHidden;
constexpr uint16_t kDisabled = indActiveCell::kFlagDisabled;

std::string Query(test::FakeDocHost& host, cmcCellObj cell) {
    cmcCellCapsule request;
    request.cell = &cell;
    indActiveCell(host).Handle(request, false);
    return request.outText;
}

TEST(indActiveCellNamesTest, EmptyNamesMeanNone) {
    EXPECT_EQ(indActiveCell::CategoryId(""), 12);
    EXPECT_EQ(indActiveCell::LinkId(""), 359);
    EXPECT_EQ(indActiveCell::CategoryId("CT_GrpList"), 8);
    EXPECT_EQ(indActiveCell::LinkId("CL_DigCall_Reserved114"), 116);
    EXPECT_EQ(indActiveCell::ChTypeOf(7), 6u);
    EXPECT_EQ(indActiveCell::ChTypeOf(12), 0u);
}

TEST(indActiveCellDeathTest, UnknownNamesAndCategoriesAreFatal) {
    EXPECT_DEATH(indActiveCell::CategoryId("CT_Nothing"),
                 "Cannot use the specified category.\n'CT_Nothing'");
    EXPECT_DEATH(indActiveCell::LinkId("CL_Nothing"),
                 "Cannot use the specified cell.\n'CL_Nothing'");
    EXPECT_DEATH(indActiveCell::ChTypeOf(13), "Unknown Cell Category. \\(13\\)");
    test::FakeDocHost host;
    cmcCellObj cell = test::CellOf(-1, ids::kNull, 0);
    EXPECT_DEATH(indActiveCell(host).HandleForCell(cell, 0), "Unknown Cell Category. \\(-1\\)");
}

// The handler's ids are the positions of the names in the registry.
TEST(indActiveCellNamesTest, IdsNameTheirLinks) {
    struct Case {
        int32_t id;
        const char* name;
    };
    const Case cases[] = {
        {ids::kFlexDigKey, "FlexDigKey"},
        {ids::kMenuFirst, "CL_Menu_File_New"},
        {ids::kMenuLast, "CL_Menu_Reserved_2"},
        {ids::kMenuLaterFirst, "CL_Menu_Edit_Undo"},
        {ids::kMenuLaterLast, "CL_Menu_Clone_Compare"},
        {ids::kMenuModel3, "CL_Menu_Model_3"},
        {ids::kCallSheet, "CallSheet"},
        {ids::kCloneInfoAdjSpecRev, "CL_CloneInfo_AdjSpecRev"},
        {ids::kPMenuAllOff, "CL_PMenu_AllOff"},
        {ids::kMiscQuarterPillar, "CL_Misc_QuarterPillar"},
        {ids::kDigCallTxMyName, "CL_DigCall_TxMyName"},
        {ids::kIdListDataIdProhibitSelfId, "CL_IdList_Data_Id_ProhibitSelfId"},
        {ids::kIndvListMakerId, "CL_IndvList_MakerId"},
        {ids::kGrpListGpsDisp, "CL_GrpList_GpsDisp"},
        {ids::kSetModeFirst, "CL_SetMode_MicGain"},
        {ids::kSetModeLast, "CL_SetMode_BackLight"},
        {ids::kMchNoG, "CL_Mch_NoG"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(indLinkNames::LinkName(c.id), c.name) << c.id;
    }
}

struct DisplayCase {
    int32_t link;
    int32_t index;
    const char* text;  // UTF-8
};

class DisplayTest : public ::testing::TestWithParam<DisplayCase> {};

TEST_P(DisplayTest, ShowsItsText) {
    test::FakeDocHost host;
    cmcCellObj cell = test::CellOf(kNullCategory, GetParam().link, GetParam().index);
    cell.text = "own";
    EXPECT_EQ(Query(host, cell), test::Sjis(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(
    Links, DisplayTest,
    ::testing::Values(
        DisplayCase{ids::kMiscNo0Base, 4, "4"}, DisplayCase{ids::kMiscNo1Base, 4, "5"},
        DisplayCase{ids::kMiscChNo1Base, 0, "1"}, DisplayCase{ids::kMiscNoNBase, 65, "1"},
        DisplayCase{ids::kMiscChNo0Base, 0, "自シス"}, DisplayCase{ids::kMiscChNo0Base, 3, "応援3"},
        DisplayCase{ids::kMiscSChNo1Base, 30, "S1"}, DisplayCase{ids::kMchNo, 8, "  9"},
        DisplayCase{ids::kMchNoI, 0, " 1"}, DisplayCase{ids::kMchNoG, 62, "63"},
        DisplayCase{ids::kFlex0, 3, "own"}, DisplayCase{ids::kFlexMark, 0, "own"},
        DisplayCase{156, 7, "156 *Yet*"},  // CL_MemCh_Valid
        DisplayCase{ids::kCloneInfoModel + 8, 0, "69 *Yet*"},
        DisplayCase{ids::kGrpListValid, 0, ""}, DisplayCase{ids::kDigCallReSendNum, 0, ""},
        DisplayCase{cmcCellObj::kNoLink, 0, ""}, DisplayCase{ids::kNull, 0, ""}));

// The handler's own words come from the text table, like every other text:
// a table that words them differently changes what the cells show.
TEST(indActiveCellTest, ItsOwnWordsComeFromTheTextTable) {
    struct RewordedHost : test::FakeDocHost {
        RewordedHost() {
            std::vector<std::string> lines = BuiltinTable::Lines();
            // The first entry of a key wins, so these go before the built-in ones.
            lines.insert(lines.begin() + 1, {"#GI_AppInd_ChNo0Base", "Own", "Aid %d",
                                             "#GI_AppInd_SubTitle", "Tool for %s"});
            table.SetLines(lines);
        }
        cmcGTex& Table() override { return table; }
        cmcGTex table;
    };
    RewordedHost host;
    struct Case {
        int32_t link;
        int32_t index;
        const char* text;
    };
    for (const Case& c :
         {Case{ids::kMiscChNo0Base, 0, "Own"}, Case{ids::kMiscChNo0Base, 4, "Aid 4"},
          Case{ids::kAppInfoSubTitle, 0, "Tool for KT-R77C"}}) {
        EXPECT_EQ(Query(host, test::CellOf(kNullCategory, c.link, c.index)), c.text) << c.text;
    }
}

TEST(indActiveCellTest, ProgramAndRadioIdentification) {
    test::FakeDocHost host;
    host.revision = "1.0";
    host.info = {42, 0x1A, 0x3F, 0x2, 0x05, 0xB, 0x07, 9, 10, 11};
    struct Case {
        int32_t link;
        const char* text;
    };
    const Case cases[] = {
        {ids::kAppInfoTitle, "MX-R77C"},
        {ids::kAppInfoRevision, "Revision 1.0"},
        {ids::kAppInfoSubTitle, "KT-R77C用プログラミングソフトウェア"},
        {ids::kCloneInfoModel, "KT-R77C"},
        {ids::kCloneInfoModelNo, "4001"},
        {ids::kCloneInfoExtraNo, "0021"},
        {ids::kCloneInfoRevision, "1A.3"},
        {ids::kCloneInfoVersion, "2.05.B07"},
        {ids::kCloneInfoMapRevClone, "9"},
        {ids::kCloneInfoMapRevAdj, "10"},
        {ids::kCloneInfoAdjSpecRev, "11"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Query(host, test::CellOf(kNullCategory, c.link, 0)), test::Sjis(c.text))
            << c.link;
    }
    host.modelCode = 0x4002;
    EXPECT_EQ(Query(host, test::CellOf(kNullCategory, ids::kCloneInfoModel, 0)), "");
}

TEST(indActiveCellTest, CommandsReportStateAndRunOnlyOnExecute) {
    test::FakeDocHost host;
    host.knownCommand = ids::kMenuFirst + 10;  // CL_Menu_View_ToolBar
    host.commandFlags = kChecked;
    cmcCellObj item = test::CellOf(kNullCategory, host.knownCommand, 0);
    EXPECT_EQ(Query(host, item), "");
    EXPECT_TRUE(host.executed.empty());
    cmcCellObj shown = item;
    cmcCellCapsule request;
    request.cell = &shown;
    indActiveCell(host).Handle(request, false);
    EXPECT_EQ(shown.userFlags, kChecked);
    EXPECT_EQ(host.timerRestarts, 0);

    for (int32_t code : {cmcCellCapsule::kRequestEnter, cmcCellCapsule::kRequestClick}) {
        indActiveCell(host).HandleForCell(item, code);
    }
    EXPECT_EQ(host.executed, (std::vector<int32_t>{host.knownCommand, host.knownCommand}));
    EXPECT_EQ(host.timerRestarts, 2);
    EXPECT_EQ(host.modifiedTests, 2);
}

TEST(indActiveCellTest, CommandsWithoutBehaviourSayYetAndSomeSayNothing) {
    test::FakeDocHost host;
    EXPECT_EQ(Query(host, test::CellOf(kNullCategory, 44, 0)), "44 *Yet*");
    for (int32_t quiet :
         {ids::kMenuOptionCsm, ids::kMenuOptionAtis, ids::kMenuModel2, ids::kMenuModel3}) {
        EXPECT_EQ(Query(host, test::CellOf(kNullCategory, quiet, 0)), "") << quiet;
    }
    EXPECT_EQ(host.stateAsked, (std::vector<int32_t>{44}));
}

TEST(indActiveCellTest, CallSheetOpensTheNamedSheetOnExecute) {
    test::FakeDocHost host;
    cmcCellObj node = test::CellOf(kNullCategory, ids::kCallSheet, 0);
    node.argument = "GI_Sheet_GroupList";
    indActiveCell(host).HandleForCell(node, 0);
    EXPECT_TRUE(host.sheetsCalled.empty());
    indActiveCell(host).HandleForCell(node, cmcCellCapsule::kRequestEnter);
    node.argument = "";
    indActiveCell(host).HandleForCell(node, cmcCellCapsule::kRequestEnter);
    EXPECT_EQ(host.sheetsCalled, (std::vector<std::string>{"GI_Sheet_GroupList"}));
}

struct PopupCase {
    int32_t item;
    int32_t ownerCategory;
    int32_t ownerRow;
    bool clipboardOfIndv;
    uint16_t flags;
};

class PopupTest : public ::testing::TestWithParam<PopupCase> {};

TEST_P(PopupTest, ItemStateFollowsTheOwningCell) {
    const PopupCase& c = GetParam();
    test::FakeDocHost host;
    host.editMenuItems = 2;
    if (c.clipboardOfIndv) {
        host.clipboard.Copy(&host.current, 6, 0, 1);
    }
    cmcCellObj owner = test::CellOf(c.ownerCategory, ids::kIndvListName, c.ownerRow);
    cmcCellCapsule parent;
    parent.cell = &owner;
    cmcCellObj item = test::CellOf(kPopupCategory, c.item, 0);
    cmcCellCapsule request;
    request.cell = &item;
    request.parent = &parent;
    indActiveCell(host).Handle(request, false);
    EXPECT_EQ(item.userFlags, c.flags);
    EXPECT_EQ(request.outText, "");
}

INSTANTIATE_TEST_SUITE_P(
    Items, PopupTest,
    ::testing::Values(PopupCase{ids::kPMenuCarryDown, kIndvCategory, 29, false, kDisabled},
                      PopupCase{ids::kPMenuCarryDown, kIndvCategory, 28, false, 0},
                      PopupCase{ids::kPMenuCarryUp, kIndvCategory, 0, false, kDisabled},
                      PopupCase{ids::kPMenuCarryUp, kIndvCategory, 1, false, 0},
                      PopupCase{ids::kPMenuCopy, kIndvCategory, 29, false, 0},
                      PopupCase{ids::kPMenuDelete, kGrpCategory, 30, false, kDisabled},
                      PopupCase{ids::kPMenuClear, kGrpCategory, 29, false, 0},
                      PopupCase{ids::kPMenuPaste, kIndvCategory, 3, false, kDisabled},
                      PopupCase{ids::kPMenuPaste, kIndvCategory, 3, true, 0},
                      PopupCase{ids::kPMenuPaste, kGrpCategory, 3, true, kDisabled},
                      PopupCase{ids::kPMenuNoItem, kIndvCategory, 0, false, kDisabled | kHidden},
                      PopupCase{ids::kPMenuEdit, kIndvCategory, 0, false, 0},
                      PopupCase{ids::kPMenuAllOn, kIndvCategory, 40, false, 0}));

TEST(indActiveCellTest, NoItemShowsWhenTheEditMenuHoldsOnlyIt) {
    test::FakeDocHost host;
    cmcCellObj item = test::CellOf(kPopupCategory, ids::kPMenuNoItem, 0);
    indActiveCell(host).HandleForCell(item, 0);
    EXPECT_EQ(item.userFlags, kDisabled);
}

TEST(indActiveCellTest, EditIsDisabledOnAReadOnlyCell) {
    test::FakeDocHost host;
    cmcCellObj owner = test::CellOf(kNullCategory, ids::kDigCallSelfId, 0);
    owner.userFlags = kChecked;  // the read-only look
    cmcCellCapsule parent;
    parent.cell = &owner;
    cmcCellObj item = test::CellOf(kPopupCategory, ids::kPMenuEdit, 0);
    cmcCellCapsule request;
    request.cell = &item;
    request.parent = &parent;
    indActiveCell(host).Handle(request, false);
    EXPECT_EQ(item.userFlags, kDisabled);
}

TEST(indActiveCellTest, RowCommandsRunInsteadOfTheLink) {
    test::FakeDocHost host;
    cmcCellObj cell = test::CellOf(kIndvCategory, ids::kIndvListName, 4);
    cmcCellCapsule request;
    request.cell = &cell;
    request.command = ids::kPMenuCopy;
    indActiveCell(host).Handle(request, true);
    EXPECT_EQ(host.clipboard.Count(), 1);
    EXPECT_EQ(host.clipboard.From(), 4);
    EXPECT_EQ(request.outText, "");  // the name field was not asked
    EXPECT_EQ(host.timerRestarts, 1);
}

class DrawnBands : public indActiveCellCanvas {
public:
    void FillRect(const cmcRect& rect, uint32_t color) override {
        rects.push_back(rect);
        colors.push_back(color);
    }
    std::vector<cmcRect> rects;
    std::vector<uint32_t> colors;
};

TEST(indActiveCellTest, QuarterPillarFillsTheLowestThreeTenths) {
    test::FakeDocHost host;
    DrawnBands canvas;
    cmcCellObj cell = test::CellOf(kNullCategory, ids::kMiscQuarterPillar, 0);
    cmcCellCapsule request;
    request.cell = &cell;
    request.canvas = &canvas;
    request.rect = {10, 20, 14, 37};
    indActiveCell(host).Handle(request, false);
    ASSERT_EQ(canvas.rects.size(), 1u);
    EXPECT_EQ(canvas.rects[0].top, 37 - 3 * 17 / 10);
    EXPECT_EQ(canvas.rects[0].bottom, 37);
    EXPECT_EQ(canvas.rects[0].left, 10);
    EXPECT_EQ(canvas.colors[0], 0x808080u);
    EXPECT_EQ(request.outText, "");
}

TEST(indActiveCellTest, ActionsRepaintTheCellOrItsRow) {
    test::FakeDocHost host;
    struct Case {
        int32_t category;
        bool action;
        std::vector<uint32_t> masks;
    };
    const Case cases[] = {
        {kNullCategory, true, {1}}, {kIndvCategory, true, {9}}, {kIndvCategory, false, {}}};
    for (const Case& c : cases) {
        std::vector<uint32_t> masks;
        cmcCellObj cell = test::CellOf(c.category, ids::kMchNoI, 2);
        cmcCellCapsule request;
        request.cell = &cell;
        request.invalidate = cmcMethod<cmcCellCapsule&, uint32_t>(
            &masks, [&masks](cmcCellCapsule&, uint32_t mask) { masks.push_back(mask); });
        indActiveCell(host).Handle(request, c.action);
        EXPECT_EQ(masks, c.masks);
        EXPECT_EQ(request.moveCategory, c.category);
        EXPECT_EQ(request.moveLink, ids::kMchNoI);
        EXPECT_EQ(request.moveIndex, 2);
    }
    EXPECT_EQ(host.timerRestarts, 0);
}

TEST(indActiveCellTest, MarksAreClearedOnEveryRequest) {
    test::FakeDocHost host;
    cmcCellObj cell = test::CellOf(kNullCategory, ids::kMchNoI, 0);
    cmcCellCapsule request;
    request.cell = &cell;
    request.state =
        cmcCellCapsule::kStateError | cmcCellCapsule::kStateWarning | cmcCellCapsule::kStateCurrent;
    request.outText = "stale";
    indActiveCell(host).Handle(request, false);
    EXPECT_EQ(request.state, cmcCellCapsule::kStateCurrent);
    EXPECT_EQ(request.outText, " 1");
}

}  // namespace

// Undo, redo and the language sit past the original registry; they are menu
// commands all the same.
TEST(indActiveCellTest, LaterMenuLinksAreCommandsToo) {
    for (int32_t link = ids::kMenuLaterFirst; link <= ids::kMenuLaterLast; ++link) {
        test::FakeDocHost host;
        host.knownCommand = link;
        cmcCellObj item = test::CellOf(kNullCategory, link, 0);
        cmcCellCapsule request;
        request.cell = &item;
        request.request = cmcCellCapsule::kRequestEnter;
        indActiveCell(host).Handle(request, true);
        EXPECT_EQ(host.stateAsked, std::vector<int32_t>{link});
        EXPECT_EQ(host.executed, std::vector<int32_t>{link});
    }
}
