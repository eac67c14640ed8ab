#include "shell/ini_file.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/data/child_process.h"
#include "tests/data/temp_folder.h"

namespace dovanel {
namespace {

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(IniFile, ReadsKeysWithoutRegardToCaseOrBlanks) {
    test::TempFolder dir;
    const std::string path = dir.File("DV.INI");
    std::ofstream(path, std::ios::binary)
        << "; settings\r\n[Other]\r\nShow Quick Start Information=maybe\r\n"
           "[ general ]\r\n  show quick start information =  No  \r\n";
    EXPECT_EQ(ReadIniString("General", "Show Quick Start Information", "YES", path), "No");
    EXPECT_EQ(ReadIniString("General", "Missing", "dflt", path), "dflt");
    EXPECT_EQ(ReadIniString("Absent", "Show Quick Start Information", "YES", path), "YES");
    EXPECT_EQ(ReadIniString("General", "Show Quick Start Information", "YES", dir.File("none.ini")),
              "YES");
}

TEST(IniFile, ValuesAreCutAt255Characters) {
    test::TempFolder dir;
    const std::string path = dir.File("DV.INI");
    ASSERT_TRUE(WriteIniString("General", "Long", std::string(300, 'x'), path));
    EXPECT_EQ(ReadIniString("General", "Long", "", path).size(), 255u);
}

TEST(IniFile, EveryValueReadsBackAsWritten) {
    test::TempFolder dir;
    const std::string path = dir.File("DV.INI");
    for (const std::string value : {"YES", "  two blanks before", "after\t", "\"quoted\"",
                                    "'single'", "\"", "'half", "", "a = b ; c"}) {
        ASSERT_TRUE(WriteIniString("General", "Value", value, path));
        EXPECT_EQ(ReadIniString("General", "Value", "missing", path), value);
    }
    ASSERT_TRUE(WriteIniString("General", "Value", "NO", path));
    EXPECT_NE(Slurp(path).find("Value=NO\r\n"), std::string::npos) << "plain values stay plain";
}

TEST(IniFile, WritingAKeyKeepsEverythingElse) {
    test::TempFolder dir;
    const std::string path = dir.File("DV.INI");
    std::ofstream(path, std::ios::binary)
        << "; kept comment\r\n[General]\r\nShow Quick Start Information=YES\r\n"
           "Other=1\r\n\r\n[Printer]\r\nName=Office\r\n";
    ASSERT_TRUE(WriteIniString("general", "show quick start information", "NO", path));
    EXPECT_EQ(Slurp(path),
              "; kept comment\r\n[General]\r\nshow quick start "
              "information=NO\r\nOther=1\r\n\r\n[Printer]\r\n"
              "Name=Office\r\n");
    ASSERT_TRUE(WriteIniString("General", "New", "v", path));
    EXPECT_EQ(ReadIniString("General", "New", "", path), "v");
    EXPECT_EQ(ReadIniString("Printer", "Name", "", path), "Office");
    ASSERT_TRUE(WriteIniString("Added", "Key", "1", path));
    EXPECT_EQ(ReadIniString("Added", "Key", "", path), "1");
}

TEST(IniFile, WritingCreatesAMissingFile) {
    test::TempFolder dir;
    const std::string path = dir.File("DV.INI");
    ASSERT_TRUE(WriteIniString("General", "Show Quick Start Information", "YES", path));
    EXPECT_EQ(Slurp(path), "[General]\r\nShow Quick Start Information=YES\r\n");
}

namespace fs = std::filesystem;

const char kSettings[] = "[General]\r\nShow Quick Start Information=NO\r\n";

// A FIFO, or a link to a device, where the settings file belongs is neither
// read (which would hang or never end) nor replaced by a file.
TEST(IniFile, ASettingsFileThatIsNoOrdinaryFileIsNeitherReadNorReplaced) {
    test::TempFolder dir;
    ASSERT_EQ(::mkfifo(dir.File("fifo").c_str(), 0600), 0);
    // A device of the test's own where it may make one (as root), so that a
    // rename over it could harm nothing outside the test's folder.
    std::string device = dir.File("null");
    if (::mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0) device = "/dev/null";
    fs::create_symlink(device, dir.File("device-link"));
    for (const char* name : {"fifo", "device-link"}) {
        const std::string path = dir.File(name);
        const fs::file_status before = fs::symlink_status(path);
        {
            test::FifoFeeder feed(dir.File("fifo"), kSettings);
            EXPECT_EQ(ReadIniString("General", "Show Quick Start Information", "YES", path), "YES")
                << name;
        }
        test::FifoFeeder feed(dir.File("fifo"), kSettings);
        const WriteResult written =
            WriteIniString("General", "Show Quick Start Information", "YES", path);
        EXPECT_FALSE(written) << name;
        EXPECT_NE(written.reason.find("cannot be read"), std::string::npos) << written.reason;
        EXPECT_EQ(fs::symlink_status(path).type(), before.type()) << name << " is still itself";
        EXPECT_TRUE(fs::is_character_file(device));
    }
}

// A settings file the user may write but not read (mode 0200) is never
// rewritten: writing one key would wipe every other line and section.
TEST(IniFile, ASettingsFileThatCannotBeReadIsNeverRewritten) {
    test::TempFolder dir;
    const std::string path = dir.File("DV.INI");
    const std::string text = std::string(kSettings) + "[Printer]\r\nName=Office\r\n";
    test::Spit(path, text);
    ASSERT_EQ(::chmod(path.c_str(), 0200), 0);
    test::GiveToChild(path);
    test::GiveToChild(dir.path().string());
    // Root reads every file whatever its mode: the checks run as an ordinary user.
    EXPECT_CHILD_OK(test::InChild(test::ChildSetUp::OrdinaryUser, [&]() -> std::string {
        if (ReadIniString("General", "Show Quick Start Information", "YES", path) != "YES")
            return "not read as missing";
        const WriteResult written =
            WriteIniString("General", "Show Quick Start Information", "YES", path);
        if (written) return "rewritten";
        if (written.reason.find("Permission denied") == std::string::npos)
            return "no reason: " + written.reason;
        return {};
    }));
    ASSERT_EQ(::chmod(path.c_str(), 0600), 0);
    EXPECT_EQ(test::Slurp(path), text);
}

}  // namespace
}  // namespace dovanel
