// This radio's link catalogue, cell by cell: what each linked cell shows and
// what an edit stores in the image.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "FakeDocHost.h"

#include "model/indActiveCell.h"
#include "model/indActiveCellIds.h"
#include "model/indImageMap.h"

namespace ids = indActiveCellIds;
namespace map = indImageMap;

namespace {

constexpr int32_t kNone = cmcCellObj::kNoCategory;
constexpr int32_t kIndv = 7;
constexpr int32_t kGrp = 8;

enum class Act { Query, Commit, Space, Backspace, Enter, Choose };

using Bytes = std::vector<std::pair<int32_t, uint8_t>>;

struct FieldCase {
    const char* what;
    int32_t category;
    int32_t link;
    int32_t index;
    Bytes before;  // set in a zeroed image first
    Act act;
    const char* text;   // UTF-8: committed text
    int32_t choice;     // chosen list value
    Bytes after;        // expected afterwards
    const char* shown;  // UTF-8 display text afterwards; null: not checked
};

constexpr int32_t Indv(int32_t i, int32_t offset) {
    return map::IndvRecord(i) + offset;
}
constexpr int32_t Grp(int32_t i, int32_t offset) {
    return map::GrpRecord(i) + offset;
}

Bytes Text(int32_t address, const std::string& bytes) {
    Bytes result;
    for (size_t i = 0; i < bytes.size(); ++i) {
        result.emplace_back(address + static_cast<int32_t>(i), static_cast<uint8_t>(bytes[i]));
    }
    return result;
}

Bytes Join(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class CatalogueTest : public ::testing::TestWithParam<FieldCase> {
protected:
    int Act(cmcCellObj& cell, const FieldCase& c) {
        int editHost = 0;
        cmcCellCapsule request;
        request.cell = &cell;
        request.editHost = &editHost;
        cmcCellObj entry = test::CellOf(kNone, ids::kFlex0, c.choice);
        cmcCellCapsule chosen;
        chosen.cell = &entry;
        switch (c.act) {
            case Act::Query:
                break;
            case Act::Commit:
                request.origin = cmcCellCapsule::kOriginEditor;
                request.inText = test::Sjis(c.text);
                break;
            case Act::Space:
                request.request = cmcCellCapsule::kRequestSpace;
                break;
            case Act::Backspace:
                request.request = cmcCellCapsule::kRequestBackspace;
                break;
            case Act::Enter:
                request.request = cmcCellCapsule::kRequestEnter;
                break;
            case Act::Choose:
                request.parent = &chosen;
                request.origin = cmcCellCapsule::kOriginChoice;
                break;
        }
        return indActiveCell(host).Handle(request, true);
    }

    test::FakeDocHost host;
};

TEST_P(CatalogueTest, ShowsAndStores) {
    const FieldCase& c = GetParam();
    for (const auto& [address, value] : c.before) {
        host.current.SetByte(address, value);
    }
    cmcEeprom expected;
    expected.Assign(host.current);
    for (const auto& [address, value] : c.after) {
        expected.SetByte(address, value);
    }
    cmcCellObj cell = test::CellOf(c.category, c.link, c.index);
    Act(cell, c);
    for (int32_t a = 0; a < map::kImageSize; ++a) {
        ASSERT_EQ(host.current.GetByte(a), expected.GetByte(a)) << "address " << a;
    }
    if (c.shown != nullptr) {
        cmcCellCapsule query;
        query.cell = &cell;
        indActiveCell(host).Handle(query, false);
        EXPECT_EQ(query.outText, test::Sjis(c.shown));
    }
}

const Bytes kSelf = {
    {map::kOwnMakerId, 5}, {map::kOwnIndividualNo, 0xD2}, {map::kOwnIndividualNo + 1, 0x04}};

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Cells, CatalogueTest,
    ::testing::Values(
        FieldCase{"device id shows both parts", kNone, ids::kDigCallSelfId, 0, kSelf, Act::Query, "", 0, {}, "  5-   1234"},
        FieldCase{"device id ignores Enter", kNone, ids::kDigCallSelfId, 0, kSelf, Act::Enter, "", 0, {}, "  5-   1234"},
        FieldCase{"device id ignores a commit", kNone, ids::kDigCallSelfId, 0, kSelf, Act::Commit, "9", 0, {}, nullptr},
        FieldCase{"own maker id is clamped", kNone, ids::kDigCallSelfIdMakerId, 0, {}, Act::Commit, "200", 0, {{map::kOwnMakerId, 127}}, "127"},
        FieldCase{"own number wraps back", kNone, ids::kDigCallSelfIdIndvId, 0, {}, Act::Backspace, "", 0, {{0, 0xFF}, {1, 0xFF}, {2, 0x1F}}, "2097151"},
        FieldCase{"own name is cut at 12 bytes, the 13th kept", kNone, ids::kDigCallSelfName, 0, {{map::kOwnName + 12, 0x55}}, Act::Commit, "ABCDEFGHIJKLMN", 0, Text(map::kOwnName, "ABCDEFGHIJKL"), "ABCDEFGHIJKL"},
        FieldCase{"own name drops a cut double-byte character", kNone, ids::kDigCallSelfName, 0, {}, Act::Commit, "ABCDEFGHIJK無", 0, Text(map::kOwnName, "ABCDEFGHIJK"), "ABCDEFGHIJK"},
        FieldCase{"own name turns a tab into a blank", kNone, ids::kDigCallSelfName, 0, {}, Act::Commit, "A\tB", 0, Text(map::kOwnName, "A B"), "A B"},
        FieldCase{"send name: Space sets only bit 1", kNone, ids::kDigCallTxMyName, 0, {{map::kTxMyName, 0xA5}}, Act::Space, "", 0, {{map::kTxMyName, 0xA7}}, "ON"},
        FieldCase{"send name: Space wraps to OFF", kNone, ids::kDigCallTxMyName, 0, {{map::kTxMyName, 0xFF}}, Act::Space, "", 0, {{map::kTxMyName, 0xFD}}, "OFF"},
        FieldCase{"send name: chosen OFF", kNone, ids::kDigCallTxMyName, 0, {{map::kTxMyName, 0x02}}, Act::Choose, "", 0, {{map::kTxMyName, 0x00}}, "OFF"},
        FieldCase{"setting mode: voice destination is bit 0", kNone, ids::kSetModeFirst + 1, 0, {}, Act::Space, "", 0, {{map::kSetModePermit, 0x01}}, "○"},
        FieldCase{"setting mode: mic gain is bit 6", kNone, ids::kSetModeFirst, 0, {}, Act::Space, "", 0, {{map::kSetModePermit, 0x40}}, "○"},
        FieldCase{"setting mode: backlight is bit 7", kNone, ids::kSetModeLast, 0, {{map::kSetModePermit, 0xFF}}, Act::Choose, "", 0, {{map::kSetModePermit, 0x7F}}, nullptr},
        FieldCase{"typed maker id 300 stores 127 and validates", kIndv, ids::kIndvListMakerId, 3, {}, Act::Commit, "300", 0, {{Indv(3, map::Indv::kMakerId), 127}, {Indv(3, map::Indv::kValid), 1}}, "127"},
        FieldCase{"a rejected number changes nothing", kIndv, ids::kIndvListMakerId, 3, {{Indv(3, map::Indv::kMakerId), 9}}, Act::Commit, "12a", 0, {}, "9"},
        FieldCase{"a negative number stores the minimum", kIndv, ids::kIndvListMakerId, 3, {{Indv(3, map::Indv::kMakerId), 9}, {Indv(3, map::Indv::kValid), 1}}, Act::Commit, "-5", 0, {{Indv(3, map::Indv::kMakerId), 0}}, "0"},
        FieldCase{"a leading blank rejects the number", kIndv, ids::kIndvListMakerId, 3, {{Indv(3, map::Indv::kMakerId), 9}}, Act::Commit, " 5", 0, {}, "9"},
        FieldCase{"an empty commit is rejected", kIndv, ids::kIndvListMakerId, 3, {{Indv(3, map::Indv::kMakerId), 9}}, Act::Commit, "", 0, {}, "9"},
        FieldCase{"a valid flag off the list shows error", kIndv, ids::kIndvListValid, 2, {{Indv(2, 14), 5}}, Act::Query, "", 0, {}, "error"},
        FieldCase{"Space from a value off the list takes the first entry", kIndv, ids::kIndvListValid, 2, {{Indv(2, 14), 5}}, Act::Space, "", 0, {{Indv(2, 14), 0}}, ""},
        FieldCase{"individual number clamps", kIndv, ids::kIndvListIndvNo, 4, {}, Act::Commit, "2097152", 0, {{Indv(4, 20), 0xFF}, {Indv(4, 21), 0xFF}, {Indv(4, 22), 0x1F}, {Indv(4, 14), 1}}, "2097151"},
        FieldCase{"individual number wraps forward", kIndv, ids::kIndvListIndvNo, 4, {{Indv(4, 20), 0xFF}, {Indv(4, 21), 0xFF}, {Indv(4, 22), 0x1F}, {Indv(4, 14), 1}}, Act::Space, "", 0, {{Indv(4, 20), 0}, {Indv(4, 21), 0}, {Indv(4, 22), 0}}, "0"},
        FieldCase{"a name validates an invalid entry", kIndv, ids::kIndvListName, 3, {{Indv(3, 12), 0x41}}, Act::Commit, "TOKYO", 0, Join(Text(Indv(3, 0), "TOKYO"), {{Indv(3, 12), 0}, {Indv(3, 14), 1}}), "TOKYO"},
        FieldCase{"choosing invalid keeps the name", kIndv, ids::kIndvListValid, 11, Join(Text(Indv(11, 0), "OSAKA"), {{Indv(11, 14), 1}}), Act::Choose, "", 0, {{Indv(11, 14), 0}}, nullptr},
        FieldCase{"renaming group 5 stores ID 6", kGrp, ids::kGrpListName, 5, {{Grp(5, 13), 0x80}}, Act::Commit, "ABC", 0, Join(Text(Grp(5, 0), "ABC"), {{Grp(5, 13), 0x80 | (6 << 1) | 1}}), "ABC"},
        FieldCase{"renaming a group leaves the valid bitmap", kGrp, ids::kGrpListName, 0, {}, Act::Commit, "G", 0, {{Grp(0, 0), 'G'}, {Grp(0, 13), (1 << 1) | 1}}, "G"},
        FieldCase{"group id only shows", kGrp, ids::kGrpListId, 4, {{Grp(4, 13), (5 << 1) | 1}}, Act::Space, "", 0, {}, "5"},
        FieldCase{"id list shows the maker id", kNone, ids::kIdListId, 2, {{Indv(2, 16), 77}}, Act::Space, "", 0, {}, "77"},
        FieldCase{"group name display reads the group", kNone, ids::kGrpListNameDisp, 7, Text(Grp(7, 0), "NAME"), Act::Commit, "X", 0, {}, "NAME"}));
// clang-format on

TEST(indActiveCellFieldsTest, TheDeviceIdRowLooksReadOnly) {
    test::FakeDocHost host;
    cmcCellObj cell = test::CellOf(kNone, ids::kDigCallSelfId, 0);
    cmcCellCapsule request;
    request.cell = &cell;
    request.request = cmcCellCapsule::kRequestEnter;
    EXPECT_EQ(indActiveCell(host).Handle(request, true), 0);
    EXPECT_EQ(cell.userFlags & indActiveCell::kFlagReadOnly, indActiveCell::kFlagReadOnly);
    ASSERT_TRUE(cell.font.has_value());
    EXPECT_EQ(cell.font->color, 0x808080u);
    EXPECT_EQ(host.timerRestarts, 0);  // the key was dropped: nothing to check
}

// Enter on an editable cell of link, as the sheet's key handler sends it.
int PressEnter(test::FakeDocHost& host, int32_t link, std::string& text) {
    cmcCellObj cell = test::CellOf(kNone, link, 0);
    int editHost = 0;
    cmcCellCapsule request;
    request.cell = &cell;
    request.editHost = &editHost;
    request.request = cmcCellCapsule::kRequestEnter;
    int result = indActiveCell(host).Handle(request, true);
    text = request.outText;
    return result;
}

TEST(indActiveCellFieldsTest, EnterOnAChoiceOpensItsList) {
    test::FakeDocHost host;
    host.current.SetByte(map::kTxMyName, 0x02);
    std::string text;
    EXPECT_EQ(PressEnter(host, ids::kDigCallTxMyName, text), cmcCellLinkResult::kChoiceListOpened);
    EXPECT_EQ(host.listsOpened, (std::vector<std::string>{"GI_Sheet_Sel_TxMyName@1"}));
    EXPECT_EQ(host.current.GetByte(map::kTxMyName), 0x02);
}

TEST(indActiveCellFieldsTest, EnterOnANumberOpensTheEditor) {
    test::FakeDocHost host;
    host.current.SetByte(map::kOwnMakerId, 42);
    std::string text;
    EXPECT_EQ(PressEnter(host, ids::kDigCallSelfIdMakerId, text), cmcCellLinkResult::kOpenEditor);
    EXPECT_EQ(text, "42");
    EXPECT_EQ(host.timerRestarts, 1);
    EXPECT_EQ(host.modifiedTests, 1);
}

}  // namespace
