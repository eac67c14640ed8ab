#pragma once
// Reading a file the user named, whole, without ever blocking or reading
// something that is not a file: a FIFO, a device, a folder or a socket is
// refused before a byte is read, a file over the size limit likewise, and a
// file that changes or is deleted while it is read is reported, never taken
// half. The system's calls sit in data/file_read_posix.cpp.

#include <cstddef>
#include <functional>
#include <string>

namespace dovanel {

// The outcome of reading a file: on failure, why ("No such file or directory",
// "It is a folder, not a file"), a sentence for the user without its full stop.
struct FileReadResult {
    bool ok = false;
    std::string reason;
    bool missing = false;  // nothing by that name (or a link pointing nowhere)
    explicit operator bool() const { return ok; }
};

// Reads the whole of the regular file at `path` (symbolic links followed) into
// `text` when it holds at most `limit` bytes. `text` is changed only on success.
// `afterPiece`, for tests, runs after each piece read from the file.
FileReadResult ReadRegularFile(const std::string& path, std::size_t limit, std::string& text,
                               const std::function<void()>& afterPiece = {});

}  // namespace dovanel
