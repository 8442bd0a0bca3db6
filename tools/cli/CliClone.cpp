// info, read, write, memwrite and search: the clone jobs of the application,
// run against a radio on a serial port. The command itself is the
// confirmation; the exit status is the clone result code.
#include "tools/cli/CliClone.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <functional>
#include <optional>

#include "files/FileErr.h"
#include "files/indImageFile.h"
#include "files/indSettingsPlace.h"
#include "link/cmcPortMap.h"
#include "model/indActiveCell.h"
#include "model/indCloneFlow.h"
#include "model/indCloneMan.h"
#include "model/indImageDiff.h"
#include "model/indModelRules.h"
#include "model/indWarningCheck.h"
#include "runtime/cmcPollTimerHost.h"
#include "text/cmcGTex.h"
#include "tools/cli/Cli.h"
#include "tools/cli/CliCloneObserver.h"
#include "tools/cli/CliDocHost.h"
#include "tools/cli/CliPrompt.h"
#include "tools/cli/CliSettings.h"

namespace {

constexpr int kDefaultPort = 1;  // the settings' default selected port
constexpr int kLastPort = 256;

// One clone job with its manager, run on a small event loop that sleeps
// until the port has bytes or a timer falls due.
class CloneSession {
public:
    explicit CloneSession(const CliPortArgs& args) : m_scope(m_host) {
        std::unique_ptr<cmcSerialPort> port = CliMakePort(args.device);
        if (!port) {
            return;
        }
        m_man = std::make_unique<indCloneMan>(std::move(port), CliTable(), m_observer);
        // This radio's driver settings, as the model controller sets them.
        m_man->SetEchoCheck(false);
        m_man->SetBlockSize(64);
        m_man->SetSpeedSelector(0);
        m_man->SetFixedSpeed(true);
        m_man->SetImageSize(indModelRules::kImageSize);
        m_man->SetSelectedPort(args.port != 0 ? args.port : CliSelectedPort());
        m_flow = std::make_unique<indCloneFlow>(*m_man, CliTable(), m_prompt);
        m_flow->InstallChecks();
    }
    bool HasPort() const { return m_flow != nullptr; }
    indCloneFlow& Flow() { return *m_flow; }
    indCloneMan& Manager() { return *m_man; }
    indCloneFlow::Done Keep() {
        return [this](int32_t result) { m_result = result; };
    }

    // Runs until the job reports; the job's own time-outs bound the wait.
    int Run(bool started) {
        if (!started) {
            return indCloneFlow::kBusy;
        }
        m_host.RunUntil([this] { return m_result.has_value(); });
        // A job always reports; should it fall silent, it failed.
        return m_result.value_or(indCloneFlow::kBusy);
    }

private:
    cmcPollTimerHost m_host;
    cmcTimerHost::Scope m_scope;
    CliCloneObserver m_observer;
    CliPrompt m_prompt;
    std::unique_ptr<indCloneMan> m_man;
    std::unique_ptr<indCloneFlow> m_flow;
    std::optional<int32_t> m_result;
};

// The clone result of a port that would not open.
constexpr int kPortOpenFailed = 2;

// A port that failed because the user may not open it is the most common
// trouble on Linux; say so, since the result code alone cannot.
void HintAtPermission(const CliPortArgs& parsed) {
    const std::string path =
        !parsed.device.empty()
            ? parsed.device
            : cmcPortMap::Process().DevicePath(parsed.port != 0 ? parsed.port : CliSelectedPort());
    if (!path.empty() && ::access(path.c_str(), R_OK | W_OK) != 0 && errno == EACCES) {
        std::fprintf(stderr,
                     "mxr77c-cli: no permission to open %s; add your user to the group that owns "
                     "it (often 'dialout') and log in again\n",
                     path.c_str());
    }
}

// Opens a session on the port and runs the job in it.
int InSession(const CliPortArgs& parsed, const std::function<int(CloneSession&)>& job) {
    CloneSession session(parsed);
    if (!session.HasPort()) {
        std::fprintf(stderr, "mxr77c-cli: this build has no serial port support\n");
        return CliCloneExit::kNoPort;
    }
    const int status = job(session);
    if (status == kPortOpenFailed) {
        HintAtPermission(parsed);
    }
    return status;
}

// A refusal of the flows gets the tool's own status, a clone result its code.
int ExitStatus(int32_t result) {
    switch (result) {
        case indCloneFlow::kDataErrors:
            return CliCloneExit::kDataErrors;
        case indCloneFlow::kOtherExtraCode:
            return CliCloneExit::kOtherExtraCode;
        default:
            return result;
    }
}

int WriteCommand(const std::string& file, const CliPortArgs& port, bool memoryOnly) {
    cmcEeprom image;
    if (CliOpenImage(file, image) != FileErr::kNone) {
        return CliCloneExit::kFileRejected;
    }
    // The data-check gate asks the same checks the sheets mark, over the
    // image about to be written.
    CliDocHost host(image);
    const cmcCellLink link = indActiveCell::LinkFor(host);
    return InSession(port, [&](CloneSession& session) {
        session.Flow().SetErrorCount(
            [&] { return indWarningCheck::Run(CliTable(), indActiveCell::Names(), link).errors; });
        return ExitStatus(
            session.Run(session.Flow().StartCloneWrite(image, memoryOnly, session.Keep())));
    });
}

}  // namespace

int CliSelectedPort() {
    const std::optional<int32_t> stored =
        CliKeyStore().ReadInt(indSettingsPlace::kGlobalGroup, "ComPort");
    return stored && *stored >= 1 && *stored <= kLastPort ? *stored : kDefaultPort;
}

int CliInfo(const CliPortArgs& port) {
    return InSession(port, [](CloneSession& session) {
        const int result = session.Run(session.Flow().StartRadioInfo(session.Keep()));
        if (result == 0) {
            CliPrintOut(session.Flow().ModelNameText() + "\n" + session.Flow().RevisionText() +
                        "\n");
        }
        return ExitStatus(result);
    });
}

int CliRead(const std::string& out, const CliPortArgs& port) {
    return InSession(port, [&](CloneSession& session) {
        cmcEeprom image;
        const int result = session.Run(session.Flow().StartCloneRead(image, session.Keep()));
        if (result != 0) {
            return ExitStatus(result);
        }
        // Nothing is written unless the whole read succeeded.
        CliPrompt prompt;
        indImageFile files(CliTable(), &prompt);
        return files.Save(out, image) == FileErr::kNone ? 0 : CliCloneExit::kFileRejected;
    });
}

int CliWrite(const std::string& file, const CliPortArgs& port) {
    return WriteCommand(file, port, false);
}

int CliMemWrite(const std::string& file, const CliPortArgs& port) {
    return WriteCommand(file, port, true);
}

int CliVerify(const std::string& path, const CliPortArgs& port) {
    cmcEeprom file;
    if (CliOpenImage(path, file) != FileErr::kNone) {
        return CliCloneExit::kFileRejected;
    }
    return InSession(port, [&](CloneSession& session) {
        cmcEeprom radio;
        const int result = session.Run(session.Flow().StartCloneRead(radio, session.Keep()));
        if (result != 0) {
            return ExitStatus(result);
        }
        if (indImageDiff::WrittenDifferences(file, radio).empty()) {
            return 0;
        }
        CliDocHost choices(radio);  // the choice lists the codecs read labels from
        const cmcEeprom expected = indImageDiff::ExpectedAfterWrite(file, radio);
        CliPrintDifferences(indImageDiff(CliTable()).Compare(expected, radio), false);
        return CliCloneExit::kDiffers;
    });
}

int CliSearch() {
    // Every port that opens is a candidate: a port of the user's makes no sense.
    return InSession(CliPortArgs{}, [](CloneSession& session) {
        const int result = session.Run(session.Flow().StartSearch(CliScanPorts(), session.Keep()));
        if (result == 0) {
            std::printf("%d\n", session.Manager().SelectedPort());
            CliKeyStore().WriteInt(indSettingsPlace::kGlobalGroup, "ComPort",
                                   session.Manager().SelectedPort());
        }
        return ExitStatus(result);
    });
}
