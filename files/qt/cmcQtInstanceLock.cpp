#include "files/qt/cmcQtInstanceLock.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <utility>

namespace {

const QByteArray kAlertMessage = QByteArrayLiteral("MX-R77C alert\n");
constexpr int kWaitMs = 2000;

// The lock name may hold blanks and other characters unfit for file names.
QString FileStem(const std::string& name) {
    QString stem = QString::fromStdString(name);
    for (QChar& c : stem) {
        const bool plain = (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
                           (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
                           (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
                           c == QLatin1Char('-') || c == QLatin1Char('.');
        if (!plain) {
            c = QLatin1Char('_');
        }
    }
    return stem;
}

}  // namespace

cmcQtInstanceLock::cmcQtInstanceLock(QString folder, QObject* parent)
    : QObject(parent), m_folder(std::move(folder)) {
    if (m_folder.isEmpty()) {
        m_folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    }
    if (m_folder.isEmpty()) {
        m_folder = QDir::tempPath();
    }
}

cmcQtInstanceLock::~cmcQtInstanceLock() {
    Release();
}

bool cmcQtInstanceLock::Acquire(const std::string& name) {
    if (IsHeld()) {
        return true;
    }
    m_basePath = BasePath(name);
    auto lockFile = std::make_unique<QLockFile>(m_basePath + QStringLiteral(".lock"));
    // Held for the whole run, however long: only a dead holder makes it stale.
    lockFile->setStaleLockTime(0);
    if (!lockFile->tryLock(0)) {
        return false;
    }
    m_lockFile = std::move(lockFile);

    const QString socketPath = m_basePath + QStringLiteral(".socket");
    // A socket file left by a copy that crashed can block listening; holding
    // the lock proves nobody else uses it.
    QLocalServer::removeServer(socketPath);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &cmcQtInstanceLock::AcceptConnections);
    // Without the socket the copy is still the first one; it only cannot be
    // alerted.
    m_server->listen(socketPath);
    return true;
}

void cmcQtInstanceLock::Release() {
    if (m_server != nullptr) {
        m_server->close();
        delete m_server;
        m_server = nullptr;
    }
    if (m_lockFile) {
        m_lockFile->unlock();
        m_lockFile.reset();
    }
}

bool cmcQtInstanceLock::AlertFirst() {
    if (m_basePath.isEmpty()) {
        return false;
    }
    QLocalSocket socket;
    socket.connectToServer(m_basePath + QStringLiteral(".socket"));
    if (!socket.waitForConnected(kWaitMs)) {
        return false;
    }
    const bool written = socket.write(kAlertMessage) == kAlertMessage.size();
    // Disconnecting sends what is still buffered first.
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState) {
        socket.waitForDisconnected(kWaitMs);
    }
    return written;
}

void cmcQtInstanceLock::AcceptConnections() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { ReadAlert(socket); });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (socket->bytesAvailable() > 0) {
            ReadAlert(socket);
        }
    }
}

void cmcQtInstanceLock::ReadAlert(QLocalSocket* socket) {
    if (!socket->canReadLine()) {
        // No line of ours is that long: a stranger, not worth buffering.
        if (socket->bytesAvailable() > kAlertMessage.size()) {
            socket->disconnectFromServer();
        }
        return;
    }
    // Anything but our own message is a stranger on the socket: ignored.
    if (socket->readLine(kAlertMessage.size() + 1) == kAlertMessage) {
        emit alertRequested();
    }
    socket->disconnectFromServer();
}

QString cmcQtInstanceLock::BasePath(const std::string& name) const {
    return QDir(m_folder).filePath(FileStem(name));
}
