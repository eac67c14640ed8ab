#pragma once
// Reading a whole file that ought to be an ordinary file of modest size, as the
// data files and the settings file are. Anything else in its place (a FIFO, a
// device, a folder) or a file beyond the limit is refused before a byte is
// read, so that nothing can hang the program or fill its memory.

#include <cstddef>
#include <string>

namespace dovanel {

struct ReadResult {
    enum class Status { Read, Missing, Refused };
    Status status = Status::Refused;
    std::string reason;  // why it was not read: the system's reason, or what is wrong with it
    bool ok() const { return status == Status::Read; }
};

// Reads the file at `path`, symbolic links followed, into `text`; on failure
// `text` is empty. A file of more than `limit` bytes is refused.
ReadResult ReadOrdinaryFile(const std::string& path, std::string& text, std::size_t limit);

}  // namespace dovanel
