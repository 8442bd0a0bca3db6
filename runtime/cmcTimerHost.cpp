#include "runtime/cmcTimerHost.h"

#include "util/cmcFatal.h"

namespace {

cmcTimerHost*& CurrentHost() {
    static cmcTimerHost* host = nullptr;
    return host;
}

}  // namespace

cmcTimerHost& cmcTimerHost::Current() {
    if (CurrentHost() == nullptr) {
        cmcFatal(cmcFatalCaption::ExeName, "No timer host !");
    }
    return *CurrentHost();
}

bool cmcTimerHost::HasCurrent() {
    return CurrentHost() != nullptr;
}

cmcTimerHost* cmcTimerHost::SetCurrent(cmcTimerHost* host) {
    cmcTimerHost* previous = CurrentHost();
    CurrentHost() = host;
    return previous;
}

int cmcTimerHost::WatchReadable(int, Callback) {
    return 0;
}

void cmcTimerHost::StopWatch(int) {}
