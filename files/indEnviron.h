#pragma once
#include <cstdint>
#include <string>

#include "files/cmcRecent.h"

class cmcInstanceLock;
class cmcKeyStore;

// Pixel size of the primary screen, as the window defaults and the screen
// test need it; the platform measures it.
struct indScreenSize {
    int32_t width;
    int32_t height;
};

// The user's settings for the whole run. The first instance loads them at
// construction and saves them at destruction; a second instance holds
// defaults in memory and never touches the store.
class indEnviron {
public:
    // Settings written under a different stamp are from another format.
    static constexpr int32_t kStamp = 753951;
    static constexpr int32_t kRecentCapacity = 10;

    // The store and the lock must outlive this object: it saves into the one
    // and releases the other when destroyed.
    indEnviron(cmcInstanceLock& lock, cmcKeyStore& store, std::string lockName, std::string keyPath,
               indScreenSize screen);
    ~indEnviron();
    indEnviron(const indEnviron&) = delete;
    indEnviron& operator=(const indEnviron&) = delete;

    bool IsFirstInstance() const { return m_firstInstance; }

    void SetDefaults();
    // False when a value was missing or of the wrong type; every setting is at
    // its default then.
    bool LoadSettings();
    // False when the store refused a write.
    bool SaveSettings();

    cmcRecent recent{kRecentCapacity};
    int32_t stamp = kStamp;
    int32_t fontSizePercent = 100;
    int32_t toolbarVisible = 1;
    int32_t comPort = 1;
    int32_t comSpeedHigh = 1;
    std::string currentDirectory;
    int32_t windowLeft = 0;
    int32_t windowTop = 0;
    int32_t windowWidth = 0;
    int32_t windowHeight = 0;
    int32_t splitterV = 200;
    int32_t modelType = 0;
    int32_t incrementId = 0;
    int32_t freqEditable = 0;
    // The language of the texts the user sees: 0 Japanese, 1 English.
    int32_t language = 0;

private:
    bool ReadAll();
    void ReadRecent(const std::string& key);
    void FitWindowToScreen();
    void SetWindowDefaults();
    std::string SubKey(const char* name) const;

    cmcInstanceLock& m_lock;
    cmcKeyStore& m_store;
    std::string m_keyPath;
    indScreenSize m_screen;
    bool m_firstInstance = false;
};
