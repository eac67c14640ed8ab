// Where the program lies: the folders the system's package manager owns.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "shell/program_folder.h"

namespace dovanel {
namespace {

TEST(SystemLocation, FoldersThePackageManagerOwns) {
    QTemporaryDir home;
    const QString linkToSystem = home.path() + "/linked";
    ASSERT_TRUE(QFile::link("/usr/share", linkToSystem));
    const std::vector<std::pair<QString, bool>> cases = {
        {"/usr/share/dovanel/", true},
        {"/usr/local/share/dovanel/", true},
        {"/usr", true},
        {"/opt/dovanel/", true},
        {"/bin/", true},
        {"/snap/dovanel/current/", true},
        {"/tmp/../usr/share/dovanel/", true},
        {linkToSystem + "/", true},
        {"/usrlocal/dovanel/", false},
        {"/home/buyer/dovanel/build/app/", false},
        {home.path() + "/", false},
    };
    for (const auto& [folder, system] : cases)
        EXPECT_EQ(IsSystemLocation(folder), system) << folder.toStdString();
}

}  // namespace
}  // namespace dovanel
