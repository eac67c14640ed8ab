#include "data/item_io.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <limits>

#include "engine/format_value.h"

namespace dovanel {

namespace data_error {
DataError FileNotFound() {
    return {53, "File not found"};
}
DataError InputPastEnd() {
    return {62, "Input past end of file"};
}
DataError TypeMismatch() {
    return {13, "Type mismatch"};
}
DataError Overflow() {
    return {6, "Overflow"};
}
DataError FileAccess() {
    return {75, "Path/File access error"};
}
DataError BadFileNumber() {
    return {52, "Bad file name or number"};
}
}  // namespace data_error

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::size_t SkipDigits(std::string_view s, std::size_t i) {
    while (i < s.size() && IsDigit(s[i])) ++i;
    return i;
}

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

bool StoreSingle(double value, Single& field, DataError& error) {
    if (!(std::fabs(value) <= FLT_MAX)) {
        error = data_error::Overflow();
        return false;
    }
    field = static_cast<Single>(value);
    return true;
}

bool StoreInteger(double value, Integer& field, DataError& error) {
    const double rounded = std::nearbyint(value);  // halves to even
    if (!(rounded >= std::numeric_limits<Integer>::min() &&
          rounded <= std::numeric_limits<Integer>::max())) {
        error = data_error::Overflow();
        return false;
    }
    field = static_cast<Integer>(rounded);
    return true;
}

}  // namespace

bool ParseNumber(std::string_view item, double& value) {
    const std::string_view s = Trimmed(item);
    if (s.empty()) {
        value = 0;
        return true;
    }
    std::size_t i = 0;
    const bool negative = s[0] == '-';
    if (s[0] == '-' || s[0] == '+') ++i;
    const std::size_t intStart = i;
    i = SkipDigits(s, i);
    std::size_t digits = i - intStart;
    std::size_t fracStart = i;
    if (i < s.size() && s[i] == '.') {
        fracStart = ++i;
        i = SkipDigits(s, i);
        digits += i - fracStart;
    }
    if (digits == 0) return false;
    std::string normal = negative ? "-0" : "0";
    normal.append(s.substr(intStart, i - intStart));
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
        const std::size_t expDigits = SkipDigits(s, j);
        if (expDigits == j) return false;
        normal += 'e';
        normal.append(s.substr(i + 1, expDigits - i - 1));
        i = expDigits;
    }
    if (i != s.size()) return false;
    if (normal.find("e+") != std::string::npos) normal.erase(normal.find("e+") + 1, 1);
    const auto res = std::from_chars(normal.data(), normal.data() + normal.size(), value);
    if (res.ec == std::errc::result_out_of_range) {
        // A huge exponent overflows; a tiny one is as good as zero.
        const auto e = normal.find('e');
        value = (e != std::string::npos && normal[e + 1] == '-') ? 0.0 : HUGE_VAL;
        return true;
    }
    return res.ec == std::errc();
}

bool ItemReader::AtLineEnd() const {
    return pos_ < text_.size() && (text_[pos_] == '\r' || text_[pos_] == '\n');
}

void ItemReader::SkipSeparator() {
    if (pos_ >= text_.size()) return;
    if (text_[pos_] == ',') {
        ++pos_;
    } else if (text_[pos_] == '\r') {
        ++pos_;
        if (pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
    } else if (text_[pos_] == '\n') {
        ++pos_;
    }
}

bool ItemReader::NextItem(Item& item) {
    while (pos_ < text_.size() && IsBlank(text_[pos_])) ++pos_;
    if (pos_ >= text_.size()) return false;
    item.quoted = text_[pos_] == '"';
    if (item.quoted) {
        const std::size_t close = text_.find('"', pos_ + 1);
        const std::size_t end = close == std::string::npos ? text_.size() : close;
        item.text.assign(text_, pos_ + 1, end - pos_ - 1);
        pos_ = close == std::string::npos ? text_.size() : close + 1;
        while (pos_ < text_.size() && text_[pos_] != ',' && !AtLineEnd())
            ++pos_;  // stray text after the quote
    } else {
        const std::size_t start = pos_;
        while (pos_ < text_.size() && text_[pos_] != ',' && !AtLineEnd()) ++pos_;
        item.text.assign(Trimmed(std::string_view(text_).substr(start, pos_ - start)));
    }
    SkipSeparator();
    return true;
}

bool ItemReader::ReadRecord(const Record& record, DataError& error, std::size_t firstSlot) {
    Item item;
    std::size_t slot = firstSlot;
    for (const FieldRef& field : record) {
        if (!NextItem(item)) {
            error = data_error::InputPastEnd();
            return false;
        }
        if (auto text = std::get_if<std::string*>(&field)) {
            **text = TextFromFile(item.text, legacy_, slot++);
            continue;
        }
        ++slot;
        if (auto spare = std::get_if<SpareItem*>(&field)) {
            (*spare)->kind = item.quoted         ? SpareItem::Kind::Text
                             : item.text.empty() ? SpareItem::Kind::Empty
                                                 : SpareItem::Kind::Number;
            (*spare)->text = item.text;
            continue;
        }
        double value = 0;
        if (!ParseNumber(item.text, value)) {
            error = data_error::TypeMismatch();
            return false;
        }
        const bool stored = std::holds_alternative<Single*>(field)
                                ? StoreSingle(value, *std::get<Single*>(field), error)
                                : StoreInteger(value, *std::get<Integer*>(field), error);
        if (!stored) return false;
    }
    return true;
}

std::string SingleItem(Single value) {
    if (!std::isfinite(value)) return "0";
    std::string text = PlainNumber(value);
    double back = 0;
    if (ParseNumber(text, back) && std::fabs(back) <= FLT_MAX) return text;
    // Rounded to seven digits the largest floats would overflow: write them in full.
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, value);
    return std::string(buf, res.ptr);
}

std::string StringItem(std::string_view text) {
    std::string out = "\"";
    for (char c : text) out.push_back(c == '"' ? '\'' : c);
    out.push_back('"');
    return out;
}

namespace {

std::string SpareText(const SpareItem& spare) {
    switch (spare.kind) {
        case SpareItem::Kind::Empty:
            return {};
        case SpareItem::Kind::Number:
            // A bare item as read; one that could not be read back bare goes in quotes.
            if (spare.text.find_first_of(",\r\n\"") == std::string::npos &&
                Trimmed(spare.text) == spare.text)
                return spare.text;
            return StringItem(spare.text);
        case SpareItem::Kind::Text:
            return StringItem(spare.text);
    }
    return {};
}

std::string ItemText(const FieldRef& field, const LegacyTexts* legacy, std::size_t slot) {
    if (auto v = std::get_if<Single*>(&field)) return SingleItem(**v);
    if (auto v = std::get_if<Integer*>(&field)) return std::to_string(**v);
    if (auto v = std::get_if<std::string*>(&field))
        return StringItem(TextToFile(**v, legacy, slot));
    return SpareText(*std::get<SpareItem*>(field));
}

}  // namespace

std::string WriteLayout(const Layout& layout, const LegacyTexts* legacy) {
    std::string out;
    std::size_t slot = 0;
    for (const Record& record : layout) {
        for (std::size_t i = 0; i < record.size(); ++i) {
            if (i != 0) out.push_back(',');
            out += ItemText(record[i], legacy, slot++);
        }
        out += "\r\n";
    }
    return out;
}

}  // namespace dovanel
