// batch TEMPLATE --radios RADIOS.csv [PORT...] [--log LOG.csv] [--wait S]:
// programs a fleet, one radio per port at a time, and logs every radio.
#include <csignal>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "app/indFleetBatch.h"
#include "app/indFleetObserver.h"
#include "files/FileErr.h"
#include "files/indFleetLog.h"
#include "files/indFleetRadios.h"
#include "runtime/cmcPollTimerHost.h"
#include "tools/cli/Cli.h"
#include "tools/cli/CliClone.h"
#include "tools/cli/CliDocHost.h"
#include "util/cmcStr.h"

namespace {

volatile std::sig_atomic_t g_interrupted = 0;

void OnInterrupt(int) {
    g_interrupted = 1;
}

std::string UtcNow() {
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    ::gmtime_r(&now, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text;
}

// The batch on a terminal: prompts and reports on standard error, one line
// per finished radio on standard output.
class CliFleetObserver : public indFleetObserver {
public:
    void EditReported(int32_t row, const indCellEdit& edit, indCellEdit::Outcome outcome) override {
        if (outcome == indCellEdit::Outcome::Refused) {
            CliPrintErr(cmcStr::Format("row %d: ", row) + edit.Source() + " '" + edit.Text() +
                        "' refused; the row is not written\n");
            return;
        }
        CliPrintErr(cmcStr::Format("row %d: ", row) + edit.Source() +
                    " adjusted, the radio gets '" + edit.ShownText() + "'\n");
    }
    void WaitingForRadio(int32_t row, const std::string& port) override {
        std::fprintf(stderr, "row %d: connect its radio to %s and switch it on (waiting)\n", row,
                     port.c_str());
    }
    void Programming(int32_t row, const std::string& port) override {
        std::fprintf(stderr, "row %d: %s answered; writing and verifying\n", row, port.c_str());
    }
    void Message(const std::string& port, const std::string& text) override {
        CliPrintErr((port.empty() ? std::string() : port + ": ") + text + "\n");
    }
    void RowDone(const indFleetLog::Entry& e) override {
        CliPrintOut(cmcStr::Format("row %d\t%s\t%s\t", e.row, e.port.c_str(), e.deviceId.c_str()) +
                    e.model + "\t" + e.revision + "\t" + e.result + "\t" + e.verification + "\n");
        std::fflush(stdout);
    }
};

indFleetStation::Port PortOf(int number, const std::string& device) {
    indFleetStation::Port port;
    port.number = number != 0 ? number : CliSelectedPort();
    port.name = device.empty() ? cmcStr::Format("COM%d", port.number) : device;
    port.port = CliMakePort(device);
    return port;
}

void PrintSummary(const indFleetBatch::Summary& s) {
    std::printf("verified %d, verified before %d, failed %d, not done %d\n", s.verified, s.skipped,
                s.failed, s.notDone);
}

}  // namespace

int CliBatch(const CliBatchArgs& args) {
    cmcEeprom image;
    if (CliOpenImage(args.templateFile, image) != FileErr::kNone) {
        return CliCloneExit::kFileRejected;
    }
    indFleetRadios radios;
    const std::string error = radios.Load(args.radios);
    if (!error.empty()) {
        std::fprintf(stderr, "mxr77c-cli: %s: %s\n", args.radios.c_str(), error.c_str());
        return CliCloneExit::kFileRejected;
    }
    indFleetLog log;
    if (!args.log.empty() && !log.Open(args.log)) {
        std::fprintf(stderr, "mxr77c-cli: %s is not a batch log\n", args.log.c_str());
        return CliCloneExit::kFileRejected;
    }
    CliDocHost choices(image);  // the choice lists the codecs read labels from
    cmcPollTimerHost host;
    cmcTimerHost::Scope scope(host);
    CliFleetObserver observer;
    indFleetStation::Timing timing;
    timing.waitLimitMs = static_cast<uint32_t>(args.waitSeconds) * 1000u;
    indFleetBatch batch(CliTable(), observer, log, UtcNow, timing);
    std::vector<indFleetStation::Port> ports;
    for (int number : args.ports) {
        ports.push_back(PortOf(number, ""));
    }
    for (const std::string& device : args.devices) {
        ports.push_back(PortOf(0, device));
    }
    if (ports.empty()) {
        ports.push_back(PortOf(0, ""));
    }
    for (indFleetStation::Port& port : ports) {
        if (!port.port) {
            std::fprintf(stderr, "mxr77c-cli: this build has no serial port support\n");
            return CliCloneExit::kNoPort;
        }
        batch.AddPort(std::move(port));
    }
    // Ctrl+C: the radios being written are finished, no other is started.
    std::signal(SIGINT, OnInterrupt);
    batch.Start(image, radios);
    host.RunUntil([&] {
        if (g_interrupted != 0) {
            batch.Stop();
        }
        return batch.Done();
    });
    std::signal(SIGINT, SIG_DFL);
    PrintSummary(batch.Result());
    return batch.AllVerified() ? 0 : CliCloneExit::kNotAllVerified;
}
