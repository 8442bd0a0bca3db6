#include "files/qt/cmcQtKeyStore.h"

#include <QByteArray>
#include <QSettings>
#include <QUtf8StringView>
#include <QVariant>
#include <limits>
#include <utility>

namespace {

// An integer as the registry's DWORD holds it: 32 bits, read as signed.
std::optional<int32_t> AsDword(const QVariant& value) {
    bool ok = false;
    qlonglong number = 0;
    switch (value.typeId()) {
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
            number = value.toLongLong(&ok);
            break;
        case QMetaType::QString:
            // An INI file keeps every value as text.
            number = value.toString().toLongLong(&ok, 10);
            break;
        default:
            return std::nullopt;
    }
    if (!ok || number < std::numeric_limits<int32_t>::min() ||
        number > static_cast<qlonglong>(std::numeric_limits<uint32_t>::max())) {
        return std::nullopt;
    }
    return static_cast<int32_t>(static_cast<uint32_t>(number));
}

}  // namespace

cmcQtKeyStore::cmcQtKeyStore(const QString& organisation, const QString& application,
                             std::string rootKey)
    : m_settings(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                             organisation, application)),
      m_rootKey(std::move(rootKey)) {}

cmcQtKeyStore::cmcQtKeyStore(const QString& iniPath, std::string rootKey)
    : m_settings(std::make_unique<QSettings>(iniPath, QSettings::IniFormat)),
      m_rootKey(std::move(rootKey)) {}

cmcQtKeyStore::~cmcQtKeyStore() = default;

bool cmcQtKeyStore::CanOpen(const std::string& key) const {
    std::optional<QString> group = Group(key);
    if (!group) {
        return false;
    }
    m_settings->beginGroup(*group);
    const bool holdsValues = !m_settings->allKeys().isEmpty();
    m_settings->endGroup();
    // The store cannot keep a key without values, such as an empty recent
    // list; once anything has been saved, such a key counts as present.
    return holdsValues || !m_settings->childGroups().isEmpty();
}

std::optional<int32_t> cmcQtKeyStore::ReadInt(const std::string& key,
                                              const std::string& name) const {
    std::optional<QString> path = ValuePath(key, name);
    if (!path) {
        return std::nullopt;
    }
    return AsDword(m_settings->value(*path));
}

std::optional<std::string> cmcQtKeyStore::ReadString(const std::string& key,
                                                     const std::string& name) const {
    std::optional<QString> path = ValuePath(key, name);
    if (!path) {
        return std::nullopt;
    }
    const QVariant value = m_settings->value(*path);
    switch (value.typeId()) {
        case QMetaType::QString:
            return value.toString().toStdString();
        case QMetaType::QByteArray:
            return value.toByteArray().toStdString();
        default:
            return std::nullopt;
    }
}

bool cmcQtKeyStore::CreateKey(const std::string& key) {
    return Group(key).has_value();
}

bool cmcQtKeyStore::WriteInt(const std::string& key, const std::string& name, int32_t value) {
    std::optional<QString> path = ValuePath(key, name);
    if (!path) {
        return false;
    }
    m_settings->setValue(*path, value);
    return true;
}

bool cmcQtKeyStore::WriteString(const std::string& key, const std::string& name,
                                const std::string& value) {
    std::optional<QString> path = ValuePath(key, name);
    if (!path) {
        return false;
    }
    // Bytes that are not UTF-8 are kept as they are rather than mangled.
    const QByteArray bytes = QByteArray::fromStdString(value);
    if (QUtf8StringView(bytes).isValidUtf8()) {
        m_settings->setValue(*path, QString::fromUtf8(bytes));
    } else {
        m_settings->setValue(*path, bytes);
    }
    return true;
}

bool cmcQtKeyStore::Flush() {
    m_settings->sync();
    return m_settings->status() == QSettings::NoError;
}

std::optional<QString> cmcQtKeyStore::Group(const std::string& key) const {
    if (key.size() <= m_rootKey.size() + 1 || !key.starts_with(m_rootKey) ||
        key[m_rootKey.size()] != '\\') {
        return std::nullopt;
    }
    QString group = QString::fromStdString(key.substr(m_rootKey.size() + 1));
    group.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return group;
}

std::optional<QString> cmcQtKeyStore::ValuePath(const std::string& key,
                                                const std::string& name) const {
    std::optional<QString> group = Group(key);
    if (!group || name.empty()) {
        return std::nullopt;
    }
    return *group + QLatin1Char('/') + QString::fromStdString(name);
}
