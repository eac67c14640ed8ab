// The source tree keeps its layout: a window folder under ui/ includes no
// header of another window folder (what two of them share lives in a shared
// folder), a shared folder includes no window folder, and the system's POSIX
// headers are included only by *_posix.cpp files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path kRoot = DOVANEL_SOURCE_ROOT;

// The folders under ui/ that hold no window of their own but what windows share.
const std::set<std::string> kSharedFolders = {"charts", "document", "export", "printing"};

struct Include {
    fs::path file;  // relative to the source root
    int line;
    std::string header;
};

bool IsSource(const fs::path& file) {
    return file.extension() == ".cpp" || file.extension() == ".h";
}

// Every #include line of the sources under `folder` (relative to the root).
std::vector<Include> IncludesUnder(const std::string& folder, int& files) {
    static const std::regex include(R"(^\s*#\s*include\s*([<"][^>"]+[>"]))");
    std::vector<Include> found;
    for (const auto& entry : fs::recursive_directory_iterator(kRoot / folder)) {
        if (!entry.is_regular_file() || !IsSource(entry.path())) continue;
        ++files;
        std::ifstream in(entry.path());
        std::string text;
        std::smatch match;
        for (int line = 1; std::getline(in, text); ++line)
            if (std::regex_search(text, match, include))
                found.push_back({fs::relative(entry.path(), kRoot), line, match[1]});
    }
    return found;
}

// "ui/planner/planner.cpp" -> "planner"; a file at ui/'s root has no folder.
std::string UiFolderOf(const fs::path& file) {
    auto part = file.begin();
    if (part == file.end() || *part != "ui") return {};
    ++part;
    const fs::path folder = *part;
    return ++part == file.end() ? std::string() : folder.string();
}

// The ui/ folder an "ui/..." header belongs to; empty for none or ui/'s root.
std::string UiFolderOfHeader(const std::string& header) {
    static const std::regex uiHeader(R"(^"ui/([^/"]+)/)");
    std::smatch match;
    return std::regex_search(header, match, uiHeader) ? match[1].str() : std::string();
}

bool IncludesUiRoot(const std::string& header) {
    static const std::regex rootHeader(R"(^"ui/[^/"]+"$)");
    return std::regex_search(header, rootHeader);
}

std::string Where(const Include& include) {
    return include.file.string() + ":" + std::to_string(include.line) + " " + include.header;
}

TEST(SourceLayout, NoWindowFolderIncludesAnotherOne) {
    int files = 0;
    for (const Include& include : IncludesUnder("ui", files)) {
        const std::string from = UiFolderOf(include.file);
        if (from.empty()) continue;  // the catalogue and the registration name every window
        const std::string to = UiFolderOfHeader(include.header);
        const bool fromShared = kSharedFolders.count(from) > 0;
        const bool toWindow = !to.empty() && to != from && kSharedFolders.count(to) == 0;
        EXPECT_FALSE(toWindow) << Where(include)
                               << (fromShared ? ": a shared folder depends on a window"
                                              : ": one window folder depends on another");
        EXPECT_FALSE(IncludesUiRoot(include.header))
            << Where(include) << ": the catalogue and the registration include the windows";
    }
    EXPECT_GT(files, 20) << "the windows' sources were not found under " << kRoot;
}

TEST(SourceLayout, PosixHeadersOnlyInPosixFiles) {
    static const std::regex posix(
        R"(^<(unistd|fcntl|dirent|pwd|grp|poll|spawn|termios|dlfcn|sys/[a-z_]+)\.h>$)");
    int files = 0;
    for (const char* folder : {"engine", "data", "shell", "ui", "app"}) {
        for (const Include& include : IncludesUnder(folder, files)) {
            const std::string name = include.file.filename().string();
            const bool posixFile =
                name.size() > 10 && name.substr(name.size() - 10) == "_posix.cpp";
            EXPECT_TRUE(posixFile || !std::regex_search(include.header, posix))
                << Where(include) << ": the system's calls sit behind a *_posix.cpp file";
        }
    }
    EXPECT_GT(files, 50) << "the sources were not found under " << kRoot;
}

}  // namespace
