#include "files/qt/cmcQtKeyStore.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <string>

#include "files/cmcInstanceLock.h"
#include "files/indEnviron.h"

namespace {

const char kRoot[] = "Software\\VARTEK INCORPORATED\\MX-R77C";

std::string Key(const std::string& sub) {
    return std::string(kRoot) + "\\" + sub;
}

class FirstLock : public cmcInstanceLock {
public:
    bool Acquire(const std::string&) override { return true; }
    void Release() override {}
    bool AlertFirst() override { return false; }
};

class cmcQtKeyStoreTest : public ::testing::Test {
protected:
    QString IniPath() const { return m_dir.filePath(QStringLiteral("settings.ini")); }

    // Writes raw INI text, as a user or another program might leave it.
    void WriteIni(const QByteArray& text) {
        QFile file(IniPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

private:
    QTemporaryDir m_dir;
};

}  // namespace

TEST_F(cmcQtKeyStoreTest, ValuesComeBackFromTheFile) {
    const std::string notUtf8 = "/data/\x83\x65\x83\x58\x83\x67.rcf";
    {
        cmcQtKeyStore store(IniPath(), kRoot);
        EXPECT_TRUE(store.WriteInt(Key("Global"), "ComPort", 12));
        EXPECT_TRUE(store.WriteInt(Key("Window Position"), "Left", -50));
        EXPECT_TRUE(store.WriteString(Key("Global"), "Current Directory", "/home/ユーザー"));
        EXPECT_TRUE(store.WriteString(Key("Recent File List"), "Recent0", notUtf8));
        EXPECT_TRUE(store.WriteString(Key("Recent File List"), "Recent1", ""));
        EXPECT_TRUE(store.Flush());
    }
    cmcQtKeyStore store(IniPath(), kRoot);
    EXPECT_TRUE(store.CanOpen(Key("Global")));
    EXPECT_EQ(store.ReadInt(Key("Global"), "ComPort"), 12);
    EXPECT_EQ(store.ReadInt(Key("Window Position"), "Left"), -50);
    EXPECT_EQ(store.ReadString(Key("Global"), "Current Directory"), "/home/ユーザー");
    EXPECT_EQ(store.ReadString(Key("Recent File List"), "Recent0"), notUtf8);
    EXPECT_EQ(store.ReadString(Key("Recent File List"), "Recent1"), "");
    EXPECT_EQ(store.ReadString(Key("Recent File List"), "Recent2"), std::nullopt);
}

TEST_F(cmcQtKeyStoreTest, IntegersAreDwords) {
    WriteIni(
        "[Global]\n"
        "plain=753951\n"
        "negative=-7\n"
        "full=4294967295\n"
        "tooLarge=4294967296\n"
        "tooSmall=-2147483649\n"
        "word=abc\n"
        "trailing=12abc\n"
        "empty=\n");
    cmcQtKeyStore store(IniPath(), kRoot);
    struct Case {
        const char* name;
        std::optional<int32_t> value;
    };
    const Case cases[] = {
        {"plain", 753951},          {"negative", -7},           {"full", -1},
        {"tooLarge", std::nullopt}, {"tooSmall", std::nullopt}, {"word", std::nullopt},
        {"trailing", std::nullopt}, {"empty", std::nullopt},    {"missing", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(store.ReadInt(Key("Global"), c.name), c.value);
    }
}

TEST_F(cmcQtKeyStoreTest, KeysOutsideTheRootAreNotServed) {
    cmcQtKeyStore store(IniPath(), kRoot);
    EXPECT_FALSE(store.WriteInt("Software\\Other\\Global", "ComPort", 3));
    EXPECT_FALSE(store.WriteInt(std::string(kRoot) + "X\\Global", "ComPort", 3));
    EXPECT_FALSE(store.WriteInt(kRoot, "ComPort", 3));
    EXPECT_FALSE(store.CanOpen("Software\\Other\\Global"));
    EXPECT_EQ(store.ReadInt("Software\\Other\\Global", "ComPort"), std::nullopt);
}

TEST_F(cmcQtKeyStoreTest, AnEmptyFileHasNoKeysAndAnySavedSetHasAllOfThem) {
    cmcQtKeyStore store(IniPath(), kRoot);
    EXPECT_FALSE(store.CanOpen(Key("Recent File List")));
    store.WriteInt(Key("Global"), "BBT", 1);
    // A key without values cannot be written to the file; once anything is
    // saved, such a key reads as present and empty.
    EXPECT_TRUE(store.CanOpen(Key("Recent File List")));
}

TEST_F(cmcQtKeyStoreTest, SettingsSurviveARestartEvenWithNoRecentFiles) {
    FirstLock lock;
    {
        cmcQtKeyStore store(IniPath(), kRoot);
        indEnviron env(lock, store, "lock", kRoot, {1920, 1080});
        env.comPort = 33;
        env.currentDirectory = "/srv/radios";
        env.windowLeft = -40;
    }
    cmcQtKeyStore store(IniPath(), kRoot);
    indEnviron env(lock, store, "lock", kRoot, {1920, 1080});
    EXPECT_EQ(env.comPort, 33);
    EXPECT_EQ(env.currentDirectory, "/srv/radios");
    EXPECT_EQ(env.windowLeft, -40);
    EXPECT_EQ(env.stamp, 753951);
}

TEST_F(cmcQtKeyStoreTest, TheNativeStoreLivesInTheUsersConfigurationFolder) {
    QTemporaryDir config;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config.path());
    {
        cmcQtKeyStore store(QStringLiteral("VARTEK INCORPORATED"), QStringLiteral("MX-R77C"),
                            kRoot);
        store.WriteInt(Key("Global"), "ComPort", 5);
        EXPECT_TRUE(store.Flush());
    }
    QSettings file(config.filePath(QStringLiteral("VARTEK INCORPORATED/MX-R77C.conf")),
                   QSettings::IniFormat);
    EXPECT_EQ(file.value(QStringLiteral("Global/ComPort")).toString(), QStringLiteral("5"));
}

TEST_F(cmcQtKeyStoreTest, AFileThatCannotBeWrittenReportsFailure) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("missing-folder/settings.ini"));
    QFile blocker(dir.filePath(QStringLiteral("missing-folder")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));  // a file where the folder should be
    blocker.close();
    cmcQtKeyStore store(path, kRoot);
    store.WriteInt(Key("Global"), "ComPort", 5);
    EXPECT_FALSE(store.Flush());
}
