#pragma once
// A loan scenario's own file (".dovanel"): UTF-8 text, a format line
// "Dovanel scenario 2", then one "key=value" line per value of the scenario.
// docs/scenario-format.md describes every key. Numbers are written in the
// shortest form that reads back to the very same bits; texts keep every byte,
// with backslash escapes for line breaks, control characters and bytes that
// are not UTF-8. Saving is the caller's: this gives the text to write.

#include <cstddef>
#include <string>
#include <string_view>

#include "engine/model.h"

namespace dovanel {

// The format this program writes, and the newest it reads.
inline constexpr int kScenarioFormatVersion = 2;

// The largest scenario file read, in bytes.
inline constexpr std::size_t kScenarioFileLimit = 8 * 1024 * 1024;

// The outcome of reading a scenario: on failure, the line it failed on (0 for
// the file as a whole: missing, not a file, too large) and the reason, a
// sentence for the user without its full stop.
struct ScenarioReadResult {
    bool ok = false;
    int line = 0;
    std::string reason;
    explicit operator bool() const { return ok; }
};

// The file's text. A number that is not finite (no input makes one) is written
// as 0, so that everything written reads back.
std::string ScenarioFileText(const Scenario& scenario);

// Reads a scenario file's text. On failure `scenario` is left as it was.
ScenarioReadResult ParseScenarioText(std::string_view text, Scenario& scenario);

// Reads the scenario file at `path`. On failure `scenario` is left as it was.
ScenarioReadResult ReadScenarioFile(const std::string& path, Scenario& scenario);

// The message for a file that could not be read: the path, the line and the reason.
std::string ScenarioReadMessage(const std::string& path, const ScenarioReadResult& result);

}  // namespace dovanel
