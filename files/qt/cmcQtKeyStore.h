#pragma once
#include <QString>
#include <memory>
#include <optional>
#include <string>

#include "files/cmcKeyStore.h"

class QSettings;

// The key-value store on QSettings in the platform's native format: the
// registry on Windows, an INI file in the user's configuration folder on
// Linux. Keys below the root key become groups ("<root>\View Option" is the
// group "View Option"); keys outside the root are not served.
class cmcQtKeyStore : public cmcKeyStore {
public:
    // The native place for this organisation and application.
    cmcQtKeyStore(const QString& organisation, const QString& application, std::string rootKey);
    // An INI file at an explicit path.
    cmcQtKeyStore(const QString& iniPath, std::string rootKey);
    ~cmcQtKeyStore() override;

    bool CanOpen(const std::string& key) const override;
    std::optional<int32_t> ReadInt(const std::string& key, const std::string& name) const override;
    std::optional<std::string> ReadString(const std::string& key,
                                          const std::string& name) const override;

    bool CreateKey(const std::string& key) override;
    bool WriteInt(const std::string& key, const std::string& name, int32_t value) override;
    bool WriteString(const std::string& key, const std::string& name,
                     const std::string& value) override;
    bool Flush() override;

private:
    std::optional<QString> Group(const std::string& key) const;
    std::optional<QString> ValuePath(const std::string& key, const std::string& name) const;

    std::unique_ptr<QSettings> m_settings;
    std::string m_rootKey;
};
