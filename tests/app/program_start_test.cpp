// The real program, started where it cannot open a window: it says so in one
// line and ends with status 1, never with Qt's abort and a core dump.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

namespace {

struct Outcome {
    int status = -1;  // as the shell reports it: 128 + the signal for a killed program
    std::string out, err;
};

std::string Slurp(const std::filesystem::path& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// A new folder under the temporary folder.
std::filesystem::path NewFolder() {
    std::random_device random;
    for (;;) {
        const std::filesystem::path folder =
            std::filesystem::temp_directory_path() / ("dovanel-start-" + std::to_string(random()));
        if (std::filesystem::create_directory(folder)) return folder;
    }
}

// Runs the program with `environment` (env(1) arguments) and `arguments`, in a
// folder of its own that also serves as its home.
Outcome RunProgram(const std::string& environment, const std::string& arguments) {
    const std::filesystem::path home = NewFolder();
    const std::string h = home.string();
    const std::string command =
        "cd '" + h +
        "' && ulimit -c 0 && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM HOME='" + h +
        "' XDG_DATA_HOME='" + h + "/data' XDG_RUNTIME_DIR='" + h + "' " + environment +
        " timeout 60 '" DOVANEL_PROGRAM "' " + arguments + " > out 2> err; echo $? > status";
    Outcome run;
    const std::string status = std::system(command.c_str()) == -1 ? "" : Slurp(home / "status");
    if (!status.empty()) run.status = std::stoi(status);
    run.out = Slurp(home / "out");
    run.err = Slurp(home / "err");
    std::filesystem::remove_all(home);
    return run;
}

TEST(ProgramStart, WithoutADisplayItEndsWithOneLine) {
    struct Case {
        const char* environment;
        const char* arguments;
        const char* line;  // the start of the one line on standard error
    };
    const Case cases[] = {
        {"", "", "dovanel: cannot open a window: no display is set"},
        {"", "-style=Fusion -- ", "dovanel: cannot open a window: no display is set"},
        {"QT_QPA_PLATFORM=xcb WAYLAND_DISPLAY=wayland-0", "",
         "dovanel: cannot open a window: no X display"},
        // A display that nobody serves: Qt's own plugin fails.
        {"DISPLAY=:65000", "",
         "dovanel: cannot open a window: could not connect to display :65000"},
    };
    for (const Case& c : cases) {
        const Outcome run = RunProgram(c.environment, c.arguments);
        const std::string context = std::string(c.environment) + " dovanel " + c.arguments;
        EXPECT_EQ(run.status, 1) << context << "\n" << run.err;
        EXPECT_EQ(run.err.rfind(c.line, 0), 0u) << context << "\n" << run.err;
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << context << ": one line\n" << run.err;
        EXPECT_EQ(run.out, "") << context;
    }
}

TEST(ProgramStart, HelpAndVersionNeedNoDisplay) {
    const Outcome version = RunProgram("", "--version");
    EXPECT_EQ(version.status, 0) << version.err;
    EXPECT_EQ(version.out.rfind("Dovanel ", 0), 0u) << version.out;
    const Outcome help = RunProgram("", "-style Fusion --help");
    EXPECT_EQ(help.status, 0) << help.err;
    EXPECT_EQ(help.out.rfind("Usage: dovanel", 0), 0u) << help.out;
}

}  // namespace
