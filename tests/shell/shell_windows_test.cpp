// The Quick Start window, the about box, help and the update check.
#include <QCheckBox>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "shell/about_box.h"
#include "shell/ini_file.h"
#include "shell/quick_start.h"
#include "shell/update_check.h"
#include "tests/ui/ui_fixture.h"

namespace dovanel {
namespace {

std::string QuickStartSetting() {
    return ReadIniString("General", "Show Quick Start Information", "missing",
                         App().settingsFile.toStdString());
}

using Shell = test::WindowTest;

TEST_F(Shell, SettingReadWithoutRegardToCaseAndOnByDefault) {
    for (const auto& [text, on] :
         std::vector<std::pair<QString, bool>>{{"no", false}, {"Yes", true}, {"", false}}) {
        QFile f(App().settingsFile);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write("[General]\r\nShow Quick Start Information=" + text.toUtf8() + "\r\n");
        f.close();
        ReadSettings(App());
        EXPECT_EQ(App().showQuickStart, on) << text.toStdString();
    }
    QFile::remove(App().settingsFile);
    ReadSettings(App());
    EXPECT_TRUE(App().showQuickStart) << "no settings file: the Quick Start shows";
}

TEST_F(Shell, QuickStartWritesItsSettingHoweverItCloses) {
    App().showQuickStart = true;
    {
        QuickStart window;
        auto* box = window.findChild<QCheckBox*>("chkDoNotShowAgain");
        ASSERT_TRUE(box);
        EXPECT_FALSE(box->isChecked());
        box->setChecked(true);
        window.show();
        window.findChild<QPushButton*>("btnCloseWindow")->click();
    }
    EXPECT_EQ(QuickStartSetting(), "NO");
    EXPECT_FALSE(App().showQuickStart);
    {
        QuickStart window;
        EXPECT_TRUE(window.findChild<QCheckBox*>("chkDoNotShowAgain")->isChecked())
            << "shown from Help, ticked";
        window.findChild<QCheckBox*>("chkDoNotShowAgain")->setChecked(false);
        window.show();
        window.close();  // the close box
    }
    EXPECT_EQ(QuickStartSetting(), "YES");
    EXPECT_TRUE(App().showQuickStart);
}

TEST_F(Shell, QuickStartTextsAndHelpKey) {
    QuickStart window;
    EXPECT_EQ(window.windowTitle(), "Quick Start");
    EXPECT_TRUE(
        QString(QuickStart::kParagraphs[3]).contains("beneath the \"&Tools\" pull-down menu"));
    window.show();
    QTest::keyClick(&window, Qt::Key_F1);
    EXPECT_EQ(help.topics, QList<int>{1});
    window.reject();
}

TEST_F(Shell, AboutBoxShowsTheVersionAndEscapeDoesWhatOkDoes) {
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

TEST_F(Shell, AboutBoxLegalNoticeNamesTheLicenceAndFitsItsLabel) {
    AboutBox box;
    const QLabel* legal = box.findChild<QLabel*>("lblLegal");
    EXPECT_TRUE(legal->text().contains("GNU GPL, version 3 or later"));
    EXPECT_LE(legal->heightForWidth(legal->width()), legal->height()) << "no line is cut off";
}

TEST_F(Shell, EveryHelpTopicHasAPage) {
    for (int topic : {1, 10, 15, 20, 25, 30, 60})
        EXPECT_TRUE(QFile::exists(HelpTopicPath(App().helpFile, topic))) << topic;
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
