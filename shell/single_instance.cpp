#include "shell/single_instance.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>

#include "shell/owner_checks.h"

namespace dovanel {

namespace {

// The requests, one line each: "activate", or "open " and the file's path,
// percent-encoded so that any byte of a name stays on the line.
const char kActivate[] = "activate\n";
const char kOpen[] = "open ";
const char kSocketSuffix[] = ".socket";
// More than this without a line end is no request of ours (a path of the
// longest length the system allows, every byte encoded, fits).
constexpr qint64 kLongestRequest = 3 * 4096 + 64;

QString SocketName(const QString& folder, qint64 pid) {
    return folder + QString::number(pid) + kSocketSuffix;
}

}  // namespace

SingleInstance::SingleInstance(const QString& name, const QString& fallback, QObject* parent)
    : QObject(parent),
      name_(name),
      fallback_(fallback.isEmpty() || fallback.endsWith('/') ? fallback : fallback + '/') {}

SingleInstance::~SingleInstance() {
    if (server_) server_->close();  // removes this copy's socket, and only it
    delete lock_;
}

// Without XDG_RUNTIME_DIR the system would make up a runtime folder in the
// shared temporary folder, which another user can make first: never asked for.
QString SingleInstance::Folder() const {
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
        const QString folder = runtime + "/" + name_ + "/";
        if (!runtime.isEmpty() && IsPrivateFolder(folder)) return folder;
    }
    if (!fallback_.isEmpty() && IsPrivateFolder(fallback_)) return fallback_;
    return {};
}

bool SingleInstance::TryLock() {
    delete lock_;
    lock_ = nullptr;
    const QString folder = Folder();
    if (folder.isEmpty()) return true;
    lock_ = new QLockFile(folder + "lock");
    lock_->setStaleLockTime(0);  // only a lock whose process is gone is stale
    if (lock_->tryLock(0)) return true;
    const bool heldByAnother = lock_->error() == QLockFile::LockFailedError;
    delete lock_;
    lock_ = nullptr;
    return !heldByAnother;
}

bool SingleInstance::Protected() const {
    return lock_ && lock_->isLocked();
}

// Every copy's socket, the lock holder's first.
QStringList SingleInstance::SocketsToTry() const {
    const QString folder = Folder();
    if (folder.isEmpty()) return {};
    QStringList sockets;
    qint64 holder = 0;
    QString host, application;
    if (QLockFile(folder + "lock").getLockInfo(&holder, &host, &application))
        sockets << SocketName(folder, holder);
    for (const QString& file : QDir(folder).entryList({QString("*") + kSocketSuffix}, QDir::System))
        if (!sockets.contains(folder + file)) sockets << folder + file;
    return sockets;
}

bool SingleInstance::ActivateRunningCopy(int timeoutMs) {
    return Send(kActivate, timeoutMs);
}

bool SingleInstance::AskRunningCopyToOpen(const QString& path, int timeoutMs) {
    return Send(kOpen + path.toUtf8().toPercentEncoding("/") + "\n", timeoutMs);
}

bool SingleInstance::Send(const QByteArray& request, int timeoutMs) {
    for (const QString& path : SocketsToTry()) {
        if (!IsOwnSocket(path)) continue;
        QLocalSocket socket;
        socket.connectToServer(path);
        if (!socket.waitForConnected(timeoutMs)) {
            // A copy that ended without tidying up left its socket behind.
            if (ProcessIsGone(QFileInfo(path).baseName().toLongLong())) QFile::remove(path);
            continue;
        }
        if (!PeerIsSameUser(socket.socketDescriptor())) continue;
        socket.write(request);
        if (!socket.waitForBytesWritten(timeoutMs)) continue;
        while (!socket.canReadLine() && socket.waitForReadyRead(timeoutMs)) {
        }
        if (socket.readLine().startsWith("ok")) return true;
    }
    return false;
}

bool SingleInstance::Listen(std::function<void()> onActivate,
                            std::function<void(const QString&)> onOpen) {
    const QString folder = Folder();
    if (folder.isEmpty()) return false;
    const QString path = SocketName(folder, QCoreApplication::applicationPid());
    QLocalServer::removeServer(path);  // left by an ended process that had this number
    delete server_;
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, [this, onActivate, onOpen] {
        while (QLocalSocket* socket = server_->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            if (!PeerIsSameUser(socket->socketDescriptor())) {
                socket->abort();
                continue;
            }
            // A request may arrive in pieces: each is answered once its line is whole.
            connect(socket, &QLocalSocket::readyRead, socket, [this, socket, onActivate, onOpen] {
                while (socket->canReadLine()) {
                    const QByteArray line = socket->readLine().chopped(1);
                    const bool open = line.startsWith(kOpen) && onOpen;
                    if (!line.startsWith("activate") && !open) continue;
                    if (!open) onActivate();
                    socket->write("ok\n");
                    socket->flush();
                    if (!open) continue;
                    const QString path = QString::fromUtf8(
                        QByteArray::fromPercentEncoding(line.mid(int(sizeof kOpen) - 1)));
                    QMetaObject::invokeMethod(
                        this, [onOpen, path] { onOpen(path); }, Qt::QueuedConnection);
                }
                if (socket->bytesAvailable() > kLongestRequest) socket->abort();
            });
        }
    });
    return server_->listen(path);
}

}  // namespace dovanel
