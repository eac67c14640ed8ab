#include "data/file_read.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace dovanel {

namespace {

constexpr char kNotOrdinary[] = "Not an ordinary file";

ReadResult Refused(std::string reason) {
    return {ReadResult::Status::Refused, std::move(reason)};
}

// Reads up to `limit` + 1 bytes: one more than allowed tells a file grown too big.
ReadResult ReadUpTo(int fd, std::string& text, std::size_t limit) {
    char buffer[16384];
    while (text.size() <= limit) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return Refused(std::strerror(errno));
        if (n == 0) return {ReadResult::Status::Read, {}};
        text.append(buffer, static_cast<std::size_t>(n));
    }
    return Refused(std::strerror(EFBIG));
}

}  // namespace

ReadResult ReadOrdinaryFile(const std::string& path, std::string& text, std::size_t limit) {
    text.clear();
    // Without O_NONBLOCK, opening a FIFO would wait for a writer.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        const int error = errno;
        return {error == ENOENT ? ReadResult::Status::Missing : ReadResult::Status::Refused,
                std::strerror(error)};
    }
    struct stat st {};
    ReadResult result;
    if (::fstat(fd, &st) != 0)
        result = Refused(std::strerror(errno));
    else if (!S_ISREG(st.st_mode))
        result = Refused(kNotOrdinary);
    else if (static_cast<unsigned long long>(st.st_size) > limit)
        result = Refused(std::strerror(EFBIG));
    else
        result = ReadUpTo(fd, text, limit);
    ::close(fd);
    if (!result.ok()) text.clear();
    return result;
}

}  // namespace dovanel
