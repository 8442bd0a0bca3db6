// Differences between two images, named as the sheets show them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeDocHost.h"
#include "model/indCellEdit.h"
#include "model/indImageDiff.h"
#include "model/indImageMap.h"
#include "model/indModelRules.h"

namespace {

namespace map = indImageMap;

std::string Utf8Line(const indImageDiff::Difference& d) {
    return Cp932::ToUtf8(d.sheet + "|" + d.row + "|" + d.item + "|" + d.first + "|" + d.second);
}

class indImageDiffTest : public ::testing::Test {
protected:
    // Edits the host's image as a sheet would.
    void Edit(const char* edit) {
        indCellEdit parsed;
        ASSERT_EQ(indCellEdit::Parse(edit, parsed), "") << edit;
        parsed.Apply(host);
    }
    std::vector<std::string> Lines(const cmcEeprom& a, const cmcEeprom& b) {
        std::vector<std::string> lines;
        for (const indImageDiff::Difference& d : indImageDiff(host.Table()).Compare(a, b)) {
            lines.push_back(Utf8Line(d));
        }
        return lines;
    }

    test::FakeDocHost host;
};

TEST_F(indImageDiffTest, SameImagesHaveNoDifference) {
    EXPECT_TRUE(Lines(host.current, host.current).empty());
}

TEST_F(indImageDiffTest, CellsAreNamedBySheetRowAndColumn) {
    const cmcEeprom before = host.current;
    Edit("CL_DigCall_SelfName=ABC");
    Edit("CT_IndvList.CL_IndvList_IndvNo[0]=1234");
    Edit("CT_GrpList.CL_GrpList_Name[62]=終");
    const std::vector<std::string> expected = {
        "本体設定||機器名称||ABC",
        "個別リスト設定|1|有効||○",  // an edited entry becomes valid
        "個別リスト設定|1|機器ID|0|1234",
        "グループリスト設定|63|名称||終",
        "||0x09E5|00|7F",  // the stored group ID, which the sheet does not show
    };
    EXPECT_EQ(Lines(before, host.current), expected);
}

TEST_F(indImageDiffTest, BytesNoSheetShowsAreListedByAddress) {
    cmcEeprom other = host.current;
    // The byte after a name's 12 text bytes, and a key assignment byte.
    other.SetByte(map::kOwnName + 12, 0x41);
    other.SetByte(map::kKeyAssignFirst, 0x07);
    const std::vector<std::string> expected = {"||0x02EC|00|41", "||0x02FC|00|07"};
    EXPECT_EQ(Lines(host.current, other), expected);
}

TEST_F(indImageDiffTest, WrittenDifferencesIgnoreWhatAWriteLeavesAlone) {
    cmcEeprom file = host.current;
    indModelRules::BeforeSave(file);
    cmcEeprom radio = file;
    // The radio's own device ID lies outside what a write sends.
    radio.SetByte(map::kOwnMakerId, 9);
    radio.SetDword(map::kOwnIndividualNo, 4242);
    EXPECT_TRUE(indImageDiff::WrittenDifferences(file, radio).empty());
    radio.SetByte(map::kOwnName, 'Z');
    EXPECT_EQ(indImageDiff::WrittenDifferences(file, radio), std::vector<int32_t>{map::kOwnName});
    const cmcEeprom expected = indImageDiff::ExpectedAfterWrite(file, radio);
    EXPECT_EQ(expected.GetByte(map::kOwnMakerId), 9);
    EXPECT_EQ(expected.GetByte(map::kOwnName), file.GetByte(map::kOwnName));
}

}  // namespace
