#include "shell/program_folder.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <unistd.h>
#include <cerrno>

namespace dovanel {

namespace {

// Creates the probe only where no file or link of its name exists.
int CreateProbe(const QByteArray& path) {
    return ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
}

}  // namespace

bool IsSystemLocation(const QString& folder) {
    const QFileInfo info(folder);
    QString path = info.canonicalFilePath();
    if (path.isEmpty()) path = QDir::cleanPath(info.absoluteFilePath());
    for (const char* root : {"/usr", "/opt", "/bin", "/sbin", "/snap", "/app"})
        if (path == root || path.startsWith(QString(root) + "/")) return true;
    return false;
}

bool CanWriteProgramFolder(const QString& folder) {
    const QByteArray path = QFile::encodeName(folder + kAdminTestFile);
    int fd = CreateProbe(path);
    if (fd < 0 && errno == EEXIST && ::unlink(path.constData()) == 0) fd = CreateProbe(path);
    if (fd < 0) return false;
    const QByteArray stamp = QDateTime::currentDateTime().toString(Qt::TextDate).toUtf8() + "\n";
    const bool written = ::write(fd, stamp.constData(), stamp.size()) == stamp.size();
    ::close(fd);
    ::unlink(path.constData());
    return written;
}

}  // namespace dovanel
