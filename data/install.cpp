#include "data/install.h"

#include <algorithm>
#include <cerrno>

#include "data/folder_ops.h"
#include "data/recovery_folder.h"

namespace dovanel {

namespace fs = std::filesystem;

namespace {

constexpr char kInstallMarker[] = ".dovanel-install-";

fs::path WithoutSlash(const std::string& folder) {
    const fs::path path = fs::path(folder).lexically_normal();
    return path.has_filename() ? path : path.parent_path();
}

// The data folder as it lies on disk, links followed.
fs::path RealFolder(const fs::path& folder) {
    std::error_code ec;
    const fs::path real = fs::weakly_canonical(folder, ec);
    return ec ? folder : real;
}

// Copies into the staging folder; a failure names the file as the data folder will hold it.
InstallResult CopyAll(const fs::path& from, const fs::path& staging, const fs::path& folder,
                      const std::vector<std::string>& names) {
    for (const std::string& name : names) {
        std::error_code ec;
        if (fs::exists(fs::symlink_status(folder / name, ec))) continue;  // the user's: kept
        std::string text;
        bool missing = false;
        if (const int error = ReadFileBytes((from / name).string(), text, missing)) {
            if (missing) continue;  // not shipped: the load will say so
            return {false, (from / name).string(), Failure(error).reason};
        }
        const WriteResult written = WriteFileAtomically((staging / name).string(), text);
        if (!written) return {false, (folder / name).string(), written.reason};
    }
    return {true, {}, {}};
}

// Moves what the old data folder held into the new one, where the
// installation did not put a file of the same name, and removes the old one.
void CarryOver(const fs::path& old, const fs::path& folder) {
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(old, ec)) {
        const fs::path target = folder / entry.path().filename();
        if (fs::exists(fs::symlink_status(target, ec)))
            fs::remove(entry.path(), ec);  // replaced by the installed file
        else
            fs::rename(entry.path(), target, ec);
    }
    fs::remove(old, ec);
}

bool IsDataFileName(const std::string& name) {
    return name.size() > 4 && name.compare(name.size() - 4, 4, ".DAT") == 0;
}

// Moves the staged files into the data folder one by one, the data files last,
// where the folder cannot be replaced whole.
int MoveEach(const fs::path& staging, const fs::path& folder,
             const std::vector<std::string>& names) {
    std::vector<std::string> order = names;
    std::stable_partition(order.begin(), order.end(),
                          [](const std::string& name) { return !IsDataFileName(name); });
    std::error_code ec;
    for (const std::string& name : order) {
        if (!fs::exists(staging / name, ec)) continue;
        if (const int error = RenamePath((staging / name).string(), (folder / name).string()))
            return error;
    }
    fs::remove(staging, ec);
    return 0;
}

// Puts the filled staging folder in the data folder's place in one step: a
// rename onto the empty folder, or a swap with one holding other files.
// Staged inside the folder itself, the files move one by one.
int PutInPlace(const fs::path& staging, const fs::path& folder,
               const std::vector<std::string>& names) {
    if (staging.parent_path() == folder) return MoveEach(staging, folder, names);
    CopyFolderPermissions(folder.string(), staging.string());
    const int error = RenamePath(staging.string(), folder.string());
    if (error == 0) return 0;
    if (error != ENOTEMPTY && error != EEXIST) return error;
    if (const int swapped = SwapFolders(staging.string(), folder.string())) return swapped;
    CarryOver(staging, folder);
    return 0;
}

// Empties a staging folder of what an installation puts there, and removes it
// when nothing else is left.
void ClearStaging(const fs::path& staging, const std::vector<std::string>& names) {
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(staging, ec)) {
        const std::string name = entry.path().filename().string();
        if (IsSaveLeftoverName(name) || std::count(names.begin(), names.end(), name))
            fs::remove(entry.path(), ec);
    }
    fs::remove(staging, ec);
}

bool Older(const fs::path& path, fs::file_time_type before) {
    std::error_code ec;
    const auto changed = fs::last_write_time(path, ec);
    return !ec && changed < before;
}

}  // namespace

bool IsInstallLeftoverName(const std::string& name) {
    return IsMarkedTemporaryName(name, kInstallMarker);
}

// Stages beside the data folder; where that cannot be (a parent closed to new
// folders, a data folder that is a mount point, a file system that cannot swap
// folders), stages inside the data folder and moves the files one by one.
InstallResult InstallFiles(const std::string& from, const std::string& dataFolder,
                           const std::vector<std::string>& names) {
    const fs::path folder = RealFolder(WithoutSlash(dataFolder));
    const std::string name = "." + folder.filename().string() + kInstallMarker + "XXXXXX";
    InstallResult result{false, folder.string(), {}};
    std::error_code ec;
    for (const fs::path& place : {folder.parent_path(), folder}) {
        std::string pattern = (place / name).string();
        if (const int error = MakeTemporaryFolder(pattern)) {
            result.reason = Failure(error).reason;
            continue;  // no staging here: try the next place
        }
        const fs::path staging(pattern);
        result = CopyAll(WithoutSlash(from), staging, folder, names);
        const bool copied = result.ok;
        if (copied) {
            SyncFolder(staging.string());
            if (const int error = PutInPlace(staging, folder, names))
                result = {false, folder.string(), Failure(error).reason};
        }
        if (!result.ok) fs::remove_all(staging, ec);
        if (result.ok || !copied) break;  // a copy that failed fails anywhere
    }
    SyncFolder(folder.parent_path().string());
    SyncFolder(folder.string());
    return result;
}

void RemoveLeftovers(const std::string& dataFolder, const std::vector<std::string>& names,
                     fs::file_time_type before) {
    const fs::path folder = RealFolder(WithoutSlash(dataFolder));
    std::vector<fs::path> folders = {folder};
    std::error_code ec;
    for (const std::string& name : names) {
        if (!fs::is_symlink(WithoutSlash(dataFolder) / name, ec)) continue;
        const fs::path target = RealFolder(WithoutSlash(dataFolder) / name);
        if (std::count(folders.begin(), folders.end(), target.parent_path()) == 0)
            folders.push_back(target.parent_path());
    }
    for (const fs::path& f : folders) RemoveSaveLeftovers(f.string(), before);
    RemoveRecoveryLeftovers(RecoveryFolderOf(folder.string()));
    for (const fs::path& place : {folder.parent_path(), folder}) {
        for (const auto& entry : fs::directory_iterator(place, ec)) {
            if (!IsInstallLeftoverName(entry.path().filename().string())) continue;
            if (fs::is_directory(entry.symlink_status(ec)) && Older(entry.path(), before))
                ClearStaging(entry.path(), names);
        }
    }
}

}  // namespace dovanel
