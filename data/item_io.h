#pragma once
// The item syntax shared by every data file: records of comma-separated items
// ending in CR LF; numbers as plain decimals, texts in double quotes.
//
// Reading is tolerant: commas and line ends alike end an item, blanks before an
// item are skipped, numbers may have a leading zero or not and an exponent, and
// an empty unquoted item reads as 0 or as the empty text.

#include <cstddef>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "data/text_codec.h"
#include "engine/model.h"

namespace dovanel {

// A failure while reading or writing a data file, as the user is told of it.
struct DataError {
    int number = 0;
    std::string description;
    std::string Text() const { return std::to_string(number) + " - " + description; }
};

namespace data_error {
DataError FileNotFound();   // 53
DataError InputPastEnd();   // 62
DataError TypeMismatch();   // 13
DataError Overflow();       // 6
DataError FileAccess();     // 75
DataError BadFileNumber();  // 52: reading a file whose open failed
}  // namespace data_error

// One field of a record, pointing into the model.
using FieldRef = std::variant<Single*, Integer*, std::string*, SpareItem*>;
using Record = std::vector<FieldRef>;
// A whole file: its records in order.
using Layout = std::vector<Record>;

class ItemReader {
  public:
    // Texts that are not UTF-8 are read as Windows-1252 and, with `legacy`, remembered.
    explicit ItemReader(std::string content, LegacyTexts* legacy = nullptr)
        : text_(std::move(content)), legacy_(legacy) {}

    // Reads one record's items into its fields. On failure the fields read
    // before the failing item keep their new values, the others their old ones,
    // and the failing item is consumed. `firstSlot` numbers the record's first
    // item in the file (items counted over all records), where `legacy` keeps
    // the encoding of its texts.
    bool ReadRecord(const Record& record, DataError& error, std::size_t firstSlot = 0);

    std::size_t position() const { return pos_; }
    void set_position(std::size_t pos) { pos_ = pos; }

  private:
    struct Item {
        std::string text;
        bool quoted = false;
    };
    bool NextItem(Item& item);
    bool AtLineEnd() const;
    void SkipSeparator();

    std::string text_;
    std::size_t pos_ = 0;
    LegacyTexts* legacy_ = nullptr;
};

// The text of a file holding `layout`, CR LF after each record. Texts that
// `legacy` holds for their place go back in their original Windows-1252 bytes.
std::string WriteLayout(const Layout& layout, const LegacyTexts* legacy = nullptr);

// How a float is written: at most seven significant digits, never a text that
// would fail to read back (non-finite values are written as 0).
std::string SingleItem(Single value);
// A text in quotes; a double quote inside it, which the format cannot hold, becomes a single quote.
std::string StringItem(std::string_view text);

// Reads the number an unquoted item holds; false when it holds none.
bool ParseNumber(std::string_view item, double& value);

}  // namespace dovanel
