#include "app/indCommandLine.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "FirstInstanceLock.h"
#include "app/cmcSheetPositions.h"
#include "app/cmcWorkArea.h"
#include "files/cmcMemoryKeyStore.h"
#include "files/indEnviron.h"

namespace {

const char kExe[] = "/opt/mx/mxr77c";
const char kHere[] = "/home/user/radios";

struct Parsed {
    indCommandLine line;
    int32_t port;
    int32_t speed;
};

Parsed Parse(std::vector<std::string> args, std::set<std::string> existing = {}) {
    test::FirstInstanceLock lock;
    cmcMemoryKeyStore store;
    indEnviron settings{lock, store, "lock", "Software\\Test", {1920, 1080}};
    settings.comPort = 4;
    settings.comSpeedHigh = 1;
    args.insert(args.begin(), kExe);
    indCommandLine line(
        args, kExe, kHere, [&](const std::string& p) { return existing.count(p) > 0; }, settings);
    return {line, settings.comPort, settings.comSpeedHigh};
}

struct PortCase {
    const char* argument;
    int32_t port;
};

TEST(CommandLineTest, PortSwitchTakesNumbersFrom1To256Only) {
    for (PortCase c :
         {PortCase{"/c:7", 7}, PortCase{"/C:12", 12}, PortCase{"/c:0", 4}, PortCase{"/c:257", 4},
          PortCase{"/c:256", 256}, PortCase{"/c:abc", 4}, PortCase{"x/c:3", 3},
          PortCase{"/c: 9 ", 9}, PortCase{"/c:", 4}, PortCase{"/c:99999999999", 4}}) {
        Parsed parsed = Parse({c.argument});
        EXPECT_EQ(parsed.port, c.port) << c.argument;
        EXPECT_FALSE(parsed.line.fileGiven) << c.argument;
    }
}

TEST(CommandLineTest, SpeedSwitchesIgnoreCase) {
    EXPECT_EQ(Parse({"/S:N"}).speed, 0);
    EXPECT_EQ(Parse({"/s:n", "/s:H"}).speed, 1);
}

TEST(CommandLineTest, ConsumedSwitchesHaveNoEffect) {
    for (const char* arg : {"/pn", "/PN", "/p:R77C", "/P:R77C", "/reserve", "/DEBUG", ""}) {
        Parsed parsed = Parse({arg});
        EXPECT_FALSE(parsed.line.fileGiven) << arg;
        EXPECT_FALSE(parsed.line.writeAfterOpen) << arg;
    }
    EXPECT_TRUE(Parse({"/p:r77c"}).line.fileGiven) << "only the two exact spellings";
}

struct FileCase {
    const char* argument;
    const char* path;
};

TEST(CommandLineTest, FileArgumentsGetExtensionAndFolder) {
    for (FileCase c :
         {FileCase{"data", "/home/user/radios/data.rcf"},
          FileCase{"data.bak", "/home/user/radios/data.bak"}, FileCase{"/tmp/x.rcf", "/tmp/x.rcf"},
          FileCase{"/tmp/dir.v2/x", "/tmp/dir.v2/x.rcf"}, FileCase{"/s:x", "/s:x.rcf"}}) {
        Parsed parsed = Parse({c.argument});
        EXPECT_TRUE(parsed.line.fileGiven) << c.argument;
        EXPECT_EQ(parsed.line.path, c.path) << c.argument;
    }
}

TEST(CommandLineTest, TheLastFileDecidesPathAndExistence) {
    Parsed parsed = Parse({"/w", "a", "b"}, {"/home/user/radios/a.rcf"});
    EXPECT_TRUE(parsed.line.writeAfterOpen);
    EXPECT_EQ(parsed.line.path, "/home/user/radios/b.rcf");
    EXPECT_FALSE(parsed.line.fileExists);
    EXPECT_TRUE(Parse({"b", "a"}, {"/home/user/radios/a.rcf"}).line.fileExists);
}

TEST(CommandLineTest, TheProgramsOwnPathIsNeverAFileHoweverItWasTyped) {
    test::FirstInstanceLock lock;
    cmcMemoryKeyStore store;
    indEnviron settings{lock, store, "lock", "Software\\Test", {1920, 1080}};
    for (const char* self : {"build/bin/mxr77c", "./mxr77c", "mxr77c", "/usr/local/bin/mx"}) {
        indCommandLine line(
            {self}, kExe, kHere, [](const std::string&) { return false; }, settings);
        EXPECT_FALSE(line.fileGiven) << self;
        indCommandLine withFile(
            {self, "data"}, kExe, kHere, [](const std::string&) { return true; }, settings);
        EXPECT_EQ(withFile.path, "/home/user/radios/data.rcf") << self;
    }
}

struct FitCase {
    cmcWorkArea::Bounds window;
    int32_t left;
    int32_t top;
};

TEST(WorkAreaTest, SavedBoundsArePulledBackIntoTheWorkArea) {
    const cmcRect work{0, 0, 1920, 1040};
    for (FitCase c :
         {FitCase{{100, 100, 800, 600}, 100, 100}, FitCase{{5000, 100, 800, 600}, 1904, 100},
          FitCase{{100, 3000, 800, 600}, 100, 1024}, FitCase{{-2000, 100, 800, 600}, -784, 100},
          FitCase{{100, -50, 800, 600}, 100, 0}}) {
        cmcWorkArea::Bounds fitted = cmcWorkArea::Fit(c.window, work);
        EXPECT_EQ(fitted.left, c.left) << c.window.left << "," << c.window.top;
        EXPECT_EQ(fitted.top, c.top) << c.window.left << "," << c.window.top;
        EXPECT_EQ(fitted.width, c.window.width);
    }
}

TEST(WorkAreaTest, InsideMovesTheWholeWindowIntoTheWorkArea) {
    const cmcRect work{0, 40, 1920, 1040};
    for (FitCase c :
         {FitCase{{100, 100, 800, 600}, 100, 100}, FitCase{{1500, 100, 800, 600}, 1120, 100},
          FitCase{{100, 900, 800, 600}, 100, 440}, FitCase{{-30, 10, 800, 600}, 0, 40},
          FitCase{{1120, 440, 800, 600}, 1120, 440}, FitCase{{500, 500, 2500, 1200}, 0, 40}}) {
        cmcWorkArea::Bounds placed = cmcWorkArea::Inside(c.window, work);
        EXPECT_EQ(placed.left, c.left) << c.window.left << "," << c.window.top;
        EXPECT_EQ(placed.top, c.top) << c.window.left << "," << c.window.top;
        EXPECT_EQ(placed.width, c.window.width);
        EXPECT_EQ(placed.height, c.window.height);
    }
}

TEST(SheetPositionsTest, NewestFirstAndOneRecordPerName) {
    cmcSheetPositions positions;
    positions.Remember("A", {1, 2, 3, 4});
    positions.Remember("B", {5, 6, 7, 8});
    positions.Remember("A", {9, 9, 9, 9});
    EXPECT_EQ(positions.Newest(), "A");
    ASSERT_TRUE(positions.Find("A").has_value());
    EXPECT_EQ(positions.Find("A")->cellRow, 9);
    EXPECT_EQ(positions.Find("B")->scrollRow, 6);
    EXPECT_FALSE(positions.Find("C").has_value());
}

}  // namespace
