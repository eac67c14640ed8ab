#include "data/folder_ops.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace dovanel {

int ReadFileBytes(const std::string& path, std::string& text, bool& missing) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    missing = fd < 0 && errno == ENOENT;
    if (fd < 0) return errno;
    char buffer[8192];
    int error = 0;
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) error = errno;
        if (n <= 0) break;
        text.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return error;
}

int MakeTemporaryFolder(std::string& pattern) {
    return ::mkdtemp(pattern.data()) ? 0 : errno;
}

int RenamePath(const std::string& from, const std::string& to) {
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

int SwapFolders(const std::string& first, const std::string& second) {
    return ::renameat2(AT_FDCWD, first.c_str(), AT_FDCWD, second.c_str(), RENAME_EXCHANGE) == 0
               ? 0
               : errno;
}

void CopyFolderPermissions(const std::string& model, const std::string& folder) {
    struct stat st;
    if (::stat(model.c_str(), &st) == 0) ::chmod(folder.c_str(), st.st_mode & 07777);
}

}  // namespace dovanel
