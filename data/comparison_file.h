#pragma once
// The comparison kept between sessions (COMPS.DAT in the data folder): its
// horizon and up to four columns. A column stands for the current document, a
// scenario file (kept as its path) or a scenario of its own (kept whole, in the
// scenario file's text). docs/comparison-format.md describes the lines.
//
// The installed COMPS.DAT is a placeholder from before the comparison
// existed; it, a missing or empty file and a malformed one all read as "no
// comparison kept", and the window starts from the current document.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "data/scenario_file.h"
#include "engine/model.h"

namespace dovanel {

inline constexpr int kComparisonFormatVersion = 1;
inline constexpr std::size_t kComparisonColumnsMax = 4;
inline constexpr std::size_t kComparisonFileLimit = 4 * kScenarioFileLimit;

struct ComparisonColumnRecord {
    enum class Source { kCurrent, kFile, kScenario };
    Source source = Source::kCurrent;
    std::string name;       // empty: the column is named after its loan
    double pointsRate = 0;  // discount points, a share of the loan amount
    std::string path;       // for kFile
    Scenario scenario;      // for kScenario
};

struct ComparisonSet {
    int horizonYears = 7;
    std::vector<ComparisonColumnRecord> columns;
};

// The file's text; at most the first four columns are written.
std::string ComparisonFileText(const ComparisonSet& set);

// Reads the text. On failure `set` is left as it was and the result says the
// line and the reason.
ScenarioReadResult ParseComparisonText(std::string_view text, ComparisonSet& set);

// Reads COMPS.DAT at `path`; anything that is not a comparison this program
// wrote (missing, empty, the installed placeholder, malformed, too large)
// gives an empty set, with the reason in `result` for whoever wants it.
ComparisonSet LoadComparisonSet(const std::string& path, ScenarioReadResult* result = nullptr);

}  // namespace dovanel
