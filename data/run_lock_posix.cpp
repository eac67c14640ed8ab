#include "data/run_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace dovanel {

namespace {

constexpr int kAttempts = 20;

bool SameFile(int fd, const std::string& path) {
    struct stat opened {
    }, named{};
    if (::fstat(fd, &opened) != 0 || ::lstat(path.c_str(), &named) != 0) return false;
    return opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

}  // namespace

RunLock::~RunLock() {
    Release();
}

int RunLock::Acquire(const std::string& path) {
    Release();
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd < 0) return errno;
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            ::close(fd);
            return error;
        }
        // A clean-up may have removed the file between our open and our lock:
        // a lock on a file without a name protects nothing.
        if (SameFile(fd, path)) {
            fd_ = fd;
            path_ = path;
            return 0;
        }
        ::close(fd);
    }
    return EAGAIN;
}

void RunLock::Release() {
    if (fd_ < 0) return;
    ::unlink(path_.c_str());  // while still locked, so that nobody takes it in between
    ::close(fd_);
    fd_ = -1;
    path_.clear();
}

bool IsLockHeld(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0) return errno != ENOENT;
    const bool free = ::flock(fd, LOCK_SH | LOCK_NB) == 0;
    ::close(fd);  // drops our own shared lock with it
    return !free;
}

bool RemoveUnheldLock(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0) return false;
    bool removed = false;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && SameFile(fd, path))
        removed = ::unlink(path.c_str()) == 0;
    ::close(fd);
    return removed;
}

long CurrentProcessId() {
    return static_cast<long>(::getpid());
}

}  // namespace dovanel
