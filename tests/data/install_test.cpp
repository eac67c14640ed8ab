#include "data/install.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>

#include "tests/data/child_process.h"
#include "tests/data/temp_folder.h"

namespace dovanel {
namespace {

using test::Names;
using test::Slurp;
using test::Spit;

namespace fs = std::filesystem;

const std::vector<std::string> kNames = {"ESTIMATE.DAT", "MAIN.DAT", "PMI.DAT", "DV.INI"};

unsigned Mode(const fs::path& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

// A program folder with the installed files, and an empty data folder beside a staging place.
struct Install : ::testing::Test {
    Install() {
        fs::create_directory(program);
        fs::create_directory(share);
        fs::create_directory(data);
        for (const std::string& name : kNames) Spit(program / name, name + " contents\r\n");
    }
    test::TempFolder root;
    fs::path program = root.path() / "program", share = root.path() / "share",
             data = share / "Dovanel";
};

TEST_F(Install, EveryFileArrivesPrivateAndNothingElseStays) {
    fs::remove(program / "PMI.DAT");  // not shipped: skipped, the load will say so
    const InstallResult result = InstallFiles(program.string() + "/", data.string() + "/", kNames);
    ASSERT_TRUE(result.ok) << result.file << ": " << result.reason;
    EXPECT_EQ(Names(data), (std::vector<std::string>{"DV.INI", "ESTIMATE.DAT", "MAIN.DAT"}));
    EXPECT_EQ(Slurp(data / "MAIN.DAT"), "MAIN.DAT contents\r\n");
    EXPECT_EQ(Mode(data / "MAIN.DAT"), 0600u);
    EXPECT_EQ(Names(share), std::vector<std::string>{"Dovanel"}) << "no staging folder left";
}

TEST_F(Install, AFolderHoldingOtherFilesKeepsThem) {
    Spit(data / "notes.txt", "mine");
    Spit(data / "DV.INI", "[General]\r\n");
    ASSERT_TRUE(InstallFiles(program.string(), data.string(), kNames).ok);
    EXPECT_EQ(Slurp(data / "notes.txt"), "mine");
    EXPECT_EQ(Slurp(data / "DV.INI"), "[General]\r\n") << "the user's settings stay";
    EXPECT_EQ(Names(data).size(), 5u);
    EXPECT_EQ(Names(share), std::vector<std::string>{"Dovanel"});
}

TEST_F(Install, ACopyThatFailsInstallsNothing) {
    fs::remove(program / "PMI.DAT");
    fs::create_directory(program / "PMI.DAT");  // unreadable as a file
    const InstallResult result = InstallFiles(program.string(), data.string(), kNames);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.file, (program / "PMI.DAT").string());
    EXPECT_EQ(result.reason, "Is a directory");
    EXPECT_TRUE(Names(data).empty()) << "the next start is a first run again";
    EXPECT_EQ(Names(share), std::vector<std::string>{"Dovanel"});
}

TEST_F(Install, AFullDiskInstallsNothing) {
    Spit(program / "ESTIMATE.DAT", std::string(48 * 1024, '1'));
    Spit(program / "PMI.DAT", std::string(48 * 1024, '2'));
    EXPECT_CHILD_OK(test::InChild(
        test::ChildSetUp::SmallDisk,
        [&]() -> std::string {
            fs::create_directory(data);
            const InstallResult result = InstallFiles(program.string(), data.string(), kNames);
            if (result.ok) return "installed on a full disk";
            if (result.reason != "No space left on device") return "reason: " + result.reason;
            if (!Names(data).empty()) return "the data folder was half filled";
            if (Names(share) != std::vector<std::string>{"Dovanel"}) return "staging left";
            return {};
        },
        share.string(), 64 * 1024));
}

// Where the data folder cannot be replaced whole, the files move in one by one.
TEST_F(Install, AParentClosedToNewFoldersStagesInsideTheDataFolder) {
    test::GiveToChild(data.string());
    ::chmod(share.c_str(), 0555);
    EXPECT_CHILD_OK(test::InChild(test::ChildSetUp::OrdinaryUser, [&]() -> std::string {
        const InstallResult result = InstallFiles(program.string(), data.string(), kNames);
        if (!result.ok) return result.file + ": " + result.reason;
        if (Names(data).size() != kNames.size()) return "not every file arrived";
        return {};
    }));
    EXPECT_EQ(Slurp(data / "PMI.DAT"), "PMI.DAT contents\r\n");
}

TEST_F(Install, ADataFolderThatIsAMountPointIsFilledFileByFile) {
    EXPECT_CHILD_OK(test::InChild(
        test::ChildSetUp::SmallDisk,
        [&]() -> std::string {
            const InstallResult result = InstallFiles(program.string(), data.string(), kNames);
            if (!result.ok) return result.file + ": " + result.reason;
            if (Names(data).size() != kNames.size()) return "not every file arrived";
            if (Names(share) != std::vector<std::string>{"Dovanel"}) return "staging left";
            return {};
        },
        data.string(), 64 * 1024));
}

TEST_F(Install, LeftoversOfAnInterruptedStartGo) {
    const auto start = fs::file_time_type::clock::now();
    const auto before = start - std::chrono::hours(1);
    const fs::path staging = share / ".Dovanel.dovanel-install-Ab12Cd";
    fs::create_directory(staging);
    Spit(staging / "MAIN.DAT", "half");
    Spit(staging / ".PMI.DAT.dovanel-save-x1x1x1", "half");
    fs::last_write_time(staging, before);
    const fs::path keptStaging = share / ".Dovanel.dovanel-install-Zz99Zz";  // holds a stranger
    fs::create_directory(keptStaging);
    Spit(keptStaging / "letter.txt", "mine");
    fs::last_write_time(keptStaging, before);
    const fs::path young = share / ".Dovanel.dovanel-install-Yy00Yy";
    fs::create_directory(young);
    fs::last_write_time(young, start + std::chrono::seconds(1));
    Spit(data / ".MAIN.DAT.dovanel-save-m1m1m1", "half");
    fs::last_write_time(data / ".MAIN.DAT.dovanel-save-m1m1m1", before);
    // A data file that is a link into another folder: its saves leave their files there.
    fs::create_directory(root.path() / "elsewhere");
    Spit(root.path() / "elsewhere" / "pmi", "pmi");
    fs::create_symlink(root.path() / "elsewhere" / "pmi", data / "PMI.DAT");
    Spit(root.path() / "elsewhere" / ".pmi.dovanel-save-p1p1p1", "half");
    fs::last_write_time(root.path() / "elsewhere" / ".pmi.dovanel-save-p1p1p1", before);

    RemoveLeftovers(data.string() + "/", kNames, start);

    EXPECT_FALSE(fs::exists(staging));
    EXPECT_EQ(Names(keptStaging), std::vector<std::string>{"letter.txt"});
    EXPECT_TRUE(fs::exists(young)) << "another start may be installing right now";
    EXPECT_EQ(Names(data), std::vector<std::string>{"PMI.DAT"});
    EXPECT_EQ(Names(root.path() / "elsewhere"), std::vector<std::string>{"pmi"});
}

}  // namespace
}  // namespace dovanel
