#include "data/recovery_file.h"

#include <array>
#include <utility>

#include "data/file_read.h"
#include "data/value_text.h"

namespace dovanel {

namespace {

constexpr std::string_view kFormatPrefix = "Dovanel recovery ";
constexpr std::size_t kLongestNumber = 18;

struct KindName {
    RecoveredKind kind;
    std::string_view name;
};
constexpr std::array<KindName, 3> kKindNames = {{{RecoveredKind::DefaultLoan, "default"},
                                                 {RecoveredKind::File, "file"},
                                                 {RecoveredKind::Untitled, "untitled"}}};

std::string_view NameOf(RecoveredKind kind) {
    for (const KindName& k : kKindNames)
        if (k.kind == kind) return k.name;
    return "untitled";
}

ScenarioReadResult Failed(int line, std::string reason) {
    return {false, line, std::move(reason)};
}

bool IsNumber(std::string_view digits) {
    return !digits.empty() && digits.size() <= kLongestNumber &&
           digits.find_first_not_of("0123456789") == std::string_view::npos &&
           (digits.size() == 1 || digits[0] != '0');
}

// The header, line by line: each must be whole and readable text.
class HeaderReader {
  public:
    explicit HeaderReader(std::string_view text) : text_(text) {}

    // The next line without its line end; false with the reason in `result`.
    bool Next(std::string_view& line, ScenarioReadResult& result) {
        ++number_;
        const std::size_t end = text_.find('\n', pos_);
        line = text_.substr(pos_, end == std::string_view::npos ? end : end - pos_);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (std::string why = TextLineError(line); !why.empty()) {
            result = Failed(number_, why);
            return false;
        }
        if (end == std::string_view::npos) {
            result = Failed(number_, pos_ == text_.size()
                                         ? "The copy ends before its header does: it is cut short"
                                         : "The line has no line end: the copy is cut short");
            return false;
        }
        pos_ = end + 1;
        return true;
    }
    // The value of a "key=value" line; false unless the line sets `key`.
    bool Value(std::string_view key, std::string_view& value, ScenarioReadResult& result) {
        std::string_view line;
        if (!Next(line, result)) return false;
        if (line.substr(0, key.size()) != key || line.substr(key.size(), 1) != "=") {
            result = Failed(number_, "The line must set \"" + std::string(key) + "\", as line " +
                                         std::to_string(number_) + " of every recovery copy does");
            return false;
        }
        value = line.substr(key.size() + 1);
        return true;
    }
    int number() const { return number_; }
    std::string_view Rest() const { return text_.substr(pos_); }

  private:
    std::string_view text_;
    std::size_t pos_ = 0;
    int number_ = 0;
};

ScenarioReadResult FormatLine(HeaderReader& in) {
    ScenarioReadResult result;
    std::string_view line;
    if (!in.Next(line, result)) return result;
    const std::string_view digits = line.substr(std::min(line.size(), kFormatPrefix.size()));
    if (line.substr(0, kFormatPrefix.size()) != kFormatPrefix || !IsNumber(digits))
        return Failed(1, "This is not a Dovanel recovery copy: its first line must read \"" +
                             std::string(kFormatPrefix) + std::to_string(kRecoveryFormatVersion) +
                             "\"");
    if (digits.size() > 4 || std::stoi(std::string(digits)) > kRecoveryFormatVersion)
        return Failed(1, "A newer version of Dovanel wrote this copy (recovery format " +
                             std::string(digits) + "); this version reads format " +
                             std::to_string(kRecoveryFormatVersion) + " and older");
    return {true, 1, {}};
}

bool ReadKind(std::string_view value, RecoveredKind& kind) {
    for (const KindName& k : kKindNames) {
        if (value != k.name) continue;
        kind = k.kind;
        return true;
    }
    return false;
}

ScenarioReadResult TextValue(HeaderReader& in, std::string_view key, std::string& text) {
    ScenarioReadResult result;
    std::string_view value;
    if (!in.Value(key, value, result)) return result;
    std::string why;
    if (!ReadEscaped(value, text, why))
        return Failed(in.number(), "The value of \"" + std::string(key) + "\" " + why);
    return {true, in.number(), {}};
}

ScenarioReadResult KindAndName(HeaderReader& in, RecoveryCopy& copy) {
    ScenarioReadResult result;
    std::string_view value;
    if (!in.Value("kind", value, result)) return result;
    if (!ReadKind(value, copy.kind))
        return Failed(in.number(), "The kind must be default, file or untitled");
    return TextValue(in, "name", copy.name);
}

ScenarioReadResult PathAndTime(HeaderReader& in, RecoveryCopy& copy) {
    ScenarioReadResult result = TextValue(in, "path", copy.path);
    if (!result) return result;
    const bool file = copy.kind == RecoveredKind::File;
    if (file && (copy.path.empty() || copy.path[0] != '/'))
        return Failed(in.number(), "A scenario file's copy must give the file's full path");
    if (!file && !copy.path.empty())
        return Failed(in.number(), "Only a scenario file's copy gives a path");
    std::string_view value;
    if (!in.Value("written", value, result)) return result;
    if (!IsNumber(value))
        return Failed(in.number(), "The time written must be a whole number of seconds");
    copy.written = std::stoll(std::string(value));
    return {true, in.number(), {}};
}

ScenarioReadResult ReadHeader(HeaderReader& in, RecoveryCopy& copy) {
    ScenarioReadResult result = FormatLine(in);
    if (result) result = KindAndName(in, copy);
    if (result) result = PathAndTime(in, copy);
    return result;
}

}  // namespace

std::string RecoveryText(const RecoveryCopy& copy) {
    std::string out(kFormatPrefix);
    out += std::to_string(kRecoveryFormatVersion);
    out += "\nkind=";
    out += NameOf(copy.kind);
    out += "\nname=";
    AppendEscaped(out, copy.name);
    out += "\npath=";
    AppendEscaped(out, copy.path);
    out += "\nwritten=" + std::to_string(copy.written < 0 ? 0 : copy.written) + "\n";
    return out + ScenarioFileText(copy.scenario);
}

ScenarioReadResult ParseRecoveryHeader(std::string_view text, RecoveryCopy& copy) {
    HeaderReader in(text);
    RecoveryCopy read;
    const ScenarioReadResult result = ReadHeader(in, read);
    if (result) {
        read.scenario = std::move(copy.scenario);
        copy = std::move(read);
    }
    return result;
}

ScenarioReadResult ParseRecoveryText(std::string_view text, RecoveryCopy& copy) {
    HeaderReader in(text);
    RecoveryCopy read;
    ScenarioReadResult result = ReadHeader(in, read);
    if (!result) return result;
    result = ParseScenarioText(in.Rest(), read.scenario);
    if (!result) {
        if (result.line > 0) result.line += kRecoveryHeaderLines;
        return result;
    }
    copy = std::move(read);
    return result;
}

ScenarioReadResult ReadRecoveryCopy(const std::string& path, RecoveryCopy& copy) {
    std::string text;
    const FileReadResult read = ReadRegularFile(path, kRecoveryCopyLimit, text);
    if (!read) return Failed(0, read.reason);
    return ParseRecoveryText(text, copy);
}

std::string RecoveryReadMessage(const std::string& path, const ScenarioReadResult& result) {
    const std::string where =
        result.line > 0 ? "Line " + std::to_string(result.line) + ": " : std::string("Reason: ");
    return "The unsaved changes kept in\r" + path + "\rcould not be read.\r\r" + where +
           result.reason + ".";
}

}  // namespace dovanel
