#include "app/command_line.h"

#include <algorithm>
#include <array>
#include <ostream>

namespace dovanel {

namespace {

// Qt's standard options, which QApplication takes out of the arguments itself.
constexpr std::array<const char*, 14> kQtOptionsWithValue = {
    "platform",    "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
    "qwindowicon", "qwindowtitle",       "session",       "style",  "stylesheet",
    "display",     "geometry",           "name",          "title"};
constexpr std::array<const char*, 5> kQtFlags = {"reverse", "widgetcount", "nograb", "dograb",
                                                 "sync"};

// The name of an option written with one or two dashes, or "" for a plain argument.
std::string OptionName(const std::string& argument) {
    if (argument.size() < 2 || argument[0] != '-') return {};
    return argument.substr(argument[1] == '-' ? 2 : 1);
}

template <typename List>
bool Contains(const List& list, const std::string& name) {
    return std::find(list.begin(), list.end(), name) != list.end();
}

CommandLine Refuse(std::ostream& err, const std::string& problem) {
    err << "dovanel: " << problem << "\n\n" << UsageText();
    return {2, false};
}

// Prints the answer to "--help" or "--version"; an answer that could not be
// written (standard output closed or full) ends the program with status 1.
CommandLine Answer(std::ostream& out, std::ostream& err, const std::string& text) {
    out << text << std::flush;
    if (out) return {0, false};
    err << "dovanel: the answer could not be written to standard output\n";
    return {1, false};
}

}  // namespace

std::string UsageText() {
    return "Usage: dovanel [--help | --version]\n"
           "Tells a home buyer how much mortgage they can afford.\n"
           "\n"
           "Options:\n"
           "  -h, --help     print this help and exit\n"
           "      --version  print the version and exit\n"
           "\n"
           "Qt's standard options, such as -platform NAME or -style NAME, are passed to Qt.\n"
           "The data files live in $XDG_DATA_HOME/Dovanel/ (normally ~/.local/share/Dovanel/).\n"
           "See dovanel(1).\n";
}

CommandLine ReadCommandLine(const std::vector<std::string>& arguments, const std::string& version,
                            std::ostream& out, std::ostream& err) {
    CommandLine result;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const std::string name = OptionName(argument);
        if (argument == "-h" || argument == "--help") return Answer(out, err, UsageText());
        if (argument == "--version") return Answer(out, err, "Dovanel " + version + "\n");
        if (argument == "--startup-check") {
            result.startupCheck = true;
        } else if (Contains(kQtOptionsWithValue, name)) {
            if (++i == arguments.size())
                return Refuse(err, "option '" + argument + "' needs a value");
        } else if (!Contains(kQtFlags, name)) {
            return Refuse(err, name.empty() ? "unexpected argument '" + argument + "'"
                                            : "unrecognized option '" + argument + "'");
        }
    }
    return result;
}

}  // namespace dovanel
