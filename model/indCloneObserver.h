#pragma once
#include <string>

// What the clone manager asks of the window side: the progress window, the
// error report and the main window's input. The application shows windows;
// the command-line tool draws a bar on a terminal; tests record the calls.
class indCloneObserver {
public:
    virtual ~indCloneObserver() = default;
    // A read, write or search started: show the window with this caption.
    virtual void ShowProgress(const std::string& caption) = 0;
    // Segments filled out of 32 (k runs 0..33 as the job advances).
    virtual void UpdateProgress(int filled) = 0;
    virtual void HideProgress() = 0;
    // Keeps the user from starting other commands while the radio talks.
    virtual void EnableMainWindow(bool enable) = 0;
    // A failure; text and caption are code page 932, shown with the stop icon.
    virtual void ShowReport(const std::string& text, const std::string& caption) = 0;
};
