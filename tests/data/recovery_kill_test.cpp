// Kills a process that keeps a recovery copy, saves a scenario file with Save
// As and saves the default loan (recovery_loop_helper) with SIGKILL at random
// moments, again and again. After every kill:
// - the scenario file and MAIN.DAT are each the whole old or the whole new
//   version, with their permission bits;
// - the killed program's recovery copy, if it wrote one, is orphaned, reads
//   back whole (old or new) and is private to the user;
// - the start-up clean-up leaves no temporary file in the data folder and the
//   recovery folder, and once the copy is restored or discarded, nothing at
//   all in the recovery folder;
// - beside the scenario file there is at most one temporary file of the Save
//   As: hidden, and no more open than the file.
//
//   recovery_kill_test HELPER KILL_SHIM KILLS
#include <cstdio>
#include <filesystem>
#include <vector>

#include "data/install.h"
#include "data/recovery_folder.h"
#include "tests/data/kill_harness.h"
#include "tests/data/recovery_kill_files.h"
#include "tests/data/temp_folder.h"

namespace {

using namespace dovanel;
using test::CountLeftovers;
using test::Mode;
using test::Slurp;
namespace fs = std::filesystem;

constexpr unsigned kScenarioMode = 0640;

struct Figures {
    int inRecoveryWrite = 0;  // kills that left a recovery copy's temporary file
    int inSaveAs = 0;         // kills that left a Save As's temporary file
    int orphans = 0;          // copies found orphaned and read back whole
    int restored = 0;         // of them, claimed and restored as a start would
};

class RecoveryKillCheck {
  public:
    RecoveryKillCheck(const fs::path& data, const fs::path& user)
        : data_(data), user_(user), recovery_(RecoveryFolderOf(data.string() + "/")) {}

    std::string operator()(int kill) {
        std::string fault = Files();
        if (fault.empty()) fault = Temporaries();
        if (fault.empty()) fault = Orphans(kill);
        if (fault.empty()) fault = CleanUp();
        if (kill == 0) figures_ = {};  // the timing helper's kill is checked, not counted
        return fault;
    }
    const Figures& figures() const { return figures_; }

  private:
    std::string Files() const {
        const std::string scenario = Slurp(user_ / test::kClientFile);
        if (scenario != test::KillTestScenarioText(0) && scenario != test::KillTestScenarioText(1))
            return "the scenario file is neither the old nor the new version";
        if (fs::is_symlink(user_ / test::kClientFile) ||
            Mode(user_ / test::kClientFile) != kScenarioMode)
            return "the scenario file lost its permission bits";
        const std::string main = Slurp(data_ / "MAIN.DAT");
        if (main != FileText(DataFile::Main, test::KillTestModel(0)) &&
            main != FileText(DataFile::Main, test::KillTestModel(1)))
            return "MAIN.DAT is neither the old nor the new version";
        return {};
    }

    // The temporary files a kill may leave: none more open than its file.
    std::string Temporaries() {
        bool open = false;
        const int saveAs = CountLeftovers({user_}, &open);
        if (open) return "a temporary file of the Save As is more open than the file";
        if (saveAs > 1) return "more than one temporary file beside the scenario file";
        figures_.inSaveAs += saveAs;
        int copies = 0;
        for (const std::string& name : test::Names(recovery_)) {
            if (!IsSaveLeftoverName(name)) continue;
            if ((Mode(recovery_ + name) & ~0600u) != 0)
                return "a copy's temporary file is too open";
            ++copies;
        }
        figures_.inRecoveryWrite += copies > 0;
        // The user deletes the hidden leftover beside the scenario file, if any.
        for (const std::string& name : test::Names(user_))
            if (IsSaveLeftoverName(name)) fs::remove(user_ / name);
        return {};
    }

    // The killed program's copy, orphaned: whole, private; every other kill
    // restores it as a start would, the others discard it.
    std::string Orphans(int kill) {
        const auto orphans = ListOrphanedCopies(recovery_);
        if (orphans.size() > 1) return "more than one orphaned copy";
        for (const RecoveryEntry& orphan : orphans) {
            RecoveryCopy read;
            if (!ReadRecoveryCopy(orphan.file, read)) return "the orphaned copy does not read";
            const std::string text = RecoveryText(read), user = user_.string() + "/";
            if (text != RecoveryText(test::KillTestCopy(0, user)) &&
                text != RecoveryText(test::KillTestCopy(1, user)))
                return "the orphaned copy is neither the old nor the new version";
            if (Mode(orphan.file) != 0600) return "the orphaned copy is not private";
            ++figures_.orphans;
            if (kill % 4 < 2) {
                if (!DeleteRecoveryCopy(orphan.file)) return "the copy could not be discarded";
                continue;
            }
            RecoveryFolder start(data_.string() + "/");
            std::string claimed;
            if (!start.Claim(orphan, claimed)) return "the orphaned copy could not be claimed";
            if (!ReadRecoveryCopy(claimed, read) || RecoveryText(read) != text)
                return "the claimed copy changed";
            ++figures_.restored;
        }  // the start ends normally: its claimed copy goes
        return {};
    }

    std::string CleanUp() const {
        RemoveLeftovers(data_.string() + "/", {"MAIN.DAT"}, fs::file_time_type::clock::now());
        if (CountLeftovers({data_, recovery_}) != 0)
            return "a temporary file survived the clean-up";
        if (!test::Names(recovery_).empty())
            return "the recovery folder still holds " + test::Names(recovery_).front();
        return {};
    }

    fs::path data_, user_;
    std::string recovery_;
    Figures figures_;
};

}  // namespace

int main(int argc, char* argv[]) {
    test::KillArguments arguments;
    if (!test::ReadKillArguments(argc, argv, arguments)) return 2;
    const auto& [helper, shim, kills] = arguments;
    test::TempFolder root;
    const fs::path data = root.path() / "Dovanel", user = root.path() / "home";
    fs::create_directory(data);
    fs::create_directory(user);
    const std::string scenario = (user / test::kClientFile).string();
    if (!WriteNamedFile(scenario, test::KillTestScenarioText(0)) ||
        !SaveDataFile(DataFile::Main, test::KillTestModel(0), data.string() + "/"))
        return 1;
    fs::permissions(scenario, static_cast<fs::perms>(kScenarioMode));
    RecoveryKillCheck check(data, user);
    // a round takes about 21 file operations
    if (!test::KillRepeatedly(helper, {data.string() + "/", user.string() + "/"}, shim, kills, 24,
                              std::ref(check)))
        return 1;
    const Figures& f = check.figures();
    std::printf(
        "%d kills: the scenario file, MAIN.DAT and every orphaned copy whole, old or new; "
        "%d kills fell inside a recovery write, %d inside a Save As (its one hidden temporary "
        "file no more open than the file); %d orphaned copies read back whole, %d of them "
        "claimed and restored; nothing left in the recovery folder after the clean-up\n",
        kills, f.inRecoveryWrite, f.inSaveAs, f.orphans, f.restored);
    return 0;
}
