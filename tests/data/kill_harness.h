#pragma once
// What the kill tests share: starting a helper process that writes files in a
// loop (a dot on its output as it starts and after each round), optionally
// with the kill shim preloaded so that it kills itself just before its Nth
// file operation, and killing it.

#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "data/file_write.h"

namespace dovanel::test {

struct Helper {
    pid_t pid = -1;
    int output = -1;  // a dot at the start and after each round of saves
};

// The environment for a helper: ours, and with `killAt` the shim preloaded
// with the step it kills at.
inline std::vector<std::string> HelperEnvironment(const std::string& shim, long killAt) {
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
    return settings;
}

// Starts the helper with its arguments; with `killAt`, it kills itself before
// that file operation.
inline Helper Start(const std::string& program, std::vector<std::string> arguments,
                    const std::string& shim = {}, long killAt = 0) {
    int ends[2];
    if (::pipe(ends) != 0) return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, ends[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, ends[0]);
    arguments.insert(arguments.begin(), program);
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    std::vector<std::string> settings = HelperEnvironment(shim, killAt);
    std::vector<char*> env;
    for (std::string& setting : settings) env.push_back(setting.data());
    env.push_back(nullptr);
    Helper helper;
    if (posix_spawn(&helper.pid, program.c_str(), &actions, nullptr, argv.data(), env.data()) != 0)
        helper.pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    ::close(ends[1]);
    helper.output = ends[0];
    return helper;
}

inline bool WaitForRound(const Helper& helper) {
    char dot;
    return ::read(helper.output, &dot, 1) == 1;
}

// Whether the helper ended by SIGKILL (ours, or its own) rather than on its own.
inline bool Kill(Helper& helper, bool now = true) {
    if (now) ::kill(helper.pid, SIGKILL);
    int status = 0;
    ::waitpid(helper.pid, &status, 0);
    ::close(helper.output);
    return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

// How long one round of the helper's writes takes (at least 200 µs), so that
// kills fall anywhere within rounds.
inline std::chrono::steady_clock::duration RoundTime(const std::string& program,
                                                     const std::vector<std::string>& arguments) {
    using Clock = std::chrono::steady_clock;
    Helper probe = Start(program, arguments);
    WaitForRound(probe);
    WaitForRound(probe);
    const auto roundStart = Clock::now();
    WaitForRound(probe);
    const auto round =
        std::max<Clock::duration>(Clock::now() - roundStart, std::chrono::microseconds(200));
    Kill(probe);
    return round;
}

inline unsigned Mode(const std::filesystem::path& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 ? st.st_mode & 0777 : 0;
}

// Counts the temporary files of saves in the folders; `open` when one allows
// more than the file it was to replace (".DV.INI.dovanel-save-XXXXXX" replaces DV.INI).
inline int CountLeftovers(const std::vector<std::filesystem::path>& folders, bool* open = nullptr) {
    const std::size_t tail = std::string(".dovanel-save-XXXXXX").size();
    int count = 0;
    for (const std::filesystem::path& folder : folders) {
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            const std::string name = entry.path().filename().string();
            if (!IsSaveLeftoverName(name)) continue;
            ++count;
            const auto replaced = folder / name.substr(1, name.size() - 1 - tail);
            if (open && (Mode(entry.path()) & ~Mode(replaced)) != 0) *open = true;
        }
    }
    return count;
}

// The kill tests' command line: HELPER KILL_SHIM KILLS.
struct KillArguments {
    std::string helper, shim;
    int kills = 0;
};

inline bool ReadKillArguments(int argc, char* argv[], KillArguments& arguments) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s HELPER KILL_SHIM KILLS\n", argv[0]);
        return false;
    }
    arguments = {argv[1], argv[2], std::atoi(argv[3])};
    return true;
}

// Starts the helper with `arguments` and kills it, `kills` times: every other
// kill falls just before a random one of its first `steps` file operations
// (through the preloaded `shim`), so that every step of a write is hit; the
// others at a random time within a round of its writes. After each kill,
// `afterKill(k)` checks what the helper left and returns the first fault, or
// nothing; kill 0 is the one that ends the helper timing a round. False, with
// the fault told, when one was found.
inline bool KillRepeatedly(const std::string& program, const std::vector<std::string>& arguments,
                           const std::string& shim, int kills, long steps,
                           const std::function<std::string(int)>& afterKill) {
    using Clock = std::chrono::steady_clock;
    const auto round = RoundTime(program, arguments);
    if (const std::string fault = afterKill(0); !fault.empty())
        return std::fprintf(stderr, "the timing helper's kill: %s\n", fault.c_str()), false;
    std::mt19937 rng{std::random_device{}()};
    std::uniform_int_distribution<long long> delay(0, round.count());
    std::uniform_int_distribution<long> step(1, steps);
    for (int k = 1; k <= kills; ++k) {
        const bool timed = k % 2 == 0;
        Helper helper = Start(program, arguments, shim, timed ? 0 : step(rng));
        if (helper.pid < 0 || !WaitForRound(helper))
            return std::fprintf(stderr, "no helper\n"), false;
        if (timed) std::this_thread::sleep_for(Clock::duration(delay(rng)));
        if (!Kill(helper, timed))
            return std::fprintf(stderr, "the helper ended on its own\n"), false;
        const std::string fault = afterKill(k);
        if (!fault.empty()) return std::fprintf(stderr, "kill %d: %s\n", k, fault.c_str()), false;
    }
    return true;
}

}  // namespace dovanel::test
