// Every save outside the main window reports its failure and keeps the values
// in memory; opening an editor never changes a value; loaded values are shown
// whole; totals that would overflow are refused at the keystroke.
#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <sys/stat.h>
#include <unistd.h>
#include <cmath>

#include "data/data_files.h"
#include "shell/program_folder.h"
#include "tests/data/temp_folder.h"
#include "tests/ui/ui_fixture.h"
#include "ui/catalogue.h"
#include "ui/editors/origination_editor.h"
#include "ui/editors/pmi_editor.h"
#include "ui/estimate/values_editor.h"
#include "ui/help/quick_start.h"
#include "ui/income/debt_summary.h"
#include "ui/income/income_screens.h"
#include "ui/main/main_window.h"
#include "ui/screens.h"

namespace dovanel {
namespace {

class SavingTest : public test::WindowTest {
  protected:
    SavingTest() { LoadInstalled(model); }
    // A folder in the file's place: no one, not even root, can write the file.
    void Block(const QString& name) {
        QFile::remove(DataFile(name));
        ASSERT_TRUE(QDir().mkdir(DataFile(name)));
    }
    void ExpectReported(const QString& name) {
        ASSERT_EQ(platform.asked.size(), 1u) << name.toStdString();
        const MessageRequest& told = platform.asked[0];
        EXPECT_EQ(told.title, "Dovanel");
        EXPECT_EQ(told.icon, MsgIcon::Warning);
        EXPECT_EQ(told.textFormat, Qt::PlainText);
        EXPECT_TRUE(told.text.contains(DataFile(name) + "\r")) << told.text.toStdString();
        EXPECT_TRUE(told.text.contains("Is a directory")) << told.text.toStdString();
        EXPECT_TRUE(told.text.contains("kept in memory")) << told.text.toStdString();
    }
    static QLineEdit* Cell(QWidget& w, const QString& name) {
        return w.findChild<QLineEdit*>(name);
    }
    static void Click(QWidget& w, const char* button) {
        w.findChild<QAbstractButton*>(button)->click();
    }
    static void Retype(QLineEdit* cell, const QString& keys) {
        cell->setFocus();
        cell->selectAll();
        QTest::keyClick(cell, Qt::Key_Delete);
        QTest::keyClicks(cell, keys);
    }
    Model model;
};

// Every window of the catalogue whose Ok writes a data file.
struct EditorCase {
    const char* file;
    DataFile kind;
    std::function<std::unique_ptr<QWidget>(Model&)> open;
};

void PrintTo(const EditorCase& c, std::ostream* os) {
    *os << c.file;
}

std::vector<EditorCase> EditorsThatWrite() {
    std::vector<EditorCase> cases;
    for (const WindowEntry& entry : EveryWindow())
        if (entry.okWrites)
            cases.push_back({FileName(*entry.okWrites), *entry.okWrites, entry.make});
    return cases;
}

class EditorOkTest : public SavingTest, public ::testing::WithParamInterface<EditorCase> {};

TEST_P(EditorOkTest, AFailedWriteIsReportedAndTheEditorKeepsItsValues) {
    const EditorCase& c = GetParam();
    Block(c.file);
    const Model before = model;
    auto editor = c.open(model);
    Click(*editor, "BtnOk");
    ExpectReported(c.file);
    auto* dialog = qobject_cast<QDialog*>(editor.get());
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->result(), QDialog::Accepted) << "the editor closes as usual";
    EXPECT_EQ(FileText(c.kind, model), FileText(c.kind, before)) << "memory keeps the values";
}

INSTANTIATE_TEST_SUITE_P(Editors, EditorOkTest, ::testing::ValuesIn(EditorsThatWrite()));

TEST_F(SavingTest, IncomeOkReportsAFailedWriteAndStillSetsTheIncome) {
    Block("INCOME.DAT");
    IncomePage2 page2(test::DocumentOf(model));
    IncomePage1 page1(test::DocumentOf(model), page2);
    Retype(page1.Cell(1, 1), "60000");
    Click(page1, "BtnOk");
    ExpectReported("INCOME.DAT");
    EXPECT_EQ(model.loanData.monthlyIncome, 5000);
}

TEST_F(SavingTest, DebtOkReportsAFailedWriteAndKeepsTheListForTheNextOpening) {
    Block("DEBT.DAT");
    {
        DebtSummaryScreen screen(test::DocumentOf(model));
        screen.Description(0)->setText("Car");
        Retype(screen.Payment(0), "415.25");
        Click(screen, "BtnOk");
    }
    ExpectReported("DEBT.DAT");
    EXPECT_EQ(model.loanData.monthlyDebt, 415.25f);
    DebtSummaryScreen again(test::DocumentOf(model));
    EXPECT_EQ(again.Description(0)->text(), "Car") << "the old file does not replace memory";
    EXPECT_EQ(again.Payment(0)->text(), "415.25");
}

TEST_F(SavingTest, ASettingsWriteFailureIsToldOncePerSession) {
    QFile::remove(App().settingsFile);
    ASSERT_TRUE(QDir().mkdir(App().settingsFile));
    for (int i = 0; i < 2; ++i) {
        QuickStart window;
        window.show();
        window.close();
    }
    ASSERT_EQ(platform.asked.size(), 1u);
    EXPECT_TRUE(platform.asked[0].text.contains(App().settingsFile + "\r"));
    EXPECT_EQ(platform.asked[0].textFormat, Qt::PlainText);
}

// A settings file that cannot be read (here a FIFO) is never rewritten, and the
// user is told so once.
TEST_F(SavingTest, ASettingsFileThatCannotBeReadIsKeptAndToldOnce) {
    QFile::remove(App().settingsFile);
    const std::string path = App().settingsFile.toStdString();
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    for (int i = 0; i < 2; ++i) {
        test::FifoFeeder feed(path, "[General]\r\nShow Quick Start Information=NO\r\n");
        QuickStart window;
        window.show();
        window.close();
    }
    ASSERT_EQ(platform.asked.size(), 1u);
    EXPECT_TRUE(platform.asked[0].text.contains(App().settingsFile + "\r"));
    EXPECT_TRUE(platform.asked[0].text.contains("cannot be read"))
        << platform.LastText().toStdString();
    struct stat st {};
    ASSERT_EQ(::lstat(path.c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode)) << "still the FIFO, not replaced by a file";
}

// ---- opening an editor changes nothing ------------------------------------

TEST_F(SavingTest, OriginationRatesKeepTheirExactValueUnlessEdited) {
    model.originationSchedule.feeRate[1] = 0.00875f;
    model.originationSchedule.feeRate[2] = 0.0123456f;
    {
        OriginationEditor editor(model);
        EXPECT_EQ(Cell(editor, "Text3")->text(), ".88");
        EXPECT_EQ(model.originationSchedule.feeRate[1], 0.00875f) << "opening changes nothing";
        Retype(Cell(editor, "Text6"), "1.5");
        Click(editor, "BtnOk");
    }
    Model stored;
    DataError error;
    ASSERT_TRUE(LoadDataFile(DataFile::Origination, stored, App().dataFolder.toStdString(), error));
    EXPECT_EQ(stored.originationSchedule.feeRate[1], 0.00875f);
    EXPECT_EQ(stored.originationSchedule.feeRate[2], 0.015f)
        << "an edited cell stores what was typed";
}

TEST_F(SavingTest, PmiRatesKeepTheirExactValueUnlessEdited) {
    model.pmiSchedule.conventionalPremium[1] = 0.0052345f;
    {
        PmiEditor editor(model);
        EXPECT_EQ(Cell(editor, "Text1")->text(), ".523");
        Click(editor, "BtnCancel");
    }
    EXPECT_EQ(model.pmiSchedule.conventionalPremium[1], 0.0052345f);
    {
        PmiEditor editor(model);
        Retype(Cell(editor, "Text2"), ".6");
        Click(editor, "BtnOk");
    }
    Model stored;
    DataError error;
    ASSERT_TRUE(LoadDataFile(DataFile::Pmi, stored, App().dataFolder.toStdString(), error));
    EXPECT_EQ(stored.pmiSchedule.conventionalPremium[1], 0.0052345f);
    EXPECT_EQ(stored.pmiSchedule.conventionalPremium[2], 0.006f);
}

TEST_F(SavingTest, GuidelinesAndEstimateValuesLeftAsShownKeepTheirExactValue) {
    model.guidelineRatios.jumboLimit = 12345678;  // shown to seven digits
    model.guidelineRatios.firstRatioUpTo90 = 0.28333334f;
    model.estimateValues.costAmount[1] = 12.5f;  // shown in whole dollars
    model.estimateValues.applicationDeposit = 99.99f;
    const Model before = model;
    {
        GuidelineEditor editor(model);
        Retype(Cell(editor, "Text3"), "40");
        Click(editor, "BtnOk");
    }
    {
        ValuesEditor editor(model);
        Retype(Cell(editor, "Text3"), "250");
        Click(editor, "BtnOk");
    }
    EXPECT_EQ(model.guidelineRatios.jumboLimit, 12345678);
    EXPECT_EQ(model.guidelineRatios.firstRatioUpTo90, 0.28333334f);
    EXPECT_EQ(model.guidelineRatios.secondRatioUpTo90, 0.4f) << "an edited cell stores it";
    EXPECT_EQ(model.estimateValues.costAmount[1], 12.5f);
    EXPECT_EQ(model.estimateValues.applicationDeposit, 99.99f);
    EXPECT_EQ(model.estimateValues.costAmount[2], 250);
    Model expected = before;
    expected.guidelineRatios.secondRatioUpTo90 = 0.4f;
    expected.estimateValues.costAmount[2] = 250;
    EXPECT_EQ(FileBytes("FANMAE.DAT").toStdString(), FileText(DataFile::Guidelines, expected));
    EXPECT_EQ(FileBytes("ESTIMATE.DAT").toStdString(), FileText(DataFile::Estimate, expected));
}

// ---- long loaded values and totals that would overflow ---------------------

TEST_F(SavingTest, IncomeCellsShowLongValuesWholeAndLimitTypingToNine) {
    model.incomeAnalysis.line[1][1] = 999999999;
    IncomePage2 page2(test::DocumentOf(model));
    IncomePage1 page1(test::DocumentOf(model), page2);
    EXPECT_EQ(page1.Cell(1, 1)->text(), "1000000000");
    Retype(page1.Cell(1, 2), "99999999999");
    EXPECT_EQ(page1.Cell(1, 2)->text(), "999999999");
    EXPECT_EQ(platform.beeps, 2);
    Retype(page2.Cell(15, 1), "12345678901");
    EXPECT_EQ(page2.Cell(15, 1)->text(), "123456789") << "page 2 has the same limit";
    Click(page1, "BtnOk");
    Model stored;
    DataError error;
    ASSERT_TRUE(LoadDataFile(DataFile::Income, stored, App().dataFolder.toStdString(), error));
    EXPECT_EQ(stored.incomeAnalysis.line[1][1], 1e9f);
    EXPECT_EQ(stored.incomeAnalysis.line[1][2], 1e9f);
}

TEST_F(SavingTest, AnIncomeTotalThatWouldOverflowIsRefused) {
    // +3E38 - 3E38 + 3E38: clearing the middle line would make a year 6E38.
    for (int line : {1, 2, 3}) model.incomeAnalysis.line[line][1] = 3e38f;
    IncomePage2 page2(test::DocumentOf(model));
    IncomePage1 page1(test::DocumentOf(model), page2);
    QLineEdit* middle = page1.Cell(2, 1);
    const QString shown = middle->text();
    middle->setFocus();
    middle->selectAll();
    QTest::keyClick(middle, Qt::Key_Delete);
    EXPECT_EQ(middle->text(), shown) << "the box keeps its text";
    EXPECT_EQ(platform.beeps, 1);
    EXPECT_EQ(model.incomeAnalysis.line[2][1], 3e38f);
    Click(page1, "BtnOk");
    EXPECT_TRUE(std::isfinite(model.loanData.monthlyIncome));
}

TEST_F(SavingTest, ADebtTotalThatWouldOverflowIsRefused) {
    model.debtSummary.itemAmount[0] = 3e38f;
    ASSERT_TRUE(SaveDataFile(DataFile::Debt, model, App().dataFolder.toStdString()));
    DebtSummaryScreen screen(test::DocumentOf(model));
    Retype(screen.Payment(1), "3" + QString(38, '0'));
    EXPECT_EQ(screen.Payment(1)->text(), "3" + QString(37, '0'));
    EXPECT_EQ(platform.beeps, 1) << "refused at the keystroke that would overflow";
    Retype(screen.Payment(2), "1" + QString(39, '0'));
    EXPECT_EQ(screen.Payment(2)->text().size(), 38) << "an item beyond a Single is refused too";
    Click(screen, "BtnOk");
    EXPECT_TRUE(std::isfinite(model.loanData.monthlyDebt));
    EXPECT_GT(model.loanData.monthlyDebt, 3.2e38f);
}

// ---- the update check ------------------------------------------------------

class UpdateSavingTest : public SavingTest {
  protected:
    UpdateSavingTest() {
        App().programFolder = programDir.path() + "/";
        QFile updater(App().programFolder + "s-update.exe");
        updater.open(QIODevice::WriteOnly);
    }
    void OpenWithAChange() {
        window = std::make_unique<MainWindow>(test::DocumentOf(model));
        ASSERT_EQ(window->FormLoad(), LoadOutcome::Complete);
        RegisterScreens(*window);
        window->show();
        auto* dues = window->findChild<QLineEdit*>("Text5");
        dues->setFocus();
        QTest::keyClick(dues, '4');
    }
    void CheckForUpdates() { window->findChild<QAction*>("MenuCheckForUpdates")->trigger(); }
    QTemporaryDir programDir;
    std::unique_ptr<MainWindow> window;
};

TEST_F(UpdateSavingTest, UnsavedLoanDataIsAskedAboutBeforeTheUpdaterTakesOver) {
    OpenWithAChange();
    const QByteArray before = FileBytes("MAIN.DAT");
    platform.answers = {MsgAnswer::Cancel};
    CheckForUpdates();
    ASSERT_EQ(platform.asked.size(), 1u);
    EXPECT_EQ(platform.asked[0].text, "Save changes made to the Borrower's Loan Data?");
    EXPECT_EQ(platform.asked[0].buttons, MsgButtons::YesNoCancel);
    EXPECT_TRUE(platform.started.empty()) << "Cancel stays";
    EXPECT_FALSE(platform.ended);

    platform.answers = {MsgAnswer::No};
    CheckForUpdates();
    EXPECT_EQ(platform.started.size(), 1u);
    EXPECT_TRUE(platform.ended);
    EXPECT_EQ(FileBytes("MAIN.DAT"), before) << "No discards";
}

TEST_F(UpdateSavingTest, YesSavesBeforeTheUpdaterTakesOver) {
    OpenWithAChange();
    platform.answers = {MsgAnswer::Yes};
    CheckForUpdates();
    EXPECT_TRUE(platform.ended);
    Model stored;
    DataError error;
    ASSERT_TRUE(LoadDataFile(DataFile::Main, stored, App().dataFolder.toStdString(), error));
    EXPECT_EQ(stored.loanData.monthlyDues, 4);
}

TEST_F(UpdateSavingTest, TheAboutBoxAsksTooBeforeTheUpdater) {
    OpenWithAChange();
    platform.answers = {MsgAnswer::Cancel};
    QTimer::singleShot(0, [] {
        QWidget* about = QApplication::activeModalWidget();
        ASSERT_TRUE(about);
        about->findChild<QPushButton*>("btnCheckForUpdates")->click();
        about->close();
    });
    window->findChild<QAction*>("MenuFileAbout")->trigger();
    ASSERT_EQ(platform.asked.size(), 1u);
    EXPECT_EQ(platform.asked[0].buttons, MsgButtons::YesNoCancel);
    EXPECT_TRUE(platform.started.empty());
    EXPECT_FALSE(platform.ended);
}

TEST_F(UpdateSavingTest, TheProbeFileIsNeverWrittenThroughALink) {
    const QString victim = programDir.path() + "/victim.txt";
    {
        QFile file(victim);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("keep");
    }
    const QString probe = App().programFolder + kAdminTestFile;
    ASSERT_EQ(
        ::symlink(QFile::encodeName(victim).constData(), QFile::encodeName(probe).constData()), 0);
    EXPECT_TRUE(CanWriteProgramFolder(App().programFolder));
    QFile file(victim);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "keep");
    EXPECT_FALSE(QFileInfo(probe).exists() || QFileInfo(probe).isSymLink());
}

}  // namespace
}  // namespace dovanel
