#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "data/file_read.h"

namespace dovanel {

namespace {

constexpr std::size_t kPiece = 16 * 1024;

class ReadDescriptor {
  public:
    explicit ReadDescriptor(int fd) : fd_(fd) {}
    ~ReadDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    ReadDescriptor(const ReadDescriptor&) = delete;
    ReadDescriptor& operator=(const ReadDescriptor&) = delete;
    int get() const { return fd_; }

  private:
    int fd_;
};

FileReadResult Refused(std::string reason) {
    return {false, std::move(reason)};
}

FileReadResult SystemError(int error) {
    return Refused(std::strerror(error));
}

std::string SizeText(std::size_t bytes) {
    constexpr std::size_t kMiB = 1024 * 1024;
    if (bytes % kMiB == 0) return std::to_string(bytes / kMiB) + " MB";
    return std::to_string(bytes) + " bytes";
}

// Why a file of this type is not read, or empty for a regular file.
std::string NotAFile(mode_t mode) {
    if (S_ISREG(mode)) return {};
    if (S_ISDIR(mode)) return "It is a folder, not a file";
    if (S_ISFIFO(mode)) return "It is a named pipe (FIFO), not a file";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "It is a device, not a file";
    if (S_ISSOCK(mode)) return "It is a socket, not a file";
    return "It is not a regular file";
}

std::string TooLarge(std::size_t limit) {
    return "It is larger than " + SizeText(limit) + ", the most this program reads";
}

bool SameContents(const struct stat& a, const struct stat& b) {
    return a.st_size == b.st_size && a.st_mtim.tv_sec == b.st_mtim.tv_sec &&
           a.st_mtim.tv_nsec == b.st_mtim.tv_nsec;
}

// Reads up to `limit` + 1 bytes: one byte more than allowed tells a file that grew.
int ReadUpTo(int fd, std::size_t limit, std::string& text,
             const std::function<void()>& afterPiece) {
    char piece[kPiece];
    while (text.size() <= limit) {
        const ssize_t n = ::read(fd, piece, std::min(kPiece, limit + 1 - text.size()));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return errno;
        if (n == 0) return 0;
        text.append(piece, static_cast<std::size_t>(n));
        if (afterPiece) afterPiece();
    }
    return 0;
}

}  // namespace

FileReadResult ReadRegularFile(const std::string& path, std::size_t limit, std::string& text,
                               const std::function<void()>& afterPiece) {
    // Non-blocking, so that opening a FIFO with no writer returns at once.
    ReadDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (fd.get() < 0) {
        const int error = errno;
        FileReadResult result = SystemError(error);
        result.missing = error == ENOENT;
        return result;
    }
    struct stat before;
    if (::fstat(fd.get(), &before) != 0) return SystemError(errno);
    if (const std::string why = NotAFile(before.st_mode); !why.empty()) return Refused(why);
    if (static_cast<unsigned long long>(before.st_size) > limit) return Refused(TooLarge(limit));
    std::string read;
    read.reserve(static_cast<std::size_t>(before.st_size));
    if (const int error = ReadUpTo(fd.get(), limit, read, afterPiece)) return SystemError(error);
    if (read.size() > limit) return Refused(TooLarge(limit));
    struct stat after;
    if (::fstat(fd.get(), &after) != 0) return SystemError(errno);
    if (after.st_nlink == 0) return Refused("It was deleted or replaced while it was read");
    if (!SameContents(before, after) || read.size() != static_cast<std::size_t>(after.st_size))
        return Refused("It changed while it was read");
    text = std::move(read);
    return {true, {}};
}

}  // namespace dovanel
