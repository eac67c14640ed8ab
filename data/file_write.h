#pragma once
// Writing a file so that a crash, a full disk or a power cut never leaves it
// empty or cut short, and so that nobody else can read it meanwhile.

#include <filesystem>
#include <string>

namespace dovanel {

// The outcome of writing a file: on failure, the system's reason ("Permission
// denied", "No space left on device") for the user to read.
struct WriteResult {
    bool ok = false;
    std::string reason;
    explicit operator bool() const { return ok; }
};

// Replaces a file's contents without ever leaving it empty or cut short: the
// text goes to a temporary file ".NAME.dovanel-save-XXXXXX" beside it, created
// with the file's own permission bits (0600 for a new file), is flushed to disk
// and then renamed over the original.
// - A symbolic link stays a link: the file it points to gets the new contents,
//   the temporary file lies beside that file.
// - A writable file in a folder where no file can be created is written in
//   place (over the old contents, cut to length, flushed); should that fail,
//   the old contents are put back as far as the disk allows.
// - A read-only file is left as it is.
// On failure the result says why, and no temporary file is left.
WriteResult WriteFileAtomically(const std::string& path, const std::string& text);

// True for the names WriteFileAtomically gives its temporary files.
bool IsSaveLeftoverName(const std::string& name);

// True for a hidden name that ends in `marker` and six letters or digits, as
// the temporary files of a save and the staging folders of an installation are
// named.
bool IsMarkedTemporaryName(const std::string& name, const std::string& marker);

// Removes the temporary files an interrupted save left in `folder`: files
// named as above that were last changed before `before` (the program's start).
// Returns how many went.
int RemoveSaveLeftovers(const std::string& folder, std::filesystem::file_time_type before);

// Creates a folder that only its owner may enter (0700), with any missing
// parents; an existing folder is left as it is.
WriteResult MakePrivateFolder(const std::string& path);

// The system's text for an error number ("Permission denied").
WriteResult Failure(int error);

// Flushes a folder's entries (renames, new files) to disk; best effort.
void SyncFolder(const std::string& folder);

}  // namespace dovanel
