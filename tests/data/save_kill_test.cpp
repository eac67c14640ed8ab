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
#include <cstdio>
#include <filesystem>
#include <vector>

#include "data/install.h"
#include "tests/data/kill_harness.h"
#include "tests/data/save_kill_files.h"
#include "tests/data/temp_folder.h"

namespace {

using namespace dovanel;
using test::CountLeftovers;
using test::Mode;
using test::Slurp;
namespace fs = std::filesystem;

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
    test::KillArguments arguments;
    if (!test::ReadKillArguments(argc, argv, arguments)) return 2;
    const auto& [helper, shim, kills] = arguments;
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

    int leftovers = 0, midSave = 0;
    const auto afterKill = [&](int kill) -> std::string {
        const std::string fault = Check(data, files);
        if (!fault.empty()) return fault;
        bool open = false;
        const int found = CountLeftovers({data, linked}, &open);
        if (open) return "a temporary file was too open";
        if (kill > 0) {
            leftovers += found;
            midSave += found > 0;
        }
        RemoveLeftovers(data.string() + "/", names, fs::file_time_type::clock::now());
        if (CountLeftovers({data, linked}) != 0) return "a temporary file survived the clean-up";
        return {};
    };
    // a round takes 70 operations
    if (!test::KillRepeatedly(helper, {data.string() + "/"}, shim, kills, 75, afterKill)) return 1;
    std::printf(
        "%d kills: every file whole, old or new; %d kills fell inside a save, "
        "%d temporary files removed by the start-up clean-up\n",
        kills, midSave, leftovers);
    return 0;
}
