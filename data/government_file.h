#pragma once
// The government loan tables (GOVLOANS.DAT in the data folder): the FHA, VA and
// USDA rates and the loan limits of one year. UTF-8 text: a format line
// "Dovanel government loans 1", then one "key=value" line per figure in the
// order written; a table row is one line of numbers and words. The first run
// installs the built-in tables' text (resources/data/GOVLOANS.DAT); a missing
// file, as in a data folder made before that, means the built-in tables.

#include <string>
#include <string_view>

#include "data/scenario_file.h"
#include "engine/government.h"

namespace dovanel {

inline constexpr char kGovernmentFileName[] = "GOVLOANS.DAT";
inline constexpr std::size_t kGovernmentFileLimit = 64 * 1024;

std::string GovernmentFileText(const GovernmentLoanTables& tables);

// On failure `tables` is left as it was; the result says the line and the reason.
ScenarioReadResult ParseGovernmentText(std::string_view text, GovernmentLoanTables& tables);

// Reads the file at `path`: a missing file gives the built-in tables and success.
ScenarioReadResult ReadGovernmentFile(const std::string& path, GovernmentLoanTables& tables);

}  // namespace dovanel
