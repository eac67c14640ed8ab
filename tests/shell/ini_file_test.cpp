#include "shell/ini_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

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

}  // namespace
}  // namespace dovanel
