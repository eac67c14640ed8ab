#include "data/lender_file.h"

#include <utility>
#include <vector>

#include "data/file_read.h"
#include "data/text_lines.h"
#include "data/value_text.h"

namespace dovanel {

namespace {

constexpr std::string_view kFormatLine = "Dovanel lender 1";

std::vector<std::pair<const char*, std::string LenderInfo::*>> Keys() {
    return {{"name", &LenderInfo::name},       {"nmls", &LenderInfo::nmls},
            {"officer", &LenderInfo::officer}, {"officer-nmls", &LenderInfo::officerNmls},
            {"address", &LenderInfo::address}, {"phone", &LenderInfo::phone},
            {"email", &LenderInfo::email}};
}

ScenarioReadResult Failed(int line, std::string reason) {
    return {false, line, std::move(reason)};
}

// Each key once, in the order written; every line ends in a line feed.
ScenarioReadResult ReadLines(std::string_view text, LenderInfo& lender) {
    const auto keys = Keys();
    TextLines lines(text);
    for (std::size_t number = 1; number <= keys.size() + 1; ++number) {
        std::string_view line;
        if (!lines.Next(line)) return Failed(static_cast<int>(number), "The file is cut short");
        if (std::string why = TextLineError(line); !why.empty())
            return Failed(static_cast<int>(number), why);
        if (number == 1) {
            if (line != kFormatLine)
                return Failed(1, "This is not a lender file this version of Dovanel wrote");
            continue;
        }
        const auto& [key, field] = keys[number - 2];
        const std::string prefix = std::string(key) + "=";
        if (line.substr(0, prefix.size()) != prefix)
            return Failed(static_cast<int>(number),
                          "The line should start with \"" + prefix + "\"");
        std::string why;
        if (!ReadEscaped(line.substr(prefix.size()), lender.*field, why))
            return Failed(static_cast<int>(number),
                          "The value of \"" + std::string(key) + "\" " + why);
    }
    if (!lines.AtEnd())
        return Failed(static_cast<int>(keys.size() + 2), "The file goes on after its last key");
    return {true, 0, {}};
}

}  // namespace

std::string LenderFileText(const LenderInfo& lender) {
    std::string out(kFormatLine);
    out += '\n';
    for (const auto& [key, field] : Keys()) {
        out += key;
        out += '=';
        AppendEscaped(out, lender.*field);
        out += '\n';
    }
    return out;
}

ScenarioReadResult ParseLenderText(std::string_view text, LenderInfo& lender) {
    LenderInfo read;
    const ScenarioReadResult result = ReadLines(text, read);
    if (result) lender = std::move(read);
    return result;
}

ScenarioReadResult ReadLenderFile(const std::string& path, LenderInfo& lender) {
    std::string text;
    const FileReadResult file = ReadRegularFile(path, kLenderFileLimit, text);
    if (file.missing) {
        lender = LenderInfo();
        return {true, 0, {}};
    }
    if (!file) return Failed(0, file.reason);
    return ParseLenderText(text, lender);
}

}  // namespace dovanel
