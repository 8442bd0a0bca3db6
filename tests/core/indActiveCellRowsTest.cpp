#include "model/indActiveCellRows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeDocHost.h"

#include "model/cmcChType.h"
#include "model/datCh.h"
#include "model/indActiveCellIds.h"
#include "model/indImageMap.h"

namespace ids = indActiveCellIds;

namespace {

constexpr int32_t kIndvCategory = 7;
constexpr int32_t kGrpCategory = 8;

void SetName(cmcEeprom& image, uint32_t chType, int32_t row, const std::string& text) {
    datCh record(&image);
    record.Load(chType, static_cast<uint32_t>(row));
    std::fill(std::begin(record.name), std::end(record.name), 0);
    std::copy(text.begin(), text.end(), record.name);
    record.Store(chType, static_cast<uint32_t>(row));
}

std::string NameOf(cmcEeprom& image, uint32_t chType, int32_t row) {
    datCh record(&image);
    record.Load(chType, static_cast<uint32_t>(row));
    return std::string(reinterpret_cast<const char*>(record.name));
}

// Every individual row i named "Ri"; the initial image's rows "Ni".
class RowsTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (int32_t i = 0; i < indImageMap::Indv::kCount; ++i) {
            SetName(host.current, cmcChType::kIndvList, i, "R" + std::to_string(i));
            SetName(host.initial, cmcChType::kIndvList, i, "N" + std::to_string(i));
        }
    }

    // A pop-up command on the cell of row `row`, with a selection when
    // first <= last.
    cmcCellCapsule Command(int32_t row, int32_t first = 1, int32_t last = 0) {
        cell = test::CellOf(kIndvCategory, ids::kIndvListName, row);
        cmcCellCapsule request;
        request.cell = &cell;
        if (first <= last) {
            request.rangeState = cmcCellCapsule::kRangeActive;
            request.rangeFirst = first;
            request.rangeLast = last;
        }
        return request;
    }

    bool Run(int32_t command, cmcCellCapsule& request, uint32_t chType = cmcChType::kIndvList) {
        return indActiveCellRows(host).Run(command, request, chType);
    }

    std::vector<std::string> Names(int32_t first, int32_t last) {
        std::vector<std::string> names;
        for (int32_t i = first; i <= last; ++i) {
            names.push_back(NameOf(host.current, cmcChType::kIndvList, i));
        }
        return names;
    }

    std::vector<int32_t> ChangedRows() {
        std::vector<int32_t> rows;
        for (const test::HeardEvent& e : host.Heard(indActiveCellRows::kEvRowChanged)) {
            rows.push_back(e.p2);
        }
        return rows;
    }

    test::FakeDocHost host;
    cmcCellObj cell;
};

TEST_F(RowsTest, CopyTakesTheClampedSelectionAndSaysSo) {
    cmcCellCapsule request = Command(3, 3, 5);
    ASSERT_TRUE(Run(ids::kPMenuCopy, request));
    EXPECT_EQ(host.clipboard.ChType(), cmcChType::kIndvList);
    EXPECT_EQ(host.clipboard.From(), 3);
    EXPECT_EQ(host.clipboard.Count(), 3);
    EXPECT_NE(request.rangeState & cmcCellCapsule::kRangeChanged, 0u);
    EXPECT_EQ(request.rangeFirst, 3);
    EXPECT_EQ(request.rangeLast, 5);
    auto status = host.Heard(indActiveCellRows::kEvStatusText);
    ASSERT_EQ(status.size(), 1u);
    EXPECT_EQ(status[0].text, test::Sjis(" コピーしました"));
}

struct PasteCase {
    const char* what;
    int32_t copyFirst, copyLast;        // copied rows
    int32_t row;                        // current row
    int32_t first, last;                // selection; none when first > last
    std::vector<std::string> expected;  // rows row..row + expected.size() - 1 afterwards
    std::vector<int32_t> changed;
};

class PasteTest : public RowsTest, public ::testing::WithParamInterface<PasteCase> {};

TEST_P(PasteTest, PastesAsTheSelectionAllows) {
    const PasteCase& c = GetParam();
    cmcCellCapsule copy = Command(c.copyFirst, c.copyFirst, c.copyLast);
    ASSERT_TRUE(Run(ids::kPMenuCopy, copy));
    cmcCellCapsule paste = Command(c.row, c.first, c.last);
    ASSERT_TRUE(Run(ids::kPMenuPaste, paste));
    int32_t start = c.first <= c.last ? c.first : c.row;
    EXPECT_EQ(Names(start, start + static_cast<int32_t>(c.expected.size()) - 1), c.expected);
    EXPECT_EQ(ChangedRows(), c.changed);
    EXPECT_EQ(paste.rangeFirst, c.changed.front());
    EXPECT_EQ(paste.rangeLast, c.changed.back());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PasteTest,
    ::testing::Values(
        PasteCase{"three rows at row 10", 3, 5, 10, 1, 0, {"R3", "R4", "R5", "R13"}, {10, 11, 12}},
        PasteCase{"one row repeated over four",
                  7,
                  7,
                  2,
                  2,
                  5,
                  {"R7", "R7", "R7", "R7", "R6"},
                  {2, 3, 4, 5}},
        PasteCase{"two rows over three", 0, 1, 10, 10, 12, {"R0", "R1", "R12"}, {10, 11}},
        PasteCase{"three rows at the end of the list", 3, 5, 28, 1, 0, {"R3", "R4"}, {28, 29}}));

TEST_F(RowsTest, PasteAtTheEndLeavesTheGroupListAlone) {
    cmcEeprom before;
    before.Assign(host.current);
    cmcCellCapsule copy = Command(3, 3, 5);
    Run(ids::kPMenuCopy, copy);
    cmcCellCapsule paste = Command(28);
    Run(ids::kPMenuPaste, paste);
    for (int32_t a = indImageMap::IndvRecord(30); a < indImageMap::kImageSize; ++a) {
        ASSERT_EQ(host.current.GetByte(a), before.GetByte(a)) << a;
    }
}

TEST_F(RowsTest, PasteMovesTheCursorBackIntoThePastedBlock) {
    host.clipboard.Copy(&host.current, cmcChType::kIndvList, 0, 2);
    // The current row lies below a selection of three: two rows paste once.
    cmcCellCapsule paste = Command(9, 4, 6);
    ASSERT_TRUE(Run(ids::kPMenuPaste, paste));
    EXPECT_EQ(Names(4, 6), (std::vector<std::string>{"R0", "R1", "R6"}));
    EXPECT_EQ(paste.moveRequest, 1);
    EXPECT_EQ(paste.moveIndex, 5);
}

TEST_F(RowsTest, PasteOfAnotherKindOrAnEmptyClipboardDoesNothing) {
    cmcEeprom before;
    before.Assign(host.current);
    cmcCellCapsule paste = Command(4);
    Run(ids::kPMenuPaste, paste);
    host.clipboard.Copy(&host.current, cmcChType::kGrpList, 0, 2);
    Run(ids::kPMenuPaste, paste);
    EXPECT_TRUE(host.current.Equals(before));
    EXPECT_TRUE(host.Heard(indActiveCellRows::kEvStatusText).empty());
}

TEST_F(RowsTest, PasteIntoTheGroupListGivesEachRowItsOwnId) {
    SetName(host.current, cmcChType::kGrpList, 2, "G2");
    host.clipboard.Copy(&host.current, cmcChType::kGrpList, 2, 1);
    cell = test::CellOf(kGrpCategory, ids::kGrpListName, 40);
    cmcCellCapsule paste;
    paste.cell = &cell;
    paste.rangeState = cmcCellCapsule::kRangeActive;
    paste.rangeFirst = 40;
    paste.rangeLast = 41;
    ASSERT_TRUE(Run(ids::kPMenuPaste, paste, cmcChType::kGrpList));
    for (int32_t row : {40, 41}) {
        datCh record(&host.current);
        record.Load(cmcChType::kGrpList, static_cast<uint32_t>(row));
        EXPECT_STREQ(reinterpret_cast<const char*>(record.name), "G2");
        EXPECT_EQ(record.id, row + 1);
    }
}

TEST_F(RowsTest, MoveStopsAtTheEndsOfTheList) {
    cmcEeprom before;
    before.Assign(host.current);
    cmcCellCapsule up = Command(0);
    Run(ids::kPMenuCarryUp, up);
    cmcCellCapsule down = Command(29);
    Run(ids::kPMenuCarryDown, down);
    EXPECT_TRUE(host.current.Equals(before));
    EXPECT_EQ(up.moveRequest, 0);
    EXPECT_EQ(down.moveRequest, 0);
}

TEST_F(RowsTest, MoveDownTakesTheNextRowToTheFront) {
    cmcCellCapsule down = Command(4, 4, 6);
    ASSERT_TRUE(Run(ids::kPMenuCarryDown, down));
    EXPECT_EQ(Names(3, 8), (std::vector<std::string>{"R3", "R7", "R4", "R5", "R6", "R8"}));
    EXPECT_EQ(down.rangeFirst, 5);
    EXPECT_EQ(down.rangeLast, 7);
    EXPECT_EQ(down.moveIndex, 7);
    EXPECT_TRUE(host.Heard(indActiveCellRows::kEvStatusText).empty());
}

TEST_F(RowsTest, MoveUpTakesThePreviousRowToTheBack) {
    cmcCellCapsule up = Command(1);
    ASSERT_TRUE(Run(ids::kPMenuCarryUp, up));
    EXPECT_EQ(Names(0, 2), (std::vector<std::string>{"R1", "R0", "R2"}));
    EXPECT_EQ(up.rangeFirst, 0);
    EXPECT_EQ(up.moveIndex, 0);
}

TEST_F(RowsTest, MovedGroupsTakeTheIdOfTheirNewRow) {
    SetName(host.current, cmcChType::kGrpList, 4, "G4");
    cell = test::CellOf(kGrpCategory, ids::kGrpListName, 4);
    cmcCellCapsule down;
    down.cell = &cell;
    ASSERT_TRUE(Run(ids::kPMenuCarryDown, down, cmcChType::kGrpList));
    datCh record(&host.current);
    record.Load(cmcChType::kGrpList, 5);
    EXPECT_STREQ(reinterpret_cast<const char*>(record.name), "G4");
    EXPECT_EQ(record.id, 6);
}

TEST_F(RowsTest, ClearAsksAndRefillsFromTheInitialImage) {
    cmcCellCapsule clear = Command(5, 5, 6);
    ASSERT_TRUE(Run(ids::kPMenuClear, clear));
    ASSERT_EQ(host.prompt.asked.size(), 1u);
    EXPECT_EQ(host.prompt.asked[0], test::Sjis("内容を初期化します。よろしいですか？"));
    EXPECT_EQ(host.prompt.lastCaption, "MX-R77C");
    EXPECT_EQ(host.prompt.lastButtons, cmcPrompt::Buttons::OkCancel);
    EXPECT_EQ(Names(4, 7), (std::vector<std::string>{"R4", "N5", "N6", "R7"}));
    EXPECT_EQ(ChangedRows(), (std::vector<int32_t>{5, 6}));
    EXPECT_EQ(host.Heard(indActiveCellRows::kEvStatusText).back().text,
              test::Sjis(" 初期化しました"));
}

TEST_F(RowsTest, CancelledClearAndDeleteChangeNothing) {
    host.prompt.answer = cmcPrompt::Answer::Cancel;
    cmcEeprom before;
    before.Assign(host.current);
    cmcCellCapsule clear = Command(5);
    Run(ids::kPMenuClear, clear);
    cmcCellCapsule remove = Command(5);
    Run(ids::kPMenuDelete, remove);
    EXPECT_EQ(host.prompt.asked.size(), 2u);
    EXPECT_TRUE(host.current.Equals(before));
    EXPECT_TRUE(host.heard.empty());
}

TEST_F(RowsTest, DeleteMovesTheRestUpAndRefillsTheEnd) {
    cmcCellCapsule remove = Command(2, 2, 3);
    remove.rangeState |= cmcCellCapsule::kRangeChanged;
    ASSERT_TRUE(Run(ids::kPMenuDelete, remove));
    EXPECT_EQ(host.prompt.asked[0], test::Sjis("削除します。よろしいですか？"));
    EXPECT_EQ(Names(1, 3), (std::vector<std::string>{"R1", "R4", "R5"}));
    EXPECT_EQ(Names(26, 29), (std::vector<std::string>{"R28", "R29", "N28", "N29"}));
    EXPECT_EQ(remove.rangeState & cmcCellCapsule::kRangeChanged, 0u);
    EXPECT_EQ(remove.moveIndex, 2);
    EXPECT_EQ(host.Heard(indActiveCellRows::kEvRefreshAll).size(), 1u);
}

TEST_F(RowsTest, DeleteOfTheLastRowRefillsOnlyIt) {
    cmcCellCapsule remove = Command(29);
    ASSERT_TRUE(Run(ids::kPMenuDelete, remove));
    EXPECT_EQ(Names(27, 29), (std::vector<std::string>{"R27", "R28", "N29"}));
}

TEST_F(RowsTest, InsertMovesNothing) {
    cmcEeprom before;
    before.Assign(host.current);
    cmcCellCapsule insert = Command(3, 3, 4);
    ASSERT_TRUE(Run(ids::kPMenuInsert, insert));
    EXPECT_TRUE(host.current.Equals(before));
    EXPECT_NE(insert.rangeState & cmcCellCapsule::kRangeChanged, 0u);
    EXPECT_EQ(host.Heard(indActiveCellRows::kEvStatusText).back().text,
              test::Sjis(" 挿入しました"));
}

TEST_F(RowsTest, SetAllRewritesTheClampedRangeUnchanged) {
    host.current.SetByte(indImageMap::IndvRecord(2) + 12, 0x41);  // the terminator is forced to 0
    cmcCellCapsule all = Command(2, 2, 40);
    ASSERT_TRUE(Run(ids::kPMenuAllOn, all));
    EXPECT_EQ(host.current.GetByte(indImageMap::IndvRecord(2) + 12), 0);
    std::vector<int32_t> rows = ChangedRows();
    ASSERT_EQ(rows.size(), 28u);
    EXPECT_EQ(rows.front(), 2);
    EXPECT_EQ(rows.back(), 29);
}

TEST_F(RowsTest, ListsWithoutRangeOperationsRunNothing) {
    cmcCellCapsule copy = Command(0);
    EXPECT_FALSE(Run(ids::kPMenuCopy, copy, cmcChType::kNone));
    EXPECT_FALSE(Run(ids::kPMenuEdit, copy));
    EXPECT_EQ(host.clipboard.ChType(), 0u);
}

TEST_F(RowsTest, ShiftDownMakesRoomAtARow) {
    indActiveCellRows::ShiftDown(host.current, host.initial, 30, cmcChType::kIndvList, 3);
    EXPECT_EQ(Names(2, 5), (std::vector<std::string>{"R2", "N3", "R3", "R4"}));
    EXPECT_EQ(Names(29, 29), (std::vector<std::string>{"R28"}));
}

}  // namespace
