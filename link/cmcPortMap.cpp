#include "link/cmcPortMap.h"

#include <array>
#include <cstring>
#include <optional>

#include "files/cmcKeyStore.h"

namespace {

struct DeviceBlock {
    const char* prefix;
    int firstPort;
};

// 32 numbers per device family, in this order.
constexpr std::array<DeviceBlock, 3> kBlocks{{{"ttyS", 1}, {"ttyUSB", 33}, {"ttyACM", 65}}};
constexpr int kBlockSize = 32;

cmcPortMap& ProcessMap() {
    static cmcPortMap map;
    return map;
}

}  // namespace

cmcPortMap::cmcPortMap(const cmcKeyStore* store, std::string keyPath)
    : m_store(store), m_keyPath(std::move(keyPath)) {}

std::string cmcPortMap::DevicePath(int portNumber) const {
    if (portNumber < kFirstPort || portNumber > kLastPort)
        return {};
    if (m_store) {
        const std::optional<std::string> entry =
            m_store->ReadString(m_keyPath + "\\Ports", "COM" + std::to_string(portNumber));
        if (entry && !entry->empty())
            return *entry;
    }
    return DefaultPath(portNumber);
}

std::vector<int> cmcPortMap::MappedPorts() const {
    std::vector<int> numbers;
    if (!m_store)
        return numbers;
    for (int n = kFirstPort; n <= kLastPort; ++n) {
        const std::optional<std::string> entry =
            m_store->ReadString(m_keyPath + "\\Ports", "COM" + std::to_string(n));
        if (entry && !entry->empty())
            numbers.push_back(n);
    }
    return numbers;
}

std::string cmcPortMap::DefaultPath(int portNumber) {
    for (const DeviceBlock& block : kBlocks) {
        const int index = portNumber - block.firstPort;
        if (index >= 0 && index < kBlockSize)
            return std::string("/dev/") + block.prefix + std::to_string(index);
    }
    return {};
}

int cmcPortMap::DefaultNumber(const std::string& deviceName) {
    for (const DeviceBlock& block : kBlocks) {
        const size_t length = std::strlen(block.prefix);
        if (deviceName.size() <= length || deviceName.compare(0, length, block.prefix) != 0)
            continue;
        const std::string digits = deviceName.substr(length);
        if (digits.size() > 2 || digits.find_first_not_of("0123456789") != std::string::npos)
            return 0;
        const int index = std::stoi(digits);
        if (index >= kBlockSize || (digits.size() == 2 && digits[0] == '0'))
            return 0;
        return block.firstPort + index;
    }
    return 0;
}

const cmcPortMap& cmcPortMap::Process() {
    return ProcessMap();
}

void cmcPortMap::SetProcess(cmcPortMap map) {
    ProcessMap() = std::move(map);
}
