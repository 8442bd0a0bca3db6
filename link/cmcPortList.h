#pragma once
#include <string>
#include <vector>

class cmcPortMap;

// The port lists of the port dialog, from sysfs. Each list is texts in
// ascending port-number order: plain decimal numbers ("3"), or for the named
// list the number, ": " and a device name. The roots are parameters so that
// tests can point them at a fake tree; unreadable sources give shorter or
// empty lists, never an error.
class cmcPortList {
public:
    static constexpr const char* kSysRoot = "/sys";
    static constexpr const char* kByIdDir = "/dev/serial/by-id";

    // Numbers of the tty devices that have real hardware behind them (a
    // "device" entry under class/tty), as the port map names them, and of
    // the ports that the settings map to a device that exists.
    static std::vector<std::string> ListRegistryPorts(const cmcPortMap& map,
                                                      const std::string& sysRoot = kSysRoot);
    // Numbers 1..256 whose mapped device path exists.
    static std::vector<std::string> ListDevicePorts(const cmcPortMap& map);
    // "n: name" for each number of `numbers` whose device has a name: USB
    // maker and product strings, else its /dev/serial/by-id link name.
    static std::vector<std::string> ListNamedPorts(const std::vector<std::string>& numbers,
                                                   const cmcPortMap& map,
                                                   const std::string& sysRoot = kSysRoot,
                                                   const std::string& byIdDir = kByIdDir);

    // "COM12" gives 12; other texts their leading decimal number ("3: x"
    // gives 3); no digits give 0.
    static int PortNumberOfText(const std::string& text);
};
