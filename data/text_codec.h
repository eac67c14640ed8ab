#pragma once
// The texts inside the data files. The program keeps every text as UTF-8;
// files written by older copies hold Windows-1252 ("Caf\xE9"). A quoted item
// that is not valid UTF-8 is read as Windows-1252, and written back in the very
// same bytes as long as the text was not changed.

#include <mutex>
#include <set>
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

// The texts of one data file that were read as Windows-1252.
class LegacyTexts {
  public:
    void Remember(const std::string& utf8);
    bool Contains(const std::string& utf8) const;

  private:
    mutable std::mutex mutex_;
    std::set<std::string> texts_;
};

// A quoted item's bytes as the program's text; remembers a Windows-1252 one.
std::string TextFromFile(const std::string& bytes, LegacyTexts* legacy);
// A text as the bytes to write: the original Windows-1252 bytes of a text
// read that way and unchanged since, UTF-8 otherwise.
std::string TextToFile(const std::string& utf8, const LegacyTexts* legacy);

}  // namespace dovanel
