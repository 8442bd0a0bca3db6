#include "tools/cli/CliCloneObserver.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "tools/cli/Cli.h"

namespace {

constexpr int kSegments = 32;

}  // namespace

void CliCloneObserver::ShowProgress(const std::string& caption) {
    m_bar = ::isatty(STDERR_FILENO) == 1;
    if (m_bar) {
        CliPrintErr(caption + "\n");
    }
}

void CliCloneObserver::UpdateProgress(int filled) {
    if (!m_bar) {
        return;
    }
    const int k = std::clamp(filled, 0, kSegments);
    std::fprintf(stderr, "\r[%s%s]", std::string(static_cast<size_t>(k), '#').c_str(),
                 std::string(static_cast<size_t>(kSegments - k), '.').c_str());
    std::fflush(stderr);
}

void CliCloneObserver::HideProgress() {
    if (m_bar) {
        std::fputs("\n", stderr);
    }
    m_bar = false;
}

void CliCloneObserver::ShowReport(const std::string& text, const std::string&) {
    CliPrintErr(text + "\n");
}
