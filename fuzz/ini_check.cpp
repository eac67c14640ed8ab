#include <cctype>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "fuzz/fuzz_checks.h"
#include "shell/ini_file.h"

namespace dovanel::fuzz {

namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

std::vector<std::string> LinesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::string Trim(const std::string& s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

std::string LineOf(const std::string& s) {
    std::string out;
    for (char c : s)
        if (c != '\r' && c != '\n') out += c;
    return out;
}

// Names as the program writes them: one line, no blanks around,
// a section without "]", a key without "=" that reads as no comment or section.
std::string Clean(const std::string& s, const std::string& banned) {
    std::string out;
    for (char c : LineOf(s))
        if (banned.find(c) == std::string::npos) out += c;
    return Trim(out);
}

bool SameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

bool IsEntryOf(const std::string& line, const std::string& key) {
    const std::string t = Trim(line);
    const auto eq = t.find('=');
    return !t.empty() && t[0] != ';' && eq != std::string::npos &&
           SameName(Trim(t.substr(0, eq)), key);
}

// Whether `before`, less its line `skip` (none when out of range), is a
// subsequence of `after`.
bool KeptInOrder(const std::vector<std::string>& before, std::size_t skip,
                 const std::vector<std::string>& after) {
    std::size_t j = 0;
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (i == skip) continue;
        while (j < after.size() && after[j] != before[i]) ++j;
        if (j++ >= after.size()) return false;
    }
    return true;
}

// Every old line is in the new file in order, but for at most one entry of
// the key; at most two lines (a section and the entry) are new.
void CheckNothingLost(const std::vector<std::string>& before, const std::vector<std::string>& after,
                      const std::string& key) {
    if (after.size() > before.size() + 2) std::abort();
    if (KeptInOrder(before, before.size(), after)) return;
    for (std::size_t skip = 0; skip < before.size(); ++skip)
        if (IsEntryOf(before[skip], key) && KeptInOrder(before, skip, after)) return;
    std::abort();  // a line was lost
}

}  // namespace

void CheckIniWriteReadsBack(const std::vector<std::string>& parts, const std::string& folder) {
    const std::string path = folder + "DV.INI";
    const std::string old = parts.size() > 0 ? parts[0] : "";
    std::string section = Clean(parts.size() > 1 ? parts[1] : "", "]");
    std::string key = Clean(parts.size() > 2 ? parts[2] : "", "=");
    // Any one-line value reads back as written, up to 255 characters.
    std::string value = LineOf(parts.size() > 3 ? parts[3] : "").substr(0, kIniValueLimit);
    if (section.empty()) section = "General";
    if (key.empty() || key[0] == ';' || key[0] == '[') key = "k" + key;

    std::ofstream(path, std::ios::binary | std::ios::trunc) << old;
    if (!WriteIniString(section, key, value, path)) std::abort();
    if (ReadIniString(section, key, "\x01", path) != value) std::abort();
    const std::string written = ReadAll(path);
    CheckNothingLost(LinesOf(old), LinesOf(written), key);
    if (!WriteIniString(section, key, value, path) || ReadAll(path) != written) std::abort();
}

}  // namespace dovanel::fuzz
