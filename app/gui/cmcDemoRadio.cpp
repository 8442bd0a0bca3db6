#include "app/gui/cmcDemoRadio.h"

#include <sys/prctl.h>

#include <csignal>

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "app/gui/cmcQtText.h"

namespace {

const char kMapKey[] = "Demo";
const char kMemoryName[] = "demo.rcf";

}  // namespace

cmcDemoRadio::cmcDemoRadio() = default;

cmcDemoRadio::~cmcDemoRadio() {
    Stop();
}

bool cmcDemoRadio::Running() const {
    return m_sim && m_sim->state() != QProcess::NotRunning;
}

QString cmcDemoRadio::MemoryFile() const {
    return m_folder ? m_folder->filePath(QString::fromLatin1(kMemoryName)) : QString();
}

bool cmcDemoRadio::Start(const QString& simPath, int32_t port, const QString& startImage,
                         const QStringList& options) {
    Stop();
    if (port < cmcPortMap::kFirstPort || port > cmcPortMap::kLastPort) {
        return false;
    }
    m_folder = std::make_unique<QTemporaryDir>();
    if (!m_folder->isValid()) {
        m_folder.reset();
        return false;
    }
    if (!startImage.isEmpty()) {
        // A missing start image only leaves the simulator's blank memory.
        QFile::copy(startImage, MemoryFile());
    }
    m_sim = std::make_unique<QProcess>();
    m_sim->setProgram(simPath);
    m_sim->setArguments(QStringList{QStringLiteral("--memory"), MemoryFile()} + options);
    m_sim->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // The simulator must not outlive a program that ends without cleaning up.
    m_sim->setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    m_sim->start();
    if (!m_sim->waitForStarted(kWaitMs) || !ReadDevicePath()) {
        Stop();
        return false;
    }
    const std::string name = "COM" + std::to_string(port);
    m_ports.WriteString(std::string(kMapKey) + "\\Ports", name, cmcQtText::ToPath(m_device));
    m_previous = cmcPortMap::Process();
    cmcPortMap::SetProcess(cmcPortMap(&m_ports, kMapKey));
    m_port = port;
    return true;
}

bool cmcDemoRadio::ReadDevicePath() {
    // The simulator names its pseudo-terminal on its first line.
    QDeadlineTimer deadline(kWaitMs);
    while (!m_sim->canReadLine()) {
        if (deadline.hasExpired() ||
            !m_sim->waitForReadyRead(static_cast<int>(deadline.remainingTime()))) {
            return false;
        }
    }
    m_device = QString::fromLocal8Bit(m_sim->readLine()).trimmed();
    return !m_device.isEmpty();
}

void cmcDemoRadio::Stop() {
    if (m_port != 0) {
        cmcPortMap::SetProcess(m_previous);
        m_port = 0;
    }
    if (Running()) {
        m_sim->terminate();
        if (!m_sim->waitForFinished(kWaitMs)) {
            m_sim->kill();
            m_sim->waitForFinished();
        }
    }
    m_sim.reset();
    m_device.clear();
    m_folder.reset();
}
