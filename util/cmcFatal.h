#pragma once
#include <functional>
#include <string>

// Internal consistency failures: a description naming an unknown key, an
// image access out of range, a duplicate hash key. They are programming errors,
// never the user's; the process shows the text and ends with exit status 3.
enum class cmcFatalCaption {
    AppTitle,  // the application's title (text table failures)
    ExeName,   // the executable's file name (image and buffer failures)
};

// How the report is shown; the GUI installs a message box, the default writes
// to standard error. The shower returns; cmcFatal then ends the process.
using cmcFatalShower = std::function<void(cmcFatalCaption, const std::string& text)>;

void cmcSetFatalShower(cmcFatalShower shower);

[[noreturn]] void cmcFatal(cmcFatalCaption caption, const std::string& text);
