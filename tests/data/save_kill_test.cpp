// Kills a process that saves every data file in a loop (save_loop_helper)
// with SIGKILL at random moments, again and again. After every kill each file
// must be the whole old or the whole new version with its permission bits, a
// file reached through a link must still be a link, no temporary file may
// allow more than the file it replaces, and the start-up clean-up must leave
// no temporary file behind.
//
// Half the kills fall at a random time; the other half just before a random
// file operation of the helper (through the preloaded KILL_SHIM), so that
// every step of a save is hit.
//
//   save_kill_test HELPER KILL_SHIM KILLS
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <thread>
#include <vector>

#include "data/install.h"
#include "tests/data/save_kill_files.h"
#include "tests/data/temp_folder.h"

namespace {

using namespace dovanel;
using test::Slurp;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

struct Helper {
    pid_t pid = -1;
    int output = -1;  // a dot at the start and after each round of saves
};

// Starts the helper; with `killAt`, it kills itself before that file operation.
Helper Start(const std::string& program, const std::string& folder, const std::string& shim = {},
             long killAt = 0) {
    int ends[2];
    if (::pipe(ends) != 0) return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, ends[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, ends[0]);
    char* argv[] = {const_cast<char*>(program.c_str()), const_cast<char*>(folder.c_str()), nullptr};
    std::vector<std::string> settings;
    for (char** e = environ; *e; ++e) {
        const std::string setting = *e;
        const bool replaced =
            setting.rfind("ASAN_OPTIONS=", 0) == 0 || setting.rfind("LD_PRELOAD=", 0) == 0;
        if (killAt == 0 || !replaced) settings.push_back(setting);
    }
    if (killAt > 0) {
        // Under AddressSanitizer the shim comes before its runtime, which it allows when told.
        const char* asan = std::getenv("ASAN_OPTIONS");
        settings.push_back(std::string("ASAN_OPTIONS=") + (asan ? asan : "") +
                           ":verify_asan_link_order=0");
        settings.push_back("LD_PRELOAD=" + shim);
        settings.push_back("DOVANEL_KILL_AT=" + std::to_string(killAt));
    }
    std::vector<char*> env;
    for (std::string& setting : settings) env.push_back(setting.data());
    env.push_back(nullptr);
    Helper helper;
    if (posix_spawn(&helper.pid, program.c_str(), &actions, nullptr, argv, env.data()) != 0)
        helper.pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    ::close(ends[1]);
    helper.output = ends[0];
    return helper;
}

bool WaitForRound(const Helper& helper) {
    char dot;
    return ::read(helper.output, &dot, 1) == 1;
}

// Whether the helper ended by SIGKILL (ours, or its own) rather than on its own.
bool Kill(Helper& helper, bool now = true) {
    if (now) ::kill(helper.pid, SIGKILL);
    int status = 0;
    ::waitpid(helper.pid, &status, 0);
    ::close(helper.output);
    return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

unsigned Mode(const fs::path& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 ? st.st_mode & 0777 : 0;
}

// Counts the temporary files in the folders; `open` when one allows more than
// the file it was to replace (".DV.INI.dovanel-save-XXXXXX" replaces DV.INI).
int CountLeftovers(const std::vector<fs::path>& folders, bool* open = nullptr) {
    const std::size_t tail = std::string(".dovanel-save-XXXXXX").size();
    int count = 0;
    for (const fs::path& folder : folders) {
        for (const auto& entry : fs::directory_iterator(folder)) {
            const std::string name = entry.path().filename().string();
            if (!IsSaveLeftoverName(name)) continue;
            ++count;
            const fs::path replaced = folder / name.substr(1, name.size() - 1 - tail);
            if (open && (Mode(entry.path()) & ~Mode(replaced)) != 0) *open = true;
        }
    }
    return count;
}

// Checks every file after a kill; returns a description of the first fault.
std::string Check(const fs::path& data, const std::vector<test::SavedFile>& files) {
    for (const auto& file : files) {
        const std::string text = Slurp(data / file.name);
        if (text != file.versions[0] && text != file.versions[1])
            return file.name + " is neither the old nor the new version (" +
                   std::to_string(text.size()) + " bytes)";
    }
    if (!fs::is_symlink(data / "MAIN.DAT")) return "MAIN.DAT is no longer a link";
    if (Mode(data / "DV.INI") != 0644 || Mode(data / "DEBT.DAT") != 0600)
        return "a file lost its permission bits";
    return {};
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: save_kill_test HELPER KILL_SHIM KILLS\n");
        return 2;
    }
    const std::string helper = argv[1], shim = argv[2];
    const int kills = std::atoi(argv[3]);
    test::TempFolder root;
    const fs::path data = root.path() / "Dovanel", linked = root.path() / "linked";
    fs::create_directory(data);
    fs::create_directory(linked);
    fs::create_symlink("../linked/main.dat", data / "MAIN.DAT");  // saved through the link
    const auto files = test::KillTestFiles();
    for (const auto& file : files)
        if (!WriteFileAtomically((data / file.name).string(), file.versions[0])) return 1;
    fs::permissions(data / "DV.INI", fs::perms::group_read | fs::perms::others_read,
                    fs::perm_options::add);
    std::vector<std::string> names;
    for (const auto& file : files) names.push_back(file.name);

    // How long one round of saves takes, so that kills fall anywhere within rounds.
    Helper probe = Start(helper, data.string() + "/");
    WaitForRound(probe);
    WaitForRound(probe);
    const auto roundStart = Clock::now();
    WaitForRound(probe);
    const auto round =
        std::max<Clock::duration>(Clock::now() - roundStart, std::chrono::microseconds(200));
    Kill(probe);

    std::mt19937 rng{std::random_device{}()};
    std::uniform_int_distribution<long long> delay(0, round.count());
    std::uniform_int_distribution<long> step(1, 75);  // a round takes 70 operations
    int leftovers = 0, midSave = 0;
    for (int k = 1; k <= kills; ++k) {
        const bool timed = k % 2 == 0;
        Helper saver = Start(helper, data.string() + "/", shim, timed ? 0 : step(rng));
        if (saver.pid < 0 || !WaitForRound(saver)) return std::fprintf(stderr, "no helper\n"), 1;
        if (timed) std::this_thread::sleep_for(Clock::duration(delay(rng)));
        if (!Kill(saver, timed)) return std::fprintf(stderr, "the helper ended on its own\n"), 1;
        const std::string fault = Check(data, files);
        if (!fault.empty()) return std::fprintf(stderr, "kill %d: %s\n", k, fault.c_str()), 1;
        bool open = false;
        const int found = CountLeftovers({data, linked}, &open);
        if (open) return std::fprintf(stderr, "kill %d: a temporary file was too open\n", k), 1;
        leftovers += found;
        midSave += found > 0;
        RemoveLeftovers(data.string() + "/", names, fs::file_time_type::clock::now());
        if (CountLeftovers({data, linked}) != 0)
            return std::fprintf(stderr, "kill %d: a temporary file survived the clean-up\n", k), 1;
    }
    std::printf(
        "%d kills: every file whole, old or new; %d kills fell inside a save, "
        "%d temporary files removed by the start-up clean-up\n",
        kills, midSave, leftovers);
    return 0;
}
