#include "data/value_text.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

#include "data/text_codec.h"

namespace dovanel {

namespace {

constexpr char kHex[] = "0123456789ABCDEF";

void AppendByte(std::string& out, unsigned char byte) {
    out += "\\x";
    out.push_back(kHex[byte >> 4]);
    out.push_back(kHex[byte & 0xF]);
}

template <typename T>
void AppendChars(std::string& out, T value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

template <typename T>
std::string NumberText(T value) {
    std::string text;
    AppendChars(text, value);
    return text;
}

// Escapes of the characters below 0x80 that are not written as they are.
bool AppendAsciiEscape(std::string& out, unsigned char c) {
    switch (c) {
        case '\\':
            out += "\\\\";
            return true;
        case '\n':
            out += "\\n";
            return true;
        case '\r':
            out += "\\r";
            return true;
        case '\t':
            out += "\\t";
            return true;
    }
    if (c >= 0x20 && c != 0x7F) return false;
    AppendByte(out, c);
    return true;
}

template <typename T>
const char* RangeOf() {
    static const std::string range = "at most " + NumberText(std::numeric_limits<T>::max()) +
                                     ", and no nonzero value nearer 0 than " +
                                     NumberText(std::numeric_limits<T>::denorm_min());
    return range.c_str();
}

template <typename T>
bool ReadFloating(std::string_view value, T& field, std::string& why, const char* typeName) {
    T read = 0;
    const auto result = std::from_chars(value.data(), value.data() + value.size(), read);
    if (result.ec == std::errc::result_out_of_range && result.ptr == value.data() + value.size()) {
        why = std::string("is out of range for a ") + typeName + " (" + RangeOf<T>() + ")";
        return false;
    }
    if (value.empty() || result.ec != std::errc() || result.ptr != value.data() + value.size()) {
        why = "is not a number";
        return false;
    }
    if (!std::isfinite(read)) {
        why = "is not a finite number";
        return false;
    }
    field = read;
    return true;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Reads the escape after the backslash at `i`, moving past it.
bool ReadEscape(std::string_view value, std::size_t& i, std::string& out, std::string& why) {
    if (i + 1 >= value.size()) {
        why = "ends in a lone backslash (write \"\\\\\" for one)";
        return false;
    }
    const char kind = value[i + 1];
    const char* simple = kind == '\\'  ? "\\"
                         : kind == 'n' ? "\n"
                         : kind == 'r' ? "\r"
                         : kind == 't' ? "\t"
                                       : nullptr;
    if (simple) {
        out += simple;
        i += 2;
        return true;
    }
    if (kind == 'x') {
        const int high = i + 2 < value.size() ? HexDigit(value[i + 2]) : -1;
        const int low = i + 3 < value.size() ? HexDigit(value[i + 3]) : -1;
        if (high >= 0 && low >= 0) {
            out.push_back(static_cast<char>(high * 16 + low));
            i += 4;
            return true;
        }
        why = "has \"\\x\" without two hexadecimal digits after it";
        return false;
    }
    why = "has an unknown escape \"\\";
    std::size_t next = i + 1;
    char32_t c = 0;
    NextUtf8(value, next, c);
    why.append(value.substr(i + 1, next - (i + 1)));
    why += "\" (a backslash is written \"\\\\\")";
    return false;
}

}  // namespace

void AppendNumber(std::string& out, Single value) {
    AppendChars(out, std::isfinite(value) ? value : 0.0f);
}

void AppendNumber(std::string& out, double value) {
    AppendChars(out, std::isfinite(value) ? value : 0.0);
}

void AppendNumber(std::string& out, Integer value) {
    AppendChars(out, static_cast<int>(value));
}

void AppendEscaped(std::string& out, std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            if (!AppendAsciiEscape(out, c)) out.push_back(text[i]);
            ++i;
            continue;
        }
        std::size_t next = i;
        char32_t character = 0;
        if (!NextUtf8(text, next, character)) {
            AppendByte(out, c);
            ++i;
            continue;
        }
        if (character <= 0x9F) {  // a C1 control character, invisible in an editor
            for (; i < next; ++i) AppendByte(out, static_cast<unsigned char>(text[i]));
            continue;
        }
        out.append(text.substr(i, next - i));
        i = next;
    }
}

bool ReadNumber(std::string_view value, Single& field, std::string& why) {
    return ReadFloating(value, field, why, "Single");
}

bool ReadNumber(std::string_view value, double& field, std::string& why) {
    return ReadFloating(value, field, why, "Double");
}

bool ReadNumber(std::string_view value, Integer& field, std::string& why) {
    int read = 0;
    const auto result = std::from_chars(value.data(), value.data() + value.size(), read);
    const bool whole = result.ptr == value.data() + value.size();
    if (value.empty() || (result.ec == std::errc::invalid_argument) || !whole) {
        why = "is not a whole number";
        return false;
    }
    if (result.ec != std::errc() || read < std::numeric_limits<Integer>::min() ||
        read > std::numeric_limits<Integer>::max()) {
        why = "is out of range for an Integer (-32768 to 32767)";
        return false;
    }
    field = static_cast<Integer>(read);
    return true;
}

bool ReadEscaped(std::string_view value, std::string& field, std::string& why) {
    std::string out;
    out.reserve(value.size());
    for (std::size_t i = 0; i < value.size();) {
        const std::size_t slash = value.find('\\', i);
        out.append(value.substr(i, slash - i));
        if (slash == std::string_view::npos) break;
        i = slash;
        if (!ReadEscape(value, i, out, why)) return false;
    }
    field = std::move(out);
    return true;
}

namespace {

std::string EscapedText(std::string_view bytes) {
    std::string out;
    AppendEscaped(out, bytes);
    return out;
}

}  // namespace

std::string TextLineError(std::string_view line) {
    if (line.find('\0') != std::string_view::npos)
        return "It holds a NUL byte: this is a binary file";
    char32_t c = 0;
    for (std::size_t i = 0; i < line.size();) {
        if (line[i] >= 0x20 && line[i] < 0x7F) {  // printable ASCII, most of a file
            ++i;
            continue;
        }
        const std::size_t at = i;
        const auto column = [at] { return " at column " + std::to_string(at + 1); };
        if (!NextUtf8(line, i, c))
            return "It is not UTF-8 text: the byte " + EscapedText(line.substr(at, 1)) + column();
        if ((c < 0x20 && c != '\t') || (c >= 0x7F && c <= 0x9F))
            return "It holds a control character (written " + EscapedText(line.substr(at, i - at)) +
                   " in a value)" + column();
    }
    return {};
}

}  // namespace dovanel
