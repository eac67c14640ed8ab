// The about box and the update check.
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "tests/ui/ui_fixture.h"
#include "ui/about/about_box.h"
#include "ui/about/update_check.h"

namespace dovanel {
namespace {

using AboutBoxTest = test::WindowTest;

TEST_F(AboutBoxTest, AboutBoxShowsTheVersionAndEscapeDoesWhatOkDoes) {
    AboutBox box;
    EXPECT_EQ(box.findChild<QLabel*>("lblVersion")->text(), "Version " + App().versionText);
    box.show();
    QTest::keyClick(&box, Qt::Key_Escape);
    EXPECT_FALSE(box.isVisible());
    EXPECT_EQ(platform.sounds, std::vector<QString>{"message2.wav"}) << "it slid out";

    AboutBox splash;
    const int legalTop = splash.findChild<QLabel*>("lblLegal")->y();
    splash.MakeSplash();
    EXPECT_TRUE(splash.windowTitle().isEmpty());
    EXPECT_TRUE(splash.findChild<QPushButton*>("BtnOk")->isHidden());
    EXPECT_TRUE(splash.findChild<QPushButton*>("btnCheckForUpdates")->isHidden());
    EXPECT_EQ(splash.findChild<QLabel*>("lblLegal")->y(), legalTop + TwipsToPixels(100));
    // A splash window: no frame, no title bar, no buttons of the window manager.
    EXPECT_EQ(splash.windowType(), Qt::SplashScreen);
    EXPECT_TRUE(splash.windowFlags() & Qt::FramelessWindowHint);
    splash.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(splash.frameGeometry(), splash.geometry());
    splash.close();
}

TEST_F(AboutBoxTest, AboutBoxLegalNoticeNamesTheLicenceAndFitsItsLabel) {
    AboutBox box;
    const QLabel* legal = box.findChild<QLabel*>("lblLegal");
    EXPECT_TRUE(legal->text().contains("GNU GPL, version 3 or later"));
    EXPECT_LE(legal->heightForWidth(legal->width()), legal->height()) << "no line is cut off";
}

// ---- update check ----------------------------------------------------------

class UpdateCheck : public test::WindowTest {
  protected:
    UpdateCheck() { App().programFolder = programDir.path() + "/"; }
    QTemporaryDir programDir;
};

TEST_F(UpdateCheck, HandsOverToTheUpdaterAndEnds) {
    QFile updater(App().programFolder + "s-update.exe");
    ASSERT_TRUE(updater.open(QIODevice::WriteOnly));
    updater.close();
    CheckForUpdates(nullptr);
    ASSERT_EQ(platform.started.size(), 1u);
    EXPECT_EQ(platform.started[0].program, App().programFolder + "s-update.exe");
    EXPECT_EQ(platform.started[0].folder, App().programFolder);
    EXPECT_EQ(platform.started[0].arguments,
              QStringList{"305127489163 | https://" + App().webHost + "/dv/update/v" +
                          QString::number(App().majorVersion) + ".rtf | " + App().versionText +
                          " | Dovanel"});
    EXPECT_TRUE(platform.ended);
    EXPECT_FALSE(QFile::exists(App().programFolder + "su-test.tmp")) << "the test file is gone";
}

TEST_F(UpdateCheck, WithoutUpdaterShowsTheHistoryAndAsks) {
    platform.answers = {MsgAnswer::Yes};
    CheckForUpdates(nullptr);
    EXPECT_TRUE(platform.started.empty());
    EXPECT_EQ(platform.opened,
              std::vector<QString>{"https://" + App().webHost + "/dv/history.htm"});
    ASSERT_EQ(platform.asked.size(), 1u);
    EXPECT_EQ(platform.asked[0].title, "Version Check");
    EXPECT_TRUE(platform.asked[0].text.startsWith("You current have Dovanel version " +
                                                  App().versionText +
                                                  "\r\rYour web browser should be pointing"));
    EXPECT_TRUE(
        platform.asked[0].text.endsWith("and install the latest version before your continue."));
    EXPECT_FALSE(platform.ended);
    platform.answers = {MsgAnswer::No};
    CheckForUpdates(nullptr);
    EXPECT_TRUE(platform.ended) << "No: go and download";
}

TEST_F(UpdateCheck, BrowserThatDoesNotOpen) {
    platform.browserOpens = false;
    CheckForUpdates(nullptr);
    ASSERT_EQ(platform.asked.size(), 1u);
    EXPECT_EQ(platform.asked[0].title, "Error Launching Browser");
    EXPECT_TRUE(platform.asked[0].text.endsWith("and then go to https://" + App().webHost +
                                                "/dv/history.htm"));
}

TEST_F(UpdateCheck, UnwritableProgramFolderStopsBeforeAnything) {
    App().programFolder = programDir.path() + "/missing/";
    CheckForUpdates(nullptr);
    ASSERT_EQ(platform.asked.size(), 1u);
    EXPECT_EQ(platform.asked[0].title, "Administrator Privileges Error");
    EXPECT_EQ(platform.asked[0].text,
              "ERROR: Although some updates may exist, you must be logged in as an 'Administrator' "
              "of this system to "
              "make any updates.  Please log in as a system 'Administrator' and try again.  ");
    EXPECT_TRUE(platform.started.empty());
    EXPECT_TRUE(platform.opened.empty());
}

// A copy the system's package manager installed is updated by it: the check
// says so, and neither writes into the program folder (even as root) nor starts
// or opens anything.
TEST_F(UpdateCheck, SystemInstallationLeavesUpdatesToThePackageManager) {
    for (const char* folder :
         {"/usr/share/dovanel/", "/usr/local/share/dovanel/", "/opt/dovanel/", "/usr/share/"}) {
        App().programFolder = folder;
        platform.asked.clear();
        const QDateTime changed = QFileInfo(folder).lastModified();
        CheckForUpdates(nullptr);
        ASSERT_EQ(platform.asked.size(), 1u) << folder;
        EXPECT_EQ(platform.asked[0].title, "Dovanel") << folder;
        EXPECT_EQ(platform.asked[0].icon, MsgIcon::Information) << folder;
        EXPECT_EQ(platform.asked[0].text,
                  "You currently have Dovanel version " + App().versionText +
                      ", installed for every user of this system.\r\rUpdates to this copy of "
                      "Dovanel come from the system's package manager.  To look for a later "
                      "version, use your system's software updater, or ask the administrator of "
                      "this system to do so.")
            << folder;
        EXPECT_EQ(QFileInfo(folder).lastModified(), changed) << folder << ": nothing written";
        EXPECT_TRUE(platform.started.empty()) << folder;
        EXPECT_TRUE(platform.opened.empty()) << folder;
        EXPECT_FALSE(platform.ended) << folder;
    }
}

}  // namespace
}  // namespace dovanel
