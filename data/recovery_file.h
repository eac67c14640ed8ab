#pragma once
// A recovery copy: the unsaved changes of one open document, kept in the data
// folder while it is modified so that a crash or a kill loses at most the last
// moments of work. A few header lines say what the document is, then follows
// the whole scenario as its own file would hold it. docs/recovery-format.md
// describes the format.

#include <cstdint>
#include <string>
#include <string_view>

#include "data/scenario_file.h"
#include "engine/model.h"

namespace dovanel {

// The format this program writes, and the newest it reads.
inline constexpr int kRecoveryFormatVersion = 1;

// What the document was: the default loan of the data folder, a scenario file,
// or a new scenario never saved.
enum class RecoveredKind { DefaultLoan, File, Untitled };

struct RecoveryCopy {
    RecoveredKind kind = RecoveredKind::Untitled;
    std::string name;          // the document's name as its window showed it
    std::string path;          // the scenario file's full path; empty unless a file
    std::int64_t written = 0;  // when the copy was written, seconds since 1970 (UTC)
    Scenario scenario;
};

// The number of header lines before the scenario's own text.
inline constexpr int kRecoveryHeaderLines = 5;

// The largest recovery copy read, in bytes: a scenario file of the limit and
// its header.
inline constexpr std::size_t kRecoveryCopyLimit = kScenarioFileLimit + 64 * 1024;

// The copy's text.
std::string RecoveryText(const RecoveryCopy& copy);

// Reads the header alone (lines 1 to kRecoveryHeaderLines): the copy's kind,
// name, path and time, without its scenario. On failure `copy` is left as it was.
ScenarioReadResult ParseRecoveryHeader(std::string_view text, RecoveryCopy& copy);

// Reads a whole copy. On failure `copy` is left as it was, and the result
// names the line (counted over the whole copy) and the reason.
ScenarioReadResult ParseRecoveryText(std::string_view text, RecoveryCopy& copy);

// Reads the copy at `path`; a file that is not a regular file or is larger
// than kRecoveryCopyLimit is refused.
ScenarioReadResult ReadRecoveryCopy(const std::string& path, RecoveryCopy& copy);

// The message for a copy that could not be read: its path, the line and the reason.
std::string RecoveryReadMessage(const std::string& path, const ScenarioReadResult& result);

}  // namespace dovanel
