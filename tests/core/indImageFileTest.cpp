#include "files/indImageFile.h"

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "files/FileErr.h"
#include "model/cmcEeprom.h"
#include "model/indModelRules.h"

namespace rules = indModelRules;

namespace {

cmcEeprom Pattern(uint8_t offset) {
    return test::ImageOf(rules::kImageSize, [offset](int32_t a) { return a * 31 + offset; });
}

// The two hex digits of the byte at address in a saved file's text.
std::string SavedByte(const std::string& text, int32_t address) {
    char head[8];
    std::snprintf(head, sizeof head, "%04X", address & ~0xF);
    size_t line = text.find(std::string("\n") + head);
    if (line == std::string::npos) {
        return "";
    }
    return text.substr(line + 1 + 6 + 2 * static_cast<size_t>(address & 0xF), 2);
}

std::string RemoveLine(std::string text, const std::string& start) {
    size_t at = text.find("\n" + start);
    size_t end = text.find('\n', at + 1);
    return text.erase(at + 1, end - at);
}

class ImageFileTest : public ::testing::Test {
protected:
    ImageFileTest() : files(table, &prompt) { table.SetLines(test::FileTableLines()); }

    // A file as this program saves it, from an image with a spread of values.
    std::string GoodFileText() {
        cmcEeprom image = Pattern(9);
        EXPECT_EQ(files.Save(dir.Path("good.rcf"), image), FileErr::kNone);
        return test::ReadFile(dir.Path("good.rcf"));
    }

    cmcGTex table;
    test::RecordingPrompt prompt;
    indImageFile files;
    test::TempDir dir;
};

}  // namespace

TEST_F(ImageFileTest, SaveThenOpenGivesTheSavedImageWithTheLoadRules) {
    cmcEeprom document = Pattern(1);
    ASSERT_EQ(files.Save(dir.Path("doc.rcf"), document), FileErr::kNone);
    std::string text = test::ReadFile(dir.Path("doc.rcf"));
    EXPECT_EQ(text.substr(0, 32), "40010021\r\n#Comment=\r\n#MapRev=1\r\n");
    EXPECT_EQ(SavedByte(text, 0x00B8), "01");
    EXPECT_EQ(SavedByte(text, 0x00B9), "40");
    EXPECT_EQ(SavedByte(text, 0x0314), "FF");

    cmcEeprom opened = Pattern(2);
    ASSERT_EQ(files.Open(dir.Path("doc.rcf"), opened), FileErr::kNone);
    // Bytes above 0x0B73 are not in files: they come back as 0, but for the
    // group valid bits that the load rules set again.
    cmcEeprom expected;
    expected.Assign(document);
    for (int32_t a = 0x0B74; a < expected.GetSize(); ++a) {
        expected.SetByte(a, 0);
    }
    rules::AfterLoad(expected);
    EXPECT_TRUE(opened.Equals(expected));
    EXPECT_EQ(opened.GetByte(0x0B7B), 0xFF);
    EXPECT_EQ(opened.GetByte(0x0B82), 0xFE);
    EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(ImageFileTest, OpenFailuresLeaveTheImageAndShowOneBox) {
    std::string good = GoodFileText();
    std::string headers = "40010021\r\n#Comment=\r\n#MapRev=1\r\n";
    std::string noModel = good;
    noModel.replace(noModel.find("\n00B010") + 1 + 6 + 16, 4, "0000");
    struct Case {
        const char* what;
        std::string text;
        int code;
    } cases[] = {
        {"headers only: the load check rejects", headers, FileErr::kData},
        {"no model code in the image", noModel, FileErr::kData},
        {"a line missing", RemoveLine(good, "0B70"), FileErr::kCoverage},
        {"bytes beyond the file range", good + "0B7401AA\r\n", FileErr::kData},
        {"newer map revision", "40010021\r\n#MapRev=2\r\n" + good.substr(good.find("0000")),
         FileErr::kMapRev},
        {"another model", "40020021" + good.substr(8), FileErr::kModel},
    };
    for (const Case& c : cases) {
        test::WriteFile(dir.Path("bad.rcf"), c.text);
        cmcEeprom image = Pattern(3);
        prompt.shown.clear();
        EXPECT_EQ(files.Open(dir.Path("bad.rcf"), image), c.code) << c.what;
        EXPECT_TRUE(image.Equals(Pattern(3))) << c.what;
        ASSERT_EQ(prompt.shown.size(), 1u) << c.what;
        EXPECT_EQ(prompt.shown[0].text, test::FileErrorText(c.code)) << c.what;
    }
    cmcEeprom image = Pattern(3);
    EXPECT_EQ(files.Open(dir.Path("absent.rcf"), image), FileErr::kFileOpen);
    EXPECT_TRUE(image.Equals(Pattern(3)));
}

TEST_F(ImageFileTest, StartUpChecksCoverageInsideTheRead) {
    // Opening a file of headers only gets as far as the load check; at
    // start-up the read itself already finds the data missing.
    test::WriteFile(dir.Path("blank.rcs"), "40010021\r\n#Comment=\r\n#MapRev=1\r\n");
    cmcEeprom image = Pattern(4);
    EXPECT_EQ(files.LoadInitial(dir.Path("blank.rcs"), image), FileErr::kCoverage);
    EXPECT_TRUE(image.Equals(Pattern(4)));

    test::WriteFile(dir.Path("good.rcs"), GoodFileText());
    ASSERT_EQ(files.LoadInitial(dir.Path("good.rcs"), image), FileErr::kNone);
    EXPECT_EQ(image.GetByte(0x0B7B), 0xFF);
}

TEST_F(ImageFileTest, TheBuiltInitialImagePassesStartUpAndHoldsAnEmptyDocument) {
    cmcEeprom image;
    image.SetSize(rules::kImageSize);
    ASSERT_EQ(files.LoadInitial(MX_BIN_DIR "/MXR77C.rcs", image), FileErr::kNone);
    EXPECT_TRUE(prompt.shown.empty());
    for (int32_t a = 0; a < image.GetSize(); ++a) {
        bool groupId = a >= 0x05F8 && a < 0x05F8 + 63 * 16 && (a - 0x05F8) % 16 == 13;
        uint8_t expected = 0;
        if (groupId) {
            expected = static_cast<uint8_t>((((a - 0x05F8) / 16 + 1) << 1) | 1);
        } else if (a == 0x00B8) {
            expected = 0x01;
        } else if (a == 0x00B9) {
            expected = 0x40;
        } else if (a == 0x0314) {
            expected = 0xFF;
        } else if (a >= 0x0B7B && a <= 0x0B81) {
            expected = 0xFF;
        } else if (a == 0x0B82) {
            expected = 0xFE;
        }
        ASSERT_EQ(image.GetByte(a), expected) << "address " << a;
    }
}

TEST_F(ImageFileTest, StartUpFailureBoxNamesTheFileVerbatim) {
    files.ShowInitialFileError("/opt/100%d/MXR77C.rcs");
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0].text, "cannot read '/opt/100%d/MXR77C.rcs' at start");
    EXPECT_EQ(prompt.shown[0].caption, "Title");
    EXPECT_EQ(prompt.shown[0].icon, cmcPrompt::Icon::Stop);
    indImageFile(table, nullptr).ShowInitialFileError("x");
}

TEST_F(ImageFileTest, SaveFailureIsShownOnce) {
    cmcEeprom image = Pattern(5);
    EXPECT_EQ(files.Save(dir.Path("no/such/folder.rcf"), image), FileErr::kFileOpen);
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0].text, test::FileErrorText(FileErr::kFileOpen));
}
