// mxr77c-cli diff: two image files compared as the sheets show them.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <nlohmann/json.hpp>
#include <string>

#include "TestSupport.h"

namespace {

const std::string kCli = MX_BIN_DIR "/mxr77c-cli";

class CliDiffTest : public ::testing::Test {
protected:
    int Run(const std::string& args) {
        const std::string command = "'" + kCli + "' " + args + " >'" + dir.Path("out") + "' 2>'" +
                                    dir.Path("err") + "' </dev/null";
        const int status = std::system(command.c_str());
        out = test::ReadFile(dir.Path("out"));
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string File(const std::string& name) { return "'" + dir.Path(name) + "'"; }

    test::TempDir dir;
    std::string out;
};

TEST_F(CliDiffTest, ShowsSheetRowAndLabelWithBothValues) {
    ASSERT_EQ(Run("new " + File("a.rcf")), 0);
    ASSERT_EQ(Run("diff " + File("a.rcf") + " " + File("a.rcf")), 0);
    EXPECT_EQ(out, "");
    ASSERT_EQ(Run("set " + File("a.rcf") +
                  " 'CL_DigCall_SelfName=本社' 'CT_IndvList.CL_IndvList_MakerId[29]=12' -o " +
                  File("b.rcf")),
              0);
    ASSERT_EQ(Run("diff " + File("a.rcf") + " " + File("b.rcf")), 1);
    EXPECT_EQ(out,
              "本体設定\t\t機器名称\t\t本社\n"
              "個別リスト設定\t30\t有効\t\t○\n"
              "個別リスト設定\t30\t機器ID\t0\t12\n");
    ASSERT_EQ(Run("diff " + File("b.rcf") + " " + File("a.rcf") + " --json"), 1);
    const nlohmann::json json = nlohmann::json::parse(out);
    EXPECT_FALSE(json["same"].get<bool>());
    ASSERT_EQ(json["differences"].size(), 3u);
    EXPECT_EQ(json["differences"][0]["first"], "本社");
    EXPECT_EQ(json["differences"][0]["second"], "");
    EXPECT_TRUE(json["differences"][0]["address"].is_null());
}

TEST_F(CliDiffTest, AFileThatCannotBeOpenedIsNeitherSameNorDifferent) {
    ASSERT_EQ(Run("new " + File("a.rcf")), 0);
    EXPECT_EQ(Run("diff " + File("a.rcf") + " " + File("absent.rcf")), 2);
    EXPECT_EQ(Run("diff " + File("a.rcf")), 64);
}

}  // namespace
