// The fleet's radios file and log.
#include <gtest/gtest.h>

#include <string>

#include "FakeDocHost.h"
#include "TestSupport.h"
#include "files/indFleetLog.h"
#include "files/indFleetRadios.h"

namespace {

TEST(indFleetRadiosTest, ReadsCodePage932AndUtf8WithAMark) {
    const std::string utf8 =
        "CL_DigCall_SelfName,\"CL_GrpList_Name[62]\"\r\n"
        "\"無線,1\",\"say \"\"hi\"\"\"\n"
        "\r\n"  // a blank line is no radio
        "二号,\n";
    for (const std::string& bytes : {"\xEF\xBB\xBF" + utf8, test::Sjis(utf8)}) {
        indFleetRadios radios;
        ASSERT_EQ(radios.Parse(bytes), "");
        ASSERT_EQ(radios.Columns().size(), 2u);
        EXPECT_EQ(radios.Columns()[1].Cell().index, 62);
        ASSERT_EQ(radios.Rows().size(), 2u);
        EXPECT_EQ(radios.Rows()[0].values[0], test::Sjis("無線,1"));
        EXPECT_EQ(radios.Rows()[0].values[1], "say \"hi\"");
        EXPECT_EQ(radios.Rows()[1].number, 3);
        EXPECT_EQ(radios.EditsOf(radios.Rows()[1]).size(), 1u) << "an empty field edits nothing";
    }
}

TEST(indFleetRadiosTest, RefusesWhatCannotBeARadiosFile) {
    const char* bad[] = {
        "",
        "CL_Nonsense\r\nA\r\n",
        "CL_IndvList_Name[30]\r\nA\r\n",
        "CL_DigCall_SelfName\r\nA,B\r\n",
        "\xEF\xBB\xBF"
        "CL_DigCall_SelfName\r\n\xC3\xA9\r\n",  // no code page 932 for it
    };
    for (const char* bytes : bad) {
        indFleetRadios radios;
        EXPECT_NE(radios.Parse(bytes), "") << bytes;
    }
}

TEST(indFleetLogTest, RowsVerifiedInTheLogStayVerifiedAcrossRuns) {
    test::TempDir dir;
    const std::string path = dir.Path("log.csv");
    {
        indFleetLog log;
        ASSERT_TRUE(log.Open(path));
        indFleetLog::Entry e;
        e.row = 1;
        e.result = indFleetLog::kVerified;
        EXPECT_EQ(log.Append(e), 0);
        e.row = 2;
        e.result = "differs";
        e.model = test::Sjis("機種,\"A\"");
        EXPECT_EQ(log.Append(e), 0);
    }
    indFleetLog again;
    ASSERT_TRUE(again.Open(path));
    EXPECT_TRUE(again.IsVerified(1));
    EXPECT_FALSE(again.IsVerified(2));
    EXPECT_NE(test::ReadFile(path).find("\"機種,\"\"A\"\"\""), std::string::npos);
    EXPECT_EQ(dir.Entries().size(), 1u) << "no temporary left beside the log";
    test::WriteFile(dir.Path("other.csv"), "a,b\r\n");
    EXPECT_FALSE(indFleetLog().Open(dir.Path("other.csv")));
}

}  // namespace
