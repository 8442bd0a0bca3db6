// The serial port the clone commands talk through.
#include <memory>
#include <string>

#include "tools/cli/CliClone.h"

#include "files/indSettingsPlace.h"
#include "link/cmcComm.h"
#include "link/cmcPortMap.h"
#include "tools/cli/CliSettings.h"

namespace {

// Opens a device path wherever the clone driver asks for a port number.
class PathPort : public cmcComm {
public:
    explicit PathPort(std::string path) : m_path(std::move(path)) {}
    bool Open(int, const std::string& settings) override { return OpenPath(m_path, settings); }

private:
    std::string m_path;
};

// Port numbers name devices as in the application: its "Ports" entries first.
void UseSettingsPortMap() {
    static const bool installed = [] {
        cmcPortMap::SetProcess(cmcPortMap(&CliKeyStore(), indSettingsPlace::kKeyPath));
        return true;
    }();
    (void)installed;
}

}  // namespace

std::unique_ptr<cmcSerialPort> CliMakePort(const std::string& devicePath) {
    UseSettingsPortMap();
    if (devicePath.empty()) {
        return std::make_unique<cmcComm>();
    }
    return std::make_unique<PathPort>(devicePath);
}

std::vector<int32_t> CliScanPorts() {
    int ports[256];
    int count = 0;
    UseSettingsPortMap();
    cmcComm().ScanPorts(ports, count);
    return std::vector<int32_t>(ports, ports + count);
}
