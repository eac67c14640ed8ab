// The Quick Start window, its setting, and the help pages.
#include <QCheckBox>
#include <QFile>
#include <QPushButton>
#include <QTest>

#include "shell/help.h"
#include "shell/ini_file.h"
#include "tests/ui/ui_fixture.h"
#include "ui/help/quick_start.h"

namespace dovanel {
namespace {

std::string QuickStartSetting() {
    return ReadIniString("General", "Show Quick Start Information", "missing",
                         App().settingsFile.toStdString());
}

using QuickStartTest = test::WindowTest;

TEST_F(QuickStartTest, SettingReadWithoutRegardToCaseAndOnByDefault) {
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

TEST_F(QuickStartTest, QuickStartWritesItsSettingHoweverItCloses) {
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

TEST_F(QuickStartTest, QuickStartTextsAndHelpKey) {
    QuickStart window;
    EXPECT_EQ(window.windowTitle(), "Quick Start");
    EXPECT_TRUE(
        QString(QuickStart::kParagraphs[3]).contains("beneath the \"&Tools\" pull-down menu"));
    window.show();
    QTest::keyClick(&window, Qt::Key_F1);
    EXPECT_EQ(help.topics, QList<int>{1});
    window.reject();
}

TEST_F(QuickStartTest, EveryHelpTopicHasAPage) {
    for (int topic : {1, 10, 15, 20, 25, 30, 60})
        EXPECT_TRUE(QFile::exists(HelpTopicPath(App().helpFile, topic))) << topic;
}

}  // namespace
}  // namespace dovanel
