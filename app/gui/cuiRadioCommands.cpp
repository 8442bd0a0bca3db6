#include "app/gui/cuiRadioCommands.h"

#include <QWidget>
#include <utility>

#include "runtime/cmcEvMan.h"
#include "app/cmcPortChoice.h"
#include "runtime/cmcPrompt.h"
#include "app/gui/cmcQtText.h"
#include "app/gui/cuiInformation.h"
#include "app/gui/cuiPortSelect.h"
#include "app/gui/cuiProgress.h"
#include "files/indEnviron.h"
#include "link/cmcComm.h"
#include "link/cmcPortList.h"
#include "link/cmcPortMap.h"
#include "model/indDocHost.h"
#include "model/indModelRules.h"
#include "text/cmcGTex.h"

namespace {

constexpr uint32_t kEvCommitEdit = 21;
const char kTitleKey[] = "GI_Sys_AppTitle";
const char kInfoSheet[] = "GI_Sheet_CloneInfo";

std::unique_ptr<cmcSerialPort> PortOrDevice(std::unique_ptr<cmcSerialPort> port) {
    return port ? std::move(port) : std::make_unique<cmcComm>();
}

// The flows call their callback unconditionally.
cuiRadioCommands::Done OrNothing(cuiRadioCommands::Done done) {
    return done ? std::move(done) : [](int32_t) {};
}

QStringList ToQt(const std::vector<std::string>& texts) {
    QStringList list;
    for (const std::string& text : texts) {
        // Numbers and the names the system gives its devices: file-system bytes.
        list << cmcQtText::FromPath(text);
    }
    return list;
}

cuiPortSelect::Lister ListerFor(cmcPortChoice::Variant variant) {
    switch (variant) {
        case cmcPortChoice::Variant::Registry:
            return [] { return ToQt(cmcPortList::ListRegistryPorts(cmcPortMap::Process())); };
        case cmcPortChoice::Variant::Named:
            return [] {
                const cmcPortMap& map = cmcPortMap::Process();
                return ToQt(cmcPortList::ListNamedPorts(cmcPortList::ListDevicePorts(map), map));
            };
        case cmcPortChoice::Variant::Typed:
            break;
    }
    return {};
}

}  // namespace

cuiRadioCommands::cuiRadioCommands(QWidget& mainWindow, indDocHost& host, indEnviron& settings,
                                   std::unique_ptr<cmcSerialPort> port)
    : m_mainWindow(mainWindow),
      m_host(host),
      m_settings(settings),
      m_manager(PortOrDevice(std::move(port)), host.Table(), *this),
      m_flow(m_manager, host.Table(), host.Prompt()),
      m_scanner(&cuiRadioCommands::ScanPorts) {
    // This radio's link: no echo check, 64-byte blocks, normal speed only.
    m_manager.SetEchoCheck(false);
    m_manager.SetBlockSize(64);
    m_manager.SetSpeedSelector(0);
    m_manager.SetFixedSpeed(true);
    m_manager.SetImageSize(indModelRules::kImageSize);
    m_flow.InstallChecks();
    UseSelectedPort();
}

cuiRadioCommands::~cuiRadioCommands() {
    delete m_progress.data();
}

void cuiRadioCommands::SetErrorCount(indCloneFlow::ErrorCount count) {
    m_errorCount = count;
    m_flow.SetErrorCount(std::move(count));
}

void cuiRadioCommands::UseSelectedPort() {
    if (!m_manager.IsBusy()) {
        m_manager.SetSelectedPort(m_settings.comPort);
    }
}

bool cuiRadioCommands::Read(cmcEeprom& current, Done done) {
    if (IsBusy()) {
        return false;
    }
    m_host.Events().Send(kEvCommitEdit, 0, 0);
    UseSelectedPort();
    return m_flow.StartCloneRead(current, OrNothing(std::move(done)));
}

bool cuiRadioCommands::Write(cmcEeprom& current, bool memoryOnly, bool confirm, Done done) {
    done = OrNothing(std::move(done));
    m_host.Events().Send(kEvCommitEdit, 0, 0);
    UseSelectedPort();
    // The flow shows the data-error box itself; the question comes only
    // when the settings could be written at all.
    if (m_errorCount && m_errorCount() > 0) {
        return m_flow.StartCloneWrite(current, memoryOnly, std::move(done));
    }
    if (IsBusy()) {
        return false;
    }
    if (confirm && !Confirmed(memoryOnly)) {
        done(kCancelled);
        return true;
    }
    m_host.Events().Send(kEvCommitEdit, 0, 0);
    return m_flow.StartCloneWrite(current, memoryOnly, std::move(done));
}

bool cuiRadioCommands::Confirmed(bool memoryOnly) {
    cmcGTex& table = m_host.Table();
    const std::string question = memoryOnly ? table.GetBody("GI_Mess_Confirm_CloneWrite_Memory_Ex")
                                            : table.GetLine("GI_Mess_Confirm_CloneWrite", 0);
    return m_host.Prompt().Message(question, table.GetLine(kTitleKey, 0),
                                   cmcPrompt::Icon::Exclamation,
                                   cmcPrompt::Buttons::OkCancel) == cmcPrompt::Answer::Ok;
}

bool cuiRadioCommands::RadioInfo(Done done) {
    if (IsBusy()) {
        return false;
    }
    UseSelectedPort();
    return m_flow.StartRadioInfo([this, done = std::move(done)](int32_t result) {
        if (result == 0) {
            ShowInformation();
        }
        if (done) {
            done(result);
        }
    });
}

void cuiRadioCommands::ShowInformation() {
    cuiInformation::Show(m_mainWindow, cmcQtText::FromCp932(m_host.Table().GetLine(kTitleKey, 0)),
                         m_host.Table(), kInfoSheet, cuiInformation::PanelFactory(m_host));
}

bool cuiRadioCommands::PortDialog(int32_t variant) {
    const auto chosen = static_cast<cmcPortChoice::Variant>(variant);
    cuiPortSelect dialog(&m_mainWindow, m_host.Table(), m_host.Prompt(), chosen, m_settings.comPort,
                         ListerFor(chosen));
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    m_settings.comPort = dialog.Port();
    UseSelectedPort();
    return true;
}

bool cuiRadioCommands::Search(Done done) {
    // A running job holds its port; scanning now would only miss it.
    if (IsBusy()) {
        return false;
    }
    return m_flow.StartSearch(m_scanner(), [this, done = std::move(done)](int32_t result) {
        if (result == 0) {
            m_settings.comPort = m_manager.SelectedPort();
        }
        if (done) {
            done(result);
        }
    });
}

std::vector<int32_t> cuiRadioCommands::ScanPorts() {
    int ports[cmcPortMap::kLastPort];
    int count = 0;
    cmcComm().ScanPorts(ports, count);
    return std::vector<int32_t>(ports, ports + count);
}

void cuiRadioCommands::ShowProgress(const std::string& caption) {
    if (!m_progress) {
        m_progress = new cuiProgress(m_mainWindow, m_host.Table());
    }
    m_progress->SetCaption(caption);
    m_progress->SetFilled(0);
    m_progress->show();
}

void cuiRadioCommands::UpdateProgress(int filled) {
    if (m_progress) {
        m_progress->SetFilled(filled);
    }
}

void cuiRadioCommands::HideProgress() {
    if (m_progress) {
        m_progress->hide();
        m_progress->deleteLater();
        m_progress = nullptr;
    }
}

void cuiRadioCommands::EnableMainWindow(bool enable) {
    if (enableMainWindow) {
        enableMainWindow(enable);
    } else {
        m_mainWindow.setEnabled(enable);
    }
}

void cuiRadioCommands::ShowReport(const std::string& text, const std::string& caption) {
    // The progress window stays on top of everything and would cover the
    // report; the job is over, so it goes first.
    if (m_progress) {
        m_progress->hide();
    }
    m_host.Prompt().Message(text, caption, cmcPrompt::Icon::Stop, cmcPrompt::Buttons::Ok);
}
