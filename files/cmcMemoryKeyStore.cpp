#include "files/cmcMemoryKeyStore.h"

#include <utility>

bool cmcMemoryKeyStore::CanOpen(const std::string& key) const {
    return m_keys.contains(key);
}

std::optional<int32_t> cmcMemoryKeyStore::ReadInt(const std::string& key,
                                                  const std::string& name) const {
    const Value* value = Find(key, name);
    if (value == nullptr || !std::holds_alternative<int32_t>(*value)) {
        return std::nullopt;
    }
    return std::get<int32_t>(*value);
}

std::optional<std::string> cmcMemoryKeyStore::ReadString(const std::string& key,
                                                         const std::string& name) const {
    const Value* value = Find(key, name);
    if (value == nullptr || !std::holds_alternative<std::string>(*value)) {
        return std::nullopt;
    }
    return std::get<std::string>(*value);
}

bool cmcMemoryKeyStore::CreateKey(const std::string& key) {
    m_keys[key];
    return true;
}

bool cmcMemoryKeyStore::WriteInt(const std::string& key, const std::string& name, int32_t value) {
    Put(key, name, value);
    return true;
}

bool cmcMemoryKeyStore::WriteString(const std::string& key, const std::string& name,
                                    const std::string& value) {
    Put(key, name, value);
    return true;
}

void cmcMemoryKeyStore::RemoveKey(const std::string& key) {
    m_keys.erase(key);
}

void cmcMemoryKeyStore::RemoveValue(const std::string& key, const std::string& name) {
    auto found = m_keys.find(key);
    if (found != m_keys.end()) {
        found->second.erase(name);
    }
}

const cmcMemoryKeyStore::Value* cmcMemoryKeyStore::Find(const std::string& key,
                                                        const std::string& name) const {
    auto found = m_keys.find(key);
    if (found == m_keys.end()) {
        return nullptr;
    }
    auto value = found->second.find(name);
    return value == found->second.end() ? nullptr : &value->second;
}

void cmcMemoryKeyStore::Put(const std::string& key, const std::string& name, Value value) {
    m_keys[key][name] = std::move(value);
    m_writeLog.push_back(key + "\\" + name);
}
