#pragma once
// The first run's installation of the data files, all or nothing, and the
// clean-up of what an interrupted save or installation left behind.

#include <filesystem>
#include <string>
#include <vector>

#include "data/file_write.h"

namespace dovanel {

struct InstallResult {
    bool ok = false;
    std::string file;    // the file that could not be copied, if one
    std::string reason;  // the system's reason
};

// Copies the named files from `from` into a staging folder beside
// `dataFolder` (".NAME.dovanel-install-XXXXXX", private to the user) and puts it
// in the data folder's place only when every copy succeeded. A file missing
// from `from` is skipped, and so is one the data folder already holds (a
// first run may find the user's own settings file there): everything already
// in the data folder stays as it is. On failure the data folder is as it was.
InstallResult InstallFiles(const std::string& from, const std::string& dataFolder,
                           const std::vector<std::string>& names);

// Removes, from before `before` (the program's start): temporary files of
// saves in the data folder and beside the files its links point to, and
// staging folders of installations beside the data folder. In the recovery
// folder it removes what ended copies of the program left, whenever they
// ended (RemoveRecoveryLeftovers).
void RemoveLeftovers(const std::string& dataFolder, const std::vector<std::string>& names,
                     std::filesystem::file_time_type before);

// True for the names InstallFiles gives its staging folders.
bool IsInstallLeftoverName(const std::string& name);

}  // namespace dovanel
