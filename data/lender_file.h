#pragma once
// The lender's information (LENDER.DAT in the data folder): the lender's and the
// loan officer's names and NMLS IDs, address, phone and e-mail, which the
// reports print. UTF-8 text: a format line "Dovanel lender 1", then one
// "key=value" line per field, values escaped as a scenario file's texts are.
// A missing file is no lender; the first run installs none.

#include <string>
#include <string_view>

#include "data/scenario_file.h"
#include "engine/model.h"

namespace dovanel {

inline constexpr char kLenderFileName[] = "LENDER.DAT";
inline constexpr std::size_t kLenderFileLimit = 64 * 1024;

std::string LenderFileText(const LenderInfo& lender);

// On failure `lender` is left as it was; the result says the line and the reason.
ScenarioReadResult ParseLenderText(std::string_view text, LenderInfo& lender);

// Reads the file at `path`: a missing file gives an empty lender and success.
ScenarioReadResult ReadLenderFile(const std::string& path, LenderInfo& lender);

}  // namespace dovanel
