#pragma once
#include <map>
#include <string>
#include <variant>
#include <vector>

#include "files/cmcKeyStore.h"

// A key-value store held in memory: for tests, and for runs that must not
// leave settings behind. A value keeps the type it was last written with, so
// a text written where an integer is expected reads back as the wrong type.
class cmcMemoryKeyStore : public cmcKeyStore {
public:
    bool CanOpen(const std::string& key) const override;
    std::optional<int32_t> ReadInt(const std::string& key, const std::string& name) const override;
    std::optional<std::string> ReadString(const std::string& key,
                                          const std::string& name) const override;

    bool CreateKey(const std::string& key) override;
    bool WriteInt(const std::string& key, const std::string& name, int32_t value) override;
    bool WriteString(const std::string& key, const std::string& name,
                     const std::string& value) override;
    bool Flush() override { return true; }

    void RemoveKey(const std::string& key);
    void RemoveValue(const std::string& key, const std::string& name);

    // Every value written, as "key\name", in the order of writing.
    const std::vector<std::string>& WriteLog() const { return m_writeLog; }

private:
    using Value = std::variant<int32_t, std::string>;
    using Values = std::map<std::string, Value>;

    const Value* Find(const std::string& key, const std::string& name) const;
    void Put(const std::string& key, const std::string& name, Value value);

    std::map<std::string, Values> m_keys;
    std::vector<std::string> m_writeLog;
};
