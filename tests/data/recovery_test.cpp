#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <algorithm>

#include <filesystem>
#include <functional>
#include <random>

#include "data/install.h"
#include "data/recovery_file.h"
#include "data/recovery_folder.h"
#include "tests/data/random_scenario.h"
#include "tests/data/temp_folder.h"

namespace dovanel {
namespace {

using test::Difference;
using test::Names;
using test::Slurp;
using test::Spit;
namespace fs = std::filesystem;

unsigned Mode(const std::string& path) {
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

RecoveryCopy SampleCopy(RecoveredKind kind = RecoveredKind::File) {
    std::mt19937_64 rng(11);
    RecoveryCopy copy;
    copy.kind = kind;
    copy.name = kind == RecoveredKind::File ? "Smith.dovanel" : "Untitled";
    copy.path = kind == RecoveredKind::File ? "/home/ann/Smith.dovanel" : "";
    copy.written = 1765353131;
    copy.scenario = test::RandomScenario(rng);
    return copy;
}

// ---- the copy's format ----------------------------------------------------

TEST(RecoveryFile, CopiesOfEveryKindReadBackBitForBit) {
    struct Case {
        RecoveredKind kind;
        std::string name, path;
        std::int64_t written;
    };
    const Case cases[] = {
        {RecoveredKind::DefaultLoan, "Untitled", "", 0},
        {RecoveredKind::Untitled, "Untitled", "", 1765353131},
        {RecoveredKind::File, "Smith.dovanel", "/home/ann/Smith.dovanel", 4102444800},
        // a file name may hold any byte but "/" and NUL: line breaks, escapes, no UTF-8
        {RecoveredKind::File, "a\nb\\x41\xFF.dovanel", "/tmp/a\nb\\x41\xFF.dovanel", 1},
        {RecoveredKind::File, "Caf\xC3\xA9 \t=x", "/home/z/Caf\xC3\xA9 \t=x", 999999999999},
    };
    std::mt19937_64 rng(20261210);
    for (const Case& c : cases) {
        for (int n = 0; n < 200; ++n) {
            RecoveryCopy copy{c.kind, c.name, c.path, c.written, test::RandomScenario(rng)};
            RecoveryCopy read = SampleCopy(RecoveredKind::DefaultLoan);
            const std::string text = RecoveryText(copy);
            const ScenarioReadResult result = ParseRecoveryText(text, read);
            ASSERT_TRUE(result) << c.name << " " << n << ", line " << result.line << ": "
                                << result.reason;
            EXPECT_EQ(read.kind, c.kind);
            EXPECT_EQ(read.name, c.name);
            EXPECT_EQ(read.path, c.path);
            EXPECT_EQ(read.written, c.written);
            ASSERT_EQ(Difference(copy.scenario, read.scenario), "") << c.name << " " << n;
            ASSERT_EQ(RecoveryText(read), text);
        }
    }
}

TEST(RecoveryFile, TheHeaderIsReadableByAPerson) {
    const std::string text = RecoveryText(SampleCopy());
    EXPECT_EQ(text.substr(0, text.find("Dovanel scenario 2\n")),
              "Dovanel recovery 1\nkind=file\nname=Smith.dovanel\n"
              "path=/home/ann/Smith.dovanel\nwritten=1765353131\n");
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

TEST(RecoveryFile, MalformedCopiesNameTheirLineAndLeaveTheCopy) {
    const std::string good = RecoveryText(SampleCopy());
    const std::string header = good.substr(0, good.find("Dovanel scenario 2\n"));
    const std::string untitled = RecoveryText(SampleCopy(RecoveredKind::Untitled));
    struct Case {
        const char* what;
        std::string text;
        int line;
        std::string reason;  // a part of the reason
    };
    const Case cases[] = {
        {"empty", "", 1, "ends before its header"},
        {"a scenario file", good.substr(header.size()), 1, "not a Dovanel recovery copy"},
        {"newer", Replaced(good, "recovery 1", "recovery 2"), 1, "newer version"},
        {"zero-led", Replaced(good, "recovery 1", "recovery 01"), 1, "not a Dovanel"},
        {"unknown kind", Replaced(good, "kind=file", "kind=folder"), 2, "default, file or"},
        {"keys swapped",
         Replaced(Replaced(good, "kind=file\n", ""), "\npath=", "\nkind=file\npath="), 2,
         "must set \"kind\""},
        {"bad escape", Replaced(good, "name=Smith", "name=Sm\\qith"), 3, "name"},
        {"a file without path", Replaced(good, "path=/home/ann/Smith.dovanel", "path="), 4,
         "full path"},
        {"a relative path", Replaced(good, "path=/home", "path=home"), 4, "full path"},
        {"untitled with a path", Replaced(untitled, "path=\n", "path=/x\n"), 4, "Only a"},
        {"negative time", Replaced(good, "written=1765353131", "written=-5"), 5, "whole number"},
        {"time too long", Replaced(good, "written=1765353131", "written=1765353131000000000"), 5,
         "whole number"},
        {"cut in the header", header.substr(0, header.size() - 3), 5, "no line end"},
        {"no scenario", header, 6, "empty"},
        {"a NUL byte", Replaced(good, "Smith", std::string("Sm\0th", 5)), 3, "NUL"},
        {"a bad value", Replaced(good, "loan.termYears=", "loan.termYears=x"), 17, "termYears"},
        {"cut in the scenario", good.substr(0, good.size() - 1),
         static_cast<int>(std::count(good.begin(), good.end(), '\n')), "line end"},
    };
    for (const Case& c : cases) {
        RecoveryCopy copy = SampleCopy(RecoveredKind::DefaultLoan);
        const std::string before = RecoveryText(copy);
        const ScenarioReadResult result = ParseRecoveryText(c.text, copy);
        EXPECT_FALSE(result) << c.what;
        EXPECT_EQ(result.line, c.line) << c.what << ": " << result.reason;
        EXPECT_NE(result.reason.find(c.reason), std::string::npos)
            << c.what << ": " << result.reason;
        EXPECT_EQ(RecoveryText(copy), before) << c.what << " changed the copy";
    }
}

TEST(RecoveryFile, WhatIsNotAFileOrTooLargeIsRefusedWithItsPath) {
    test::TempFolder dir;
    Spit(dir.File("big"), RecoveryText(SampleCopy()) + std::string(kRecoveryCopyLimit, 'x'));
    ::mkfifo(dir.File("fifo").c_str(), 0600);
    for (const std::string name : {"missing", "big", "fifo", ""}) {
        RecoveryCopy copy;
        const ScenarioReadResult result = ReadRecoveryCopy(dir.File(name), copy);
        EXPECT_FALSE(result) << name;
        EXPECT_EQ(result.line, 0) << name;
        const std::string message = RecoveryReadMessage(dir.File(name), result);
        EXPECT_NE(message.find(dir.File(name)), std::string::npos) << message;
        EXPECT_NE(message.find("Reason: " + result.reason), std::string::npos) << message;
    }
}

// ---- the folder -----------------------------------------------------------

// Another running copy of the program: a child process with a recovery folder
// of its own and one copy in it, until it is killed.
class OtherCopy {
  public:
    explicit OtherCopy(const std::string& dataFolder, const RecoveryCopy& copy) {
        int ends[2];
        if (::pipe(ends) != 0) return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(ends[0]);
            RecoveryFolder folder(dataFolder);
            const std::string path = folder.NewCopyPath();
            const bool written = folder.status() && folder.Write(path, copy);
            const std::string report = written ? path : std::string();
            (void)!::write(ends[1], report.data(), report.size());
            ::close(ends[1]);
            for (;;) ::pause();
        }
        ::close(ends[1]);
        char buffer[4096];
        const ssize_t n = ::read(ends[0], buffer, sizeof buffer);
        if (n > 0) copyPath_.assign(buffer, static_cast<std::size_t>(n));
        ::close(ends[0]);
    }
    ~OtherCopy() { Kill(); }
    void Kill() {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }
    // Its copy, empty when it could not write one.
    const std::string& copyPath() const { return copyPath_; }

  private:
    pid_t pid_ = -1;
    std::string copyPath_;
};

std::string OwnerLock(const std::string& copyPath) {
    const std::string name = fs::path(copyPath).filename().string();
    return fs::path(copyPath).parent_path().string() + "/" + name.substr(0, name.find('.')) +
           ".lock";
}

TEST(RecoveryFolder, ACopyIsOrphanedOnlyOnceItsProgramIsKilled) {
    test::TempFolder data;
    RecoveryFolder mine(data.Folder());
    ASSERT_TRUE(mine.status()) << mine.status().reason;
    const std::string myCopy = mine.NewCopyPath();
    ASSERT_TRUE(mine.Write(myCopy, SampleCopy(RecoveredKind::Untitled)));

    OtherCopy other(data.Folder(), SampleCopy());
    ASSERT_FALSE(other.copyPath().empty());
    const std::string temporary = mine.folder() + "." +
                                  fs::path(other.copyPath()).filename().string() +
                                  ".dovanel-save-AbC123";
    Spit(temporary, "half a write");
    EXPECT_TRUE(ListOrphanedCopies(mine.folder()).empty()) << "a running copy's work is its own";
    EXPECT_EQ(RemoveRecoveryLeftovers(mine.folder()), 0);
    EXPECT_TRUE(fs::exists(temporary));

    other.Kill();
    const auto orphans = mine.Orphans();
    ASSERT_EQ(orphans.size(), 1u);
    EXPECT_EQ(orphans[0].file, other.copyPath());
    EXPECT_TRUE(orphans[0].readable) << orphans[0].problem;
    EXPECT_EQ(orphans[0].kind, RecoveredKind::File);
    EXPECT_EQ(orphans[0].name, "Smith.dovanel");
    EXPECT_EQ(orphans[0].path, "/home/ann/Smith.dovanel");
    EXPECT_EQ(orphans[0].written, 1765353131);

    // its half-written temporary goes; its lock stays while a copy of its is left
    EXPECT_EQ(RemoveRecoveryLeftovers(mine.folder()), 1);
    EXPECT_FALSE(fs::exists(temporary));
    EXPECT_TRUE(fs::exists(OwnerLock(other.copyPath())));
    EXPECT_TRUE(fs::exists(myCopy));

    std::string claimed;
    ASSERT_TRUE(mine.Claim(orphans[0], claimed));
    EXPECT_FALSE(mine.Claim(orphans[0], claimed)) << "a copy is claimed once";
    EXPECT_TRUE(mine.Orphans().empty()) << "a claimed copy is the claimer's";
    RecoveryCopy read;
    ASSERT_TRUE(ReadRecoveryCopy(claimed, read));
    EXPECT_EQ(RecoveryText(read), RecoveryText(SampleCopy()));
    EXPECT_EQ(RemoveRecoveryLeftovers(mine.folder()), 1) << "the ended copy's lock";
    EXPECT_FALSE(fs::exists(OwnerLock(other.copyPath())));
}

TEST(RecoveryFolder, CopiesOfTwoRunningCopiesAreNeitherOrphaned) {
    test::TempFolder data;
    RecoveryFolder first(data.Folder()), second(data.Folder());
    ASSERT_NE(first.owner(), second.owner());
    ASSERT_TRUE(first.Write(first.NewCopyPath(), SampleCopy()));
    ASSERT_TRUE(second.Write(second.NewCopyPath(), SampleCopy()));
    EXPECT_TRUE(first.Orphans().empty());
    EXPECT_EQ(RemoveRecoveryLeftovers(first.folder()), 0);
    EXPECT_EQ(Names(first.folder()).size(), 4u);
}

TEST(RecoveryFolder, APrivateFolderAndPrivateCopies) {
    test::TempFolder data;
    RecoveryFolder folder(data.Folder());
    ASSERT_TRUE(folder.status());
    const std::string copy = folder.NewCopyPath();
    ASSERT_TRUE(folder.Write(copy, SampleCopy()));
    EXPECT_EQ(Mode(folder.folder()), 0700u);
    EXPECT_EQ(Mode(copy), 0600u);
    EXPECT_EQ(folder.folder(), data.Folder() + "Recovery/");
    EXPECT_NE(folder.NewCopyPath(), copy);
}

TEST(RecoveryFolder, ANormalEndLeavesNothing) {
    test::TempFolder data;
    {
        RecoveryFolder folder(data.Folder());
        ASSERT_TRUE(folder.Write(folder.NewCopyPath(), SampleCopy()));
        ASSERT_TRUE(folder.Write(folder.NewCopyPath(), SampleCopy()));
    }
    EXPECT_EQ(Names(data.path() / "Recovery"), std::vector<std::string>{});
}

TEST(RecoveryFolder, AFolderThatCannotBeUsedIsReportedAndWritesFail) {
    test::TempFolder data, elsewhere;
    const std::function<void(const fs::path&)> inTheFoldersPlace[] = {
        [](const fs::path& place) { Spit(place, "a file"); },
        [&](const fs::path& place) { fs::create_symlink(elsewhere.path(), place); },
    };
    for (const auto& put : inTheFoldersPlace) {
        fs::remove(data.path() / "Recovery");
        put(data.path() / "Recovery");
        RecoveryFolder folder(data.Folder());
        EXPECT_FALSE(folder.status());
        EXPECT_FALSE(folder.status().reason.empty());
        const WriteResult written = folder.Write(folder.NewCopyPath(), SampleCopy());
        EXPECT_FALSE(written);
        EXPECT_FALSE(written.reason.empty());
    }
    EXPECT_EQ(Names(elsewhere.path()), std::vector<std::string>{}) << "nothing through a link";
}

// Copies of an ended program, written straight into the folder.
TEST(RecoveryFolder, OrphansAreListedNewestFirstAndUnreadableOnesLast) {
    test::TempFolder data;
    RecoveryFolder mine(data.Folder());
    const std::string folder = mine.folder();
    RecoveryCopy copy = SampleCopy();
    for (std::int64_t written : {200, 300, 100}) {
        copy.written = written;
        Spit(folder + "1-Gone00." + std::to_string(written) + ".recovery", RecoveryText(copy));
    }
    Spit(folder + "1-Gone00.7.recovery", RecoveryText(copy).substr(0, 500));
    Spit(folder + "notes.txt", "not a copy");
    fs::create_directory(folder + "2-Gone00.1.recovery");
    const auto orphans = ListOrphanedCopies(folder);
    ASSERT_EQ(orphans.size(), 4u);
    EXPECT_EQ(orphans[0].written, 300);
    EXPECT_EQ(orphans[1].written, 200);
    EXPECT_EQ(orphans[2].written, 100);
    EXPECT_FALSE(orphans[3].readable);
    EXPECT_EQ(orphans[3].name, "Smith.dovanel") << "the header still names it";
    EXPECT_NE(orphans[3].problem.find(folder + "1-Gone00.7.recovery"), std::string::npos);
    EXPECT_NE(orphans[3].problem.find("Line "), std::string::npos) << orphans[3].problem;
    for (const auto& orphan : orphans) EXPECT_TRUE(DeleteRecoveryCopy(orphan.file));
    EXPECT_FALSE(DeleteRecoveryCopy(orphans[0].file)) << "already gone";
    EXPECT_TRUE(ListOrphanedCopies(folder).empty());
}

TEST(RecoveryFolder, TheStartUpCleanUpClearsWhatEndedCopiesLeft) {
    test::TempFolder data;
    const std::string folder = RecoveryFolderOf(data.Folder());
    fs::create_directory(folder);
    Spit(folder + "1-Gone00.lock", "");
    Spit(folder + ".1-Gone00.3.recovery.dovanel-save-Xy12Zz", "cut");
    Spit(folder + "2-Gone00.lock", "");
    Spit(folder + "2-Gone00.1.recovery", RecoveryText(SampleCopy()));
    Spit(folder + ".hidden-but-not-ours", "kept");
    RemoveLeftovers(data.Folder(), {}, fs::file_time_type::clock::now());
    EXPECT_EQ(Names(folder), (std::vector<std::string>{".hidden-but-not-ours",
                                                       "2-Gone00.1.recovery", "2-Gone00.lock"}));
}

TEST(RunLock, IsHeldWhileItsOwnerRunsAndGoesWithIt) {
    test::TempFolder dir;
    const std::string path = dir.File("9-Abcdef.lock");
    EXPECT_FALSE(IsLockHeld(path)) << "no file: nobody holds it";
    {
        RunLock lock;
        ASSERT_EQ(lock.Acquire(path), 0);
        EXPECT_TRUE(IsLockHeld(path));
        EXPECT_FALSE(RemoveUnheldLock(path));
        EXPECT_EQ(Mode(path), 0600u);
    }
    EXPECT_FALSE(fs::exists(path));
    Spit(path, "");
    EXPECT_FALSE(IsLockHeld(path));
    EXPECT_TRUE(RemoveUnheldLock(path));
    fs::create_symlink(dir.File("elsewhere"), path);
    RunLock lock;
    EXPECT_NE(lock.Acquire(path), 0) << "never through a link";
    EXPECT_FALSE(fs::exists(dir.File("elsewhere")));
}

}  // namespace
}  // namespace dovanel
