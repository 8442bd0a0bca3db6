#pragma once
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>

#include "files/cmcMemoryKeyStore.h"
#include "link/cmcPortMap.h"

class QProcess;
class QTemporaryDir;

// The demo mode's radio: the simulator on a pseudo-terminal, its memory in a
// temporary folder, and one port number pointing at it for this run only.
// Nothing reaches the user's settings; the simulator ends with this object.
class cmcDemoRadio {
public:
    static constexpr int kWaitMs = 5000;

    cmcDemoRadio();
    ~cmcDemoRadio();
    cmcDemoRadio(const cmcDemoRadio&) = delete;
    cmcDemoRadio& operator=(const cmcDemoRadio&) = delete;

    // Starts the simulator at simPath with its memory copied from startImage
    // (a clone image file; none or missing: the simulator's blank memory) and
    // maps port to it. options go to the simulator as well. False, with
    // nothing changed, when the simulator does not come up.
    bool Start(const QString& simPath, int32_t port, const QString& startImage = {},
               const QStringList& options = {});
    // Ends the simulator and gives the port its old device back.
    void Stop();

    bool Running() const;
    // The mapped port number and the device it names; 0 and empty when stopped.
    int32_t Port() const { return m_port; }
    const QString& DevicePath() const { return m_device; }
    // The simulator's memory file.
    QString MemoryFile() const;

private:
    bool ReadDevicePath();

    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<QProcess> m_sim;
    cmcMemoryKeyStore m_ports;
    cmcPortMap m_previous;
    int32_t m_port = 0;
    QString m_device;
};
