#include "files/qt/cmcQtInstanceLock.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>

#include "WaitFor.h"

namespace {

const char kName[] = "VARTEK MX-R77C APP Exclusive Mutex";

class cmcQtInstanceLockTest : public ::testing::Test {
protected:
    QString Folder() const { return m_dir.path(); }
    // Where the files for kName go: blanks become underscores.
    QString Base() const {
        return Folder() + QStringLiteral("/VARTEK_MX-R77C_APP_Exclusive_Mutex");
    }

    // Starts a second copy that alerts the first; true once the alert arrived.
    bool SecondCopyAlerts(cmcQtInstanceLock& first) {
        int alerts = 0;
        QObject::connect(&first, &cmcQtInstanceLock::alertRequested, [&] { ++alerts; });
        cmcQtInstanceLock second(Folder());
        const bool alerted =
            !second.Acquire(kName) && second.AlertFirst() && WaitFor([&] { return alerts == 1; });
        QObject::disconnect(&first, &cmcQtInstanceLock::alertRequested, nullptr, nullptr);
        return alerted;
    }

private:
    QTemporaryDir m_dir;
};

}  // namespace

TEST_F(cmcQtInstanceLockTest, OnlyOneHolderAtATime) {
    cmcQtInstanceLock first(Folder());
    cmcQtInstanceLock second(Folder());
    cmcQtInstanceLock other(Folder());
    EXPECT_TRUE(first.Acquire(kName));
    EXPECT_FALSE(second.Acquire(kName));
    EXPECT_TRUE(other.Acquire("another name"));
    first.Release();
    EXPECT_TRUE(second.Acquire(kName));
    cmcQtInstanceLock third(Folder());
    EXPECT_FALSE(third.Acquire(kName));
}

TEST_F(cmcQtInstanceLockTest, ASecondInstanceAlertsTheFirst) {
    cmcQtInstanceLock first(Folder());
    ASSERT_TRUE(first.Acquire(kName));
    EXPECT_TRUE(SecondCopyAlerts(first));
    EXPECT_TRUE(SecondCopyAlerts(first)) << "and again for the next copy";
}

TEST_F(cmcQtInstanceLockTest, AStrangerOnTheSocketRaisesNoAlert) {
    cmcQtInstanceLock first(Folder());
    ASSERT_TRUE(first.Acquire(kName));
    int alerts = 0;
    QObject::connect(&first, &cmcQtInstanceLock::alertRequested, [&] { ++alerts; });

    QLocalSocket stranger;
    stranger.connectToServer(Base() + QStringLiteral(".socket"));
    ASSERT_TRUE(stranger.waitForConnected(2000));
    stranger.write("hello\n");
    // The first copy answers a foreign line by hanging up.
    EXPECT_TRUE(WaitFor([&] { return stranger.state() == QLocalSocket::UnconnectedState; }));
    EXPECT_EQ(alerts, 0);
}

TEST_F(cmcQtInstanceLockTest, NobodyToAlertWhenNoCopyHoldsTheName) {
    cmcQtInstanceLock lonely(Folder());
    EXPECT_FALSE(lonely.AlertFirst()) << "never asked for a name";
    cmcQtInstanceLock first(Folder());
    ASSERT_TRUE(first.Acquire(kName));
    first.Release();
    cmcQtInstanceLock late(Folder());
    ASSERT_TRUE(late.Acquire(kName));
    late.Release();
    EXPECT_FALSE(late.AlertFirst());
}

TEST_F(cmcQtInstanceLockTest, WhatACrashedCopyLeftBehindDoesNotBlockTheNextStart) {
    // A process that has ended: its id names nobody any more.
    QProcess gone;
    gone.start(QStringLiteral("true"), {});
    ASSERT_TRUE(gone.waitForStarted(5000));
    const qint64 deadPid = gone.processId();
    ASSERT_TRUE(gone.waitForFinished(5000));
    ASSERT_NE(deadPid, 0);
    const QString base = Base();
    {
        QFile lockFile(base + QStringLiteral(".lock"));
        ASSERT_TRUE(lockFile.open(QIODevice::WriteOnly));
        lockFile.write(QByteArray::number(deadPid) + "\nplatform_tests\n\n");
        QFile socket(base + QStringLiteral(".socket"));
        ASSERT_TRUE(socket.open(QIODevice::WriteOnly));
    }
    cmcQtInstanceLock first(Folder());
    ASSERT_TRUE(first.Acquire(kName));
    EXPECT_TRUE(SecondCopyAlerts(first));
}
