#pragma once
// The folder of recovery copies, "Recovery" in the data folder (0700, each
// copy 0600), shared by every running copy of the program.
//
// Each running copy has an owner name of its own, "<pid>-<six letters or
// digits>", and holds an advisory lock on "<owner>.lock" in the folder for as
// long as it runs (data/run_lock.h). Its copies are "<owner>.<n>.recovery",
// one per document. A copy whose owner's lock nobody holds was left behind by
// a copy of the program that crashed or was killed: it is orphaned, and the
// next start offers it back. Before offering it, a start claims it (renames it
// to a name of its own) so that two starts never offer the same copy, and a
// crash while the question is open leaves it orphaned again, not lost.

#include <cstdint>
#include <string>
#include <vector>

#include "data/file_write.h"
#include "data/recovery_file.h"
#include "data/run_lock.h"

namespace dovanel {

// The recovery folder of a data folder (which ends in "/"); ends in "/" too.
std::string RecoveryFolderOf(const std::string& dataFolder);

// An orphaned copy as the listing finds it: its header, or why it cannot be read.
struct RecoveryEntry {
    std::string file;       // the copy's full path
    bool readable = false;  // false: `problem` says why, and only deleting it is left
    std::string problem;    // RecoveryReadMessage's reason
    RecoveredKind kind = RecoveredKind::Untitled;
    std::string name;          // the document's name
    std::string path;          // its scenario file, for a file
    std::int64_t written = 0;  // seconds since 1970, UTC
};

// The orphaned copies in `folder`, newest first (unreadable ones last).
std::vector<RecoveryEntry> ListOrphanedCopies(const std::string& folder);

// Deletes a copy (after its changes were restored and saved, or discarded).
WriteResult DeleteRecoveryCopy(const std::string& file);

// Removes what ended copies of the program left: the temporary files of their
// interrupted writes, and their lock files once no copy of theirs is left.
// Whatever a running copy owns stays. Returns how many files went.
int RemoveRecoveryLeftovers(const std::string& folder);

// This running copy's place in the recovery folder: its lock, and the copies
// of its documents.
class RecoveryFolder {
  public:
    // Makes the folder in `dataFolder` (0700), takes this copy's lock and
    // removes what ended copies left (RemoveRecoveryLeftovers); status() says
    // whether the folder and the lock could be had.
    explicit RecoveryFolder(const std::string& dataFolder);
    // A normal end: removes every copy of this owner and its lock file.
    ~RecoveryFolder();
    RecoveryFolder(const RecoveryFolder&) = delete;
    RecoveryFolder& operator=(const RecoveryFolder&) = delete;

    const WriteResult& status() const { return status_; }
    const std::string& folder() const { return folder_; }
    const std::string& owner() const { return owner_; }

    // A new, unused name for one document's copy.
    std::string NewCopyPath();
    // Writes a copy atomically (WriteFileAtomically), private to the user.
    WriteResult Write(const std::string& copyPath, const RecoveryCopy& copy);

    // The copies left behind by ended copies of the program, newest first.
    std::vector<RecoveryEntry> Orphans() const { return ListOrphanedCopies(folder_); }
    // Makes an orphaned copy this owner's (a rename under a new name):
    // `claimed` is its new path. Fails when another start claimed it first.
    WriteResult Claim(const RecoveryEntry& orphan, std::string& claimed);
    // Gives a claimed copy back its orphaned name, for the next start.
    WriteResult Unclaim(const std::string& claimed, const RecoveryEntry& orphan);

  private:
    std::string folder_;
    std::string owner_;
    RunLock lock_;
    WriteResult status_;
    int next_ = 0;
};

}  // namespace dovanel
