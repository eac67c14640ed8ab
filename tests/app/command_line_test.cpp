// The command line: what ends the program before any window, and what passes to Qt.
#include <gtest/gtest.h>

#include <sstream>

#include "app/command_line.h"

namespace dovanel {
namespace {

struct Case {
    std::vector<std::string> arguments;
    std::optional<int> exitStatus;
    bool startupCheck;
    const char* out;  // a piece of what is printed on standard output ("" for nothing)
    const char* err;  // a piece of what is printed on standard error ("" for nothing)
};

// `printed` holds `piece`, or is empty when `piece` is.
void ExpectPrinted(const std::string& printed, const std::string& piece,
                   const std::string& context) {
    if (piece.empty()) {
        EXPECT_EQ(printed, "") << context;
    } else {
        EXPECT_NE(printed.find(piece), std::string::npos) << context << ": " << printed;
    }
}

TEST(CommandLine, EndsOrGoesOnAsTheArgumentsSay) {
    const std::vector<Case> cases = {
        {{}, std::nullopt, false, "", ""},
        {{"--help"}, 0, false, "Usage: dovanel", ""},
        {{"-h"}, 0, false, "--version", ""},
        {{"--version"}, 0, false, "Dovanel 2.9.1\n", ""},
        {{"-platform", "offscreen", "--version"}, 0, false, "Dovanel 2.9.1", ""},
        {{"--style", "Fusion", "-reverse"}, std::nullopt, false, "", ""},
        {{"--startup-check"}, std::nullopt, true, "", ""},
        {{"--frobnicate"}, 2, false, "", "unrecognized option '--frobnicate'"},
        {{"-x", "--help"}, 2, false, "", "Usage: dovanel"},
        {{"a.dovanel", "loan.dat"}, 2, false, "", "unexpected argument 'loan.dat'"},
        {{"-style"}, 2, false, "", "option '-style' needs a value"},
        // Qt's documented forms with "=", one dash or two.
        {{"-style=Fusion"}, std::nullopt, false, "", ""},
        {{"--style=Fusion", "-stylesheet=look.qss"}, std::nullopt, false, "", ""},
        {{"-style="}, 2, false, "", "option '-style=' needs a value"},
        {{"-platform=offscreen"}, 2, false, "", "unrecognized option '-platform=offscreen'"},
        // "--" ends the options; nothing may follow it.
        {{"--"}, std::nullopt, false, "", ""},
        {{"--startup-check", "--"}, std::nullopt, true, "", ""},
        {{"--", "a.dovanel", "--help"}, 2, false, "", "unexpected argument '--help'"},
        {{"--", "a.dovanel", "loan.dat"}, 2, false, "", "unexpected argument 'loan.dat'"},
        {{"--", ""}, 2, false, "", "unexpected argument ''"},
    };
    for (const Case& c : cases) {
        std::ostringstream out, err;
        const CommandLine line = ReadCommandLine(c.arguments, "2.9.1", out, err);
        const std::string context = ::testing::PrintToString(c.arguments);
        EXPECT_EQ(line.exitStatus, c.exitStatus) << context;
        EXPECT_EQ(line.startupCheck, c.startupCheck) << context;
        ExpectPrinted(out.str(), c.out, context + " (standard output)");
        ExpectPrinted(err.str(), c.err, context + " (standard error)");
    }
}

// One plain argument, or the one after "--" (which may start with a dash), is
// the scenario file to open; options around it keep their meaning.
TEST(CommandLine, OnePlainArgumentIsTheFileToOpen) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"Smith.dovanel"}, "Smith.dovanel"},
        {{"-style", "Fusion", "/tmp/a b.dovanel"}, "/tmp/a b.dovanel"},
        {{"loan.dovanel", "--startup-check"}, "loan.dovanel"},
        {{"--", "-dash.dovanel"}, "-dash.dovanel"},
        {{"--", "--help"}, "--help"},
    };
    for (const auto& [arguments, file] : cases) {
        std::ostringstream out, err;
        const CommandLine line = ReadCommandLine(arguments, "2.9.1", out, err);
        EXPECT_FALSE(line.exitStatus) << err.str();
        EXPECT_EQ(line.file, file) << ::testing::PrintToString(arguments);
    }
    std::ostringstream out, err;
    EXPECT_FALSE(ReadCommandLine({"--style", "Fusion"}, "2.9.1", out, err).file)
        << "an option's value is no file";
}

// "dovanel --version > /dev/full" must not end as if the answer had been given.
TEST(CommandLine, AnAnswerThatCannotBeWrittenEndsWithAFailure) {
    for (const char* option : {"--help", "--version"}) {
        std::ostream closed(nullptr);  // every write fails
        std::ostringstream err;
        const CommandLine line = ReadCommandLine({option}, "2.9.1", closed, err);
        EXPECT_EQ(line.exitStatus, 1) << option;
        EXPECT_NE(err.str().find("could not be written"), std::string::npos) << option;
    }
}

// A refused argument is echoed with its control characters, stray bytes and
// backslashes escaped, so that it cannot drive the terminal; readable UTF-8 stays.
TEST(CommandLine, RefusedArgumentsAreEchoedWithoutControlCharacters) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"\x1b[2J\x1b]0;owned\x07", "\\x1b[2J\\x1b]0;owned\\x07"},
        {"two\nlines\r\t", "two\\x0alines\\x0d\\x09"},
        {"del\x7f", "del\\x7f"},
        {"c1 \u009b31m", "c1 \\xc2\\x9b31m"},          // U+009B, the 8-bit CSI
        {"stray \x9b\xff", "stray \\x9b\\xff"},        // not UTF-8
        {"overlong \xc0\xaf", "overlong \\xc0\\xaf"},  // "/" in two bytes
        {"cut \xe2\x82", "cut \\xe2\\x82"},
        {"C:\\loans", "C:\\\\loans"},
        {"pr\xc3\xa9t \xe2\x82\xac \xf0\x9f\x8f\xa0", "pr\xc3\xa9t \xe2\x82\xac \xf0\x9f\x8f\xa0"},
    };
    for (const auto& [argument, shown] : cases) {
        EXPECT_EQ(Printable(argument), shown);
        for (const std::vector<std::string>& line :
             {std::vector<std::string>{"first.dovanel", argument},
              {"-" + argument},
              {"--", "first.dovanel", argument}}) {
            std::ostringstream out, err;
            ReadCommandLine(line, "2.9.1", out, err);
            EXPECT_EQ(err.str().find_first_of("\x1b\x07\x7f\r\x9b"), std::string::npos)
                << ::testing::PrintToString(line);
            EXPECT_NE(err.str().find(shown), std::string::npos) << err.str();
        }
    }
}

TEST(CommandLine, NoDisplayIsFoundBeforeQtAborts) {
    struct DisplayCase {
        std::vector<std::string> arguments;
        DisplayEnvironment environment;  // QT_QPA_PLATFORM, DISPLAY, WAYLAND_DISPLAY
        const char* problem;             // a piece of the line printed, or "" to try a start
    };
    const std::vector<DisplayCase> cases = {
        {{}, {"", "", ""}, "no display is set (DISPLAY and WAYLAND_DISPLAY are not set)"},
        {{}, {"xcb", "", ""}, "no X display is set (DISPLAY is not set)"},
        {{"-platform", "xcb"}, {"offscreen", "", ""}, "no X display is set"},
        {{}, {"xcb:nograb;xcb", "", "wayland-0"}, "no X display is set"},
        {{}, {"", ":0", ""}, ""},
        {{}, {"", "", "wayland-0"}, ""},
        {{"-display", ":1"}, {"", "", ""}, ""},
        {{}, {"offscreen", "", ""}, ""},
        {{"--platform", "offscreen"}, {"", "", ""}, ""},
        {{"-platform", "wayland"}, {"", "", ""}, ""},
        {{}, {"wayland;xcb", "", ""}, ""},
    };
    for (const DisplayCase& c : cases) {
        std::ostringstream out, err;
        const CommandLine line = ReadCommandLine(c.arguments, "2.9.1", out, err);
        const std::string problem = NoDisplayProblem(line, c.environment);
        const std::string context = ::testing::PrintToString(c.arguments) + " " +
                                    c.environment.qpaPlatform + "|" + c.environment.display + "|" +
                                    c.environment.waylandDisplay;
        ExpectPrinted(problem, c.problem, context);
        if (!problem.empty()) {
            EXPECT_EQ(problem.rfind("dovanel: ", 0), 0u) << problem;
            EXPECT_EQ(problem.find('\n'), std::string::npos) << "one line: " << problem;
        }
    }
}

TEST(CommandLine, UsageNamesEveryOptionButTheHiddenOne) {
    const std::string usage = UsageText();
    for (const char* option : {"--help", "--version", "-h"})
        EXPECT_NE(usage.find(option), std::string::npos) << option;
    EXPECT_EQ(usage.find("startup-check"), std::string::npos);
}

}  // namespace
}  // namespace dovanel
