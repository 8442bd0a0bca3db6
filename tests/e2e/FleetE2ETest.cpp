// Verification and fleet batches of mxr77c-cli against simulated radios.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>

#include <algorithm>
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

// The log's lines after its header, each split at its commas (the test's
// values hold none).
std::vector<std::vector<std::string>> LogLines(const fs::path& log) {
    std::vector<std::vector<std::string>> lines;
    std::string text = Slurp(log);
    EXPECT_EQ(text.substr(0, 3), "\xEF\xBB\xBF");
    for (size_t start = text.find("\r\n") + 2, end;
         (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        std::vector<std::string> fields;
        const std::string line = text.substr(start, end - start);
        for (size_t from = 0, comma;; from = comma + 1) {
            comma = line.find(',', from);
            fields.push_back(line.substr(from, comma == std::string::npos ? comma : comma - from));
            if (comma == std::string::npos) {
                break;
            }
        }
        lines.push_back(fields);
    }
    return lines;
}

// Row, device ID, model, revision, result and verification of each log line, in order.
std::vector<std::string> Outcomes(const fs::path& log) {
    std::vector<std::string> out;
    for (const std::vector<std::string>& f : LogLines(log)) {
        EXPECT_EQ(f.size(), 8u);
        if (f.size() == 8u) {
            out.push_back(f[1] + " " + f[3] + " " + f[4] + " " + f[5] + " " + f[6] + " " + f[7]);
        }
    }
    return out;
}

class FleetBatchE2ETest : public FleetE2ETest {
protected:
    // A radios file in UTF-8 with a byte-order mark.
    fs::path Radios(const std::string& lines) {
        const fs::path path = dir / "radios.csv";
        std::ofstream(path, std::ios::binary) << "\xEF\xBB\xBF" << lines;
        return path;
    }
    int Batch(const fs::path& radios, const std::vector<std::string>& devices) {
        std::string args = "batch " + Quote(dir / "template.rcf") + " --radios " + Quote(radios) +
                           " --log " + Quote(dir / "log.csv") + " --wait 1";
        for (const std::string& device : devices) {
            args += " --device " + device;
        }
        return Cli(args);
    }
};

TEST_F(FleetBatchE2ETest, RowsOnOnePortOneAfterAnother) {
    const auto radio = Radio(Memory("radio", 501));
    const fs::path radios = Radios(
        "CL_DigCall_SelfName,CL_DigCall_TxMyName,CL_IndvList_MakerId[0]\r\n"
        "車1,ON,3\r\n"
        "車2,OFF,300\r\n"  // clamped to 127, and said so
        "車3,ON,\r\n");    // an empty field keeps the template's value
    EXPECT_EQ(Batch(radios, {radio->Path()}), 0) << err;
    const std::vector<std::string> expected = {
        "1 0-501 KT-R77C 1.0 verified match",
        "2 0-501 KT-R77C 1.0 verified match",
        "3 0-501 KT-R77C 1.0 verified match",
    };
    EXPECT_EQ(Outcomes(dir / "log.csv"), expected);
    for (const std::vector<std::string>& line : LogLines(dir / "log.csv")) {
        EXPECT_EQ(line.at(2), radio->Path());
    }
    EXPECT_NE(err.find("row 2: CL_IndvList_MakerId[0] adjusted, the radio gets '127'"),
              std::string::npos)
        << err;
    EXPECT_NE(err.find("row 3: connect its radio to " + radio->Path()), std::string::npos) << err;
    EXPECT_NE(out.find("verified 3, verified before 0, failed 0, not done 0"), std::string::npos);
    // The radio holds the last row.
    EXPECT_EQ(Cli("dump " + Quote(dir / "radio.rcf")), 0);
    EXPECT_NE(out.find("車3"), std::string::npos);
}

TEST_F(FleetBatchE2ETest, FailuresAreLoggedAndTheBatchGoesOnThenResumes) {
    const fs::path radios = Radios(
        "CL_DigCall_SelfName,CL_IndvList_MakerId[0]\r\n"
        "A,1\r\nB,2\r\nC,3\r\nD,4\r\nE,x\r\n");
    {
        // Four radios at once: a good one, one that refuses the write, a
        // silent one and one whose read-back differs.
        const auto good = Radio(Memory("good", 1));
        const auto refusing = Radio(Memory("refusing", 2), {"--refuse"});
        const auto silent = Radio(Memory("silent", 3), {"--silent"});
        const auto bad = Radio(Memory("bad", 4), {"--bad-cell", "2E0"});
        EXPECT_EQ(Batch(radios, {good->Path(), refusing->Path(), silent->Path(), bad->Path()}), 31);
        std::vector<std::string> outcomes = Outcomes(dir / "log.csv");
        std::sort(outcomes.begin(), outcomes.end());
        const std::vector<std::string> expected = {
            "1 0-1 KT-R77C 1.0 verified match",      "2  KT-R77C 1.0 write failed (5) ",
            "3    no radio answered (4) ",           "4 0-4 KT-R77C 1.0 differs 1 byte differs",
            "5    refused: CL_IndvList_MakerId[0] ",
        };
        EXPECT_EQ(outcomes, expected) << err;
        EXPECT_NE(out.find("verified 1, verified before 0, failed 4, not done 0"),
                  std::string::npos)
            << out;
    }
    // Started again with the same log on healthy radios: the verified row is
    // skipped, the others done; the refused value still stops its row.
    const fs::path fixed = Radios(
        "CL_DigCall_SelfName,CL_IndvList_MakerId[0]\r\n"
        "A,1\r\nB,2\r\nC,3\r\nD,4\r\nE,5\r\n");
    const auto one = Radio(Memory("one", 11));
    const auto two = Radio(Memory("two", 12));
    EXPECT_EQ(Batch(fixed, {one->Path(), two->Path()}), 0) << err;
    EXPECT_NE(out.find("verified 4, verified before 1, failed 0, not done 0"), std::string::npos)
        << out;
    const std::vector<std::string> all = Outcomes(dir / "log.csv");
    ASSERT_EQ(all.size(), 9u);
    for (size_t i = 5; i < all.size(); ++i) {
        EXPECT_NE(all[i].find(" verified match"), std::string::npos) << all[i];
        EXPECT_NE(all[i].substr(0, 2), "1 ") << "row 1 was verified before";
    }
}

// Ctrl+C while one radio is being written and another row waits: the radio
// in progress is finished and logged, the rest is left for the next run.
TEST_F(FleetBatchE2ETest, InterruptFinishesTheRadioInProgressOnly) {
    // Paced at the line rate, so the write is still running when the
    // interrupt comes.
    const fs::path memory = Memory("slow", 7);
    test::SimProcess slow({"--baud", "9600", "--frame-size", "64", "--memory", memory.string()});
    ASSERT_FALSE(slow.Path().empty());
    const fs::path radios = Radios("CL_DigCall_SelfName\r\nA\r\nB\r\n");
    const pid_t batch = ::fork();
    if (batch == 0) {
        const std::string log = (dir / "log.csv").string();
        const std::string errors = (dir / "err").string();
        std::freopen(errors.c_str(), "w", stderr);
        std::freopen((dir / "out").string().c_str(), "w", stdout);
        ::execl(kCli.c_str(), kCli.c_str(), "batch", (dir / "template.rcf").c_str(), "--radios",
                radios.c_str(), "--log", log.c_str(), "--device", slow.Path().c_str(),
                static_cast<char*>(nullptr));
        ::_exit(127);
    }
    // Interrupted once the radio has answered and is being written.
    for (int i = 0; i < 200 && Slurp(dir / "err").find("writing") == std::string::npos; ++i) {
        ::usleep(50 * 1000);
    }
    ASSERT_NE(Slurp(dir / "err").find("writing"), std::string::npos);
    ::kill(batch, SIGINT);
    int status = 0;
    ASSERT_EQ(::waitpid(batch, &status, 0), batch);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 31);
    EXPECT_NE(Slurp(dir / "out").find("verified 1, verified before 0, failed 0, not done 1"),
              std::string::npos)
        << Slurp(dir / "out");
    const std::vector<std::string> expected = {"1 0-7 KT-R77C 1.0 verified match"};
    EXPECT_EQ(Outcomes(dir / "log.csv"), expected);
}

}  // namespace
