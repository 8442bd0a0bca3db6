#pragma once
#include <cstdint>
#include <optional>
#include <string>

// A per-user key-value store shaped like the registry: keys hold named values,
// each an integer (the registry's DWORD) or a text. Key names are full paths
// joined with a backslash, such as "Software\VARTEK INCORPORATED\MX-R77C\Global";
// a store maps them to its own layout.
class cmcKeyStore {
public:
    virtual ~cmcKeyStore() = default;

    // Read side. A key that cannot be opened for reading makes the whole key
    // unreadable, which the settings treat like any other read failure.
    virtual bool CanOpen(const std::string& key) const = 0;
    // None when the value is missing or is not an integer.
    virtual std::optional<int32_t> ReadInt(const std::string& key,
                                           const std::string& name) const = 0;
    // None when the value is missing or is not a text.
    virtual std::optional<std::string> ReadString(const std::string& key,
                                                  const std::string& name) const = 0;

    // Write side. Keys are created as needed; false when the store refuses.
    virtual bool CreateKey(const std::string& key) = 0;
    virtual bool WriteInt(const std::string& key, const std::string& name, int32_t value) = 0;
    virtual bool WriteString(const std::string& key, const std::string& name,
                             const std::string& value) = 0;
    // Makes the writes durable; false when they did not reach the medium.
    virtual bool Flush() = 0;
};
