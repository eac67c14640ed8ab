#include "data/file_write.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <optional>
#include <random>

namespace dovanel {

namespace fs = std::filesystem;

namespace {

constexpr char kSaveMarker[] = ".dovanel-save-";
constexpr std::size_t kRandomChars = 6;
constexpr int kMaxLinks = 40;

// Closes a descriptor when it goes out of scope unless it was closed already.
class Descriptor {
  public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    void reset(int fd) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = fd;
    }
    // Closes now and says whether the data reached the file system.
    int Close() {
        const int result = ::close(fd_);
        fd_ = -1;
        return result == 0 ? 0 : errno;
    }

  private:
    int fd_;
};

std::string RandomChars() {
    static const char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937 rng{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kChars - 2);
    std::string out;
    for (std::size_t i = 0; i < kRandomChars; ++i) out.push_back(kChars[pick(rng)]);
    return out;
}

fs::path FolderOf(const fs::path& file) {
    return file.has_parent_path() ? file.parent_path() : fs::path(".");
}

// The file a path ends at: symbolic links followed, a relative link read from
// its own folder. A missing last file is fine: a new file is made there.
int ResolveLinks(const fs::path& path, fs::path& target) {
    target = path;
    for (int hops = 0; hops < kMaxLinks; ++hops) {
        struct stat st;
        if (::lstat(target.c_str(), &st) != 0) return errno == ENOENT ? 0 : errno;
        if (!S_ISLNK(st.st_mode)) return 0;
        std::error_code ec;
        const fs::path link = fs::read_symlink(target, ec);
        if (ec) return ec.value();
        target = link.is_absolute() ? link : FolderOf(target) / link;
    }
    return ELOOP;
}

// Writes all of `text` at `offset`, through interruptions and short writes.
int WriteAll(int fd, const std::string& text, off_t offset) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n =
            ::pwrite(fd, text.data() + done, text.size() - done, offset + static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return n < 0 ? errno : EIO;
        done += static_cast<std::size_t>(n);
    }
    return 0;
}

int Sync(int fd) {
    return ::fsync(fd) == 0 ? 0 : errno;
}

// Whether the file holds exactly the bytes written.
int SizeError(int fd, std::size_t size) {
    struct stat st {};
    if (::fstat(fd, &st) != 0) return errno;
    return static_cast<std::size_t>(st.st_size) == size ? 0 : EIO;
}

// Why a file may not be replaced, or 0. A read-only file is left alone even
// where the system would let us write it.
int ReplaceError(const fs::path& file, const struct stat& st) {
    if ((st.st_mode & 0222) == 0) return EACCES;
    return ::access(file.c_str(), W_OK) == 0 ? 0 : errno;
}

// Creates the temporary file beside `target`, private from the first moment,
// then given the permission bits of the file it will replace; without them,
// the bits of any new file (0666 less the umask).
int CreateTemp(const fs::path& target, std::optional<mode_t> mode, Descriptor& fd, fs::path& temp) {
    const std::string prefix = "." + target.filename().string() + kSaveMarker;
    const mode_t created = mode ? 0600 : 0666;
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp = FolderOf(target) / (prefix + RandomChars());
        fd.reset(
            ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, created));
        if (fd.get() >= 0) break;
        if (errno != EEXIST) return errno;
    }
    if (fd.get() < 0) return EEXIST;
    if (mode && ::fchmod(fd.get(), *mode) != 0) {
        const int error = errno;
        ::unlink(temp.c_str());
        return error;
    }
    return 0;
}

// Fills the temporary file and renames it over the target.
int Replace(Descriptor& fd, const fs::path& temp, const fs::path& target, const std::string& text,
            const struct stat* old) {
    if (old && (old->st_uid != ::geteuid() || old->st_gid != ::getegid()))
        (void)!::fchown(fd.get(), old->st_uid, old->st_gid);  // keeps the owner where allowed
    int error = WriteAll(fd.get(), text, 0);
    if (!error) error = Sync(fd.get());
    if (!error) error = SizeError(fd.get(), text.size());
    const int closed = fd.Close();
    if (!error) error = closed;
    if (!error && ::rename(temp.c_str(), target.c_str()) != 0) error = errno;
    if (error) {
        ::unlink(temp.c_str());
        return error;
    }
    SyncFolder(FolderOf(target).string());
    return 0;
}

std::string ReadAll(int fd) {
    std::string text;
    char buffer[8192];
    for (off_t at = 0;;) {
        const ssize_t n = ::pread(fd, buffer, sizeof buffer, at);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return text;
        text.append(buffer, static_cast<std::size_t>(n));
        at += n;
    }
}

// The fallback for a folder where no file can be created: over the old
// contents, then cut to length. On failure the old contents go back.
int WriteInPlace(const fs::path& target, const std::string& text) {
    Descriptor fd(::open(target.c_str(), O_RDWR | O_CLOEXEC));
    if (fd.get() < 0) return errno;
    const std::string old = ReadAll(fd.get());
    int error = WriteAll(fd.get(), text, 0);
    if (!error && ::ftruncate(fd.get(), static_cast<off_t>(text.size())) != 0) error = errno;
    if (!error) error = Sync(fd.get());
    if (error) {
        if (WriteAll(fd.get(), old, 0) == 0)
            (void)!::ftruncate(fd.get(), static_cast<off_t>(old.size()));
        ::fsync(fd.get());
        return error;
    }
    return fd.Close();
}

// What stands where a file the user named goes, links not followed: 0 when it
// may be replaced. `keep` is set for an ordinary file, whose permission bits and
// owner the new one keeps; a link (dangling or not) is replaced itself.
int NamedTargetError(const fs::path& path, struct stat& st, bool& keep) {
    keep = false;
    if (::lstat(path.c_str(), &st) != 0) {
        if (errno != ENOENT) return errno;
        struct stat folder {};
        if (::stat(FolderOf(path).c_str(), &folder) != 0) return errno;
        return S_ISDIR(folder.st_mode) ? 0 : ENOTDIR;
    }
    if (S_ISDIR(st.st_mode)) return EISDIR;
    if (!S_ISREG(st.st_mode)) return 0;
    keep = true;
    return ReplaceError(path, st);
}

}  // namespace

WriteResult Failure(int error) {
    return {false, std::strerror(error)};
}

void SyncFolder(const std::string& folder) {
    Descriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.get() >= 0) ::fsync(fd.get());
}

WriteResult WriteFileAtomically(const std::string& path, const std::string& text) {
    fs::path target;
    if (const int error = ResolveLinks(path, target)) return Failure(error);
    struct stat st;
    const bool exists = ::stat(target.c_str(), &st) == 0;
    if (!exists && errno != ENOENT) return Failure(errno);
    if (exists && S_ISDIR(st.st_mode)) return Failure(EISDIR);
    if (const int error = exists ? ReplaceError(target, st) : 0) return Failure(error);
    const mode_t mode = exists ? (st.st_mode & 0777) : 0600;
    Descriptor fd;
    fs::path temp;
    int error = CreateTemp(target, mode, fd, temp);
    if (error == 0) {
        error = Replace(fd, temp, target, text, exists ? &st : nullptr);
        if (exists && (error == EBUSY || error == EXDEV))
            error = WriteInPlace(target, text);  // a file mounted on its own: no rename over it
    } else if (exists && (error == EACCES || error == EPERM)) {
        error = WriteInPlace(target, text);  // the folder is closed to new files
    }
    return error ? Failure(error) : WriteResult{true, {}};
}

WriteResult CheckNamedFile(const std::string& path) {
    struct stat st {};
    bool keep = false;
    const int error = NamedTargetError(path, st, keep);
    return error ? Failure(error) : WriteResult{true, {}};
}

WriteResult WriteNamedFile(const std::string& path, const std::string& bytes) {
    struct stat st {};
    bool keep = false;
    if (const int error = NamedTargetError(path, st, keep)) return Failure(error);
    Descriptor fd;
    fs::path temp;
    int error =
        CreateTemp(path, keep ? std::optional<mode_t>(st.st_mode & 0777) : std::nullopt, fd, temp);
    if (!error) error = Replace(fd, temp, path, bytes, keep ? &st : nullptr);
    return error ? Failure(error) : WriteResult{true, {}};
}

bool IsMarkedTemporaryName(const std::string& name, const std::string& marker) {
    if (name.size() < 2 + marker.size() + kRandomChars || name[0] != '.') return false;
    const std::size_t at = name.size() - kRandomChars - marker.size();
    if (name.compare(at, marker.size(), marker) != 0) return false;
    return std::all_of(name.end() - kRandomChars, name.end(),
                       [](unsigned char c) { return std::isalnum(c); });
}

bool IsSaveLeftoverName(const std::string& name) {
    return IsMarkedTemporaryName(name, kSaveMarker);
}

int RemoveSaveLeftovers(const std::string& folder, fs::file_time_type before) {
    int removed = 0;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        if (!IsSaveLeftoverName(entry.path().filename().string())) continue;
        if (!fs::is_regular_file(entry.symlink_status(ec))) continue;
        const auto changed = fs::last_write_time(entry.path(), ec);
        if (ec || changed >= before) continue;
        if (fs::remove(entry.path(), ec)) ++removed;
    }
    return removed;
}

WriteResult MakePrivateFolder(const std::string& path) {
    const fs::path folder = fs::path(path).lexically_normal();
    const fs::path clean = folder.has_filename() ? folder : folder.parent_path();
    std::error_code ec;
    if (clean.has_parent_path()) fs::create_directories(clean.parent_path(), ec);
    if (::mkdir(clean.c_str(), 0700) == 0) return {true, {}};
    const int error = errno;
    if (fs::is_directory(clean, ec)) return {true, {}};
    return Failure(error == EEXIST ? ENOTDIR : error);
}

}  // namespace dovanel
