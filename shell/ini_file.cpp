#include "shell/ini_file.h"

#include <algorithm>
#include <cctype>
#include <sstream>
#include <vector>

#include "data/data_files.h"
#include "data/file_read.h"

namespace dovanel {

namespace {

std::string Trim(const std::string& s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    const auto last = s.find_last_not_of(" \t");
    return s.substr(first, last - first + 1);
}

bool SameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// Far more than any settings file holds.
constexpr std::size_t kSettingsFileLimit = 1 << 20;

// The lines of a file without their line ends; none when it cannot be read.
FileReadResult Lines(const std::string& path, std::vector<std::string>& lines) {
    std::string text;
    const FileReadResult read = ReadRegularFile(path, kSettingsFileLimit, text);
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return read;
}

// "[Name]" gives "Name"; any other line gives false.
bool SectionName(const std::string& line, std::string& name) {
    const std::string t = Trim(line);
    if (t.size() < 2 || t.front() != '[') return false;
    const auto close = t.find(']');
    if (close == std::string::npos) return false;
    name = Trim(t.substr(1, close - 1));
    return true;
}

// "key = value" gives its key and value; comments and other lines give false.
bool KeyValue(const std::string& line, std::string& key, std::string& value) {
    const std::string t = Trim(line);
    if (t.empty() || t[0] == ';') return false;
    const auto eq = t.find('=');
    if (eq == std::string::npos) return false;
    key = Trim(t.substr(0, eq));
    value = Trim(t.substr(eq + 1));
    return true;
}

bool Quoted(const std::string& v) {
    return v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front();
}

// A value with blanks around it, or quotes at both ends, would lose them on
// reading: it is written inside double quotes, which reading takes off.
std::string StoredValue(const std::string& value) {
    return Trim(value) != value || Quoted(value) ? "\"" + value + "\"" : value;
}

}  // namespace

std::string ReadIniString(const std::string& section, const std::string& key,
                          const std::string& fallback, const std::string& path) {
    bool inSection = false;
    std::string name, k, v;
    std::vector<std::string> lines;
    Lines(path, lines);
    for (const std::string& line : lines) {
        if (SectionName(line, name)) {
            inSection = SameName(name, section);
        } else if (inSection && KeyValue(line, k, v) && SameName(k, key)) {
            if (Quoted(v)) v = v.substr(1, v.size() - 2);
            return v.substr(0, kIniValueLimit);
        }
    }
    return fallback.substr(0, kIniValueLimit);
}

WriteResult WriteIniString(const std::string& section, const std::string& key,
                           const std::string& value, const std::string& path) {
    std::vector<std::string> lines;
    const FileReadResult read = Lines(path, lines);
    if (!read && !read.missing)
        return {false, "It cannot be read (" + read.reason +
                           "), and writing it would lose the settings it holds"};
    const std::string entry = key + "=" + StoredValue(value);
    std::string name, k, v;
    int sectionAt = -1;
    int lastInSection = -1;
    for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
        if (SectionName(lines[i], name)) {
            if (sectionAt >= 0) break;
            if (SameName(name, section)) sectionAt = lastInSection = i;
        } else if (sectionAt >= 0) {
            if (KeyValue(lines[i], k, v) && SameName(k, key)) {
                lines[i] = entry;
                lastInSection = -2;
                break;
            }
            if (!Trim(lines[i]).empty()) lastInSection = i;
        }
    }
    if (sectionAt < 0) {
        lines.push_back("[" + section + "]");
        lines.push_back(entry);
    } else if (lastInSection >= 0) {
        lines.insert(lines.begin() + lastInSection + 1, entry);
    }
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return WriteFileAtomically(path, text);
}

}  // namespace dovanel
