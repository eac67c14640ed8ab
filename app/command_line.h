#pragma once
// The program's command line. "--help" and "--version" answer without opening a
// window (and without a display); Qt's own options pass through to Qt; anything
// else is refused with the usage.

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace dovanel {

struct CommandLine {
    // Set when the program ends at once with this status: 0 after "--help" or
    // "--version" (1 when their answer could not be written), 2 after a wrong argument.
    std::optional<int> exitStatus;
    // The hidden "--startup-check": start, report where the files were found, end.
    bool startupCheck = false;
};

// The text "--help" prints.
std::string UsageText();

// Reads the arguments that follow the program's name; "--help", "--version" and
// errors are written to `out` and `err`.
CommandLine ReadCommandLine(const std::vector<std::string>& arguments, const std::string& version,
                            std::ostream& out, std::ostream& err);

}  // namespace dovanel
