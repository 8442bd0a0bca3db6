#pragma once
#include <QPointer>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "model/indCloneFlow.h"
#include "model/indCloneMan.h"
#include "model/indCloneObserver.h"

class QWidget;
class cmcEeprom;
class cmcSerialPort;
class cuiProgress;
class indDocHost;
class indEnviron;

// The radio commands of the application: clone read, clone write and memory
// write, radio information, the port dialog and the port search. It owns the
// clone manager and this radio's clone flows and shows what they report with
// the application's windows: the progress window, the error report and the
// main window's input. The main controller decides what a finished read does
// to the document.
class cuiRadioCommands : public indCloneObserver {
public:
    // A confirmation answered with Cancel; nothing was sent.
    static constexpr int32_t kCancelled = 30;
    // Result 0 on success; otherwise a clone result code, a refusal of the
    // flows (indCloneFlow::Refusal) or kCancelled.
    using Done = indCloneFlow::Done;
    // The port numbers a search probes, ascending.
    using Scanner = std::function<std::vector<int32_t>()>;

    // The windows are owned by mainWindow; the host gives the table, the
    // events, the prompt and the document the information sheet reads. The
    // port is the radio's; without one, the serial device of the selected
    // port number. Everything given must outlive this object.
    cuiRadioCommands(QWidget& mainWindow, indDocHost& host, indEnviron& settings,
                     std::unique_ptr<cmcSerialPort> port = nullptr);
    ~cuiRadioCommands() override;
    cuiRadioCommands(const cuiRadioCommands&) = delete;
    cuiRadioCommands& operator=(const cuiRadioCommands&) = delete;

    // Called with false when a job starts and true when it ends; without one
    // the main window is disabled and enabled directly.
    std::function<void(bool enable)> enableMainWindow;
    // Counts the errors of the warning check: the data-check gate of writes.
    void SetErrorCount(indCloneFlow::ErrorCount count);
    // The candidates of a search; by default every port number that opens.
    void SetScanner(Scanner scanner) { m_scanner = std::move(scanner); }

    // Each returns false when nothing started (a job is running) and then
    // never calls done; otherwise done runs once when the command ends.
    // A successful read leaves the received image, after the load rules, in
    // current.
    bool Read(cmcEeprom& current, Done done);
    // confirm: ask before writing (false for the write-after-open switch).
    bool Write(cmcEeprom& current, bool memoryOnly, bool confirm, Done done);
    // Opens the radio information window when the radio identifies itself.
    bool RadioInfo(Done done = {});
    // The port dialog, variant 0 (typed), 1 (system ports) or 2 (named);
    // true when OK stored a port.
    bool PortDialog(int32_t variant);
    bool Search(Done done = {});
    bool IsBusy() const { return m_manager.IsBusy(); }

    // The last accepted identification, for the information sheet.
    uint16_t RadioModelCode() const { return m_flow.RadioModelCode(); }
    uint16_t RadioExtraCode() const { return m_flow.RadioExtraCode(); }
    const std::array<uint8_t, indCloneFlow::kInfoBytes>& RadioInformation() const {
        return m_flow.RadioInformation();
    }

    // indCloneObserver
    void ShowProgress(const std::string& caption) override;
    void UpdateProgress(int filled) override;
    void HideProgress() override;
    void EnableMainWindow(bool enable) override;
    void ShowReport(const std::string& text, const std::string& caption) override;

private:
    // The settings may have changed the port since the last job.
    void UseSelectedPort();
    bool Confirmed(bool memoryOnly);
    void ShowInformation();
    static std::vector<int32_t> ScanPorts();

    QWidget& m_mainWindow;
    indDocHost& m_host;
    indEnviron& m_settings;
    indCloneMan m_manager;
    indCloneFlow m_flow;
    indCloneFlow::ErrorCount m_errorCount;
    Scanner m_scanner;
    QPointer<cuiProgress> m_progress;
};
