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
        {{"loan.dat"}, 2, false, "", "unexpected argument 'loan.dat'"},
        {{"-style"}, 2, false, "", "option '-style' needs a value"},
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

TEST(CommandLine, UsageNamesEveryOptionButTheHiddenOne) {
    const std::string usage = UsageText();
    for (const char* option : {"--help", "--version", "-h"})
        EXPECT_NE(usage.find(option), std::string::npos) << option;
    EXPECT_EQ(usage.find("startup-check"), std::string::npos);
}

}  // namespace
}  // namespace dovanel
