#include "shell/single_instance.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>

#ifdef Q_OS_UNIX
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#endif

namespace dovanel {

namespace {

const char kActivate[] = "activate\n";
const char kSocketSuffix[] = ".socket";
// More than this without a line end is no request of ours.
constexpr qint64 kLongestRequest = 256;

#ifdef Q_OS_UNIX
// A folder of this user's that nobody else may enter, made if missing.
bool IsPrivateFolder(const QString& folder) {
    const QByteArray path = QFile::encodeName(folder);
    ::mkdir(path.constData(), 0700);
    struct stat info {};
    if (::lstat(path.constData(), &info) != 0 || !S_ISDIR(info.st_mode) ||
        info.st_uid != ::geteuid())
        return false;
    return (info.st_mode & 077) == 0 || ::chmod(path.constData(), 0700) == 0;
}

// A socket file of this user's (not a link to one, nor a stranger's).
bool IsOwnSocket(const QString& path) {
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 && S_ISSOCK(info.st_mode) &&
           info.st_uid == ::geteuid();
}

// Whether the other end of a connected local socket runs as this user.
bool PeerIsSameUser(qintptr descriptor) {
#if defined(SO_PEERCRED)
    struct ucred peer {};
    socklen_t size = sizeof peer;
    return ::getsockopt(static_cast<int>(descriptor), SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 &&
           peer.uid == ::geteuid();
#else
    uid_t uid = 0;
    gid_t gid = 0;
    return ::getpeereid(static_cast<int>(descriptor), &uid, &gid) == 0 && uid == ::geteuid();
#endif
}

bool ProcessIsGone(qint64 pid) {
    return pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}
#else
bool IsPrivateFolder(const QString& folder) {
    return QDir().mkpath(folder);
}
bool IsOwnSocket(const QString&) {
    return true;
}
bool PeerIsSameUser(qintptr) {
    return true;
}
bool ProcessIsGone(qint64) {
    return false;
}
#endif

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
        socket.write(kActivate);
        if (!socket.waitForBytesWritten(timeoutMs)) continue;
        while (!socket.canReadLine() && socket.waitForReadyRead(timeoutMs)) {
        }
        if (socket.readLine().startsWith("ok")) return true;
    }
    return false;
}

bool SingleInstance::Listen(std::function<void()> onActivate) {
    const QString folder = Folder();
    if (folder.isEmpty()) return false;
    const QString path = SocketName(folder, QCoreApplication::applicationPid());
    QLocalServer::removeServer(path);  // left by an ended process that had this number
    delete server_;
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, [this, onActivate] {
        while (QLocalSocket* socket = server_->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            if (!PeerIsSameUser(socket->socketDescriptor())) {
                socket->abort();
                continue;
            }
            // A request may arrive in pieces: each is answered once its line is whole.
            connect(socket, &QLocalSocket::readyRead, socket, [socket, onActivate] {
                while (socket->canReadLine()) {
                    if (!socket->readLine().startsWith("activate")) continue;
                    onActivate();
                    socket->write("ok\n");
                    socket->flush();
                }
                if (socket->bytesAvailable() > kLongestRequest) socket->abort();
            });
        }
    });
    return server_->listen(path);
}

}  // namespace dovanel
