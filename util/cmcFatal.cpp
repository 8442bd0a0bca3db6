#include "util/cmcFatal.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace {

cmcFatalShower& Shower() {
    static cmcFatalShower shower;
    return shower;
}

}  // namespace

void cmcSetFatalShower(cmcFatalShower shower) { Shower() = std::move(shower); }

void cmcFatal(cmcFatalCaption caption, const std::string& text) {
    if (Shower()) {
        Shower()(caption, text);
    } else {
        std::fprintf(stderr, "%s\n", text.c_str());
        std::fflush(stderr);
    }
    // Abnormal termination without running destructors: the state that led
    // here is not to be trusted, and settings must not be saved from it.
    std::_Exit(3);
}
