// The File menu's documents: the entries and their keys, the window's title,
// New, Open, Save, Save As, the recent files, files that cannot be opened, a
// file dropped on the window, and a newcomer's walk by keyboard alone.
#include <QAbstractButton>
#include <QApplication>
#include <QDate>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QRegularExpression>
#include <QTimer>
#include <QUrl>

#include <sys/stat.h>
#include <unistd.h>

#include "shell/ini_file.h"
#include "tests/ui/document/document_fixture.h"
#include "tests/ui/inside_modal.h"
#include "ui/document/recent_files.h"
#include "ui/document/scenario_store.h"
#include "ui/income/debt_summary.h"

namespace dovanel {
namespace {

using Kind = ScenarioDocument::Kind;

class FileMenuTest : public test::DocumentTest {};

TEST_F(FileMenuTest, TheFileMenuKeepsTheSpecifiedEntriesInTheirOrder) {
    struct Entry {
        const char* name;
        const char* caption;
        const char* shortcut;
    };
    const Entry expected[] = {{"MenuFileNew", "&New", "Ctrl+N"},
                              {"MenuFileOpen", "&Open ...", "Ctrl+O"},
                              {"MenuFileSave", "&Save", ""},
                              {"MenuFileSaveAs", "Save &As ...", "Ctrl+Shift+S"},
                              {"MenuFileProperties", "Scenario P&roperties ...", ""},
                              {"MenuFilePrint", "&Print ...", "Ctrl+P"}};
    const QList<QAction*> entries = window->findChild<QMenu*>("MenuFile")->actions();
    ASSERT_GE(entries.size(), 6);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(entries[i]->objectName(), expected[i].name);
        EXPECT_EQ(entries[i]->text(), expected[i].caption);
        EXPECT_EQ(entries[i]->shortcut(), QKeySequence(expected[i].shortcut)) << expected[i].name;
    }
    EXPECT_EQ(entries.last()->objectName(), "MenuFileExit");
    EXPECT_EQ(entries[entries.size() - 10]->objectName(), "MenuFileRecent1") << "before E&xit";
}

TEST_F(FileMenuTest, TheTitleNamesTheDocumentAndMarksUnsavedChanges) {
    EXPECT_EQ(window->windowTitle(), "Dovanel") << "the default loan keeps the specified caption";
    Type(4, "1");
    EXPECT_EQ(window->windowTitle(), "Dovanel");
    platform.answers = {MsgAnswer::Discard};
    Run("MenuFileNew");
    EXPECT_EQ(window->windowTitle(), "Untitled[*] - Dovanel");
    EXPECT_FALSE(window->isWindowModified());
    Type(4, "1");
    EXPECT_TRUE(window->isWindowModified());
    EXPECT_TRUE(Action("MenuFileSave")->isEnabled());
    platform.saveAnswers = {files.path() + "/Smith"};
    Run("MenuFileSave");
    EXPECT_EQ(window->windowTitle(), "Smith.dovanel[*] - Dovanel") << "the suffix was added";
    EXPECT_FALSE(window->isWindowModified());
    EXPECT_FALSE(Action("MenuFileSave")->isEnabled());
}

// A new scenario starts from the installed default loan, with this year's
// captions; without those files, from a blank scenario of the first type.
TEST_F(FileMenuTest, NewStartsFromTheInstalledLoanOrABlankOne) {
    Run("MenuFileNew");
    Model installed;
    DataError error;
    const std::string folder = App().programFolder.toStdString();
    ASSERT_TRUE(LoadDataFile(DataFile::Main, installed, folder, error));
    EXPECT_EQ(Current().kind(), Kind::Untitled);
    EXPECT_EQ(Current().model().loanData.purchasePrice, installed.loanData.purchasePrice);
    const int year = QDate::currentDate().year();
    EXPECT_EQ(Current().model().incomeAnalysis.yearLabel[1], std::to_string(year - 3));
    EXPECT_TRUE(Current().model().info.name.empty());

    QTemporaryDir empty;
    App().programFolder = empty.path() + "/";
    Run("MenuFileNew");
    EXPECT_EQ(Current().model().loanData.mortgageTypeName, kMortgageTypes[0]);
    EXPECT_EQ(Current().model().loanData.termYears, 30);
    EXPECT_EQ(Current().model().loanData.monthlyIncome, kIncomeNotEntered);
}

TEST_F(FileMenuTest, SaveWritesTheFileWithTheDateAndOpenReadsItBack) {
    const QString path = ScenarioFile("Smith.dovanel", 250000, "Smith");
    OpenByMenu(path);
    ASSERT_EQ(platform.openDialogs.size(), 1u);
    EXPECT_EQ(platform.openDialogs[0].filter, "Dovanel scenarios (*.dovanel);;All files (*)");
    ASSERT_EQ(Current().path(), path);
    EXPECT_EQ(Box(1)->text(), "250000");
    Type(4, "9");
    Run("MenuFileSave");
    const Scenario saved = Read(path);
    EXPECT_EQ(saved.info.savedDate, QDate::currentDate().toString(Qt::ISODate).toStdString());
    EXPECT_EQ(saved.info.name, "Smith");
    EXPECT_EQ(saved.loanData.earnestMoney, Current().model().loanData.earnestMoney);
    EXPECT_EQ(Current().model().info.savedDate, saved.info.savedDate);
}

// Save As of the default loan moves it into a scenario file; the data folder
// keeps the loan as it was last saved.
TEST_F(FileMenuTest, SaveAsLeavesTheDataFolderAsLastSaved) {
    const QByteArray main = FileBytes("MAIN.DAT");
    Type(1, "5");
    const QString path = files.path() + "/Jones.dovanel";
    platform.saveAnswers = {path};
    Run("MenuFileSaveAs");
    EXPECT_EQ(Current().kind(), Kind::File);
    EXPECT_EQ(Current().path(), path);
    EXPECT_EQ(FileBytes("MAIN.DAT"), main);
    EXPECT_EQ(Read(path).loanData.purchasePrice, Current().model().loanData.purchasePrice);
    EXPECT_EQ(RecentFiles().value(0), path);

    platform.saveAnswers = {};  // cancelled: nothing changes
    Run("MenuFileSaveAs");
    EXPECT_EQ(Current().path(), path);
}

// For a scenario file the debt summary's Ok changes the document, and Save
// writes it; DEBT.DAT belongs to the default loan alone.
TEST_F(FileMenuTest, DebtOkOfAScenarioFileWaitsForSave) {
    const QString path = ScenarioFile("Debts.dovanel", 200000);
    ASSERT_TRUE(window->OpenScenarioFile(path));
    const QByteArray debt = FileBytes("DEBT.DAT");
    {
        DebtSummaryScreen screen(Current());
        screen.Payment(0)->setText("321");
        screen.findChild<QAbstractButton*>("BtnOk")->click();
    }
    EXPECT_EQ(FileBytes("DEBT.DAT"), debt);
    EXPECT_TRUE(Current().IsModified());
    EXPECT_NE(Read(path).debtSummary.itemAmount[0], 321.0f);
    Run("MenuFileSave");
    EXPECT_EQ(Read(path).debtSummary.itemAmount[0], 321.0f);
    EXPECT_EQ(Read(path).loanData.monthlyDebt, 321.0f);
    {
        DebtSummaryScreen again(Current());
        EXPECT_EQ(again.Payment(0)->text(), "321") << "no reload from DEBT.DAT";
    }
}

// The list: newest first, at most eight, "&1 name" with the full path as tips,
// kept in DV.INI beside the other settings; a file that is gone is offered
// for removal.
TEST_F(FileMenuTest, RecentFilesAreNumberedKeptAndTidied) {
    WriteIniString("General", "Show Quick Start Information", "NO",
                   App().settingsFile.toStdString());
    QStringList paths;
    for (int i = 0; i < 10; ++i) {
        paths.prepend(ScenarioFile(QString("S%1 & co.dovanel").arg(i), 1000 + i));
        ASSERT_TRUE(window->OpenScenarioFile(paths.front()));
    }
    EXPECT_EQ(RecentFiles(), paths.mid(0, 8));
    for (int i = 0; i < 8; ++i) {
        QAction* entry = Action(QString("MenuFileRecent%1").arg(i + 1));
        EXPECT_TRUE(entry->isVisible());
        EXPECT_EQ(entry->text(), QString("&%1 S%2 && co.dovanel").arg(i + 1).arg(9 - i));
        EXPECT_EQ(entry->statusTip(), paths[i]);
        EXPECT_EQ(entry->toolTip(), paths[i]);
    }
    EXPECT_EQ(ReadIniString("General", "Show Quick Start Information", "",
                            App().settingsFile.toStdString()),
              "NO");

    Run("MenuFileRecent3");
    EXPECT_EQ(Current().path(), paths[2]);
    EXPECT_EQ(RecentFiles().front(), paths[2]) << "moved to the top";

    const QString gone = RecentFiles()[1];
    ASSERT_TRUE(QFile::remove(gone));
    platform.answers = {MsgAnswer::No};
    Run("MenuFileRecent2");
    EXPECT_TRUE(platform.LastText().contains(gone));
    EXPECT_TRUE(RecentFiles().contains(gone)) << "No keeps it";
    platform.answers = {MsgAnswer::Yes};
    Run("MenuFileRecent2");
    EXPECT_FALSE(RecentFiles().contains(gone));
    EXPECT_EQ(Current().path(), paths[2]) << "the open document stays";
    EXPECT_FALSE(Action("MenuFileRecent8")->isVisible()) << "seven left";
}

// Every file that cannot be read: a message naming the file, the line and the
// reason, and the document open before stays as it was.
TEST_F(FileMenuTest, AFileThatCannotBeOpenedLeavesTheDocumentAsItWas) {
    const QString good = ScenarioFile("Good.dovanel", 300000);
    ASSERT_TRUE(window->OpenScenarioFile(good));
    Type(4, "5");
    const Model before = Current().model();
    const QString earnest = Box(4)->text();
    ScenarioDocument* open = &Current();
    const QString text = QString::fromStdString(ScenarioFileText(before));

    struct Bad {
        const char* name;
        QByteArray bytes;  // empty: made below
        const char* where;
        const char* reason;
    };
    QString newer = text;
    newer.replace("Dovanel scenario 2", "Dovanel scenario 3");
    QString malformed = text;
    malformed.replace("\nloan.purchasePrice=", "\nloan.purchasePrice ");
    QString outOfRange = text;
    outOfRange.replace(QRegularExpression("\nloan\\.termYears=[^\n]*"), "\nloan.termYears=99999");
    const Bad cases[] = {
        {"newer.dovanel", newer.toUtf8(), "Line 1: ", "newer version"},
        {"malformed.dovanel", malformed.toUtf8(), "Line ", "is not of the form key=value"},
        {"range.dovanel", outOfRange.toUtf8(), "Line ", "loan.termYears"},
        {"large.dovanel", QByteArray(int(kScenarioFileLimit) + 1, 'x'), "Reason: ", ""},
        {"binary.dovanel", QByteArray("Dovanel scenario 1\n\0\1\2", 22), "Line 2: ", "binary"},
        {"fifo.dovanel", {}, "Reason: ", ""},
        {"vanished.dovanel", {}, "Reason: ", ""},
    };
    for (const Bad& bad : cases) {
        const QString path = files.path() + "/" + bad.name;
        if (!bad.bytes.isEmpty()) {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(bad.bytes);
        } else if (QString(bad.name).startsWith("fifo")) {
            ASSERT_EQ(::mkfifo(path.toLocal8Bit().constData(), 0600), 0);
        }
        platform.asked.clear();
        platform.answers = {MsgAnswer::Discard};  // the question about the typed change
        OpenByMenu(path);
        ASSERT_EQ(platform.asked.size(), 2u) << bad.name;
        const QString told = platform.asked[1].text;
        EXPECT_EQ(platform.asked[1].icon, MsgIcon::Warning) << bad.name;
        EXPECT_TRUE(told.contains(path)) << told.toStdString();
        EXPECT_TRUE(told.contains(bad.where)) << told.toStdString();
        EXPECT_TRUE(told.contains(bad.reason)) << told.toStdString();
        EXPECT_EQ(&Current(), open) << bad.name;
        EXPECT_EQ(ScenarioFileText(Current().model()), ScenarioFileText(before)) << bad.name;
        EXPECT_TRUE(Current().IsModified()) << bad.name;
        EXPECT_EQ(Box(4)->text(), earnest) << bad.name;
    }
}

TEST_F(FileMenuTest, AFileDroppedOnTheWindowOpensAfterTheQuestion) {
    const QString path = ScenarioFile("Dropped.dovanel", 123456);
    Type(4, "5");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    auto dropIt = [&] {  // as a drag does: it enters, then drops
        QDragEnterEvent again(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(window.get(), &again);
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(window.get(), &drop);
        QCoreApplication::processEvents();
    };
    platform.answers = {MsgAnswer::Cancel};
    dropIt();
    EXPECT_EQ(platform.asked.size(), 1u) << "asked first";
    EXPECT_EQ(Current().kind(), Kind::DefaultLoan) << "Cancel keeps the loan";
    platform.answers = {MsgAnswer::Discard};
    dropIt();
    EXPECT_EQ(platform.asked.size(), 2u) << platform.LastText().toStdString();
    EXPECT_EQ(Current().path(), path);
    EXPECT_EQ(Box(1)->text(), "123456");

    QMimeData web;
    web.setUrls({QUrl("https://example.org/a.dovanel")});
    QDragEnterEvent remote(QPoint(5, 5), Qt::CopyAction, &web, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window.get(), &remote);
    EXPECT_FALSE(remote.isAccepted()) << "only a local file";
}

}  // namespace
}  // namespace dovanel

namespace dovanel {
namespace {

// A newcomer's walk, by keys alone: a new scenario (Ctrl+N), a loan typed in,
// Save As (Ctrl+Shift+S), another scenario opened (Ctrl+O), and the first one
// reopened from the recent files (Alt+F, 2: the one opened last is 1).
TEST_F(FileMenuTest, ANewcomersWalkByKeyboard) {
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    auto keys = [](Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
        QCoreApplication::processEvents();
    };

    ASSERT_EQ(QApplication::focusWidget(), Box(1)) << "the window starts in the price";
    keys(Qt::Key_N, Qt::ControlModifier);
    ASSERT_EQ(Current().kind(), Kind::Untitled);
    keys(Qt::Key_Home);
    keys(Qt::Key_End, Qt::ShiftModifier);
    QTest::keyClicks(QApplication::focusWidget(), "410000");
    keys(Qt::Key_Tab);
    QTest::keyClicks(QApplication::focusWidget(), "5");  // the down payment grows to ..5 %
    EXPECT_EQ(Current().model().loanData.purchasePrice, 410000.0f);
    EXPECT_TRUE(window->isWindowModified());

    const QString first = files.path() + "/Walk";
    platform.saveAnswers = {first};
    keys(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_EQ(Current().path(), first + ".dovanel");
    EXPECT_EQ(Read(first + ".dovanel").loanData.purchasePrice, 410000.0f);

    const QString second = ScenarioFile("Second.dovanel", 99000);
    platform.openAnswers = {second};
    keys(Qt::Key_O, Qt::ControlModifier);
    ASSERT_EQ(Current().path(), second);

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F, Qt::AltModifier);
    QWidget* menu = QApplication::activePopupWidget();
    ASSERT_TRUE(qobject_cast<QMenu*>(menu));
    EXPECT_EQ(Action("MenuFileRecent1")->statusTip(), second);
    QTest::keyClick(menu, Qt::Key_2);
    QCoreApplication::processEvents();
    EXPECT_EQ(Current().path(), first + ".dovanel");
    EXPECT_EQ(Box(1)->text(), "410000");
    EXPECT_TRUE(platform.asked.empty()) << "nothing was left unsaved on the way";
}

}  // namespace
}  // namespace dovanel

namespace dovanel {
namespace {

// The Tools work on the document the window shows: Use This Price changes that
// scenario (now unsaved), and the default loan's files stay as they are.
TEST_F(FileMenuTest, UseThisPriceChangesTheOpenScenario) {
    Model client;
    LoadInstalled(client);
    client.loanData.monthlyIncome = 12000;
    client.loanData.monthlyDebt = 300;
    const QString path = files.path() + "/Client.dovanel";
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray::fromStdString(ScenarioFileText(client)));
    }
    ASSERT_TRUE(window->OpenScenarioFile(path));
    window->show();
    const QByteArray mainDat = FileBytes("MAIN.DAT");
    QString offered;
    QTimer::singleShot(0, [&] {
        QWidget* screen = QApplication::activeModalWidget();
        ASSERT_TRUE(screen);
        offered = screen->findChild<QLabel*>("lblMaxPrice")->text();
        screen->findChild<QAbstractButton*>("BtnUsePrice")->click();
    });
    Run("mnuAfford");
    QCoreApplication::processEvents();
    offered.remove('$').remove(',');
    ASSERT_FALSE(offered.isEmpty());
    EXPECT_EQ(Box(1)->text(), offered);
    EXPECT_EQ(Current().model().loanData.purchasePrice, offered.toFloat());
    EXPECT_TRUE(Current().IsModified());
    EXPECT_EQ(window->windowTitle(), "Client.dovanel[*] - Dovanel");
    EXPECT_EQ(FileBytes("MAIN.DAT"), mainDat);
}

}  // namespace
}  // namespace dovanel

namespace dovanel {
namespace {

// A file handed over while a screen is open over the document waits until the
// screen has closed: the screen never loses the document it works on.
TEST_F(FileMenuTest, AHandedOverFileWaitsForTheOpenScreen) {
    const QString path = ScenarioFile("Later.dovanel", 222000);
    window->show();
    ScenarioDocument* during = nullptr;
    QTimer::singleShot(0, [&] {
        QWidget* screen = QApplication::activeModalWidget();
        ASSERT_TRUE(screen);
        window->OpenWhenFree(path);
        QTest::qWait(400);
        during = &Current();
        screen->findChild<QAbstractButton*>("BtnCancel")->click();
    });
    Run("mnuDebt2");
    ScenarioDocument* after = &Current();
    EXPECT_EQ(during->kind(), Kind::DefaultLoan) << "not while the debt summary was open";
    EXPECT_EQ(after, during);
    QTest::qWait(400);
    EXPECT_EQ(Current().path(), path) << "once it had closed";
}

}  // namespace
}  // namespace dovanel

namespace dovanel {
namespace {

// A settings editor opened over a scenario changes the lender's desk: every
// document computes with the new settings, a new one included.
TEST_F(FileMenuTest, SettingsEditedOverAScenarioReachTheDeskAndEveryDocument) {
    ASSERT_TRUE(window->OpenScenarioFile(ScenarioFile("Any.dovanel", 200000)));
    window->show();
    QTimer::singleShot(0, [] {
        QWidget* editor = QApplication::activeModalWidget();
        ASSERT_TRUE(editor);
        editor->findChild<QLineEdit*>("txtLenderName")->setText("First Bank");
        editor->findChild<QAbstractButton*>("BtnOk")->click();
    });
    Run("mnuLenderInformation");
    EXPECT_EQ(workspace.desk().settings().lender.name, "First Bank");
    EXPECT_EQ(Current().model().lender.name, "First Bank");
    EXPECT_FALSE(Current().IsModified()) << "the settings are no part of the scenario";
    Run("MenuFileNew");
    EXPECT_EQ(Current().model().lender.name, "First Bank");
}

}  // namespace
}  // namespace dovanel
