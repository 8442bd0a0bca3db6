#pragma once
#include <string>
#include <vector>

class cmcKeyStore;

// Port numbers 1..256 are what the user sees everywhere; on this system each
// one names a device path. An entry "COM<n>" under the settings' "Ports" key
// wins, so any number can point at any device (a pseudo-terminal in tests);
// otherwise a fixed table covers the usual serial, USB and modem devices.
class cmcPortMap {
public:
    static constexpr int kFirstPort = 1;
    static constexpr int kLastPort = 256;

    // Default table only.
    cmcPortMap() = default;
    // The store is not owned and must outlive the map; keyPath is the
    // program's settings key, under which "Ports" lives.
    cmcPortMap(const cmcKeyStore* store, std::string keyPath);

    // The device path of a port number; empty when the number has none.
    std::string DevicePath(int portNumber) const;
    // The numbers that a settings entry points at a device, ascending.
    std::vector<int> MappedPorts() const;

    // The fixed table alone: COM1-32 ttyS0-31, COM33-64 ttyUSB0-31,
    // COM65-96 ttyACM0-31, nothing above.
    static std::string DefaultPath(int portNumber);
    // The number whose default path is this device name ("ttyUSB3" gives
    // 36); 0 when the table has none.
    static int DefaultNumber(const std::string& deviceName);

    // The map every port opened by number goes through. Starts with the
    // default table; the application installs one over its settings store.
    static const cmcPortMap& Process();
    static void SetProcess(cmcPortMap map);

private:
    const cmcKeyStore* m_store = nullptr;
    std::string m_keyPath;
};
