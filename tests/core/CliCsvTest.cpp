// Runs of the command-line tool's CSV export and import on scratch files.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>

#include "TestSupport.h"

namespace {

const std::string kCli = MX_BIN_DIR "/mxr77c-cli";

std::string Golden(const std::string& name) {
    return std::string(MX_TEST_DATA) + "/csv/" + name;
}

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

class CliCsvTest : public ::testing::Test {
protected:
    CliCsvTest() { EXPECT_EQ(Cli("new " + Q(Path("a.rcf"))).status, 0); }

    static std::string Q(const std::string& s) { return "'" + s + "'"; }
    std::string Path(const std::string& name) const { return dir.Path(name); }

    Outcome Cli(const std::string& args) {
        const std::string command =
            Q(kCli) + " " + args + " >" + Q(Path("stdout")) + " 2>" + Q(Path("stderr")) + " </dev/null";
        const int status = std::system(command.c_str());
        Outcome run = {WIFEXITED(status) ? WEXITSTATUS(status) : -1, test::ReadFile(Path("stdout")),
                       test::ReadFile(Path("stderr"))};
        std::filesystem::remove(Path("stdout"));
        std::filesystem::remove(Path("stderr"));
        return run;
    }

    test::TempDir dir;
};

TEST_F(CliCsvTest, ExportThenImportGivesBackTheSameFileWithoutReport) {
    for (const char* list : {"indv", "group"}) {
        const std::string csv = Path(std::string(list) + ".csv");
        Outcome exported = Cli("export-csv " + Q(Path("a.rcf")) + " --list " + list + " -o " + Q(csv));
        ASSERT_EQ(exported.status, 0) << exported.err;
        Outcome imported = Cli("import-csv " + Q(Path("a.rcf")) + " --list " + list + " " + Q(csv) + " -o " +
                               Q(Path("b.rcf")));
        EXPECT_EQ(imported.status, 0) << imported.err;
        EXPECT_EQ(imported.out, "");
        EXPECT_EQ(test::ReadFile(Path("b.rcf")), test::ReadFile(Path("a.rcf"))) << list;
    }
}

TEST_F(CliCsvTest, ImportPrintsTheReportAndSavesOverTheImageWithoutOut) {
    const std::string before = test::ReadFile(Path("a.rcf"));
    Outcome run = Cli("import-csv " + Q(Path("a.rcf")) + " --list indv " + Q(Golden("indv_adjusted.csv")));
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              "3 行目 [製造者ID]項目: 補正しました。\n"
              "4 行目 [製造者ID]項目: 無効な入力のため初期値を設定しました。\n"
              "5 行目 [製造者ID]項目: 補正しました。\n"
              "6 行目 [個別ID]項目: 補正しました。\n"
              "7 行目 [名称]項目: 補正しました。\n");
    EXPECT_NE(test::ReadFile(Path("a.rcf")), before);
    Outcome exported = Cli("export-csv " + Q(Path("a.rcf")) + " --list indv -o " + Q(Path("i.csv")));
    ASSERT_EQ(exported.status, 0);
    EXPECT_NE(test::ReadFile(Path("i.csv")).find("\r\n3,NAME,127,5\r\n"), std::string::npos);
}

TEST_F(CliCsvTest, FailedImportWritesNothingAndExitsWithTheResultCode) {
    const std::string before = test::ReadFile(Path("a.rcf"));
    const struct {
        const char* file;
        const char* list;
        int status;
        const char* err;
    } cases[] = {
        {"group_multiline_error.csv", "group", 10, "インポート/エクスポート エラー：\n5 - 6 行目\n\n無効なCH番号です。\n"},
        {"group_header_blank.csv", "group", 13, "インポート/エクスポート エラー：\n2 行目\n\nヘッダー情報が一致しません。\n"},
        {"other_model.csv", "indv", 3, nullptr},
        {"no_hash.csv", "indv", 6, nullptr},
    };
    for (const auto& c : cases) {
        Outcome run = Cli("import-csv " + Q(Path("a.rcf")) + " --list " + c.list + " " + Q(Golden(c.file)) +
                          " -o " + Q(Path("out.rcf")));
        EXPECT_EQ(run.status, c.status) << c.file;
        if (c.err != nullptr) {
            EXPECT_EQ(run.err, c.err);
        }
        EXPECT_EQ(run.out, "");
        EXPECT_FALSE(std::filesystem::exists(Path("out.rcf"))) << c.file;
    }
    EXPECT_EQ(test::ReadFile(Path("a.rcf")), before);
}

TEST_F(CliCsvTest, BadArgumentsAreUsageErrors) {
    for (const std::string& args : {"export-csv " + Q(Path("a.rcf")) + " -o x.csv",
                                   "export-csv " + Q(Path("a.rcf")) + " --list all -o x.csv",
                                   "export-csv " + Q(Path("a.rcf")) + " --list group",
                                   "import-csv " + Q(Path("a.rcf")) + " --list group",
                                   "import-csv " + Q(Path("a.rcf")) + " --list"}) {
        EXPECT_EQ(Cli(args).status, 64) << args;
    }
    EXPECT_EQ(Cli("export-csv " + Q(Path("missing.rcf")) + " --list group -o " + Q(Path("x.csv"))).status, 1);
    EXPECT_FALSE(std::filesystem::exists(Path("x.csv")));
}

}  // namespace
