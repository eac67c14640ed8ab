#include "app/command_line.h"

#include <algorithm>
#include <array>
#include <cstdlib>
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

// Qt's options that also take their value after "=" ("-style=Fusion").
constexpr std::array<const char*, 2> kQtOptionsWithInlineValue = {"style", "stylesheet"};

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
    return {2, false, {}, {}, {}};
}

std::string UnexpectedText(const std::string& argument) {
    return "unexpected argument '" + Printable(argument) + "'";
}

// Prints the answer to "--help" or "--version"; an answer that could not be
// written (standard output closed or full) ends the program with status 1.
CommandLine Answer(std::ostream& out, std::ostream& err, const std::string& text) {
    out << text << std::flush;
    if (out) return {0, false, {}, {}, {}};
    err << "dovanel: the answer could not be written to standard output\n";
    return {1, false, {}, {}, {}};
}

// Takes one of Qt's options (and its value) at `i`; false when it is none of them
// or lacks its value, with the reason in `problem`.
bool TakeQtOption(const std::vector<std::string>& arguments, size_t& i, CommandLine& result,
                  std::string& problem) {
    const std::string& argument = arguments[i];
    const std::string name = OptionName(argument);
    const size_t equals = name.find('=');
    bool hasValue = true;
    if (equals != std::string::npos &&
        Contains(kQtOptionsWithInlineValue, name.substr(0, equals))) {
        hasValue = equals + 1 < name.size();
    } else if (Contains(kQtOptionsWithValue, name)) {
        hasValue = ++i < arguments.size();
        if (hasValue && name == "platform") result.platform = arguments[i];
        if (hasValue && name == "display") result.display = arguments[i];
    } else if (!Contains(kQtFlags, name)) {
        problem = name.empty() ? UnexpectedText(argument)
                               : "unrecognized option '" + Printable(argument) + "'";
        return false;
    }
    if (!hasValue) problem = "option '" + Printable(argument) + "' needs a value";
    return hasValue;
}

// The length of the well-formed UTF-8 sequence of more than one byte at `i`, or 0.
size_t MultiByteLength(const std::string& text, size_t i) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;  // the second byte's range
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : low;    // no overlong form
        high = lead == 0xED ? 0x9F : high;  // no surrogate
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : low;
        high = lead == 0xF4 ? 0x8F : high;
    }
    if (length == 0 || i + length > text.size()) return 0;
    if (byte(i + 1) < low || byte(i + 1) > high) return 0;
    for (size_t k = 2; k < length; ++k)
        if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) return 0;
    // U+0080 to U+009F are control characters too.
    return lead == 0xC2 && byte(i + 1) <= 0x9F ? 0 : length;
}

std::string Escaped(unsigned char byte) {
    static const char digits[] = "0123456789abcdef";
    return {'\\', 'x', digits[byte >> 4], digits[byte & 15]};
}

// Whether every platform of a Qt platform list ("xcb", "wayland;xcb",
// "xcb:option") is the X11 one.
bool OnlyX11(const std::string& platforms) {
    size_t start = 0;
    while (start <= platforms.size()) {
        size_t end = platforms.find(';', start);
        if (end == std::string::npos) end = platforms.size();
        const std::string entry = platforms.substr(start, end - start);
        if (entry.substr(0, entry.find(':')) != "xcb") return false;
        start = end + 1;
    }
    return true;
}

std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// The one file the program opens; false when one was named already.
bool TakeFile(const std::string& argument, CommandLine& result) {
    if (result.file || argument.empty()) return false;
    result.file = argument;
    return true;
}

}  // namespace

std::string UsageText() {
    return "Usage: dovanel [--help | --version] [FILE]\n"
           "Tells a home buyer how much mortgage they can afford.\n"
           "FILE is a loan scenario (.dovanel) to open; a copy already running opens it.\n"
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
        if (argument == "-h" || argument == "--help") return Answer(out, err, UsageText());
        if (argument == "--version") return Answer(out, err, "Dovanel " + version + "\n");
        if (argument == "--") {  // the end of the options: a file may follow, nothing more
            if (i + 1 < arguments.size() && !TakeFile(arguments[i + 1], result))
                return Refuse(err, UnexpectedText(arguments[i + 1]));
            if (i + 2 < arguments.size()) return Refuse(err, UnexpectedText(arguments[i + 2]));
            break;
        }
        std::string problem;
        if (argument == "--startup-check")
            result.startupCheck = true;
        else if (!argument.empty() && argument[0] != '-' && TakeFile(argument, result))
            continue;
        else if (!TakeQtOption(arguments, i, result, problem))
            return Refuse(err, problem);
    }
    return result;
}

std::string Printable(const std::string& argument) {
    std::string shown;
    for (size_t i = 0; i < argument.size();) {
        const auto byte = static_cast<unsigned char>(argument[i]);
        const size_t length = byte >= 0x80 ? MultiByteLength(argument, i) : 1;
        if (byte == '\\')
            shown += "\\\\";
        else if (length > 1)
            shown.append(argument, i, length);
        else if (byte >= 0x20 && byte < 0x7f)
            shown += argument[i];
        else
            shown += Escaped(byte);
        i += length > 1 ? length : 1;
    }
    return shown;
}

DisplayEnvironment ProcessDisplayEnvironment() {
    return {Variable("QT_QPA_PLATFORM"), Variable("DISPLAY"), Variable("WAYLAND_DISPLAY")};
}

std::string NoDisplayProblem(const CommandLine& line, const DisplayEnvironment& environment) {
    const std::string chosen = line.platform ? *line.platform : environment.qpaPlatform;
    if (!chosen.empty() && !OnlyX11(chosen)) return {};  // another window system: try it
    if (line.display || !environment.display.empty()) return {};
    if (chosen.empty() && !environment.waylandDisplay.empty()) return {};  // Qt may choose Wayland
    return chosen.empty()
               ? "dovanel: cannot open a window: no display is set "
                 "(DISPLAY and WAYLAND_DISPLAY are not set)"
               : "dovanel: cannot open a window: no X display is set (DISPLAY is not set)";
}

}  // namespace dovanel
