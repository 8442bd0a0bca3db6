#include "files/indEnviron.h"

#include <algorithm>
#include <utility>

#include "files/cmcInstanceLock.h"
#include "files/cmcKeyStore.h"

namespace {

constexpr int32_t kDefaultSplitter = 200;

bool ReadInt(const cmcKeyStore& store, const std::string& key, const char* name, int32_t& out) {
    std::optional<int32_t> value = store.ReadInt(key, name);
    if (!value) {
        return false;
    }
    out = *value;
    return true;
}

// A text that cannot be read counts as empty; only integers are strict.
std::string ReadText(const cmcKeyStore& store, const std::string& key, const std::string& name) {
    return store.ReadString(key, name).value_or("");
}

int32_t AsFlag(int32_t value) {
    return value != 0 ? 1 : 0;
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
    return ReadGlobal() && ReadRecent() && ReadViewOption() && ReadWindowPosition() && ReadSetup();
}

bool indEnviron::ReadGlobal() {
    const std::string key = SubKey("Global");
    if (!m_store.CanOpen(key) || !ReadInt(m_store, key, "BBT", stamp) ||
        !ReadInt(m_store, key, "ComPort", comPort) ||
        !ReadInt(m_store, key, "ComSpeedHigh", comSpeedHigh)) {
        return false;
    }
    comPort = std::clamp(comPort, 1, 256);
    comSpeedHigh = std::clamp(comSpeedHigh, 0, 1);
    currentDirectory = ReadText(m_store, key, "Current Directory");
    return true;
}

bool indEnviron::ReadRecent() {
    const std::string key = SubKey("Recent File List");
    if (!m_store.CanOpen(key)) {
        return false;
    }
    // A reload replaces the list rather than merging into it.
    recent.Clear();
    for (int32_t i = 0; i < kRecentCapacity; ++i) {
        recent.AddLast(ReadText(m_store, key, "Recent" + std::to_string(i)));
    }
    return true;
}

bool indEnviron::ReadViewOption() {
    const std::string key = SubKey("View Option");
    if (!m_store.CanOpen(key) || !ReadInt(m_store, key, "FontSize Percentage", fontSizePercent) ||
        !ReadInt(m_store, key, "Toolbar Visible", toolbarVisible)) {
        return false;
    }
    fontSizePercent = std::clamp(fontSizePercent, 25, 1000);
    toolbarVisible = AsFlag(toolbarVisible);
    return true;
}

bool indEnviron::ReadWindowPosition() {
    const std::string key = SubKey("Window Position");
    return m_store.CanOpen(key) && ReadInt(m_store, key, "Left", windowLeft) &&
           ReadInt(m_store, key, "Top", windowTop) && ReadInt(m_store, key, "Width", windowWidth) &&
           ReadInt(m_store, key, "Height", windowHeight) &&
           ReadInt(m_store, key, "SplitterV", splitterV);
}

bool indEnviron::ReadSetup() {
    const std::string key = SubKey("Setup");
    if (!m_store.CanOpen(key) || !ReadInt(m_store, key, "Increment Id", incrementId) ||
        !ReadInt(m_store, key, "FreqEditable", freqEditable)) {
        return false;
    }
    incrementId = AsFlag(incrementId);
    freqEditable = AsFlag(freqEditable);
    return true;
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
    auto key = [&](const char* name) {
        std::string path = SubKey(name);
        ok = m_store.CreateKey(path) && ok;
        return path;
    };
    auto integer = [&](const std::string& path, const char* name, int32_t value) {
        ok = m_store.WriteInt(path, name, value) && ok;
    };
    auto text = [&](const std::string& path, const std::string& name, const std::string& value) {
        ok = m_store.WriteString(path, name, value) && ok;
    };

    const std::string global = key("Global");
    integer(global, "BBT", stamp);
    integer(global, "ComPort", comPort);
    integer(global, "ComSpeedHigh", comSpeedHigh);
    text(global, "Current Directory", currentDirectory);

    // Values past the count stay in the store; loading reads them back.
    const std::string recentKey = key("Recent File List");
    for (int32_t i = 0; i < recent.Count(); ++i) {
        text(recentKey, "Recent" + std::to_string(i), recent.Get(i, ""));
    }

    const std::string view = key("View Option");
    integer(view, "FontSize Percentage", fontSizePercent);
    integer(view, "Toolbar Visible", toolbarVisible);

    const std::string window = key("Window Position");
    integer(window, "Left", windowLeft);
    integer(window, "Top", windowTop);
    integer(window, "Width", windowWidth);
    integer(window, "Height", windowHeight);
    integer(window, "SplitterV", splitterV);

    const std::string setup = key("Setup");
    integer(setup, "Increment Id", incrementId);
    integer(setup, "FreqEditable", freqEditable);
    integer(setup, "ModelType", modelType);

    return m_store.Flush() && ok;
}

std::string indEnviron::SubKey(const char* name) const {
    return m_keyPath + "\\" + name;
}
