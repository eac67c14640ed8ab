#pragma once
// The lines of a data file's text, one at a time, with their numbers: the
// program's own text files ("key=value" lines, each ending in a line feed).

#include <cstddef>
#include <string_view>

namespace dovanel {

class TextLines {
  public:
    explicit TextLines(std::string_view text) : text_(text) {}
    bool AtEnd() const { return pos_ >= text_.size(); }
    // The number of the last line taken (0 before the first).
    int number() const { return number_; }

    // The next line without its end ("\n" or "\r\n"); false at the end or on a
    // line cut short (no line feed), which is not taken.
    bool Next(std::string_view& line) {
        const std::size_t end = text_.find('\n', pos_);
        if (AtEnd() || end == std::string_view::npos) return false;
        line = text_.substr(pos_, end - pos_);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        pos_ = end + 1;
        ++number_;
        return true;
    }

    // The next `count` lines as they stand, line ends included.
    bool Take(std::size_t count, std::string_view& block) {
        std::size_t end = pos_;
        for (std::size_t i = 0; i < count; ++i) {
            end = text_.find('\n', end);
            if (end == std::string_view::npos) return false;
            ++end;
        }
        block = text_.substr(pos_, end - pos_);
        pos_ = end;
        number_ += static_cast<int>(count);
        return true;
    }

  private:
    std::string_view text_;
    std::size_t pos_ = 0;
    int number_ = 0;
};

}  // namespace dovanel
