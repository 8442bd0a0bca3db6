#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kApp = QStringLiteral(MX_BIN_DIR "/mxr77c");

// Files below a folder, to tell whether a process wrote settings there.
QStringList FilesBelow(const QString& folder) {
    QStringList files;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        files << it.next();
    }
    return files;
}

class SingleInstanceTest : public ::testing::Test {
protected:
    void Start(QProcess& process, const QString& config) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(runtime.path());
        process.start(kApp, {});
        ASSERT_TRUE(process.waitForStarted(5000));
    }
    void TearDown() override {
        if (first.state() != QProcess::NotRunning) {
            first.terminate();
            if (!first.waitForFinished(5000)) {
                first.kill();
                first.waitForFinished(5000);
            }
        }
    }

    QTemporaryDir runtime;
    QTemporaryDir firstConfig;
    QTemporaryDir secondConfig;
    QProcess first;
};

TEST_F(SingleInstanceTest, ASecondStartExitsSilentlyWithoutTouchingSettings) {
    Start(first, firstConfig.path());
    // The first copy holds the lock once its lock file exists.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !FilesBelow(runtime.path()).isEmpty(); }, 10000));
    QProcess second;
    Start(second, secondConfig.path());
    ASSERT_TRUE(second.waitForFinished(10000)) << "the second copy should leave at once";
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_TRUE(second.readAllStandardError().isEmpty());
    EXPECT_TRUE(FilesBelow(secondConfig.path()).isEmpty());
    EXPECT_EQ(first.state(), QProcess::Running);
}

}  // namespace
