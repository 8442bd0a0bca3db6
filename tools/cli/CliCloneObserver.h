#pragma once
#include "model/indCloneObserver.h"

// The clone manager's windows as a terminal shows them: a bar on standard
// error while it is a terminal, and the report's text in UTF-8.
class CliCloneObserver : public indCloneObserver {
public:
    void ShowProgress(const std::string& caption) override;
    void UpdateProgress(int filled) override;
    void HideProgress() override;
    void EnableMainWindow(bool) override {}
    void ShowReport(const std::string& text, const std::string& caption) override;

private:
    bool m_bar = false;
};
