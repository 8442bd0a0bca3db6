#include "files/indEnviron.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "files/cmcInstanceLock.h"
#include "files/cmcMemoryKeyStore.h"

namespace {

const char kLockName[] = "VARTEK MX-R77C APP Exclusive Mutex";
const char kKeyPath[] = "Software\\VARTEK INCORPORATED\\MX-R77C";
constexpr indScreenSize kFullHd{1920, 1080};

std::string Key(const std::string& sub) {
    return std::string(kKeyPath) + "\\" + sub;
}

class FakeLock : public cmcInstanceLock {
public:
    explicit FakeLock(bool first) : m_first(first) {}
    bool Acquire(const std::string& name) override {
        acquiredName = name;
        held = m_first;
        return m_first;
    }
    void Release() override { held = false; }
    bool AlertFirst() override { return false; }

    std::string acquiredName;
    bool held = false;

private:
    bool m_first;
};

// Counts reads, so a test can tell that a second instance never looked.
class SpyStore : public cmcMemoryKeyStore {
public:
    bool CanOpen(const std::string& key) const override {
        ++reads;
        return cmcMemoryKeyStore::CanOpen(key);
    }
    std::optional<int32_t> ReadInt(const std::string& key, const std::string& name) const override {
        ++reads;
        return cmcMemoryKeyStore::ReadInt(key, name);
    }
    std::optional<std::string> ReadString(const std::string& key,
                                          const std::string& name) const override {
        ++reads;
        return cmcMemoryKeyStore::ReadString(key, name);
    }
    mutable int reads = 0;
};

struct IntValue {
    const char* key;
    const char* name;
    int32_t value;
};

// A complete, valid set as a previous run would have saved it; every value
// differs from its default so a fallback shows.
const IntValue kSavedInts[] = {
    {"Global", "BBT", 753951},
    {"Global", "ComPort", 7},
    {"Global", "ComSpeedHigh", 0},
    {"View Option", "FontSize Percentage", 120},
    {"View Option", "Toolbar Visible", 0},
    {"Window Position", "Left", 10},
    {"Window Position", "Top", 20},
    {"Window Position", "Width", 1000},
    {"Window Position", "Height", 700},
    {"Window Position", "SplitterV", 321},
    {"Setup", "Increment Id", 1},
    {"Setup", "FreqEditable", 1},
    {"Setup", "ModelType", 3},
};

// Every setting at once, so a whole set compares in one step.
struct Settings {
    int32_t stamp, fontSizePercent, toolbarVisible, comPort, comSpeedHigh;
    std::string currentDirectory;
    int32_t windowLeft, windowTop, windowWidth, windowHeight, splitterV;
    int32_t modelType, incrementId, freqEditable;
    std::vector<std::string> recent;
    bool operator==(const Settings&) const = default;
};

void PrintTo(const Settings& s, std::ostream* out) {
    *out << "{stamp " << s.stamp << ", font " << s.fontSizePercent << ", toolbar "
         << s.toolbarVisible << ", COM" << s.comPort << ", high " << s.comSpeedHigh << ", dir '"
         << s.currentDirectory << "', window " << s.windowLeft << "," << s.windowTop << " "
         << s.windowWidth << "x" << s.windowHeight << ", splitter " << s.splitterV << ", model "
         << s.modelType << ", increment " << s.incrementId << ", freq " << s.freqEditable << ", "
         << s.recent.size() << " recent}";
}

Settings Of(indEnviron& env) {
    Settings s{env.stamp,        env.fontSizePercent, env.toolbarVisible,
               env.comPort,      env.comSpeedHigh,    env.currentDirectory,
               env.windowLeft,   env.windowTop,       env.windowWidth,
               env.windowHeight, env.splitterV,       env.modelType,
               env.incrementId,  env.freqEditable,    {}};
    for (int32_t i = 0; i < env.recent.Count(); ++i) {
        s.recent.push_back(env.recent.Get(i, ""));
    }
    return s;
}

// Everything at its default on a 1920 x 1080 screen.
const Settings kDefaults{753951, 100, 1, 1, 1, "", 560, 144, 800, 600, 200, 0, 0, 0, {}};

std::vector<std::string> SavedRecent() {
    std::vector<std::string> paths;
    for (int i = 0; i < 10; ++i) {
        paths.push_back("/r/f" + std::to_string(i) + ".rcf");
    }
    return paths;
}

void FillSaved(cmcMemoryKeyStore& store) {
    for (const IntValue& v : kSavedInts) {
        store.WriteInt(Key(v.key), v.name, v.value);
    }
    store.WriteString(Key("Global"), "Current Directory", "/home/user/radio");
    store.CreateKey(Key("Recent File List"));
    const std::vector<std::string> recent = SavedRecent();
    for (size_t i = 0; i < recent.size(); ++i) {
        store.WriteString(Key("Recent File List"), "Recent" + std::to_string(i), recent[i]);
    }
}

}  // namespace

TEST(indEnvironTest, FirstStartWithAnEmptyStoreUsesTheDefaults) {
    FakeLock lock(true);
    cmcMemoryKeyStore store;
    indEnviron env(lock, store, kLockName, kKeyPath, kFullHd);
    EXPECT_TRUE(env.IsFirstInstance());
    EXPECT_EQ(lock.acquiredName, kLockName);
    EXPECT_EQ(Of(env), kDefaults);
}

TEST(indEnvironTest, WindowDefaultsFollowTheScreenWithTruncation) {
    struct Case {
        indScreenSize screen;
        int32_t left, top, width, height;
    };
    const Case cases[] = {
        {{1920, 1080}, 560, 144, 800, 600},
        {{800, 600}, 40, 18, 720, 540},
        {{1001, 667}, 100, 20, 800, 600},
        {{333, 222}, 17, 6, 299, 199},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.screen.width) + "x" + std::to_string(c.screen.height));
        FakeLock lock(true);
        cmcMemoryKeyStore store;
        indEnviron env(lock, store, kLockName, kKeyPath, c.screen);
        EXPECT_EQ(env.windowLeft, c.left);
        EXPECT_EQ(env.windowTop, c.top);
        EXPECT_EQ(env.windowWidth, c.width);
        EXPECT_EQ(env.windowHeight, c.height);
        EXPECT_EQ(env.splitterV, 200);
    }
}

TEST(indEnvironTest, SavedSettingsLoadAsStoredExceptModelType) {
    FakeLock lock(true);
    cmcMemoryKeyStore store;
    FillSaved(store);
    indEnviron env(lock, store, kLockName, kKeyPath, kFullHd);
    const Settings expected{753951, 120, 0, 7, 0, "/home/user/radio", 10, 20, 1000,
                            700,    321, 0, 1, 1, SavedRecent()};
    EXPECT_EQ(Of(env), expected);
}

TEST(indEnvironTest, NumbersAreClampedOnLoad) {
    struct Case {
        const char* key;
        const char* name;
        int32_t stored;
        int32_t indEnviron::*field;
        int32_t loaded;
    };
    const Case cases[] = {
        {"Global", "ComPort", 0, &indEnviron::comPort, 1},
        {"Global", "ComPort", 300, &indEnviron::comPort, 256},
        {"Global", "ComPort", 256, &indEnviron::comPort, 256},
        {"Global", "ComSpeedHigh", 5, &indEnviron::comSpeedHigh, 1},
        {"Global", "ComSpeedHigh", -1, &indEnviron::comSpeedHigh, 0},
        {"View Option", "FontSize Percentage", 10, &indEnviron::fontSizePercent, 25},
        {"View Option", "FontSize Percentage", 5000, &indEnviron::fontSizePercent, 1000},
        {"View Option", "Toolbar Visible", 5, &indEnviron::toolbarVisible, 1},
        {"Setup", "Increment Id", -3, &indEnviron::incrementId, 1},
        {"Setup", "FreqEditable", 2, &indEnviron::freqEditable, 1},
        {"Setup", "FreqEditable", 0, &indEnviron::freqEditable, 0},
        // Only the far edges are tested against the screen.
        {"Window Position", "Left", -50, &indEnviron::windowLeft, -50},
        {"Window Position", "Top", -5000, &indEnviron::windowTop, -5000},
        {"Window Position", "Left", 1920, &indEnviron::windowLeft, 1920},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " = " + std::to_string(c.stored));
        FakeLock lock(true);
        cmcMemoryKeyStore store;
        FillSaved(store);
        store.WriteInt(Key(c.key), c.name, c.stored);
        indEnviron env(lock, store, kLockName, kKeyPath, kFullHd);
        EXPECT_EQ(env.*c.field, c.loaded);
        EXPECT_EQ(env.currentDirectory, "/home/user/radio") << "fell back to defaults";
    }
}

TEST(indEnvironTest, AWindowBeyondTheScreenGetsTheComputedPlaceAndSplitter) {
    const IntValue cases[] = {
        {"Window Position", "Left", 1921},
        {"Window Position", "Top", 1081},
        {"Window Position", "Width", 1921},
        {"Window Position", "Height", 1081},
    };
    for (const IntValue& c : cases) {
        SCOPED_TRACE(c.name);
        FakeLock lock(true);
        cmcMemoryKeyStore store;
        FillSaved(store);
        store.WriteInt(Key(c.key), c.name, c.value);
        indEnviron env(lock, store, kLockName, kKeyPath, kFullHd);
        EXPECT_EQ(env.windowLeft, 560);
        EXPECT_EQ(env.windowTop, 144);
        EXPECT_EQ(env.windowWidth, 800);
        EXPECT_EQ(env.windowHeight, 600);
        EXPECT_EQ(env.splitterV, 200);
        EXPECT_EQ(env.comPort, 7) << "the rest of the settings stay as loaded";
    }
}

TEST(indEnvironTest, AnyReadFailureResetsEverySettingIncludingThoseReadBefore) {
    struct Case {
        const char* what;
        void (*spoil)(cmcMemoryKeyStore&);
    };
    const Case cases[] = {
        {"missing last value",
         [](cmcMemoryKeyStore& s) { s.RemoveValue(Key("Setup"), "FreqEditable"); }},
        {"missing first value", [](cmcMemoryKeyStore& s) { s.RemoveValue(Key("Global"), "BBT"); }},
        {"text where an integer belongs",
         [](cmcMemoryKeyStore& s) { s.WriteString(Key("Window Position"), "SplitterV", "321"); }},
        {"missing key", [](cmcMemoryKeyStore& s) { s.RemoveKey(Key("View Option")); }},
        {"missing recent key", [](cmcMemoryKeyStore& s) { s.RemoveKey(Key("Recent File List")); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FakeLock lock(true);
        cmcMemoryKeyStore store;
        FillSaved(store);
        c.spoil(store);
        indEnviron env(lock, store, kLockName, kKeyPath, kFullHd);
        EXPECT_EQ(Of(env), kDefaults);
    }
}

TEST(indEnvironTest, LoadSettingsReportsFailureAndRecoversOnTheNextGoodRead) {
    FakeLock lock(true);
    cmcMemoryKeyStore store;
    indEnviron env(lock, store, kLockName, kKeyPath, kFullHd);
    EXPECT_FALSE(env.LoadSettings());
    FillSaved(store);
    EXPECT_TRUE(env.LoadSettings());
    EXPECT_EQ(env.comPort, 7);
    // A reload replaces the list rather than merging into it.
    env.recent.AddFirst("/elsewhere.rcf");
    EXPECT_TRUE(env.LoadSettings());
    EXPECT_EQ(env.recent.Get(0, ""), "/r/f0.rcf");
    EXPECT_EQ(env.recent.Get(9, ""), "/r/f9.rcf");
}

TEST(indEnvironTest, MissingRecentEntriesReadAsEmptyTexts) {
    FakeLock lock(true);
    cmcMemoryKeyStore store;
    FillSaved(store);
    for (int i = 2; i < 10; ++i) {
        store.RemoveValue(Key("Recent File List"), "Recent" + std::to_string(i));
    }
    store.WriteInt(Key("Recent File List"), "Recent5", 99);
    store.WriteString(Key("Recent File List"), "Recent7", "/R/F0.RCF");
    indEnviron env(lock, store, kLockName, kKeyPath, kFullHd);
    // The empty texts collapse into one, like any equal paths; the last
    // spelling of a path wins its place.
    ASSERT_EQ(env.recent.Count(), 3);
    EXPECT_EQ(env.recent.Get(0, ""), "/r/f1.rcf");
    EXPECT_EQ(env.recent.Get(1, ""), "/R/F0.RCF");
    EXPECT_EQ(env.recent.Get(2, ""), "");
    EXPECT_EQ(env.comPort, 7);
}

TEST(indEnvironTest, AForeignStampDiscardsTheSetAndIsReplacedAtSave) {
    FakeLock lock(true);
    cmcMemoryKeyStore store;
    FillSaved(store);
    store.WriteInt(Key("Global"), "BBT", 753950);
    {
        indEnviron env(lock, store, kLockName, kKeyPath, kFullHd);
        EXPECT_EQ(Of(env), kDefaults);
    }
    EXPECT_EQ(store.ReadInt(Key("Global"), "BBT"), 753951);
    EXPECT_EQ(store.ReadInt(Key("Global"), "ComPort"), 1);
}

TEST(indEnvironTest, DestructionSavesEverySettingInOrder) {
    FakeLock lock(true);
    cmcMemoryKeyStore store;
    {
        indEnviron env(lock, store, kLockName, kKeyPath, kFullHd);
        env.comPort = 12;
        env.currentDirectory = "/work";
        env.recent.AddFirst("/work/b.rcf");
        env.recent.AddFirst("/work/a.rcf");
        env.modelType = 2;
        EXPECT_TRUE(lock.held);
    }
    EXPECT_FALSE(lock.held);
    const std::vector<std::string> expected = {
        Key("Global\\BBT"),
        Key("Global\\ComPort"),
        Key("Global\\ComSpeedHigh"),
        Key("Global\\Current Directory"),
        Key("Recent File List\\Recent0"),
        Key("Recent File List\\Recent1"),
        Key("View Option\\FontSize Percentage"),
        Key("View Option\\Toolbar Visible"),
        Key("View Option\\Language"),
        Key("Window Position\\Left"),
        Key("Window Position\\Top"),
        Key("Window Position\\Width"),
        Key("Window Position\\Height"),
        Key("Window Position\\SplitterV"),
        Key("Setup\\Increment Id"),
        Key("Setup\\FreqEditable"),
        Key("Setup\\ModelType"),
    };
    EXPECT_EQ(store.WriteLog(), expected);
    EXPECT_EQ(store.ReadInt(Key("Global"), "ComPort"), 12);
    EXPECT_EQ(store.ReadString(Key("Global"), "Current Directory"), "/work");
    EXPECT_EQ(store.ReadString(Key("Recent File List"), "Recent0"), "/work/a.rcf");
    EXPECT_EQ(store.ReadInt(Key("Setup"), "ModelType"), 0);
}

TEST(indEnvironTest, SavedSettingsComeBackAtTheNextStart) {
    FakeLock lock(true);
    cmcMemoryKeyStore store;
    {
        indEnviron first(lock, store, kLockName, kKeyPath, kFullHd);
        first.fontSizePercent = 150;
        first.windowLeft = -30;
    }
    // An empty recent list still leaves its key behind, so the set is whole.
    indEnviron second(lock, store, kLockName, kKeyPath, kFullHd);
    EXPECT_EQ(second.fontSizePercent, 150);
    EXPECT_EQ(second.windowLeft, -30);
    EXPECT_EQ(second.recent.Count(), 1) << "the ten missing entries read as one empty text";
}

TEST(indEnvironTest, RecentValuesPastTheCountSurviveASave) {
    FakeLock lock(true);
    cmcMemoryKeyStore store;
    FillSaved(store);
    store.WriteString(Key("Recent File List"), "Recent1", "/r/f0.rcf");
    {
        indEnviron env(lock, store, kLockName, kKeyPath, kFullHd);
        EXPECT_EQ(env.recent.Count(), 9);
    }
    EXPECT_EQ(store.ReadString(Key("Recent File List"), "Recent8"), "/r/f9.rcf");
    EXPECT_EQ(store.ReadString(Key("Recent File List"), "Recent9"), "/r/f9.rcf");
}

TEST(indEnvironTest, AChangedStampAtExitSavesNothing) {
    FakeLock lock(true);
    cmcMemoryKeyStore store;
    {
        indEnviron env(lock, store, kLockName, kKeyPath, kFullHd);
        env.stamp = 1;
    }
    EXPECT_TRUE(store.WriteLog().empty());
    EXPECT_FALSE(lock.held);
}

TEST(indEnvironTest, ASecondInstanceNeitherReadsNorWritesTheStore) {
    FakeLock lock(false);
    SpyStore store;
    FillSaved(store);
    const size_t writesBefore = store.WriteLog().size();
    {
        indEnviron env(lock, store, kLockName, kKeyPath, kFullHd);
        EXPECT_FALSE(env.IsFirstInstance());
        EXPECT_EQ(Of(env), kDefaults);
        env.comPort = 9;
    }
    EXPECT_EQ(store.reads, 0);
    EXPECT_EQ(store.WriteLog().size(), writesBefore);
}

// The language came after the rest: a set saved without it is still whole.
TEST(indEnvironTest, LanguageIsKeptAndItsAbsenceKeepsTheOtherSettings) {
    struct Case {
        const char* what;
        bool present;
        int32_t stored;
        int32_t expected;
    };
    const Case cases[] = {
        {"absent", false, 0, 0},         {"english", true, 1, 1},          {"japanese", true, 0, 0},
        {"above the range", true, 7, 1}, {"below the range", true, -2, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FakeLock lock(true);
        cmcMemoryKeyStore store;
        FillSaved(store);
        if (c.present) {
            store.WriteInt(Key("View Option"), "Language", c.stored);
        }
        indEnviron env(lock, store, kLockName, kKeyPath, kFullHd);
        EXPECT_EQ(env.language, c.expected);
        EXPECT_EQ(env.comPort, 7) << "the rest of the set was read";
    }
}

TEST(indEnvironTest, LanguageComesBackAtTheNextStart) {
    FakeLock lock(true);
    cmcMemoryKeyStore store;
    {
        indEnviron first(lock, store, kLockName, kKeyPath, kFullHd);
        first.language = 1;
    }
    indEnviron second(lock, store, kLockName, kKeyPath, kFullHd);
    EXPECT_EQ(second.language, 1);
}
