#include "link/cmcPortList.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <system_error>

#include "link/cmcPortMap.h"
#include "util/cmcStr.h"

namespace fs = std::filesystem;

namespace {

// The number a tty device name has under the map; 0 for none.
int NumberOfDevice(const cmcPortMap& map, const std::string& deviceName) {
    const std::string path = "/dev/" + deviceName;
    for (int n = cmcPortMap::kFirstPort; n <= cmcPortMap::kLastPort; ++n)
        if (map.DevicePath(n) == path)
            return n;
    return 0;
}

std::vector<std::string> AsTexts(std::vector<int> numbers) {
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    std::vector<std::string> texts;
    for (int n : numbers)
        texts.push_back(std::to_string(n));
    return texts;
}

std::string FirstLine(const fs::path& file) {
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    while (!line.empty() && (line.back() == ' ' || line.back() == '\r'))
        line.pop_back();
    return line;
}

// USB strings sit on the USB device, one or two levels above the tty's own
// device (the interface, for serial adapters the port below it).
std::string UsbName(const fs::path& ttyClassEntry) {
    std::error_code error;
    fs::path dir = fs::canonical(ttyClassEntry / "device", error);
    if (error)
        return {};
    for (int level = 0; level < 3 && !dir.empty(); ++level, dir = dir.parent_path()) {
        const std::string product = FirstLine(dir / "product");
        if (product.empty())
            continue;
        const std::string maker = FirstLine(dir / "manufacturer");
        return maker.empty() ? product : maker + " " + product;
    }
    return {};
}

// By-id link names keyed by the tty they point at.
std::map<std::string, std::string> ByIdNames(const std::string& byIdDir) {
    std::map<std::string, std::string> names;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(byIdDir, error)) {
        const fs::path target = fs::read_symlink(entry.path(), error);
        if (error)
            continue;
        names.emplace(target.filename().string(), entry.path().filename().string());
    }
    return names;
}

}  // namespace

std::vector<std::string> cmcPortList::ListRegistryPorts(const cmcPortMap& map,
                                                        const std::string& sysRoot) {
    std::vector<int> numbers;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(sysRoot + "/class/tty", error)) {
        if (!fs::exists(entry.path() / "device", error))
            continue;
        const int n = NumberOfDevice(map, entry.path().filename().string());
        if (n > 0)
            numbers.push_back(n);
    }
    // A settings entry declares its port as the system's device map would,
    // whether or not sysfs knows the device (a pseudo-terminal does not).
    for (const int n : map.MappedPorts()) {
        if (fs::exists(map.DevicePath(n), error))
            numbers.push_back(n);
    }
    return AsTexts(numbers);
}

std::vector<std::string> cmcPortList::ListDevicePorts(const cmcPortMap& map) {
    std::vector<int> numbers;
    std::error_code error;
    for (int n = cmcPortMap::kFirstPort; n <= cmcPortMap::kLastPort; ++n) {
        const std::string path = map.DevicePath(n);
        if (!path.empty() && fs::exists(path, error))
            numbers.push_back(n);
    }
    return AsTexts(numbers);
}

std::vector<std::string> cmcPortList::ListNamedPorts(const std::vector<std::string>& numbers,
                                                     const cmcPortMap& map,
                                                     const std::string& sysRoot,
                                                     const std::string& byIdDir) {
    const std::map<std::string, std::string> byId = ByIdNames(byIdDir);
    std::vector<std::pair<int, std::string>> named;
    for (const std::string& text : numbers) {
        const int n = PortNumberOfText(text);
        const std::string device = fs::path(map.DevicePath(n)).filename().string();
        if (device.empty())
            continue;
        std::string name = UsbName(fs::path(sysRoot) / "class/tty" / device);
        if (name.empty()) {
            const auto link = byId.find(device);
            if (link != byId.end())
                name = link->second;
        }
        if (!name.empty())
            named.emplace_back(n,
                               std::to_string(n) + ": " + name + " (COM" + std::to_string(n) + ")");
    }
    std::stable_sort(named.begin(), named.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::string> texts;
    for (auto& entry : named)
        texts.push_back(std::move(entry.second));
    return texts;
}

int cmcPortList::PortNumberOfText(const std::string& text) {
    if (text.rfind("COM", 0) == 0)
        return cmcStr::AtoI(std::string_view(text).substr(3));
    return cmcStr::AtoI(text);
}
