#pragma once
// The program's command line. "--help" and "--version" answer without opening a
// window (and without a display); Qt's own options pass through to Qt; one
// plain argument (or the one after "--") is a scenario file to open; anything
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
    // The values of Qt's "-platform" and "-display" options, when given.
    std::optional<std::string> platform;
    std::optional<std::string> display;
    // The scenario file to open, when one is named.
    std::optional<std::string> file;
};

// The text "--help" prints.
std::string UsageText();

// An argument as it may be printed on a terminal: control characters, bytes
// that are not UTF-8 and the backslash itself are written as escapes ("\x1b").
std::string Printable(const std::string& argument);

// What decides whether a window can be opened at all, read from the environment.
struct DisplayEnvironment {
    std::string qpaPlatform;     // QT_QPA_PLATFORM
    std::string display;         // DISPLAY
    std::string waylandDisplay;  // WAYLAND_DISPLAY
};
DisplayEnvironment ProcessDisplayEnvironment();

// The one line to print when Qt's window system plugin cannot start for want
// of a display (the X11 plugin, chosen or by default, with no display named),
// or "" when a start can be tried.
std::string NoDisplayProblem(const CommandLine& line, const DisplayEnvironment& environment);

// Reads the arguments that follow the program's name; "--help", "--version" and
// errors are written to `out` and `err`.
CommandLine ReadCommandLine(const std::vector<std::string>& arguments, const std::string& version,
                            std::ostream& out, std::ostream& err);

}  // namespace dovanel
