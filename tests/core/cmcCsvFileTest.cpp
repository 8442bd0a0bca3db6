#include "files/cmcCsvFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CellTestSupport.h"
#include "TestSupport.h"
#include "runtime/cmcEvMan.h"
#include "runtime/cmcVirtualTimerHost.h"
#include "files/FileErr.h"
#include "model/cmcChType.h"
#include "model/datCh.h"
#include "model/indImageMap.h"
#include "text/BuiltinTable.h"

namespace {

using celltest::Sj;
namespace imap = indImageMap;

constexpr uint32_t kIndv = cmcChType::kIndvList;
constexpr uint32_t kGrp = cmcChType::kGrpList;

std::string Golden(const std::string& name) {
    return std::string(MX_TEST_DATA) + "/csv/" + name;
}

std::string NameOf(const datCh& r) {
    return std::string(reinterpret_cast<const char*>(r.name));
}

// ---- the row rules

struct SplitCase {
    std::string record;
    std::vector<std::string> fields;
};

class CsvSplitTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(CsvSplitTest, SplitsLikeTheFileFormatSays) {
    EXPECT_EQ(cmcCsvFile::SplitRow(GetParam().record), GetParam().fields);
}

INSTANTIATE_TEST_SUITE_P(
    Records, CsvSplitTest,
    ::testing::Values(SplitCase{"1,A", {"1", "A"}}, SplitCase{"1,", {"1", ""}},
                      SplitCase{"1,A,", {"1", "A", ""}}, SplitCase{"1, A ", {"1", " A "}},
                      SplitCase{"5,\"A,B\"", {"5", "A,B"}},
                      SplitCase{"8,\"say \"\"hi\"\"\"", {"8", "say \"hi\""}},
                      SplitCase{"\"\"", {""}}, SplitCase{"1,\"\",2", {"1", "", "2"}},
                      SplitCase{"1,\"AB", {"1", "AB"}}, SplitCase{"1,a\"b", {"1", "a\"b"}}));

struct JoinCase {
    std::vector<std::string> fields;
    std::string row;
};

class CsvJoinTest : public ::testing::TestWithParam<JoinCase> {};

TEST_P(CsvJoinTest, QuotesOnlyWhatNeedsIt) {
    EXPECT_EQ(cmcCsvFile::JoinRow(GetParam().fields), GetParam().row);
    EXPECT_EQ(cmcCsvFile::SplitRow(GetParam().row), GetParam().fields);
}

INSTANTIATE_TEST_SUITE_P(Rows, CsvJoinTest,
                         ::testing::Values(JoinCase{{"1", ""}, "1,"},
                                           JoinCase{{"2", "TEAM B"}, "2,\"TEAM B\""},
                                           JoinCase{{"3", "A,B"}, "3,\"A,B\""},
                                           JoinCase{{"4", "a\"b"}, "4,\"a\"\"b\""},
                                           JoinCase{{"5", "x\ty"}, "5,\"x\ty\""},
                                           JoinCase{{"6", "ABC", "7", "8"}, "6,ABC,7,8"}));

// ---- import and export

class CsvFileTest : public ::testing::Test {
protected:
    CsvFileTest() {
        table.SetLines(BuiltinTable::Lines());
        initial.SetSize(imap::kImageSize);
        datCh r(&initial);
        for (uint32_t i = 0; i < imap::Indv::kCount; ++i) {
            SetRecord(r, kIndv, i, "INIT", 9, 1000 + i);
            initial.SetByte(imap::IndvRecord(static_cast<int32_t>(i)) + imap::Indv::kValid, 1);
        }
        for (uint32_t i = 0; i < imap::Grp::kCount; ++i) {
            SetRecord(r, kGrp, i, "GRP", 0, 0);
        }
        initial.SetByte(imap::kGroupValidBitmap, 0xA5);
        // the document: everything different from the initial image
        image = test::ImageOf(imap::kImageSize, [](int32_t a) { return 0x30 + a % 7; });
        csv.SetImage(&image);
        csv.SetInitialImage(&initial);
        csv.SetIds(0x4001, 0x0021);
    }

    static void SetRecord(datCh& r, uint32_t type, uint32_t index, const std::string& name,
                          uint16_t id, uint32_t number) {
        r.Load(type, index);
        std::fill(std::begin(r.name), std::end(r.name), 0);
        std::copy(name.begin(), name.end(), r.name);
        r.id = id;
        r.number = number;
        r.Store(type, index);
    }

    datCh Entry(uint32_t type, uint32_t index) {
        datCh r(&image);
        r.Load(type, index);
        return r;
    }

    cmcGTex table;
    cmcVirtualTimerHost host;
    cmcEvMan events{host};
    test::RecordingPrompt prompt;
    cmcEeprom initial;
    cmcEeprom image;
    cmcCsvFile csv{events, table, &prompt};
    test::TempDir dir;
};

struct FailCase {
    const char* file;
    uint32_t type;
    int result;
    const char* lines;  // the line part of the box, UTF-8; empty: none
};

class CsvImportFailureTest : public CsvFileTest, public ::testing::WithParamInterface<FailCase> {};

TEST_P(CsvImportFailureTest, RejectsTheFileAndRestoresTheImage) {
    const FailCase& c = GetParam();
    const cmcEeprom before = image;
    EXPECT_EQ(csv.ImportSheet(Golden(c.file), c.type), c.result);
    EXPECT_TRUE(image.Equals(before));
    ASSERT_EQ(prompt.shown.size(), 1u);
    const test::ShownBox& box = prompt.shown[0];
    std::string expected = Sj("インポート/エクスポート エラー：");
    if (*c.lines != 0) {
        expected += "\n" + Sj(c.lines);
    }
    EXPECT_EQ(box.text.substr(0, expected.size() + 2), expected + "\n\n") << c.file;
    EXPECT_EQ(box.icon, cmcPrompt::Icon::Exclamation);
    EXPECT_EQ(box.caption, table.GetLine("GI_Sys_AppTitle", 0));
    EXPECT_TRUE(csv.ReportLines().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Golden, CsvImportFailureTest,
    ::testing::Values(FailCase{"no_hash.csv", kGrp, FileErr::kFormat, "1 行目"},
                      FailCase{"short_id.csv", kGrp, FileErr::kFormat, "1 行目"},
                      FailCase{"other_model.csv", kGrp, FileErr::kModel, "1 行目"},
                      FailCase{"other_extra.csv", kGrp, FileErr::kExtra, "1 行目"},
                      FailCase{"no_header.csv", kGrp, FileErr::kFormat, "1 行目"},
                      FailCase{"group_header_blank.csv", kGrp, cmcCsvFile::kInvalidHeader,
                               "2 行目"},
                      FailCase{"group_quoting.csv", kIndv, cmcCsvFile::kInvalidHeader, "2 行目"},
                      FailCase{"group_entry_64.csv", kGrp, cmcCsvFile::kChNo, "4 行目"},
                      FailCase{"group_entry_0.csv", kGrp, cmcCsvFile::kChNo, "3 行目"},
                      FailCase{"group_multiline_error.csv", kGrp, cmcCsvFile::kChNo, "5 - 6 行目"},
                      FailCase{"group_open_quote.csv", kGrp, FileErr::kFormat, "4 - 5 行目"},
                      FailCase{"group_trailing_comma.csv", kGrp, FileErr::kFormat, "3 行目"},
                      FailCase{"indv_too_few.csv", kIndv, FileErr::kFormat, "3 行目"},
                      FailCase{"indv_too_many.csv", kIndv, FileErr::kFormat, "3 行目"},
                      FailCase{"group_quoting.csv", 9, cmcCsvFile::kInvalidHeader, "2 行目"},
                      FailCase{"group_quoting.csv", 3, cmcCsvFile::kMissingHeader, "2 行目"},
                      FailCase{"missing.csv", kGrp, FileErr::kFileOpen, ""},
                      // The golden files' own folder: no file to read either.
                      FailCase{"", kGrp, FileErr::kFileOpen, ""}));

TEST_F(CsvFileTest, ChTypeZeroChangesNothingAndShowsNothing) {
    const cmcEeprom before = image;
    EXPECT_EQ(csv.ImportSheet(Golden("group_quoting.csv"), 0), cmcCsvFile::kChType);
    EXPECT_EQ(csv.ExportSheet(dir.Path("out.csv"), 0), cmcCsvFile::kChType);
    EXPECT_TRUE(image.Equals(before));
    EXPECT_TRUE(prompt.shown.empty());
    EXPECT_TRUE(dir.Entries().empty());
}

TEST_F(CsvFileTest, QuotedMultiLineAndEmptyLinesGiveTheNames) {
    ASSERT_EQ(csv.ImportSheet(Golden("group_quoting.csv"), kGrp), 0);
    const struct {
        uint32_t index;
        std::string name;
    } expected[] = {{0, ""},       {4, "A,B"},      {6, "ABCD"}, {7, "say \"hi\""},
                    {8, "TEAM B"}, {9, Sj("名前")}, {1, "GRP"},  {62, "GRP"}};
    for (const auto& e : expected) {
        EXPECT_EQ(NameOf(Entry(kGrp, e.index)), e.name) << e.index;
    }
    EXPECT_TRUE(prompt.shown.empty());
    EXPECT_TRUE(csv.ReportLines().empty());
}

TEST_F(CsvFileTest, EntriesWithoutRowsAndUncarriedFieldsComeBackInitial) {
    ASSERT_EQ(csv.ImportSheet(Golden("group_missing_rows.csv"), kGrp), 0);
    for (uint32_t i = 0; i < imap::Grp::kCount; ++i) {
        const int32_t at = imap::GrpRecord(static_cast<int32_t>(i));
        if (i != 2) {
            for (int32_t b = 0; b < imap::Grp::kRecordSize; ++b) {
                EXPECT_EQ(image.GetByte(at + b), initial.GetByte(at + b)) << i;
            }
        }
    }
    EXPECT_EQ(NameOf(Entry(kGrp, 2)), "C");
    EXPECT_EQ(image.GetByte(imap::kGroupValidBitmap), 0xA5);
    ASSERT_EQ(csv.ImportSheet(Golden("indv_lf_only.csv"), kIndv), 0);
    for (uint32_t i = 0; i < imap::Indv::kCount; ++i) {
        EXPECT_EQ(Entry(kIndv, i).valid, 1) << i;
    }
    EXPECT_EQ(NameOf(Entry(kIndv, 0)), "LF");
    EXPECT_EQ(NameOf(Entry(kIndv, 1)), "INIT");
    EXPECT_EQ(Entry(kIndv, 1).id, 9);
    EXPECT_EQ(Entry(kIndv, 1).number, 1001u);
}

TEST_F(CsvFileTest, AdjustedAndRefusedValuesAreReportedByLineAndColumn) {
    int dataChanged = 0;
    cmcEvMan::Listener counter(
        this, [&dataChanged](const cmcEvent& e) { dataChanged += e.code == 13 ? 1 : 0; });
    events.Listen(counter);
    ASSERT_EQ(csv.ImportSheet(Golden("indv_adjusted.csv"), kIndv), 0);
    host.Advance(20);
    events.Unlisten(counter);
    EXPECT_EQ(dataChanged, 1);
    EXPECT_EQ(Entry(kIndv, 2).id, 127);
    EXPECT_EQ(Entry(kIndv, 2).number, 5u);
    EXPECT_EQ(Entry(kIndv, 3).id, 9);  // refused: initial value
    EXPECT_EQ(Entry(kIndv, 4).id, 7);
    EXPECT_EQ(Entry(kIndv, 5).id, 9);  // empty: initial value, no report
    EXPECT_EQ(Entry(kIndv, 5).number, 0x1FFFFFu);
    EXPECT_EQ(NameOf(Entry(kIndv, 6)), "ABCDEFGHIJKL");
    const std::vector<std::string> expected = {
        Sj("3 行目 [製造者ID]項目: 補正しました。"),
        Sj("4 行目 [製造者ID]項目: 無効な入力のため初期値を設定しました。"),
        Sj("5 行目 [製造者ID]項目: 補正しました。"),
        Sj("6 行目 [個別ID]項目: 補正しました。"),
        Sj("7 行目 [名称]項目: 補正しました。"),
    };
    EXPECT_EQ(csv.ReportLines(), expected);
    EXPECT_TRUE(prompt.shown.empty());
}

// The report line's column part is a text of the table like its other parts.
TEST_F(CsvFileTest, ReportLinesTakeTheirColumnPartFromTheTextTable) {
    std::vector<std::string> lines = BuiltinTable::Lines();
    // The first entry of a key wins, so this goes before the built-in one.
    lines.insert(lines.begin() + 1, {"#GI_Mess_ImportReport_Item", " <%s> "});
    cmcGTex reworded;
    reworded.SetLines(lines);
    cmcCsvFile other{events, reworded, &prompt};
    other.SetImage(&image);
    other.SetInitialImage(&initial);
    other.SetIds(0x4001, 0x0021);
    ASSERT_EQ(other.ImportSheet(Golden("indv_adjusted.csv"), kIndv), 0);
    ASSERT_FALSE(other.ReportLines().empty());
    EXPECT_EQ(other.ReportLines()[0], Sj("3 行目 <製造者ID> 補正しました。"));
}

TEST_F(CsvFileTest, ExportWritesIdentificationHeaderAndOneRowPerEntry) {
    datCh r(&image);
    for (uint32_t i = 0; i < imap::Grp::kCount; ++i) {
        SetRecord(r, kGrp, i, i == 1 ? "TEAM B" : "", 0, 0);
    }
    ASSERT_EQ(csv.ExportSheet(dir.Path("g.csv"), kGrp), 0);
    std::string expected = "#40010021\r\n" + Sj("ID,名称") + "\r\n1,\r\n2,\"TEAM B\"\r\n";
    for (int i = 3; i <= 63; ++i) {
        expected += std::to_string(i) + ",\r\n";
    }
    EXPECT_EQ(test::ReadFile(dir.Path("g.csv")), expected);
}

TEST_F(CsvFileTest, ExportShowsControlBytesAsBlanks) {
    datCh r(&image);
    SetRecord(r, kIndv, 0,
              "A\x01"
              "B\x7f",
              3, 4);
    ASSERT_EQ(csv.ExportSheet(dir.Path("i.csv"), kIndv), 0);
    const std::string text = test::ReadFile(dir.Path("i.csv"));
    EXPECT_NE(text.find("\r\n1,\"A B \",3,4\r\n"), std::string::npos);
}

TEST_F(CsvFileTest, ExportThenImportGivesTheSameImageAndNoReport) {
    for (uint32_t type : {kIndv, kGrp}) {
        image = initial;
        datCh r(&image);
        SetRecord(r, type, 0, "A,B \"C\"", 127, 0x1FFFFF);
        SetRecord(r, type, 4, Sj("名前ｶﾅ"), 0, 0);
        SetRecord(r, type, 5, "", 12, 345);
        const cmcEeprom exported = image;
        ASSERT_EQ(csv.ExportSheet(dir.Path("round.csv"), type), 0);
        image = test::ImageOf(imap::kImageSize, [](int32_t a) { return a; });
        for (int32_t a = 0; a < imap::kImageSize; ++a) {
            const bool inList =
                type == kIndv ? a >= imap::Indv::kBase && a < imap::IndvRecord(imap::Indv::kCount)
                              : a >= imap::Grp::kBase && a < imap::GrpRecord(imap::Grp::kCount);
            if (!inList && (type == kIndv || a != imap::kGroupValidBitmap)) {
                image.SetByte(a, exported.GetByte(a));
            }
        }
        ASSERT_EQ(csv.ImportSheet(dir.Path("round.csv"), type), 0) << type;
        for (int32_t a = 0; a < imap::kImageSize; ++a) {
            EXPECT_EQ(image.GetByte(a), exported.GetByte(a)) << type << " at " << a;
        }
        EXPECT_TRUE(csv.ReportLines().empty()) << type;
    }
}

TEST_F(CsvFileTest, FailedExportLeavesTheEarlierFileAlone) {
    test::WriteFile(dir.Path("keep.csv"), "good");
    std::filesystem::create_directory(dir.Path("keep.csv.d"));
    EXPECT_EQ(csv.ExportSheet(dir.Path("keep.csv.d"), kGrp), FileErr::kFileOpen);
    EXPECT_EQ(csv.ExportSheet(dir.Path("keep.csv"), 3), cmcCsvFile::kMissingHeader);
    EXPECT_EQ(test::ReadFile(dir.Path("keep.csv")), "good");
    EXPECT_EQ(csv.ExportSheet(dir.Path("no/such/folder.csv"), kGrp), FileErr::kFileOpen);
    ASSERT_EQ(prompt.shown.size(), 3u);
    EXPECT_EQ(prompt.shown[0].text.find(Sj("行目")), std::string::npos);
}

TEST_F(CsvFileTest, LineLongerThanAnyBufferIsOneRecord) {
    const std::string longName(3000, 'N');
    test::WriteFile(dir.Path("long.csv"),
                    "#40010021\r\n" + Sj("ID,名称") + "\r\n2," + longName + "\r\n3,Z\r\n");
    ASSERT_EQ(csv.ImportSheet(dir.Path("long.csv"), kGrp), 0);
    EXPECT_EQ(NameOf(Entry(kGrp, 1)), std::string(12, 'N'));
    EXPECT_EQ(NameOf(Entry(kGrp, 2)), "Z");
    EXPECT_EQ(csv.ReportLines(), std::vector<std::string>{Sj("3 行目 [名称]項目: 補正しました。")});
}

}  // namespace
