#pragma once
#include <QObject>
#include <QString>
#include <memory>
#include <string>

#include "files/cmcInstanceLock.h"

class QLocalServer;
class QLocalSocket;
class QLockFile;

// One running copy per user: a lock file in the user's runtime folder, and
// beside it a local socket on which the first copy listens so that a second
// one can ask it to draw the user's attention. Needs a QCoreApplication.
class cmcQtInstanceLock : public QObject, public cmcInstanceLock {
    Q_OBJECT

public:
    // Lock file and socket go into folder; the user's runtime folder when
    // empty.
    explicit cmcQtInstanceLock(QString folder = {}, QObject* parent = nullptr);
    ~cmcQtInstanceLock() override;

    bool Acquire(const std::string& name) override;
    void Release() override;
    // Connects to the holder of the name last given to Acquire, says so and
    // disconnects; waits a moment at most, as the caller is about to exit.
    bool AlertFirst() override;

    bool IsHeld() const { return m_lockFile != nullptr; }

signals:
    // In the first copy: another copy was started and has exited; the window
    // should draw the user's attention.
    void alertRequested();

private:
    void AcceptConnections();
    void ReadAlert(QLocalSocket* socket);
    QString BasePath(const std::string& name) const;

    QString m_folder;
    QString m_basePath;
    std::unique_ptr<QLockFile> m_lockFile;
    QLocalServer* m_server = nullptr;
};
