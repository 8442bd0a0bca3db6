// The application's command line: any arguments (the input's NUL-separated
// parts) set a port from 1 to 256 or leave it, a speed of 0 or 1, and at
// most one file, and never fail.
#include <cstdlib>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "app/indCommandLine.h"
#include "files/cmcInstanceLock.h"
#include "files/cmcMemoryKeyStore.h"
#include "files/indEnviron.h"

namespace {

class FirstInstance : public cmcInstanceLock {
public:
    bool Acquire(const std::string&) override { return true; }
    void Release() override {}
    bool AlertFirst() override { return false; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::CatchFatal();
    std::vector<std::string> args = {"/opt/mx/mxr77c"};
    std::string arg;
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            args.push_back(arg);
            arg.clear();
        } else {
            arg.push_back(static_cast<char>(data[i]));
        }
    }
    args.push_back(arg);
    FirstInstance lock;
    cmcMemoryKeyStore store;
    indEnviron settings{lock, store, "lock", "Software\\Fuzz", {1920, 1080}};
    settings.comPort = 4;
    settings.comSpeedHigh = 1;
    const indCommandLine line(
        args, args[0], "/home/user/radios",
        [](const std::string& path) { return path.size() % 2 == 0; }, settings);
    fuzz::Check(settings.comPort >= 1 && settings.comPort <= 256);
    fuzz::Check(settings.comSpeedHigh == 0 || settings.comSpeedHigh == 1);
    fuzz::Check(line.fileGiven || line.path.empty());
    fuzz::Check(!line.fileExists || line.fileGiven);
    return 0;
}
