#include "files/indEnviron.h"

#include <algorithm>
#include <utility>

#include "files/cmcInstanceLock.h"
#include "files/cmcKeyStore.h"

namespace {

constexpr int32_t kDefaultSplitter = 200;

int32_t AsIs(int32_t value) {
    return value;
}
int32_t AsFlag(int32_t value) {
    return value != 0 ? 1 : 0;
}
int32_t AsComPort(int32_t value) {
    return std::clamp(value, 1, 256);
}
int32_t AsSpeed(int32_t value) {
    return std::clamp(value, 0, 1);
}
int32_t AsFontSize(int32_t value) {
    return std::clamp(value, 25, 1000);
}
int32_t AsLanguage(int32_t value) {
    return std::clamp(value, 0, 1);
}

enum class Kind {
    Integer,      // must be present and an integer; normalised on load
    Text,         // reads as empty when it cannot be read
    RecentList,   // Recent0 ... Recent9
    WrittenOnly,  // saved for other readers, never loaded
    // Added after the first release: settings saved before it lack it, and
    // a missing value must not discard the rest of them.
    OptionalInteger,
};

struct Setting {
    const char* key;
    const char* name;
    Kind kind;
    int32_t indEnviron::*integer;
    int32_t (*normalize)(int32_t);
    std::string indEnviron::*text;
};

constexpr Setting Int(const char* key, const char* name, int32_t indEnviron::*field,
                      int32_t (*normalize)(int32_t) = AsIs) {
    return {key, name, Kind::Integer, field, normalize, nullptr};
}

// Loading and saving both walk this table, so they agree on keys and order.
const Setting kSettings[] = {
    Int("Global", "BBT", &indEnviron::stamp),
    Int("Global", "ComPort", &indEnviron::comPort, AsComPort),
    Int("Global", "ComSpeedHigh", &indEnviron::comSpeedHigh, AsSpeed),
    {"Global", "Current Directory", Kind::Text, nullptr, nullptr, &indEnviron::currentDirectory},
    {"Recent File List", nullptr, Kind::RecentList, nullptr, nullptr, nullptr},
    Int("View Option", "FontSize Percentage", &indEnviron::fontSizePercent, AsFontSize),
    Int("View Option", "Toolbar Visible", &indEnviron::toolbarVisible, AsFlag),
    {"View Option", "Language", Kind::OptionalInteger, &indEnviron::language, AsLanguage, nullptr},
    Int("Window Position", "Left", &indEnviron::windowLeft),
    Int("Window Position", "Top", &indEnviron::windowTop),
    Int("Window Position", "Width", &indEnviron::windowWidth),
    Int("Window Position", "Height", &indEnviron::windowHeight),
    Int("Window Position", "SplitterV", &indEnviron::splitterV),
    Int("Setup", "Increment Id", &indEnviron::incrementId, AsFlag),
    Int("Setup", "FreqEditable", &indEnviron::freqEditable, AsFlag),
    {"Setup", "ModelType", Kind::WrittenOnly, &indEnviron::modelType, nullptr, nullptr},
};

std::string RecentName(int32_t index) {
    return "Recent" + std::to_string(index);
}

// Fractions of the screen in integers, truncated toward zero.
int32_t Scale(int32_t value, int32_t tenths) {
    return static_cast<int32_t>(static_cast<int64_t>(value) * tenths / 10);
}

}  // namespace

indEnviron::indEnviron(cmcInstanceLock& lock, cmcKeyStore& store, std::string lockName,
                       std::string keyPath, indScreenSize screen)
    : m_lock(lock), m_store(store), m_keyPath(std::move(keyPath)), m_screen(screen) {
    // Defaults first, so a second instance, which must not read the store,
    // still holds sound values.
    SetDefaults();
    m_firstInstance = m_lock.Acquire(lockName);
    if (!m_firstInstance) {
        return;
    }
    LoadSettings();
    if (stamp != kStamp) {
        SetDefaults();
    }
}

indEnviron::~indEnviron() {
    if (m_firstInstance && stamp == kStamp) {
        SaveSettings();
    }
    m_lock.Release();
}

void indEnviron::SetDefaults() {
    recent.Clear();
    stamp = kStamp;
    fontSizePercent = 100;
    toolbarVisible = 1;
    comPort = 1;
    comSpeedHigh = 1;
    currentDirectory.clear();
    SetWindowDefaults();
    modelType = 0;
    incrementId = 0;
    freqEditable = 0;
    language = 0;
}

bool indEnviron::LoadSettings() {
    if (!ReadAll()) {
        // Half a set is worse than none: what was read before the failure
        // goes too.
        SetDefaults();
        return false;
    }
    FitWindowToScreen();
    modelType = 0;
    return true;
}

bool indEnviron::ReadAll() {
    std::string opened;
    for (const Setting& setting : kSettings) {
        const std::string key = SubKey(setting.key);
        if (key != opened) {
            if (!m_store.CanOpen(key)) {
                return false;
            }
            opened = key;
        }
        switch (setting.kind) {
            case Kind::Integer: {
                std::optional<int32_t> value = m_store.ReadInt(key, setting.name);
                if (!value) {
                    return false;
                }
                this->*setting.integer = setting.normalize(*value);
                break;
            }
            case Kind::OptionalInteger:
                if (std::optional<int32_t> value = m_store.ReadInt(key, setting.name)) {
                    this->*setting.integer = setting.normalize(*value);
                }
                break;
            case Kind::Text:
                this->*setting.text = m_store.ReadString(key, setting.name).value_or("");
                break;
            case Kind::RecentList:
                ReadRecent(key);
                break;
            case Kind::WrittenOnly:
                break;
        }
    }
    return true;
}

// A missing entry reads as an empty text and is listed like any other.
void indEnviron::ReadRecent(const std::string& key) {
    // A reload replaces the list rather than merging into it.
    recent.Clear();
    for (int32_t i = 0; i < kRecentCapacity; ++i) {
        recent.AddLast(m_store.ReadString(key, RecentName(i)).value_or(""));
    }
}

// Only the far edges are tested: a window partly off the left or top of the
// screen can still be reached, one beyond the right or bottom may not be.
void indEnviron::FitWindowToScreen() {
    if (windowLeft > m_screen.width || windowTop > m_screen.height ||
        windowWidth > m_screen.width || windowHeight > m_screen.height) {
        SetWindowDefaults();
    }
}

void indEnviron::SetWindowDefaults() {
    windowWidth = std::min(Scale(m_screen.width, 9), 800);
    windowHeight = std::min(Scale(m_screen.height, 9), 600);
    windowLeft = (m_screen.width - windowWidth) / 2;
    windowTop = Scale(m_screen.height - windowHeight, 3);
    splitterV = kDefaultSplitter;
}

bool indEnviron::SaveSettings() {
    modelType = 0;
    bool ok = true;
    std::string created;
    for (const Setting& setting : kSettings) {
        const std::string key = SubKey(setting.key);
        if (key != created) {
            ok = m_store.CreateKey(key) && ok;
            created = key;
        }
        switch (setting.kind) {
            case Kind::Integer:
            case Kind::WrittenOnly:
            case Kind::OptionalInteger:
                ok = m_store.WriteInt(key, setting.name, this->*setting.integer) && ok;
                break;
            case Kind::Text:
                ok = m_store.WriteString(key, setting.name, this->*setting.text) && ok;
                break;
            case Kind::RecentList:
                // Values past the count stay in the store; loading reads them
                // back.
                for (int32_t i = 0; i < recent.Count(); ++i) {
                    ok = m_store.WriteString(key, RecentName(i), recent.Get(i, "")) && ok;
                }
                break;
        }
    }
    return m_store.Flush() && ok;
}

std::string indEnviron::SubKey(const char* name) const {
    return m_keyPath + "\\" + name;
}
