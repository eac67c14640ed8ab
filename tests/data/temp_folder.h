#pragma once
// A fresh folder under the system's temporary folder, removed with its contents
// when the test ends, and the file helpers the data tests share.

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace dovanel::test {

class TempFolder {
  public:
    TempFolder() {
        std::random_device rd;
        path_ = std::filesystem::temp_directory_path() /
                ("dovanel-test-" + std::to_string(rd()) + std::to_string(rd()));
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder's path ending in a separator, as the program keeps folders.
    std::string Folder() const { return path_.string() + "/"; }
    std::string File(const std::string& name) const { return (path_ / name).string(); }
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

// A file's whole contents, byte for byte; empty when it cannot be read.
inline std::string Slurp(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void Spit(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// Every name in a folder, sorted, to show what was left behind.
inline std::vector<std::string> Names(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Feeds a FIFO to a reader that opens it within half a second, then ends: a reader
// that opens the FIFO gets the text and an end, one that does not leaves it alone.
class FifoFeeder {
  public:
    FifoFeeder(const std::string& path, const std::string& text)
        : thread_([path, text] {
              const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(500);
              while (std::chrono::steady_clock::now() < until) {
                  const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
                  if (fd >= 0) {
                      (void)!::write(fd, text.data(), text.size());
                      ::close(fd);
                      return;
                  }
                  std::this_thread::sleep_for(std::chrono::milliseconds(2));
              }
          }) {}
    ~FifoFeeder() { thread_.join(); }

  private:
    std::thread thread_;
};

}  // namespace dovanel::test
