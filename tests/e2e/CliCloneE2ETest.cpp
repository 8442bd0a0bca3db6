// mxr77c-cli's clone commands against r77c-sim over a pseudo-terminal.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "SimProcess.h"

namespace {

namespace fs = std::filesystem;
const std::string kCli = MX_BIN_DIR "/mxr77c-cli";

std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class CliCloneE2ETest : public ::testing::Test {
protected:
    CliCloneE2ETest() {
        dir = fs::temp_directory_path() / ("clone-e2e-" + std::to_string(::getpid()));
        fs::create_directories(dir);
        fs::copy_file(MX_BIN_DIR "/MXR77C.rcs", dir / "radio.rcf", fs::copy_options::overwrite_existing);
    }
    ~CliCloneE2ETest() override { fs::remove_all(dir); }

    std::vector<std::string> SimArgs(std::vector<std::string> extra) {
        extra.insert(extra.begin(), {"--no-pace", "--memory", (dir / "radio.rcf").string()});
        return extra;
    }

    int Cli(const std::string& args, const std::string& device) {
        const std::string command = "'" + kCli + "' " + args + " --device '" + device + "' >'" +
                                    (dir / "out").string() + "' 2>'" + (dir / "err").string() + "'";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    fs::path dir;
};

TEST_F(CliCloneE2ETest, InfoReadWriteAndMemoryWrite) {
    test::SimProcess sim(SimArgs({}));
    ASSERT_FALSE(sim.Path().empty());
    EXPECT_EQ(Cli("info", sim.Path()), 0);
    EXPECT_EQ(Slurp(dir / "out"), "KT-R77C\n1.0\n");
    const std::string out = (dir / "read.rcf").string();
    EXPECT_EQ(Cli("read -o '" + out + "'", sim.Path()), 0);
    ASSERT_TRUE(fs::exists(out));
    EXPECT_EQ(Cli("write '" + out + "'", sim.Path()), 0);
    EXPECT_EQ(Cli("memwrite '" + out + "'", sim.Path()), 0);
}

TEST_F(CliCloneE2ETest, FaultsEndWithTheirCodeAndWriteNothing) {
    struct Case {
        std::vector<std::string> fault;
        const char* command;
        int expected;
    };
    const Case cases[] = {
        {{"--silent"}, "read", 4},         {{"--bad-checksum"}, "read", 5},
        {{"--lowercase-hex"}, "read", 5},  {{"--missing-frame"}, "read", 7},
        {{"--extra-address"}, "read", 8},  {{"--beyond-image"}, "read", 8},
        {{"--stop-midway"}, "read", 4},    {{"--model", "4002"}, "info", 12},
        {{"--refuse"}, "write", 5},        {{"--not-go-on"}, "write", 4},
        {{"--accepted-01"}, "write", 10},  {{"--no-accepted"}, "write", 4},
        {{"--extra", "0"}, "write", 21},   {{"--echo"}, "read", 5},
    };
    // A good file to write, read from a healthy radio first.
    const std::string good = (dir / "good.rcf").string();
    {
        test::SimProcess sim(SimArgs({}));
        ASSERT_EQ(Cli("read -o '" + good + "'", sim.Path()), 0);
    }
    const std::string goodBytes = Slurp(good);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.command) + " " + c.fault[0]);
        test::SimProcess sim(SimArgs(c.fault));
        ASSERT_FALSE(sim.Path().empty());
        const std::string out = (dir / "fail.rcf").string();
        const std::string command = std::string(c.command) == "read"    ? "read -o '" + out + "'"
                                    : std::string(c.command) == "write" ? "write '" + good + "'"
                                                                        : std::string(c.command);
        EXPECT_EQ(Cli(command, sim.Path()), c.expected);
        EXPECT_FALSE(fs::exists(out)) << "a failed read leaves no file";
        EXPECT_EQ(Slurp(good), goodBytes) << "the file written from is untouched";
    }
}

}  // namespace
