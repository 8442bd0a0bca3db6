// Edits written as text go through the link handler as typed ones do, and
// say what the codecs made of them.
#include <gtest/gtest.h>

#include <string>

#include "FakeDocHost.h"
#include "model/indCellEdit.h"
#include "model/indImageMap.h"

namespace {

namespace map = indImageMap;
using Outcome = indCellEdit::Outcome;

TEST(indCellEditTest, ParseRefusesWhatNamesNoCell) {
    const char* bad[] = {
        "CL_DigCall_SelfName",  // no operation
        "CL_Nonsense=1",        // unknown link
        "CT_Nonsense.CL_IndvList_Name[1]=A",
        "CT_IndvList.CL_IndvList_Name[x]=A",
        "CT_IndvList.CL_IndvList_Name[30]=A",  // entries are 0..29
        "CT_IndvList.CL_IndvList_Name[1=A",
        "CL_DigCall_TxMyName+x",
        "CL_DigCall_TxMyName@on",
        "CL_DigCall_SelfName=\xC3\xA9\xE2\x82\xAC",  // UTF-8 that code page 932 cannot hold
    };
    for (const char* edit : bad) {
        indCellEdit parsed;
        EXPECT_NE(indCellEdit::Parse(edit, parsed), "") << edit;
    }
}

TEST(indCellEditTest, ListLinksTakeTheirListWhenAsked) {
    indCellEdit bare;
    ASSERT_EQ(indCellEdit::ParseTarget("CL_GrpList_Name[62]", bare, true), "");
    indCellEdit named;
    ASSERT_EQ(indCellEdit::ParseTarget("CT_GrpList.CL_GrpList_Name[62]", named), "");
    EXPECT_EQ(bare.Cell().category, named.Cell().category);
    EXPECT_EQ(bare.Cell().index, 62);
    indCellEdit plain;
    ASSERT_EQ(indCellEdit::ParseTarget("CL_GrpList_Name[62]", plain), "");
    EXPECT_EQ(plain.Cell().category, cmcCellObj::kNoCategory);
    EXPECT_NE(indCellEdit::ParseTarget("CL_GrpList_Name[63]", bare, true), "");
}

TEST(indCellEditTest, OutcomeSaysWhatTheCodecsDid) {
    struct Case {
        const char* edit;
        Outcome outcome;
        const char* shown;  // UTF-8
    };
    const Case cases[] = {
        {"CT_IndvList.CL_IndvList_MakerId[3]=100", Outcome::Applied, "100"},
        {"CT_IndvList.CL_IndvList_MakerId[3]=300", Outcome::Adjusted, "127"},
        {"CT_IndvList.CL_IndvList_MakerId[3]=007", Outcome::Adjusted, "7"},
        {"CT_IndvList.CL_IndvList_MakerId[3]=abc", Outcome::Refused, "5"},
        {"CL_DigCall_SelfName=ABCDEFGHIJKLMN", Outcome::Adjusted, "ABCDEFGHIJKL"},
        {"CL_DigCall_SelfName=無線", Outcome::Applied, "無線"},
        {"CL_DigCall_TxMyName=ON", Outcome::Applied, "ON"},
        {"CL_DigCall_TxMyName=MAYBE", Outcome::Refused, "OFF"},
        {"CL_DigCall_SelfId=5", Outcome::Refused, "5-     77"},
    };
    for (const Case& c : cases) {
        test::FakeDocHost host;
        host.current.SetByte(map::kOwnMakerId, 5);
        host.current.SetDword(map::kOwnIndividualNo, 77);
        host.current.SetByte(map::IndvRecord(3) + map::Indv::kMakerId, 5);
        host.current.SetByte(map::IndvRecord(3) + map::Indv::kValid, 1);
        const cmcEeprom before = host.current;
        indCellEdit edit;
        ASSERT_EQ(indCellEdit::Parse(c.edit, edit), "") << c.edit;
        EXPECT_EQ(edit.Apply(host), c.outcome) << c.edit;
        const std::string shown = Cp932::ToUtf8(edit.ShownText());
        EXPECT_EQ(shown.substr(shown.find_first_not_of(' ')), c.shown) << c.edit;
        if (c.outcome == Outcome::Refused) {
            EXPECT_TRUE(
                std::equal(before.Data(), before.Data() + before.GetSize(), host.current.Data()))
                << c.edit << ": a refused edit changed the image";
        }
    }
}

}  // namespace
