// The settings as a damaged or foreign store holds them: each value the
// program reads may be missing, an integer of any size or a text, and keys
// may be missing. Loading ends with every setting in its range; a set that
// cannot be read whole gives the defaults; one that can is saved and loads
// again to the same settings. (After the defaults, recent files saved past
// the list's end stay in the store and come back: that is how the list is
// kept, so no round trip is asked of them.)
#include <cstdlib>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "files/cmcInstanceLock.h"
#include "files/cmcMemoryKeyStore.h"
#include "files/indEnviron.h"

namespace {

constexpr char kPath[] = "Software\\Fuzz\\MX-R77C";
constexpr indScreenSize kScreen{1280, 800};

class FirstInstance : public cmcInstanceLock {
public:
    bool Acquire(const std::string&) override { return true; }
    void Release() override {}
    bool AlertFirst() override { return false; }
};

struct Value {
    const char* key;
    const char* name;
};

const Value kValues[] = {
    {"Global", "BBT"},
    {"Global", "ComPort"},
    {"Global", "ComSpeedHigh"},
    {"Global", "Current Directory"},
    {"Recent File List", "Recent0"},
    {"Recent File List", "Recent9"},
    {"View Option", "FontSize Percentage"},
    {"View Option", "Toolbar Visible"},
    {"View Option", "Language"},
    {"Window Position", "Left"},
    {"Window Position", "Top"},
    {"Window Position", "Width"},
    {"Window Position", "Height"},
    {"Window Position", "SplitterV"},
    {"Setup", "Increment Id"},
    {"Setup", "FreqEditable"},
    {"Setup", "ModelType"},
};

// A store as a good save leaves it, then changed value by value as the
// input says.
void Fill(cmcMemoryKeyStore& store, fuzz::Input& input) {
    {
        FirstInstance lock;
        indEnviron good(lock, store, "lock", kPath, kScreen);
    }
    while (!input.Empty()) {
        const Value& value = kValues[input.Byte() % std::size(kValues)];
        const std::string key = std::string(kPath) + "\\" + value.key;
        switch (input.Byte() % 4) {
            case 0:
                store.RemoveValue(key, value.name);
                break;
            case 1:
                store.RemoveKey(key);
                break;
            case 2: {
                uint32_t n = input.Number(0) << 16 | input.Number(0);
                store.WriteInt(key, value.name, static_cast<int32_t>(n));
                break;
            }
            default:
                store.WriteString(key, value.name, input.Text(300));
                break;
        }
    }
}

struct Snapshot {
    std::vector<int32_t> numbers;
    std::vector<std::string> texts;
    bool operator==(const Snapshot&) const = default;
};

Snapshot Take(indEnviron& s) {
    Snapshot shot{{s.stamp, s.fontSizePercent, s.toolbarVisible, s.comPort, s.comSpeedHigh,
                   s.windowLeft, s.windowTop, s.windowWidth, s.windowHeight, s.splitterV,
                   s.incrementId, s.freqEditable, s.language},
                  {s.currentDirectory}};
    for (int32_t i = 0; i < indEnviron::kRecentCapacity; ++i) {
        shot.texts.push_back(s.recent.Get(i, ""));
    }
    return shot;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::CatchFatal();
    fuzz::Input input(data, size);
    cmcMemoryKeyStore store;
    Fill(store, input);
    Snapshot first;
    Snapshot defaults;
    {
        FirstInstance lock;
        indEnviron settings(lock, store, "lock", kPath, kScreen);
        fuzz::Check(settings.stamp == indEnviron::kStamp);
        fuzz::Check(settings.comPort >= 1 && settings.comPort <= 256);
        fuzz::Check(settings.comSpeedHigh == 0 || settings.comSpeedHigh == 1);
        fuzz::Check(settings.fontSizePercent >= 25 && settings.fontSizePercent <= 1000);
        fuzz::Check(settings.toolbarVisible == 0 || settings.toolbarVisible == 1);
        fuzz::Check(settings.language == 0 || settings.language == 1);
        fuzz::Check(settings.windowWidth <= kScreen.width &&
                    settings.windowHeight <= kScreen.height);
        first = Take(settings);
        settings.SetDefaults();
        defaults = Take(settings);
        // Saved as loaded, not as the defaults just taken.
        settings.LoadSettings();
    }
    // Settings other than the defaults were read whole: saved, they load the same.
    if (!(first == defaults)) {
        FirstInstance lock;
        indEnviron again(lock, store, "lock", kPath, kScreen);
        fuzz::Check(Take(again) == first);
    }
    return 0;
}
