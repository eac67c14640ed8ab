#pragma once
// An advisory lock (flock) a running copy of the program holds on a file of
// its own for as long as it runs. The system drops the lock when the process
// ends in any way, a kill included, so a lock file nobody holds belongs to a
// copy that has ended. The system's calls sit in data/run_lock_posix.cpp.

#include <string>

namespace dovanel {

class RunLock {
  public:
    RunLock() = default;
    ~RunLock();  // releases the lock and removes its file
    RunLock(const RunLock&) = delete;
    RunLock& operator=(const RunLock&) = delete;

    // Creates the file at `path` (0600, not through a symbolic link) and locks
    // it. A lock file another process removed meanwhile is made again, so the
    // lock held is always the one on the file by that name. Returns 0 or the
    // system's error number.
    int Acquire(const std::string& path);
    // Removes the lock file, then drops the lock.
    void Release();
    bool Held() const { return fd_ >= 0; }

  private:
    int fd_ = -1;
    std::string path_;
};

// Whether a running process holds the lock on `path`. A missing file is not
// held; where the system cannot tell (a file that cannot be opened, a file
// system without locks), it counts as held, so that nothing of a running copy
// is ever taken for left behind.
bool IsLockHeld(const std::string& path);

// Removes the lock file at `path` when nobody holds it; true when it went.
bool RemoveUnheldLock(const std::string& path);

// This process's id, to name its files.
long CurrentProcessId();

}  // namespace dovanel
