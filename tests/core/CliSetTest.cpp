// mxr77c-cli set: edits go through the link handler exactly as typed ones.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "FakeDocHost.h"
#include "TestSupport.h"
#include "files/FileErr.h"
#include "files/indImageFile.h"
#include "model/cmcChType.h"
#include "model/datCh.h"
#include "model/indImageMap.h"

namespace {

namespace map = indImageMap;

const std::string kCli = MX_BIN_DIR "/mxr77c-cli";

class CliSetTest : public ::testing::Test {
protected:
    CliSetTest() {
        table.SetLines(test::FileTableLines());
        image = test::ImageOf(map::kImageSize, [](int32_t a) { return 0x20 + a % 0x50; });
        // Entry 3 invalid, entry 11 valid; the send-name byte with other bits set.
        image.SetByte(map::IndvRecord(3) + map::Indv::kValid, 0);
        image.SetByte(map::IndvRecord(11) + map::Indv::kValid, 1);
        image.SetByte(map::kTxMyName, 0xA5);
        path = dir.Path("in.rcf");
        EXPECT_EQ(indImageFile(table, nullptr).Save(path, image), FileErr::kNone);
        // What the program makes of the file when it opens it.
        EXPECT_EQ(indImageFile(table, nullptr).Open(path, image), FileErr::kNone);
    }

    int Set(const std::string& args) {
        std::string command =
            "'" + kCli + "' set '" + path + "' " + args + " >/dev/null 2>" + dir.Path("stderr");
        int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    cmcEeprom Opened(const std::string& file) {
        cmcEeprom result;
        result.SetSize(map::kImageSize);
        EXPECT_EQ(indImageFile(table, nullptr).Open(file, result), FileErr::kNone);
        return result;
    }

    datCh Record(cmcEeprom& from, uint32_t chType, uint32_t index) {
        datCh record(&from);
        record.Load(chType, index);
        return record;
    }

    cmcGTex table;
    test::TempDir dir;
    cmcEeprom image;
    std::string path;
};

TEST_F(CliSetTest, TypedMakerIdIsClampedAndMakesTheEntryValid) {
    ASSERT_EQ(Set("'CT_IndvList.CL_IndvList_MakerId[3]=300'"), 0);
    cmcEeprom after = Opened(path);
    datCh record = Record(after, cmcChType::kIndvList, 3);
    EXPECT_EQ(record.id, 127);
    EXPECT_EQ(record.valid, 1);
}

TEST_F(CliSetTest, SpaceSwitchesOnlyTheSendNameBit) {
    ASSERT_EQ(Set("CL_DigCall_TxMyName+ -o '" + dir.Path("out.rcf") + "'"), 0);
    cmcEeprom after = Opened(dir.Path("out.rcf"));
    EXPECT_EQ(after.GetByte(map::kTxMyName), 0xA7);
    EXPECT_TRUE(Opened(path).Equals(image));  // the input stays as it was
}

TEST_F(CliSetTest, ChoosingInvalidKeepsTheName) {
    ASSERT_EQ(Set("'CT_IndvList.CL_IndvList_Valid[11]@0'"), 0);
    cmcEeprom after = Opened(path);
    datCh before = Record(image, cmcChType::kIndvList, 11);
    datCh record = Record(after, cmcChType::kIndvList, 11);
    EXPECT_EQ(record.valid, 0);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(record.name), 12),
              std::string(reinterpret_cast<char*>(before.name), 12));
}

TEST_F(CliSetTest, EditsApplyInOrderAndNamesEnterAsCodePage932) {
    ASSERT_EQ(Set("'CT_GrpList.CL_GrpList_Name[5]=無線 A' 'CL_DigCall_SelfName=ABC' "
                  "'CL_DigCall_SelfName=XY'"),
              0);
    cmcEeprom after = Opened(path);
    datCh group = Record(after, cmcChType::kGrpList, 5);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(group.name)), test::Sjis("無線 A"));
    EXPECT_EQ(group.id, 6);
    EXPECT_EQ(after.GetByte(map::kOwnName), 'X');
    EXPECT_EQ(after.GetByte(map::kOwnName + 2), 0);
    // The 13th byte of the own name is kept as it was.
    EXPECT_EQ(after.GetByte(map::kOwnName + 12), image.GetByte(map::kOwnName + 12));
}

TEST_F(CliSetTest, TheDeviceIdRowCannotBeEdited) {
    ASSERT_EQ(Set("'CL_DigCall_SelfId=5' CL_DigCall_SelfId+"), 0);
    EXPECT_TRUE(Opened(path).Equals(image));
}

TEST_F(CliSetTest, MalformedEditsSaveNothing) {
    std::string before = test::ReadFile(path);
    const char* bad[] = {
        "CL_Nothing=1",
        "CL_DigCall_TxMyName",
        "'CT_IndvList.CL_IndvList_Name[30]=A'",
        "CL_DigCall_TxMyName+x",
        "'CL_DigCall_SelfName[a]=1'",
        "'CT_Bad.CL_IndvList_Name[0]=A'",
        "'CT_IndvList.CL_IndvList_Valid[0]@x'",
        "'CL_DigCall_SelfName=\xF0\x9F\x98\x80'",
        "'CL_DigCall_SelfName=A' -o",
    };
    for (const char* edit : bad) {
        EXPECT_EQ(Set(std::string("'CL_DigCall_SelfName=Q' ") + edit), 64) << edit;
        EXPECT_EQ(test::ReadFile(path), before) << edit;
    }
}

}  // namespace
