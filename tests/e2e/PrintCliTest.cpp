// The command-line tool's print subcommand: sheets of an image file on the
// pages of a PDF file, read back with the PDF text tool.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/core/TestSupport.h"
#include "tests/e2e/PdfText.h"

namespace {

using pdftext::Has;
using pdftext::Pages;

const std::string kCli = MX_BIN_DIR "/mxr77c-cli";
constexpr int kUsage = 64;

std::string Quote(const std::string& s) {
    return "'" + s + "'";
}

class PrintCliTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(Cli("new " + Quote(dir.Path("blank.rcf"))), 0);
        ASSERT_EQ(Cli("set " + Quote(dir.Path("blank.rcf")) +
                      " 'CT_IndvList.CL_IndvList_Name[0]=ALPHA' -o " + Quote(image)),
                  0);
        if (Cli("print " + Quote(image) + " --all -o " + Quote(dir.Path("probe.pdf"))) == kUsage) {
            GTEST_SKIP() << "this build prints nothing";
        }
    }

    int Cli(const std::string& args) {
        const std::string command = Quote(kCli) + " " + args + " >/dev/null 2>&1 </dev/null";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    test::TempDir dir;
    std::string image = dir.Path("named.rcf");
    std::string out = dir.Path("out.pdf");
};

TEST_F(PrintCliTest, AllPrintsTheTreeSheetsInOrderWithAFrameOnEveryPage) {
    ASSERT_EQ(Cli("print " + Quote(image) + " --all -o " + Quote(out)), 0);
    const std::vector<std::string> pages = Pages(out);
    ASSERT_GE(pages.size(), 2u);
    std::string all;
    for (const std::string& page : pages) {
        EXPECT_TRUE(Has(page, "MX-R77C Rev.")) << page;
        EXPECT_TRUE(Has(page, "VARTEK INCORPORATED")) << page;
        all += page;
    }
    const size_t base = all.find("本体設定");
    const size_t indv = all.find("個別リスト設定");
    const size_t group = all.find("グループリスト設定");
    ASSERT_NE(base, std::string::npos);
    ASSERT_NE(indv, std::string::npos);
    ASSERT_NE(group, std::string::npos);
    EXPECT_LT(base, indv);
    EXPECT_LT(indv, group);
    EXPECT_TRUE(Has(all, "ALPHA"));  // the document's data, not the descriptions
}

TEST_F(PrintCliTest, OneSheetAtAChosenResolution) {
    ASSERT_EQ(Cli("print " + Quote(image) + " --sheet GI_Sheet_GroupList --dpi 300 -o " + Quote(out)),
              0);
    const std::vector<std::string> pages = Pages(out);
    ASSERT_FALSE(pages.empty());
    EXPECT_TRUE(Has(pages[0], "グループリスト設定"));
    EXPECT_FALSE(Has(pages[0], "個別リスト設定"));
}

TEST_F(PrintCliTest, BadArgumentsAreUsageErrorsAndWriteNothing) {
    const std::string file = Quote(image);
    for (const std::string& args :
         {file + " --all", file + " -o " + Quote(out), file + " --all --sheet GI_Sheet_GroupList -o " + Quote(out),
          file + " --sheet GI_Sheet_Nothing -o " + Quote(out), file + " --all --dpi 0 -o " + Quote(out)}) {
        EXPECT_EQ(Cli("print " + args), kUsage) << args;
    }
    EXPECT_FALSE(std::filesystem::exists(out));
}

TEST_F(PrintCliTest, AnUnwritableOutputLeavesNoFile) {
    const std::string missing = dir.Path("no-such-folder/out.pdf");
    EXPECT_NE(Cli("print " + Quote(image) + " --all -o " + Quote(missing)), 0);
    EXPECT_FALSE(std::filesystem::exists(missing));
}

}  // namespace
