#pragma once
// Profile strings: reading and writing one key of an INI file the way the
// classic profile-string calls do. Section and key names match without regard
// to case, blanks around names and values are ignored, values are at most 255
// characters, and writing a key keeps every other section, key and comment.
// (QSettings would percent-encode a key with blanks, which DV.INI has.)

#include <string>

#include "data/data_files.h"

namespace dovanel {

inline constexpr std::size_t kIniValueLimit = 255;

// The value of `key` in `section`, or `fallback` when the file, the section or
// the key is missing, or the file cannot be read (as a FIFO, a device or a
// file far too big for settings cannot).
std::string ReadIniString(const std::string& section, const std::string& key,
                          const std::string& fallback, const std::string& path);

// Sets `key` in `section`, adding the section or the file when missing.
// A file that exists but cannot be read is never rewritten: that would lose
// every other line. On failure the file is unchanged and the result says why.
WriteResult WriteIniString(const std::string& section, const std::string& key,
                           const std::string& value, const std::string& path);

}  // namespace dovanel
