// Where the programs find the files that ship with them: beside the
// executable in a build tree, in share/mxr77c in an installed one.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>

#include "TestSupport.h"
#include "files/cmcCompanionFiles.h"

namespace fs = std::filesystem;

namespace {

class CompanionFilesTest : public ::testing::Test {
protected:
    CompanionFilesTest() {
        fs::create_directories(dir.Path("prefix/bin"));
        fs::create_directories(dir.Path("prefix/share/mxr77c"));
    }
    std::string Bin() const { return dir.Path("prefix/bin"); }
    std::string Data() const { return dir.Path("prefix/share/mxr77c"); }

    test::TempDir dir;
};

TEST_F(CompanionFilesTest, LooksBesideTheExecutableFirstThenInTheDataFolder) {
    cmcCompanionFiles files(Bin());
    EXPECT_EQ(files.DataFolder(), Data());

    // Installed tree: only the data folder has it.
    test::WriteFile(Data() + "/MXR77C.rcs", "installed");
    EXPECT_EQ(files.FolderOf("MXR77C.rcs"), Data());
    EXPECT_EQ(files.PathOf("MXR77C.rcs"), Data() + "/MXR77C.rcs");

    // Build tree: the copy beside the executable wins over an installed one.
    test::WriteFile(Bin() + "/MXR77C.rcs", "built");
    EXPECT_EQ(files.FolderOf("MXR77C.rcs"), Bin());
    EXPECT_EQ(test::ReadFile(files.PathOf("MXR77C.rcs")), "built");

    // Each name is looked up on its own.
    test::WriteFile(Data() + "/MXR77C.pdf", "%PDF");
    EXPECT_EQ(files.PathOf("MXR77C.pdf"), Data() + "/MXR77C.pdf");
}

TEST_F(CompanionFilesTest, AMissingFileIsNamedBesideTheExecutable) {
    cmcCompanionFiles files(Bin());
    EXPECT_EQ(files.PathOf("MXR77C.pdf"), Bin() + "/MXR77C.pdf");
    // Another tree's data folder is not this executable's.
    test::WriteFile(Data() + "/MXR77C.pdf", "%PDF");
    fs::create_directories(dir.Path("other/bin"));
    cmcCompanionFiles other(dir.Path("other/bin"));
    EXPECT_EQ(other.PathOf("MXR77C.pdf"), dir.Path("other/bin/MXR77C.pdf"));
}

TEST_F(CompanionFilesTest, ThisProgramsFolderIsTheTestsOwn) {
    EXPECT_EQ(fs::canonical(cmcCompanionFiles::ForThisProgram().ExeFolder()),
              fs::canonical(MX_BIN_DIR));
}

// The command-line tool, copied into an installed layout, starts a document
// from the initial image in share/mxr77c.
TEST_F(CompanionFilesTest, TheToolFindsTheInitialImageOfAnInstalledTree) {
    fs::copy_file(MX_BIN_DIR "/mxr77c-cli", Bin() + "/mxr77c-cli");
    auto runNew = [&](const std::string& out) {
        std::string command =
            "'" + Bin() + "/mxr77c-cli' new '" + dir.Path(out) + "' >/dev/null 2>&1 </dev/null";
        int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    EXPECT_EQ(runNew("without.rcf"), 1);
    fs::copy_file(MX_BIN_DIR "/MXR77C.rcs", Data() + "/MXR77C.rcs");
    EXPECT_EQ(runNew("with.rcf"), 0);
    EXPECT_TRUE(fs::exists(dir.Path("with.rcf")));
}

}  // namespace
