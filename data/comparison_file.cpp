#include "data/comparison_file.h"

#include <algorithm>
#include <type_traits>

#include "data/file_read.h"
#include "data/text_lines.h"
#include "data/value_text.h"

namespace dovanel {

namespace {

constexpr std::string_view kFormatLine = "Dovanel comparison 1";

const char* SourceName(ComparisonColumnRecord::Source source) {
    switch (source) {
        case ComparisonColumnRecord::Source::kFile:
            return "file";
        case ComparisonColumnRecord::Source::kScenario:
            return "scenario";
        default:
            return "current";
    }
}

std::size_t LineCount(std::string_view text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

void AppendColumn(std::string& out, const ComparisonColumnRecord& column) {
    out += "column=";
    out += SourceName(column.source);
    out += "\nname=";
    AppendEscaped(out, column.name);
    out += "\npoints=";
    AppendNumber(out, column.pointsRate);
    out += '\n';
    if (column.source == ComparisonColumnRecord::Source::kFile) {
        out += "path=";
        AppendEscaped(out, column.path);
        out += '\n';
    } else if (column.source == ComparisonColumnRecord::Source::kScenario) {
        const std::string scenario = ScenarioFileText(column.scenario);
        out += "scenario-lines=" + std::to_string(LineCount(scenario)) + "\n" + scenario;
    }
}

ScenarioReadResult Failed(int line, std::string reason) {
    return {false, line, std::move(reason)};
}

// The value of the next line, which must be "key=...".
ScenarioReadResult Keyed(TextLines& lines, std::string_view key, std::string_view& value) {
    std::string_view line;
    if (!lines.Next(line))
        return Failed(lines.number() + 1, "The file ends before \"" + std::string(key) + "\"");
    if (line.substr(0, key.size() + 1) != std::string(key) + "=")
        return Failed(lines.number(), "The line should start with \"" + std::string(key) + "=\"");
    value = line.substr(key.size() + 1);
    return {true, lines.number(), {}};
}

template <typename T>
ScenarioReadResult ReadKeyed(TextLines& lines, std::string_view key, T& field) {
    std::string_view value;
    ScenarioReadResult read = Keyed(lines, key, value);
    if (!read) return read;
    std::string why;
    bool ok;
    if constexpr (std::is_same_v<T, std::string>)
        ok = ReadEscaped(value, field, why);
    else
        ok = ReadNumber(value, field, why);
    if (!ok) return Failed(lines.number(), "The value of \"" + std::string(key) + "\" " + why);
    return read;
}

ScenarioReadResult ReadSource(TextLines& lines, ComparisonColumnRecord::Source& source) {
    std::string_view value;
    ScenarioReadResult read = Keyed(lines, "column", value);
    if (!read) return read;
    for (auto s : {ComparisonColumnRecord::Source::kCurrent, ComparisonColumnRecord::Source::kFile,
                   ComparisonColumnRecord::Source::kScenario})
        if (value == SourceName(s)) {
            source = s;
            return read;
        }
    return Failed(lines.number(), "A column is \"current\", \"file\" or \"scenario\"");
}

ScenarioReadResult ReadScenario(TextLines& lines, Scenario& scenario) {
    Integer count = 0;
    ScenarioReadResult read = ReadKeyed(lines, "scenario-lines", count);
    if (!read) return read;
    const int first = lines.number() + 1;
    std::string_view block;
    if (count <= 0 || !lines.Take(static_cast<std::size_t>(count), block))
        return Failed(first, "The column's scenario is cut short");
    read = ParseScenarioText(block, scenario);
    if (!read) read.line += first - 1;
    return read;
}

ScenarioReadResult ReadColumn(TextLines& lines, ComparisonColumnRecord& column) {
    ScenarioReadResult read = ReadSource(lines, column.source);
    if (read) read = ReadKeyed(lines, "name", column.name);
    if (read) read = ReadKeyed(lines, "points", column.pointsRate);
    if (read && !(column.pointsRate >= 0 && column.pointsRate <= 1))
        return Failed(lines.number(), "Points lie between 0 and 1 (100 % of the loan)");
    if (read && column.source == ComparisonColumnRecord::Source::kFile)
        read = ReadKeyed(lines, "path", column.path);
    if (read && column.source == ComparisonColumnRecord::Source::kScenario)
        read = ReadScenario(lines, column.scenario);
    return read;
}

ScenarioReadResult ReadSet(std::string_view text, ComparisonSet& set) {
    TextLines lines(text);
    std::string_view line;
    if (!lines.Next(line) || line != kFormatLine)
        return Failed(1, "This is not a comparison this version of Dovanel wrote");
    Integer horizon = 0;
    ScenarioReadResult read = ReadKeyed(lines, "horizon", horizon);
    if (!read) return read;
    if (horizon < 1 || horizon > 40)
        return Failed(lines.number(), "The horizon lies between 1 and 40 years");
    set.horizonYears = horizon;
    while (!lines.AtEnd()) {
        if (set.columns.size() == kComparisonColumnsMax)
            return Failed(lines.number() + 1, "A comparison has at most four columns");
        set.columns.emplace_back();
        read = ReadColumn(lines, set.columns.back());
        if (!read) return read;
    }
    return {true, 0, {}};
}

}  // namespace

std::string ComparisonFileText(const ComparisonSet& set) {
    std::string out(kFormatLine);
    out += "\nhorizon=" + std::to_string(set.horizonYears) + "\n";
    const std::size_t count = std::min(set.columns.size(), kComparisonColumnsMax);
    for (std::size_t i = 0; i < count; ++i) AppendColumn(out, set.columns[i]);
    return out;
}

ScenarioReadResult ParseComparisonText(std::string_view text, ComparisonSet& set) {
    ComparisonSet read;
    const ScenarioReadResult result = ReadSet(text, read);
    if (result) set = std::move(read);
    return result;
}

ComparisonSet LoadComparisonSet(const std::string& path, ScenarioReadResult* result) {
    ComparisonSet set;
    std::string text;
    const FileReadResult file = ReadRegularFile(path, kComparisonFileLimit, text);
    const ScenarioReadResult read = file ? ParseComparisonText(text, set) : Failed(0, file.reason);
    if (result) *result = read;
    return set;
}

}  // namespace dovanel
