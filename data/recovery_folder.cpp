#include "data/recovery_folder.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <filesystem>
#include <random>
#include <set>

#include "data/file_read.h"

namespace dovanel {

namespace fs = std::filesystem;

namespace {

constexpr char kFolderName[] = "Recovery";
constexpr char kLockSuffix[] = ".lock";
constexpr char kCopySuffix[] = ".recovery";
constexpr std::size_t kOwnerRandomChars = 6;

bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

bool AllDigits(const std::string& text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); });
}

// "<digits>-<six letters or digits>"
bool IsOwnerName(const std::string& owner) {
    const std::size_t dash = owner.find('-');
    if (dash == std::string::npos || owner.size() != dash + 1 + kOwnerRandomChars) return false;
    return AllDigits(owner.substr(0, dash)) &&
           std::all_of(owner.begin() + dash + 1, owner.end(),
                       [](unsigned char c) { return std::isalnum(c); });
}

// The owner a name in the folder belongs to, or empty: "<owner>.lock",
// "<owner>.<n>.recovery" and the temporary ".<owner>.<n>.recovery.dovanel-save-XXXXXX".
std::string OwnerOf(const std::string& name) {
    const bool temporary = IsSaveLeftoverName(name);
    const std::string plain = temporary ? name.substr(1) : name;
    const std::string owner = plain.substr(0, plain.find('.'));
    if (!IsOwnerName(owner)) return {};
    const std::string rest = plain.substr(owner.size());
    if (!temporary && rest == kLockSuffix) return owner;
    const std::size_t end = rest.find(kCopySuffix);
    if (rest.size() < 2 || end == std::string::npos || !AllDigits(rest.substr(1, end - 1)))
        return {};
    return temporary || end + std::string(kCopySuffix).size() == rest.size() ? owner
                                                                             : std::string();
}

bool IsCopyName(const std::string& name) {
    return !IsSaveLeftoverName(name) && EndsWith(name, kCopySuffix) && !OwnerOf(name).empty();
}

std::string LockOf(const std::string& folder, const std::string& owner) {
    return folder + owner + kLockSuffix;
}

std::string NewOwnerName() {
    static const char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device random;
    std::string owner = std::to_string(CurrentProcessId()) + "-";
    for (std::size_t i = 0; i < kOwnerRandomChars; ++i)
        owner += kChars[random() % (sizeof kChars - 1)];
    return owner;
}

// The regular files of the folder by name (links and folders are no copies).
std::vector<std::string> FileNames(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec))
        if (fs::is_regular_file(entry.symlink_status(ec)))
            names.push_back(entry.path().filename().string());
    return names;
}

RecoveryEntry EntryOf(const std::string& file) {
    RecoveryEntry entry;
    entry.file = file;
    RecoveryCopy copy;
    std::string text;
    const FileReadResult read = ReadRegularFile(file, kRecoveryCopyLimit, text);
    const ScenarioReadResult parsed =
        read ? ParseRecoveryText(text, copy) : ScenarioReadResult{false, 0, read.reason};
    if (!parsed) {
        entry.problem = RecoveryReadMessage(file, parsed);
        ParseRecoveryHeader(text, copy);  // what it can still tell, for the list
    }
    entry.readable = parsed.ok;
    entry.kind = copy.kind;
    entry.name = copy.name;
    entry.path = copy.path;
    entry.written = copy.written;
    return entry;
}

bool Newer(const RecoveryEntry& a, const RecoveryEntry& b) {
    if (a.readable != b.readable) return a.readable;
    if (a.written != b.written) return a.written > b.written;
    return a.file < b.file;
}

}  // namespace

std::string RecoveryFolderOf(const std::string& dataFolder) {
    return (fs::path(dataFolder) / kFolderName).string() + "/";
}

std::vector<RecoveryEntry> ListOrphanedCopies(const std::string& folder) {
    std::vector<RecoveryEntry> orphans;
    for (const std::string& name : FileNames(folder))
        if (IsCopyName(name) && !IsLockHeld(LockOf(folder, OwnerOf(name))))
            orphans.push_back(EntryOf(folder + name));
    std::sort(orphans.begin(), orphans.end(), Newer);
    return orphans;
}

WriteResult DeleteRecoveryCopy(const std::string& file) {
    std::error_code ec;
    if (!fs::remove(file, ec)) return Failure(ec ? ec.value() : ENOENT);
    SyncFolder(fs::path(file).parent_path().string());
    return {true, {}};
}

int RemoveRecoveryLeftovers(const std::string& folder) {
    const std::vector<std::string> names = FileNames(folder);
    std::set<std::string> withCopies;
    for (const std::string& name : names)
        if (IsCopyName(name)) withCopies.insert(OwnerOf(name));
    int removed = 0;
    std::error_code ec;
    for (const std::string& name : names) {
        const std::string owner = OwnerOf(name);
        if (owner.empty() || IsCopyName(name)) continue;
        if (IsSaveLeftoverName(name)) {
            if (!IsLockHeld(LockOf(folder, owner)) && fs::remove(folder + name, ec)) ++removed;
        } else if (withCopies.count(owner) == 0 && RemoveUnheldLock(folder + name)) {
            ++removed;
        }
    }
    return removed;
}

RecoveryFolder::RecoveryFolder(const std::string& dataFolder)
    : folder_(RecoveryFolderOf(dataFolder)), owner_(NewOwnerName()) {
    status_ = MakePrivateFolder(folder_);
    if (!status_) return;
    std::error_code ec;
    const fs::path plain = fs::path(folder_).parent_path();
    if (!fs::is_directory(fs::symlink_status(plain, ec))) {
        status_ = Failure(ENOTDIR);  // a link in the folder's place: copies go nowhere else
        return;
    }
    fs::permissions(plain, fs::perms::owner_all, fs::perm_options::replace, ec);
    if (const int error = lock_.Acquire(LockOf(folder_, owner_))) status_ = Failure(error);
    RemoveRecoveryLeftovers(folder_);  // safe beside running copies: theirs stay
}

RecoveryFolder::~RecoveryFolder() {
    if (!lock_.Held()) return;
    std::error_code ec;
    for (const std::string& name : FileNames(folder_))
        if (OwnerOf(name) == owner_ && name != owner_ + kLockSuffix) fs::remove(folder_ + name, ec);
    lock_.Release();
    SyncFolder(folder_);
}

std::string RecoveryFolder::NewCopyPath() {
    return folder_ + owner_ + "." + std::to_string(++next_) + kCopySuffix;
}

WriteResult RecoveryFolder::Write(const std::string& copyPath, const RecoveryCopy& copy) {
    if (!status_) return status_;
    return WriteFileAtomically(copyPath, RecoveryText(copy));
}

namespace {

WriteResult Rename(const std::string& from, const std::string& to, const std::string& folder) {
    std::error_code ec;
    fs::rename(from, to, ec);
    if (ec) return Failure(ec.value());
    SyncFolder(folder);
    return {true, {}};
}

}  // namespace

WriteResult RecoveryFolder::Claim(const RecoveryEntry& orphan, std::string& claimed) {
    if (!status_) return status_;
    const std::string target = NewCopyPath();
    const WriteResult renamed = Rename(orphan.file, target, folder_);
    if (renamed) claimed = target;
    return renamed;
}

WriteResult RecoveryFolder::Unclaim(const std::string& claimed, const RecoveryEntry& orphan) {
    return Rename(claimed, orphan.file, folder_);
}

}  // namespace dovanel
