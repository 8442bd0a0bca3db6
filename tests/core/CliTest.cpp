// End-to-end runs of the command-line tool on files in a scratch folder.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>

#include "TestSupport.h"
#include "files/FileErr.h"
#include "files/indImageFile.h"
#include "model/cmcEeprom.h"
#include "model/indModelRules.h"

namespace {

const std::string kCli = MX_BIN_DIR "/mxr77c-cli";
const std::string kHeadline = "ファイル エラー：\n\n";

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

std::string Quote(const std::string& s) {
    return "'" + s + "'";
}

class CliTest : public ::testing::Test {
protected:
    CliTest() { table.SetLines(test::FileTableLines()); }

    Outcome Cli(const std::string& args, const std::string& program = kCli) {
        std::string command = Quote(program) + " " + args + " >" + Quote(dir.Path("stdout")) +
                              " 2>" + Quote(dir.Path("stderr")) + " </dev/null";
        int status = std::system(command.c_str());
        Outcome run = {WIFEXITED(status) ? WEXITSTATUS(status) : -1,
                       test::ReadFile(dir.Path("stdout")), test::ReadFile(dir.Path("stderr"))};
        std::filesystem::remove(dir.Path("stdout"));
        std::filesystem::remove(dir.Path("stderr"));
        return run;
    }

    // Saves image as this program does and returns the path.
    std::string Saved(const std::string& name, cmcEeprom& image) {
        std::string path = dir.Path(name);
        EXPECT_EQ(indImageFile(table, nullptr).Save(path, image), FileErr::kNone);
        return path;
    }

    cmcGTex table;
    test::TempDir dir;
};

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    EXPECT_EQ(start, text.size()) << "text after the last line end";
    return lines;
}

bool IsValidUtf8(const std::string& text) {
    for (size_t i = 0; i < text.size();) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        size_t n = c < 0x80           ? 1
                   : (c >> 5) == 0x6  ? 2
                   : (c >> 4) == 0xE  ? 3
                   : (c >> 3) == 0x1E ? 4
                                      : 0;
        if (n == 0 || i + n > text.size()) {
            return false;
        }
        for (size_t k = 1; k < n; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) {
                return false;
            }
        }
        i += n;
    }
    return true;
}

size_t Count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
        ++n;
    }
    return n;
}

void SetName(cmcEeprom& image, int32_t address, const std::string& bytes) {
    for (size_t i = 0; i < bytes.size(); ++i) {
        image.SetByte(address + static_cast<int32_t>(i), static_cast<uint8_t>(bytes[i]));
    }
}

}  // namespace

TEST_F(CliTest, NewWritesAFileThatCheckAccepts) {
    Outcome made = Cli("new " + Quote(dir.Path("new.rcf")));
    EXPECT_EQ(made.status, 0);
    EXPECT_EQ(made.err, "");
    std::vector<std::string> lines = Lines(test::ReadFile(dir.Path("new.rcf")));
    ASSERT_EQ(lines.size(), 3u + 184u);
    EXPECT_EQ(lines[0], "40010021");
    EXPECT_EQ(lines[1], "#Comment=");
    EXPECT_EQ(lines[2], "#MapRev=1");
    // 0x00B8 is byte 8 of line 0x00B0; 0x0314 is byte 4 of line 0x0310.
    EXPECT_EQ(lines[3 + 0x0B].substr(0, 6), "00B010");
    EXPECT_EQ(lines[3 + 0x0B].substr(6 + 16, 4), "0140");
    EXPECT_EQ(lines[3 + 0x31].substr(0, 6), "031010");
    EXPECT_EQ(lines[3 + 0x31].substr(6 + 8, 2), "FF");
    EXPECT_EQ(lines.back(), "0B700400000000");

    Outcome checked = Cli("check " + Quote(dir.Path("new.rcf")));
    EXPECT_EQ(checked.status, 0);
    EXPECT_EQ(checked.out, "");
    EXPECT_EQ(checked.err, "");
}

TEST_F(CliTest, CheckExitsWithTheFileErrorAndShowsItsMessage) {
    cmcEeprom image;
    image.SetSize(indModelRules::kImageSize);
    std::string good = test::ReadFile(Saved("good.rcf", image));
    std::string noLastLine = good.substr(0, good.rfind("0B70"));
    struct Case {
        const char* what;
        std::string text;
        int code;
        const char* message;
    } cases[] = {
        {"another model", "40020021\r\n", 3, "不正なデータです。"},
        {"headers only", "40010021\r\n#MapRev=1\r\n", 8, "不正なデータです。"},
        {"newer revision", "40010021\r\n#MapRev=2\r\n000001AA\r\n", 5,
         "非対応のバージョンのデータです。"},
        {"last line missing", noLastLine, 7, "データサイズに異常があります。"},
        {"bad line", "40010021\r\n0000\r\n", 6, "不正なデータです。"},
    };
    for (const Case& c : cases) {
        test::WriteFile(dir.Path("bad.rcf"), c.text);
        Outcome run = Cli("check " + Quote(dir.Path("bad.rcf")));
        EXPECT_EQ(run.status, c.code) << c.what;
        EXPECT_EQ(run.err, kHeadline + c.message + "\n") << c.what;
        EXPECT_EQ(run.out, "") << c.what;
    }
    Outcome missing = Cli("check " + Quote(dir.Path("absent.rcf")));
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, kHeadline + "ファイルが開けません。\n");
}

TEST_F(CliTest, UsageErrorsExitWith64) {
    for (const char* args : {"check", "check a b", "dump", "dump a b", "dump a --bogus", "new",
                             "new a b", "nonsense"}) {
        Outcome run = Cli(args);
        EXPECT_EQ(run.status, 64) << args;
        EXPECT_NE(run.err.find("mxr77c-cli: "), std::string::npos) << args;
    }
}

TEST_F(CliTest, NewReportsWhatCannotBeDone) {
    Outcome run = Cli("new " + Quote(dir.Path("missing/new.rcf")));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, kHeadline + "ファイルが開けません。\n");

    // A copy of the tool without the initial image beside it cannot start a
    // document.
    std::filesystem::create_directory(dir.Path("bare"));
    std::filesystem::copy_file(kCli, dir.Path("bare/mxr77c-cli"));
    run = Cli("new " + Quote(dir.Path("out.rcf")), dir.Path("bare/mxr77c-cli"));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("初期化ファイル '" + dir.Path("bare/MXR77C.rcs") +
                           "' の読み込みに失敗しました。\n"),
              std::string::npos)
        << run.err;
    EXPECT_FALSE(std::filesystem::exists(dir.Path("out.rcf")));
}

TEST_F(CliTest, DumpJsonShowsTheSettingsAsValidJson) {
    cmcEeprom image;
    image.SetSize(indModelRules::kImageSize);
    image.SetByte(0x00AF, 127);
    image.SetDword(0x0000, 2097151);
    SetName(image, 0x02E0, "A\"B\\C\x01\x83\x65");  // ends in katakana "te"
    image.SetByte(0x02F4, 0xFD);                    // everything but the name-sending bit
    int32_t first = 0x0324, last = 0x0324 + 24 * 29;
    SetName(image, first, "ABC");
    image.SetByte(first + 14, 5);
    image.SetByte(first + 16, 12);
    image.SetDword(first + 20, 345678);
    SetName(image, last, "abcdefghijklX");                // the 13th byte is not part of the name
    SetName(image, 0x05F8 + 16 * 62, "GGGGGGGGGGG\x82");  // a lead byte cut off at the end

    Outcome run = Cli("dump " + Quote(Saved("in.rcf", image)) + " --json");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const std::string& out = run.out;
    EXPECT_TRUE(IsValidUtf8(out));
    EXPECT_EQ(
        out.rfind("{\"self\":{\"maker_id\":127,\"individual_no\":2097151,"
                  "\"name\":\"A\\\"B\\\\C\\u0001テ\",\"tx_my_name\":0},"
                  "\"individual\":[{\"no\":1,\"valid\":1,\"name\":\"ABC\",\"maker_id\":12,"
                  "\"individual_no\":345678},{\"no\":2,\"valid\":0,\"name\":\"\",\"maker_id\":0,"
                  "\"individual_no\":0},",
                  0),
        0u)
        << out.substr(0, 300);
    EXPECT_NE(out.find("{\"no\":30,\"valid\":0,\"name\":\"abcdefghijkl\",\"maker_id\":0,"
                       "\"individual_no\":0}],\"groups\":[{\"id\":1,\"name\":\"\"},{\"id\":2,"),
              std::string::npos);
    const std::string tail = ",{\"id\":63,\"name\":\"GGGGGGGGGGG\xEF\xBF\xBD\"}]}\n";
    ASSERT_GT(out.size(), tail.size());
    EXPECT_EQ(out.substr(out.size() - tail.size()), tail);
    EXPECT_EQ(Count(out, "{\"no\":"), 30u);
    EXPECT_EQ(Count(out, "{\"id\":"), 63u);
    EXPECT_EQ(Count(out, "\n"), 1u);

    image.SetByte(0x02F4, 0x02);
    run = Cli("dump --json " + Quote(Saved("on.rcf", image)));
    EXPECT_NE(run.out.find("\"tx_my_name\":1}"), std::string::npos);
}

TEST_F(CliTest, DumpTextAndDumpOfABadFile) {
    cmcEeprom image;
    image.SetSize(indModelRules::kImageSize);
    image.SetByte(0x00AF, 3);
    image.SetDword(0x0000, 4567);
    SetName(image, 0x02E0, "\x1B[2J");  // a terminal control sequence
    Outcome run = Cli("dump " + Quote(Saved("in.rcf", image)));
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("3-4567"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\\x1B[2J"), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find('\x1B'), std::string::npos);

    test::WriteFile(dir.Path("bad.rcf"), "40010022\r\n");
    run = Cli("dump --json " + Quote(dir.Path("bad.rcf")));
    EXPECT_EQ(run.status, 4);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, kHeadline + "不正なデータです。\n");
}
