#pragma once
// The texts inside the data files. The program keeps every text as UTF-8;
// files written by older copies hold Windows-1252 ("Caf\xE9"). A quoted item
// that is not valid UTF-8 is read as Windows-1252, and written back in the very
// same bytes as long as the text was not changed. Each item keeps its own
// encoding: a file may hold both.

#include <cstddef>
#include <map>
#include <mutex>
#include <string>
#include <string_view>

namespace dovanel {

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view bytes);

// Reads the valid UTF-8 character at `i` (strictly, as above) into `c`, moving
// `i` past it; false, with `i` where it was, at an invalid sequence.
bool NextUtf8(std::string_view bytes, std::size_t& i, char32_t& c);

// Every byte maps to one character; the five bytes Windows-1252 leaves
// undefined map to the control characters of the same number, so that the
// way back is exact.
std::string Windows1252ToUtf8(std::string_view bytes);

// The Windows-1252 bytes of a text; false when a character has none.
bool Utf8ToWindows1252(std::string_view utf8, std::string& bytes);

// The texts of one data file that were read as Windows-1252, each by its
// place in the file (the item's number, counted from 0 over all records).
class LegacyTexts {
  public:
    // What the item at `slot` read as: Windows-1252 (remembered) or UTF-8 (forgotten).
    void Remember(std::size_t slot, const std::string& utf8);
    void Forget(std::size_t slot);
    // Whether the item at `slot` was read as Windows-1252 and still holds that text.
    bool Holds(std::size_t slot, const std::string& utf8) const;

  private:
    mutable std::mutex mutex_;
    std::map<std::size_t, std::string> texts_;
};

// A quoted item's bytes as the program's text; with `legacy`, remembers how
// the item at `slot` was written.
std::string TextFromFile(const std::string& bytes, LegacyTexts* legacy, std::size_t slot);
// A text as the bytes to write at `slot`: the original Windows-1252 bytes of a
// text read that way there and unchanged since, UTF-8 otherwise.
std::string TextToFile(const std::string& utf8, const LegacyTexts* legacy, std::size_t slot);

}  // namespace dovanel
