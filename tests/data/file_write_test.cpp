#include "data/file_write.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "tests/data/child_process.h"
#include "tests/data/temp_folder.h"

namespace dovanel {
namespace {

using test::Names;
using test::Slurp;
using test::Spit;

namespace fs = std::filesystem;

unsigned Mode(const fs::path& path) {
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

using Names_ = std::vector<std::string>;

TEST(SafeWrite, NewFilesArePrivateAndReplacedFilesKeepTheirBits) {
    test::TempFolder dir;
    const fs::path fresh = dir.File("NEW.DAT"), shared = dir.File("SHARED.DAT");
    ASSERT_TRUE(WriteFileAtomically(fresh.string(), "new\r\n"));
    EXPECT_EQ(Mode(fresh), 0600u) << "income and debts are nobody else's business";
    Spit(shared, "old");
    ::chmod(shared.c_str(), 0640);
    ASSERT_TRUE(WriteFileAtomically(shared.string(), "replaced"));
    EXPECT_EQ(Mode(shared), 0640u);
    EXPECT_EQ(Slurp(shared), "replaced");
    EXPECT_EQ(Names(dir.path()), (Names_{"NEW.DAT", "SHARED.DAT"}));
}

TEST(SafeWrite, ASymbolicLinkStaysALinkAndItsTargetGetsTheText) {
    test::TempFolder dir;
    fs::create_directory(dir.path() / "data");
    fs::create_directory(dir.path() / "elsewhere");
    const fs::path target = dir.path() / "elsewhere" / "main.real";
    Spit(target, "old");
    ::chmod(target.c_str(), 0604);
    const fs::path link = dir.path() / "data" / "MAIN.DAT";
    fs::create_symlink("../elsewhere/main.real", link);  // relative: read from the link's folder
    const fs::path dangling = dir.path() / "data" / "DEBT.DAT";
    fs::create_symlink(dir.path() / "elsewhere" / "debt.real", dangling);

    ASSERT_TRUE(WriteFileAtomically(link.string(), "new"));
    ASSERT_TRUE(WriteFileAtomically(dangling.string(), "debt"));

    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(fs::read_symlink(link), "../elsewhere/main.real");
    EXPECT_EQ(Slurp(target), "new");
    EXPECT_EQ(Mode(target), 0604u);
    EXPECT_TRUE(fs::is_symlink(dangling));
    EXPECT_EQ(Slurp(dir.path() / "elsewhere" / "debt.real"), "debt");
    EXPECT_EQ(Names(dir.path() / "data"), (Names_{"DEBT.DAT", "MAIN.DAT"}));
    EXPECT_EQ(Names(dir.path() / "elsewhere"), (Names_{"debt.real", "main.real"}));
}

TEST(SafeWrite, FailuresSayWhyAndLeaveTheFileAsItWas) {
    test::TempFolder dir;
    const fs::path readOnly = dir.File("RO.DAT");
    Spit(readOnly, "kept");
    ::chmod(readOnly.c_str(), 0444);
    fs::create_directory(dir.path() / "FOLDER.DAT");
    fs::create_symlink("LOOP.DAT", dir.path() / "LOOP.DAT");
    const struct {
        fs::path path;
        const char* reason;
    } cases[] = {
        {readOnly, "Permission denied"},
        {dir.path() / "FOLDER.DAT", "Is a directory"},
        {dir.path() / "no" / "such" / "MAIN.DAT", "No such file or directory"},
        {dir.path() / "LOOP.DAT", "Too many levels of symbolic links"},
    };
    for (const auto& c : cases) {
        const WriteResult result = WriteFileAtomically(c.path.string(), "lost");
        EXPECT_FALSE(result) << c.path;
        EXPECT_EQ(result.reason, c.reason) << c.path;
    }
    EXPECT_EQ(Slurp(readOnly), "kept");
    EXPECT_EQ(Names(dir.path()), (Names_{"FOLDER.DAT", "LOOP.DAT", "RO.DAT"}));
}

// A folder where no file can be created but whose file may be written.
TEST(SafeWrite, AWritableFileInAReadOnlyFolderIsWrittenInPlace) {
    test::TempFolder dir;
    const fs::path file = dir.File("MAIN.DAT"), fresh = dir.File("NEW.DAT");
    Spit(file, "old contents, longer than the new ones");
    ::chmod(file.c_str(), 0620);
    test::GiveToChild(file.string());
    ::chmod(dir.path().c_str(), 0555);
    EXPECT_CHILD_OK(test::InChild(test::ChildSetUp::OrdinaryUser, [&]() -> std::string {
        const WriteResult written = WriteFileAtomically(file.string(), "new");
        if (!written) return "in place: " + written.reason;
        const WriteResult created = WriteFileAtomically(fresh.string(), "x");
        if (created || created.reason != "Permission denied")
            return "a new file in a read-only folder: " + created.reason;
        return {};
    }));
    EXPECT_EQ(Slurp(file), "new");
    EXPECT_EQ(Mode(file), 0620u);
    EXPECT_EQ(Names(dir.path()), Names_{"MAIN.DAT"});
}

TEST(SafeWrite, AFullDiskKeepsTheOldFileAndSaysSo) {
    test::TempFolder dir;
    const fs::path file = dir.File("ESCROW.DAT");
    EXPECT_CHILD_OK(test::InChild(
        test::ChildSetUp::SmallDisk,
        [&]() -> std::string {
            Spit(file, "old\r\n");
            std::ofstream filler(dir.File("filler"), std::ios::binary);
            for (int i = 0; i < 64 && filler; ++i) filler << std::string(4096, 'x') << std::flush;
            const WriteResult result = WriteFileAtomically(file.string(), std::string(20000, '1'));
            if (result) return "written on a full disk";
            if (result.reason != "No space left on device") return "reason: " + result.reason;
            if (Slurp(file) != "old\r\n") return "the old file changed";
            if (Names(dir.path()) != Names_{"ESCROW.DAT", "filler"}) return "a file was left";
            return {};
        },
        dir.path().string(), 64 * 1024));
}

TEST(SafeWrite, AReadOnlyFileSystemSaysSo) {
    test::TempFolder dir;
    EXPECT_CHILD_OK(test::InChild(
        test::ChildSetUp::SmallDisk,
        [&]() -> std::string {
            Spit(dir.File("MAIN.DAT"), "old");
            if (::mount(nullptr, dir.path().c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr))
                return "skip: cannot remount read-only";
            for (const char* name : {"MAIN.DAT", "NEW.DAT"}) {
                const WriteResult result = WriteFileAtomically(dir.File(name), "new");
                if (result.reason != "Read-only file system") return name + (": " + result.reason);
            }
            return Slurp(dir.File("MAIN.DAT")) == "old" ? "" : "the file changed";
        },
        dir.path().string(), 64 * 1024));
}

// A file mounted on its own, as containers hand files in: no rename can replace it.
TEST(SafeWrite, AFileMountedOnItsOwnIsWrittenInPlace) {
    test::TempFolder dir;
    EXPECT_CHILD_OK(test::InChild(
        test::ChildSetUp::SmallDisk,
        [&]() -> std::string {
            Spit(dir.File("real"), "old");
            Spit(dir.File("MAIN.DAT"), "");
            if (::mount(dir.File("real").c_str(), dir.File("MAIN.DAT").c_str(), nullptr, MS_BIND,
                        nullptr) != 0)
                return "skip: cannot bind a file";
            const WriteResult result = WriteFileAtomically(dir.File("MAIN.DAT"), "new");
            if (!result) return result.reason;
            if (Slurp(dir.File("real")) != "new") return "the mounted file kept its text";
            if (Names(dir.path()) != Names_{"MAIN.DAT", "real"}) return "a file was left";
            return {};
        },
        dir.path().string(), 64 * 1024));
}

TEST(SafeWrite, LeftoversOfInterruptedSavesGoAtStart) {
    test::TempFolder dir;
    const auto start = fs::file_time_type::clock::now();
    const auto before = start - std::chrono::hours(1);
    const struct {
        const char* name;
        bool old;
        bool removed;
    } files[] = {
        {".MAIN.DAT.dovanel-save-a1B2c3", true, true},
        {".DV.INI.dovanel-save-ZZZZZZ", true, true},
        {".MAIN.DAT.dovanel-save-a1B2c3x", true, false},  // not a name the program gives
        {".MAIN.DAT.dovanel-save-a1B2", true, false},
        {"MAIN.DAT.dovanel-save-a1B2c3", true, false},
        {"MAIN.DAT", true, false},
        {".PMI.DAT.dovanel-save-q9q9q9", false, false},  // another copy may be saving right now
    };
    for (const auto& f : files) {
        Spit(dir.path() / f.name, "x");
        fs::last_write_time(dir.path() / f.name, f.old ? before : start + std::chrono::seconds(1));
    }
    fs::create_symlink("MAIN.DAT", dir.path() / ".LINK.dovanel-save-l1l1l1");
    EXPECT_EQ(RemoveSaveLeftovers(dir.Folder(), start), 2);
    for (const auto& f : files) EXPECT_EQ(fs::exists(dir.path() / f.name), !f.removed) << f.name;
    EXPECT_TRUE(fs::is_symlink(dir.path() / ".LINK.dovanel-save-l1l1l1"));
}

TEST(SafeWrite, ANewDataFolderIsPrivate) {
    test::TempFolder dir;
    const fs::path folder = dir.path() / "share" / "Dovanel";
    ASSERT_TRUE(MakePrivateFolder(folder.string() + "/"));
    EXPECT_EQ(Mode(folder), 0700u);
    ::chmod(folder.c_str(), 0750);
    EXPECT_TRUE(MakePrivateFolder(folder.string()));
    EXPECT_EQ(Mode(folder), 0750u) << "an existing folder is the user's to set";
    Spit(dir.path() / "taken", "");
    EXPECT_EQ(MakePrivateFolder(dir.File("taken")).reason, "Not a directory");
}

// A file the user names in a dialog never writes through a symbolic link: the
// link itself is replaced, dangling or not, and its target keeps its bytes. An
// ordinary file keeps its permission bits; a new file, or one that replaces a
// link, gets those of any new file.
TEST(NamedFile, ReplacesALinkItselfAndKeepsAFilesBits) {
    test::TempFolder dir;
    fs::create_directory(dir.path() / "victim");
    const fs::path precious = dir.path() / "victim" / "important.txt";
    Spit(precious, "precious");
    ::chmod(precious.c_str(), 0600);
    fs::create_symlink(precious, dir.File("plan.csv"));
    fs::create_symlink(dir.path() / "victim" / "nowhere", dir.File("dangling.csv"));
    Spit(dir.File("mine.csv"), "old");
    ::chmod(dir.File("mine.csv").c_str(), 0640);
    const mode_t mask = ::umask(0);
    ::umask(mask);
    for (const char* name : {"plan.csv", "dangling.csv", "mine.csv", "new.csv"}) {
        const WriteResult written = WriteNamedFile(dir.File(name), "new");
        EXPECT_TRUE(written) << name << ": " << written.reason;
        EXPECT_FALSE(fs::is_symlink(dir.File(name))) << name;
        EXPECT_EQ(Slurp(dir.File(name)), "new") << name;
        EXPECT_EQ(Mode(dir.File(name)), name == std::string("mine.csv") ? 0640u : 0666u & ~mask)
            << name;
    }
    EXPECT_EQ(Slurp(precious), "precious");
    EXPECT_EQ(Mode(precious), 0600u);
    EXPECT_EQ(Names(dir.path() / "victim"), Names_{"important.txt"});
    EXPECT_EQ(Names(dir.path()),
              (Names_{"dangling.csv", "mine.csv", "new.csv", "plan.csv", "victim"}));
}

TEST(NamedFile, RefusalsSayWhyBeforeAnythingIsWritten) {
    test::TempFolder dir;
    const fs::path readOnly = dir.File("ro.csv");
    Spit(readOnly, "kept");
    ::chmod(readOnly.c_str(), 0444);
    fs::create_directory(dir.path() / "folder.csv");
    const struct {
        fs::path path;
        const char* reason;
    } cases[] = {
        {readOnly, "Permission denied"},
        {dir.path() / "folder.csv", "Is a directory"},
        {dir.path() / "no" / "such" / "plan.csv", "No such file or directory"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CheckNamedFile(c.path.string()).reason, c.reason) << c.path;
        const WriteResult result = WriteNamedFile(c.path.string(), "lost");
        EXPECT_FALSE(result) << c.path;
        EXPECT_EQ(result.reason, c.reason) << c.path;
    }
    EXPECT_TRUE(CheckNamedFile(dir.File("new.csv")));
    EXPECT_EQ(Slurp(readOnly), "kept");
    EXPECT_EQ(Mode(readOnly), 0444u);
    EXPECT_EQ(Names(dir.path()), (Names_{"folder.csv", "ro.csv"}));
}

}  // namespace
}  // namespace dovanel
