#include "shell/owner_checks.h"

#include <QFile>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

namespace dovanel {

bool IsPrivateFolder(const QString& folder) {
    const QByteArray path = QFile::encodeName(folder);
    ::mkdir(path.constData(), 0700);
    struct stat info {};
    if (::lstat(path.constData(), &info) != 0 || !S_ISDIR(info.st_mode) ||
        info.st_uid != ::geteuid())
        return false;
    return (info.st_mode & 077) == 0 || ::chmod(path.constData(), 0700) == 0;
}

bool IsOwnSocket(const QString& path) {
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 && S_ISSOCK(info.st_mode) &&
           info.st_uid == ::geteuid();
}

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

}  // namespace dovanel
