// Verification and fleet batches of mxr77c-cli against simulated radios.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "SimProcess.h"

namespace {

namespace fs = std::filesystem;
const std::string kCli = MX_BIN_DIR "/mxr77c-cli";

std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string Quote(const fs::path& path) {
    return "'" + path.string() + "'";
}

class FleetE2ETest : public ::testing::Test {
protected:
    FleetE2ETest() {
        std::string pattern = (fs::temp_directory_path() / "fleet-e2e-XXXXXX").string();
        dir = ::mkdtemp(pattern.data());
        EXPECT_EQ(Cli("new " + Quote(dir / "template.rcf")), 0);
    }
    ~FleetE2ETest() override { fs::remove_all(dir); }

    int Cli(const std::string& args) {
        const std::string command = "'" + kCli + "' " + args + " >" + Quote(dir / "out") + " 2>" +
                                    Quote(dir / "err") + " </dev/null";
        const int status = std::system(command.c_str());
        out = Slurp(dir / "out");
        err = Slurp(dir / "err");
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    // A radio's memory: the template with its own device ID.
    fs::path Memory(const std::string& name, int individualNo) {
        const fs::path path = dir / (name + ".rcf");
        EXPECT_EQ(Cli("set " + Quote(dir / "template.rcf") + " CL_DigCall_SelfId_IndvId=" +
                      std::to_string(individualNo) + " -o " + Quote(path)),
                  0);
        return path;
    }

    std::unique_ptr<test::SimProcess> Radio(const fs::path& memory,
                                            std::vector<std::string> faults = {}) {
        faults.insert(faults.begin(), {"--no-pace", "--memory", memory.string()});
        auto sim = std::make_unique<test::SimProcess>(faults);
        EXPECT_FALSE(sim->Path().empty());
        return sim;
    }

    fs::path dir;
    std::string out;
    std::string err;
};

TEST_F(FleetE2ETest, VerifyComparesTheWrittenRangesOnly) {
    const fs::path edited = dir / "edited.rcf";
    ASSERT_EQ(Cli("set " + Quote(dir / "template.rcf") + " CL_DigCall_SelfName=FLEET -o " +
                  Quote(edited)),
              0);
    struct Case {
        const char* what;
        std::vector<std::string> faults;
        bool writeFirst;
        int expected;
        const char* shows;  // a line the output must hold
    };
    const Case cases[] = {
        {"written, then the same", {}, true, 0, ""},
        {"never written", {}, false, 30, "本体設定\t\t機器名称\tFLEET\t\n"},
        {"a cell that does not keep what it gets",
         {"--bad-cell", "2E0"},
         true,
         30,
         "本体設定\t\t機器名称\tFLEET\tｹLEET\n"},  // F with its bits inverted
        {"a silent radio", {"--silent"}, false, 4, ""},
        {"a read that fails", {"--bad-checksum"}, true, 5, ""},
    };
    for (const Case& c : cases) {
        // Each radio has its own device ID, which a write leaves alone.
        const auto radio = Radio(Memory("radio", 4711), c.faults);
        if (c.writeFirst) {
            ASSERT_EQ(Cli("write " + Quote(edited) + " --device " + radio->Path()), 0) << c.what;
        }
        EXPECT_EQ(Cli("verify " + Quote(edited) + " --device " + radio->Path()), c.expected)
            << c.what << "\n"
            << err;
        EXPECT_NE(out.find(c.shows), std::string::npos) << c.what << "\n" << out;
    }
}

}  // namespace
