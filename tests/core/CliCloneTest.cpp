// The clone commands' arguments and what they refuse before any radio
// contact; the runs against a radio are the end-to-end tests.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>

#include "TestSupport.h"

namespace {

const std::string kCli = MX_BIN_DIR "/mxr77c-cli";

class CliCloneTest : public ::testing::Test {
protected:
    int Status(const std::string& args) {
        const std::string command = "'" + kCli + "' " + args + " >/dev/null 2>'" + dir.Path("err") + "' </dev/null";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    test::TempDir dir;
};

TEST_F(CliCloneTest, MalformedArgumentsAreUsageErrors) {
    const char* cases[] = {
        "read",                         // no -o
        "read -o",                      // -o without its file
        "read -o x.rcf --port 0",       // below the port range
        "read -o x.rcf --port 257",     // above it
        "info extra",                   // info takes no file
        "write",                        // no file
        "write a.rcf b.rcf",            // two files
        "memwrite --device",            // device without its path
        "search --port 3",              // search probes every port itself
    };
    for (const char* args : cases) {
        SCOPED_TRACE(args);
        EXPECT_EQ(Status(args), 64);
    }
}

TEST_F(CliCloneTest, AFileThatFailsTheOpenChecksIsNeverSent) {
    const std::string missing = dir.Path("missing.rcf");
    EXPECT_EQ(Status("write '" + missing + "' --device /dev/null"), 22);
    EXPECT_EQ(Status("memwrite '" + missing + "' --device /dev/null"), 22);
    EXPECT_FALSE(std::filesystem::exists(missing));
}

}  // namespace
