#pragma once
// Writing a file so that a crash, a full disk or a power cut never leaves it
// empty or cut short, and so that nobody else can read it meanwhile. The
// system calls live in file_write_posix.cpp.

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

// Writes a file the user named in a dialog (an export, a report) the same way,
// but never through a symbolic link: a link in the named place, dangling or
// not, is replaced by the file and its target is left alone. An ordinary file
// in its place keeps its permission bits; a new file, or one that replaces a
// link, gets those of any new file (0666 less the umask). A folder, a
// read-only file and a folder closed to new files are refused: nothing is
// written in place. The written size is checked before the rename.
WriteResult WriteNamedFile(const std::string& path, const std::string& bytes);

// Whether WriteNamedFile would be refused at once (a folder, a read-only file,
// a missing folder), checked before the contents are made.
WriteResult CheckNamedFile(const std::string& path);

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
