#include "files/cmcRcfFile.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "TestSupport.h"
#include "files/FileErr.h"
#include "model/cmcEeprom.h"
#include "model/indModelRules.h"

namespace rules = indModelRules;

namespace {

constexpr char kHead[] = "40010021\n#Comment=\n#MapRev=1\n";

// The image every read test starts from: a failed read must leave it as is.
cmcEeprom Before() {
    return test::ImageOf(rules::kImageSize, [](int32_t a) { return 0xA5 ^ a; });
}

// Data lines of 16 bytes (the last one shorter) for first..last, first
// aligned, each byte taken from value(address).
template <class Value>
std::string DataLines(int32_t first, int32_t last, Value value, const char* eol = "\n") {
    std::string text;
    for (int32_t a = first; a <= last; a += 16) {
        int32_t n = std::min(16, last - a + 1);
        char head[8];
        std::snprintf(head, sizeof head, "%04X%02X", a, n);
        text += head;
        for (int32_t i = 0; i < n; ++i) {
            char hex[3];
            std::snprintf(hex, sizeof hex, "%02X", value(a + i) & 0xFF);
            text += hex;
        }
        text += eol;
    }
    return text;
}

uint8_t Zero(int32_t) {
    return 0;
}

class RcfFileTest : public ::testing::Test {
protected:
    RcfFileTest() { table.SetLines(test::FileTableLines()); }

    // Reads text as a file with the application's hooks.
    int Read(const std::string& text, const AddrRangeList* list = nullptr) {
        test::WriteFile(dir.Path("in.rcf"), text);
        image = Before();
        cmcRcfFile file(table, &prompt);
        file.SetImage(&image);
        file.SetModelCheck(rules::CheckFileModel);
        file.SetMapRevCheck(rules::CheckMapRev);
        return file.ReadImage(dir.Path("in.rcf"), list);
    }

    cmcGTex table;
    test::RecordingPrompt prompt;
    test::TempDir dir;
    cmcEeprom image;
};

}  // namespace

TEST_F(RcfFileTest, LineRulesGiveTheirCodes) {
    const std::string longHeader = "#" + std::string(cmcRcfFile::kMaxLineChars - 1, 'c');
    struct Case {
        std::string text;
        int code;
    } cases[] = {
        // identification line
        {"", FileErr::kFormat},
        {"4001002\n", FileErr::kFormat},
        {"400100210\n", FileErr::kFormat},
        {"4001002A\n", FileErr::kFormat},
        {"40010021", FileErr::kFormat},  // no line feed: not 9 characters
        {"40020021\n", FileErr::kModel},
        {"40010022\n", FileErr::kExtra},
        {"40010021\r\n000001AA\r\n", FileErr::kNone},
        // map revision: judged once, at the first data line
        {"40010021\n#MapRev=2\n000001AA\n", FileErr::kMapRev},
        {"40010021\n#MapRev= 2\n000001AA\n", FileErr::kMapRev},
        {"40010021\n000001AA\n#MapRev=2\n000101BB\n", FileErr::kNone},
        {"40010021\n000001AA\n", FileErr::kNone},
        {"40010021\n#MapRev=-7\n#MapRev=abc\n000001AA\n", FileErr::kNone},
        {"40010021\n#Comment MapRev=9\n000001AA\n", FileErr::kNone},  // value read at column 9
        {"40010021\n#MapRev=2\n", FileErr::kNone},  // no data line, nothing to judge
        // data lines
        {"40010021\n\n", FileErr::kFormat},
        {"40010021\n000001AA\n\n000101AA\n", FileErr::kFormat},
        {"40010021\n000000\n", FileErr::kFormat},
        {"40010021\n000002AA\n", FileErr::kFormat},
        {"40010021\n000001AAB\n", FileErr::kFormat},
        {"40010021\n000001GG\n", FileErr::kFormat},
        {"40010021\n 000001AA\n", FileErr::kFormat},
        {"40010021\n000001AA\r\r\n", FileErr::kFormat},
        {"40010021\n0000FF" + std::string(510, '0') + "\n", FileErr::kNone},
        {"40010021\n0000FF" + std::string(512, '0') + "\n", FileErr::kFormat},
        {"40010021\n0B8401aa\n", FileErr::kNone},
        {"40010021\n0B8502AABB\n", FileErr::kData},
        {"40010021\nFFFF01AA\n", FileErr::kData},
        {"40010021\n000001AA", FileErr::kNone},  // last line without line feed
        // physical line length: never split into two lines
        {"40010021\n" + longHeader + "\n000001AA\n", FileErr::kNone},
        {"40010021\n" + longHeader + "\r\n000001AA\n", FileErr::kNone},
        {"40010021\n" + longHeader + "c\n000001AA\n", FileErr::kFormat},
        // split after 767 characters, the rest would pass for a data line
        {"40010021\n" + longHeader + "c000001AA\n", FileErr::kFormat},
        {"40010021\n" + longHeader + "c", FileErr::kFormat},
        {"40010021\n#" + std::string(5000, '0') + "\n", FileErr::kFormat},
    };
    for (const Case& c : cases) {
        prompt.shown.clear();
        EXPECT_EQ(Read(c.text), c.code) << c.text.substr(0, 60);
        if (c.code == FileErr::kNone) {
            EXPECT_TRUE(prompt.shown.empty());
        } else {
            ASSERT_EQ(prompt.shown.size(), 1u) << c.text.substr(0, 60);
            EXPECT_EQ(prompt.shown[0].text, test::FileErrorText(c.code));
            EXPECT_TRUE(image.Equals(Before())) << c.text.substr(0, 60);
        }
    }
}

TEST_F(RcfFileTest, DataLinesOverwriteInFileOrderWhereverTheyStand) {
    std::string text = std::string(kHead) +
                       "001003aabbcc\n"
                       "#between\n"
                       "000002DDEE\n"
                       "001101FF\n";
    ASSERT_EQ(Read(text), FileErr::kNone);
    cmcEeprom expected = Before();
    expected.SetByte(0x10, 0xAA);
    expected.SetByte(0x11, 0xFF);
    expected.SetByte(0x12, 0xCC);
    expected.SetByte(0x00, 0xDD);
    expected.SetByte(0x01, 0xEE);
    EXPECT_TRUE(image.Equals(expected));
}

TEST_F(RcfFileTest, AFailingLineUndoesEverythingReadBeforeIt) {
    std::string text =
        std::string(kHead) + DataLines(0, 0x3FF, Zero) + "0400XX\n" + DataLines(0x400, 0x41F, Zero);
    EXPECT_EQ(Read(text), FileErr::kFormat);
    EXPECT_TRUE(image.Equals(Before()));
}

TEST_F(RcfFileTest, RevisionAndModelDefaultsWithoutHooks) {
    test::WriteFile(dir.Path("f.rcf"), "40010021\n#MapRev=0\n000001AA\n");
    image = Before();
    cmcRcfFile file(table, nullptr);
    file.SetImage(&image);
    file.SetIds(0x4001, 0x0021);
    // Without a revision hook no revision is known to be readable.
    EXPECT_EQ(file.ReadImage(dir.Path("f.rcf")), FileErr::kMapRev);
    EXPECT_EQ(file.GetMapRev(), 0);

    file.SetMapRevCheck([](int32_t) { return true; });
    EXPECT_EQ(file.ReadImage(dir.Path("f.rcf")), FileErr::kNone);
    file.SetIds(0x4001, 0x0022);
    EXPECT_EQ(file.ReadImage(dir.Path("f.rcf")), FileErr::kExtra);
    file.SetIds(0x1234, 0x0021);
    EXPECT_EQ(file.ReadImage(dir.Path("f.rcf")), FileErr::kModel);
    // A hook that rejects without naming a code still rejects.
    file.SetModelCheck([](uint32_t, uint32_t, int&) { return false; });
    EXPECT_EQ(file.ReadImage(dir.Path("f.rcf")), FileErr::kModel);
}

TEST_F(RcfFileTest, CoverageAgainstTheSaveRange) {
    AddrRangeList list = rules::GetRangeList(rules::kRangeLoadCoverage);
    std::string complete = std::string(kHead) + DataLines(0, 0x0B73, Zero);
    struct Case {
        std::string text;
        int code;
    } cases[] = {
        {complete, FileErr::kNone},
        {std::string(kHead) + DataLines(0, 0x0B6F, Zero), FileErr::kCoverage},
        {std::string(kHead) + DataLines(0, 0x0B72, Zero), FileErr::kCoverage},
        {complete + "0B7401AA\n", FileErr::kData},
        {complete + DataLines(0x0B74, 0x0B84, Zero), FileErr::kData},
        {std::string(kHead), FileErr::kCoverage},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Read(c.text, &list), c.code) << c.text.size();
        EXPECT_EQ(image.Equals(Before()), c.code != FileErr::kNone);
    }
    // The same comparison after a read without a list.
    ASSERT_EQ(Read(complete + "0B7401AA\n"), FileErr::kNone);
    cmcRcfFile file(table, nullptr);
    file.SetImage(&image);
    file.SetMapRevCheck(rules::CheckMapRev);
    file.SetModelCheck(rules::CheckFileModel);
    ASSERT_EQ(file.ReadImage(dir.Path("in.rcf")), FileErr::kNone);
    EXPECT_EQ(file.CheckCoverage(list), FileErr::kData);
    EXPECT_EQ(file.CheckCoverage({{0, 0x0B74}, kAddrRangeEnd}), FileErr::kNone);
    EXPECT_EQ(file.CheckCoverage({{0, 0x0B75}, kAddrRangeEnd}), FileErr::kCoverage);
}

TEST_F(RcfFileTest, MissingFilesAndFoldersCannotBeOpened) {
    image = Before();
    cmcRcfFile file(table, &prompt);
    file.SetImage(&image);
    file.SetMapRevCheck(rules::CheckMapRev);
    EXPECT_EQ(file.ReadImage(dir.Path("absent.rcf")), FileErr::kFileOpen);
    EXPECT_EQ(file.ReadImage(dir.Root()), FileErr::kFileOpen);
    EXPECT_TRUE(image.Equals(Before()));
    ASSERT_EQ(prompt.shown.size(), 2u);
    EXPECT_EQ(prompt.shown[0].text, test::FileErrorText(1));
}

TEST_F(RcfFileTest, ErrorBoxesForCodesOneToNineOnly) {
    cmcRcfFile file(table, &prompt);
    for (int code = -1; code <= 10; ++code) {
        file.ShowFileError(code);
    }
    ASSERT_EQ(prompt.shown.size(), 9u);
    for (int code = 1; code <= 9; ++code) {
        const test::ShownBox& box = prompt.shown[static_cast<size_t>(code - 1)];
        EXPECT_EQ(box.text, test::FileErrorText(code));
        EXPECT_EQ(box.caption, "Title");
        EXPECT_EQ(box.icon, cmcPrompt::Icon::Exclamation);
        EXPECT_EQ(box.buttons, cmcPrompt::Buttons::Ok);
    }
    cmcRcfFile silent(table, nullptr);
    silent.ShowFileError(6);
}

// tests/data/pattern.rcf holds byte (7a + 3) mod 256 at every address a of
// 0x0000-0x0B73, written out independently of this program.
TEST_F(RcfFileTest, WriterMatchesTheGoldenFileAndReadsItBack) {
    image = test::ImageOf(rules::kImageSize, [](int32_t a) { return a * 7 + 3; });
    cmcRcfFile writer(table, &prompt);
    writer.SetImage(&image);
    writer.SetIds(0x4001, 0x0021);
    writer.SetMapRev(1);
    ASSERT_EQ(writer.WriteImage(dir.Path("out.rcf"), rules::GetRangeList(5)), FileErr::kNone);
    std::string golden = test::ReadFile(MX_TEST_DATA "/pattern.rcf");
    ASSERT_FALSE(golden.empty());
    EXPECT_EQ(test::ReadFile(dir.Path("out.rcf")), golden);
    EXPECT_TRUE(prompt.shown.empty());

    cmcEeprom back;
    back.SetSize(rules::kImageSize);
    cmcRcfFile reader(table, &prompt);
    reader.SetImage(&back);
    reader.SetModelCheck(rules::CheckFileModel);
    reader.SetMapRevCheck(rules::CheckMapRev);
    AddrRangeList list = rules::GetRangeList(6);
    ASSERT_EQ(reader.ReadImage(MX_TEST_DATA "/pattern.rcf", &list), FileErr::kNone);
    EXPECT_EQ(reader.GetMapRev(), 1);
    for (int32_t a = 0; a < back.GetSize(); ++a) {
        ASSERT_EQ(back.GetByte(a), a <= 0x0B73 ? image.GetByte(a) : 0) << a;
    }
}

TEST_F(RcfFileTest, WriterSplitsAtSixteenByteBoundariesAndStopsAtTheEndPair) {
    image.SetSize(rules::kImageSize);
    image.SetByte(0x05, 0x5A);
    image.SetByte(0x14, 0x14);
    cmcRcfFile writer(table, nullptr);
    writer.SetImage(&image);
    writer.SetIds(0x1, 0xABCD);
    writer.SetMapRev(-3);
    AddrRangeList list = {
        {0x05, 0x14}, {0x20, 0x20}, {0x0B84, 0x0B84}, {0x0B80, 0x0B85}, {0x30, 0x3F}};
    ASSERT_EQ(writer.WriteImage(dir.Path("part.rcf"), list), FileErr::kNone);
    EXPECT_EQ(test::ReadFile(dir.Path("part.rcf")),
              "0001ABCD\r\n#Comment=\r\n#MapRev=-3\r\n"
              "00050B5A00000000000000000000\r\n"
              "0010050000000014\r\n"
              "00200100\r\n"
              "0B840100\r\n");
}

TEST_F(RcfFileTest, SaveReplacesTheOldFileKeepingItsPermissions) {
    image.SetSize(rules::kImageSize);
    std::string path = dir.Path("doc.rcf");
    test::WriteFile(path, "old content");
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    std::filesystem::create_symlink("doc.rcf", dir.Path("link.rcf"));
    cmcRcfFile writer(table, nullptr);
    writer.SetImage(&image);
    ASSERT_EQ(writer.WriteImage(dir.Path("link.rcf"), rules::GetRangeList(5)), FileErr::kNone);
    EXPECT_TRUE(std::filesystem::is_symlink(dir.Path("link.rcf")));
    EXPECT_EQ(test::ReadFile(path).substr(0, 10), "00000000\r\n");
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(dir.Entries().size(), 2u);
}

TEST_F(RcfFileTest, SaveThatCannotStartLeavesEverythingAsItWas) {
    image.SetSize(rules::kImageSize);
    std::filesystem::create_directory(dir.Path("folder.rcf"));
    test::WriteFile(dir.Path("folder.rcf/inside"), "kept");
    cmcRcfFile writer(table, &prompt);
    writer.SetImage(&image);
    AddrRangeList list = rules::GetRangeList(5);
    EXPECT_EQ(writer.WriteImage(dir.Path("folder.rcf"), list), FileErr::kFileOpen);
    EXPECT_EQ(writer.WriteImage(dir.Path("missing/x.rcf"), list), FileErr::kFileOpen);
    EXPECT_EQ(writer.WriteImage("", list), FileErr::kFileOpen);
    EXPECT_EQ(test::ReadFile(dir.Path("folder.rcf/inside")), "kept");
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"folder.rcf"});
    ASSERT_EQ(prompt.shown.size(), 3u);
    EXPECT_EQ(prompt.shown[0].text, test::FileErrorText(1));
}

TEST_F(RcfFileTest, APipeIsWrittenAsItIsNeverReplaced) {
    image.SetSize(rules::kImageSize);
    std::string fifo = dir.Path("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // The reading end is open first, so the write neither blocks nor hangs
    // the test should the pipe be replaced; the file fits in the pipe.
    int readEnd = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(readEnd, 0);
    cmcRcfFile writer(table, nullptr);
    writer.SetImage(&image);
    writer.SetIds(0x4001, 0x0021);
    writer.SetMapRev(1);
    EXPECT_EQ(writer.WriteImage(fifo, rules::GetRangeList(5)), FileErr::kNone);
    std::string received(16384, '\0');
    ssize_t n = ::read(readEnd, received.data(), received.size());
    ::close(readEnd);
    received.resize(n > 0 ? static_cast<size_t>(n) : 0);
    EXPECT_EQ(received.substr(0, 10), "40010021\r\n");
    EXPECT_EQ(received.size(), 32u + 183u * 40u + 16u);
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
    EXPECT_EQ(dir.Entries().size(), 1u);
}

// Runs in a child: the file size limit makes the write fail half-way, as a
// full disk would.
int WriteUnderSizeLimit(const std::string& path, cmcGTex& table) {
    ::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limit = {1000, 1000};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    cmcEeprom image;
    image.SetSize(rules::kImageSize);
    cmcRcfFile writer(table, nullptr);
    writer.SetImage(&image);
    return writer.WriteImage(path, rules::GetRangeList(5));
}

TEST_F(RcfFileTest, SaveThatFailsHalfWayKeepsTheOldFileAndNoTemporary) {
    std::string path = dir.Path("doc.rcf");
    std::string good = test::ReadFile(MX_TEST_DATA "/pattern.rcf");
    test::WriteFile(path, good);
    EXPECT_EXIT(std::_Exit(WriteUnderSizeLimit(path, table)),
                ::testing::ExitedWithCode(FileErr::kFileAccess), "");
    EXPECT_EQ(test::ReadFile(path), good);
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"doc.rcf"});
}

using RcfFileDeathTest = RcfFileTest;

TEST_F(RcfFileDeathTest, ReadingOrWritingWithoutAnImageIsFatal) {
    cmcRcfFile file(table, nullptr);
    EXPECT_EXIT(file.ReadImage(dir.Path("x")), ::testing::ExitedWithCode(3),
                "No EEPROM image attached \\(ReadImage\\)");
    EXPECT_EXIT(file.WriteImage(dir.Path("x"), {}), ::testing::ExitedWithCode(3),
                "No EEPROM image attached \\(WriteImage\\)");
}
