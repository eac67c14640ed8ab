// The main window's loan data and MAIN.DAT: failed saves, the question before
// ending, an aborted load, values longer than a box's limit, unknown type names
// and the end of the desktop session.
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QTest>

#include "data/data_files.h"
#include "shell/typing_limit.h"
#include "tests/ui/ui_fixture.h"
#include "ui/main/main_window.h"

namespace dovanel {
namespace {

const char kQuestion[] = "Save changes made to the Borrower's Loan Data?";

class LoanSavingTest : public test::WindowTest {
  protected:
    LoadOutcome Open() {
        window = std::make_unique<MainWindow>(test::DocumentOf(model));
        const LoadOutcome outcome = window->FormLoad();
        window->show();
        QCoreApplication::processEvents();
        return outcome;
    }
    QLineEdit* Box(int n) { return window->findChild<QLineEdit*>(QString("Text%1").arg(n)); }
    QAction* Save() { return window->findChild<QAction*>("MenuFileSave"); }
    void Type(int n, const QString& keys) {
        Box(n)->setFocus();
        QTest::keyClicks(Box(n), keys);
    }
    // MAIN.DAT as the installed one with `change` applied.
    void WriteMain(const std::function<void(LoanData&)>& change) {
        Model stored;
        LoadInstalled(stored);
        change(stored.loanData);
        ASSERT_TRUE(SaveDataFile(DataFile::Main, stored, App().dataFolder.toStdString()));
    }
    LoanData OnDisk() {
        Model stored;
        DataError error;
        EXPECT_TRUE(LoadDataFile(DataFile::Main, stored, App().dataFolder.toStdString(), error));
        return stored.loanData;
    }
    void MakeMainReadOnly(bool readOnly) {
        QFile::setPermissions(
            DataFile("MAIN.DAT"),
            readOnly ? QFileDevice::ReadOwner : QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }

    Model model;
    std::unique_ptr<MainWindow> window;
};

TEST_F(LoanSavingTest, AFailedSaveNamesTheFileAndItsReasonAndStaysUnsaved) {
    // A folder whose name looks like markup must read as written.
    const QString folder = App().dataFolder + "x<b>bold/";
    ASSERT_TRUE(QDir().mkpath(folder));
    for (const QString& name : QDir(App().dataFolder).entryList(QDir::Files))
        QFile::copy(App().dataFolder + name, folder + name);
    App().dataFolder = folder;
    ASSERT_EQ(Open(), LoadOutcome::Complete);
    MakeMainReadOnly(true);
    const QByteArray before = FileBytes("MAIN.DAT");
    Type(5, "9");
    Save()->trigger();
    ASSERT_EQ(platform.asked.size(), 1u);
    const MessageRequest& told = platform.asked[0];
    EXPECT_EQ(told.title, "Dovanel");
    EXPECT_EQ(told.icon, MsgIcon::Warning);
    EXPECT_EQ(told.textFormat, Qt::PlainText);
    EXPECT_TRUE(told.text.contains(folder + "MAIN.DAT")) << told.text.toStdString();
    EXPECT_TRUE(told.text.contains("Permission denied")) << told.text.toStdString();
    EXPECT_TRUE(Save()->isEnabled()) << "the loan data is still unsaved";
    EXPECT_EQ(FileBytes("MAIN.DAT"), before);

    MakeMainReadOnly(false);
    Save()->trigger();
    EXPECT_EQ(platform.asked.size(), 1u);
    EXPECT_FALSE(Save()->isEnabled());
    EXPECT_EQ(OnDisk().monthlyDues, 9);
}

TEST_F(LoanSavingTest, ExitAfterAFailedSaveAsksAgainAndCancelStays) {
    ASSERT_EQ(Open(), LoadOutcome::Complete);
    MakeMainReadOnly(true);
    Type(5, "7");
    platform.answers = {MsgAnswer::Yes, MsgAnswer::Retry, MsgAnswer::Cancel};
    window->close();
    ASSERT_EQ(platform.asked.size(), 3u);
    EXPECT_EQ(platform.asked[0].text, kQuestion);
    for (int i : {1, 2}) {
        EXPECT_EQ(platform.asked[i].buttons, MsgButtons::RetryCancel);
        EXPECT_TRUE(platform.asked[i].text.contains(DataFile("MAIN.DAT")));
    }
    EXPECT_TRUE(window->isVisible()) << "Cancel keeps the program open";
    EXPECT_TRUE(Save()->isEnabled());
    EXPECT_EQ(model.loanData.monthlyDues, 7) << "the data stays in memory";

    MakeMainReadOnly(false);
    platform.answers = {MsgAnswer::Yes};
    window->close();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(OnDisk().monthlyDues, 7);
}

TEST_F(LoanSavingTest, AnAbortedLoadLeavesNothingToSave) {
    QFile estimate(DataFile("ESTIMATE.DAT"));
    ASSERT_TRUE(estimate.open(QIODevice::WriteOnly));
    estimate.write("not a number\r\n");
    estimate.close();
    const QByteArray before = FileBytes("MAIN.DAT");
    platform.answers = {MsgAnswer::Abort};
    ASSERT_EQ(Open(), LoadOutcome::Aborted);
    EXPECT_FALSE(Save()->isEnabled());
    Type(1, "5");
    EXPECT_FALSE(Save()->isEnabled()) << "what the boxes show is not what memory holds";
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    window->close();
    EXPECT_EQ(platform.asked.size(), 1u) << "closing asks nothing";
    EXPECT_EQ(FileBytes("MAIN.DAT"), before);
}

// Each box shows a loaded value longer than its typing limit whole, and the
// next save stores it unchanged.
TEST_F(LoanSavingTest, LoadedValuesAreNeverCutByABoxLimit) {
    WriteMain([](LoanData& d) {
        d.purchasePrice = 100000000;
        d.monthlyInsurance = 1234567;
        d.earnestMoney = 12345.5f;
        d.annualTaxes = 10000000;
        d.monthlyDues = 1000000;
    });
    ASSERT_EQ(Open(), LoadOutcome::Complete);
    const std::pair<int, const char*> shown[] = {
        {1, "100000000"}, {7, "1234567"}, {4, "12345.5"}, {6, "10000000"}, {5, "1000000"}};
    for (const auto& [box, text] : shown) EXPECT_EQ(Box(box)->text(), text) << "Text" << box;
    Type(3, "5");  // an unrelated change: 6.55 %
    Save()->trigger();
    const LoanData stored = OnDisk();
    EXPECT_EQ(stored.purchasePrice, 100000000);
    EXPECT_EQ(stored.monthlyInsurance, 1234567);
    EXPECT_EQ(stored.earnestMoney, 12345.5f);
    EXPECT_EQ(stored.annualTaxes, 10000000);
    EXPECT_EQ(stored.monthlyDues, 1000000);
}

TEST_F(LoanSavingTest, TheLimitsStopTypingOnly) {
    ASSERT_EQ(Open(), LoadOutcome::Complete);
    const std::pair<int, int> limits[] = {{1, 8}, {3, 6}, {4, 6}, {5, 6}, {6, 7}, {7, 6}};
    for (const auto& [box, limit] : limits) {
        EXPECT_EQ(TypingLimit::MaxLengthOf(Box(box)), limit) << "Text" << box;
        Box(box)->setFocus();
        Box(box)->selectAll();
        QTest::keyClick(Box(box), Qt::Key_Delete);
        const int beeps = platform.beeps;
        QTest::keyClicks(Box(box), QString(limit + 2, '1'));
        EXPECT_EQ(Box(box)->text(), QString(limit, '1')) << "Text" << box;
        EXPECT_EQ(platform.beeps, beeps + 2) << "every refused keystroke beeps";
    }
    EXPECT_EQ(TypingLimit::MaxLengthOf(Box(2)), 0) << "the down payment has no limit";

    // A longer loaded value can be shortened but not lengthened.
    Box(1)->setText("100000000");
    Box(1)->setFocus();
    Box(1)->end(false);
    QTest::keyClick(Box(1), '5');
    EXPECT_EQ(Box(1)->text(), "100000000");
    QTest::keyClick(Box(1), Qt::Key_Backspace);
    EXPECT_EQ(Box(1)->text(), "10000000");
    EXPECT_EQ(model.loanData.purchasePrice, 10000000);
}

struct TypeCase {
    const char* stored;
    int term;
    int arm;
    int expectedIndex;  // -1: no entry shown
    const char* shown;
    int expectedTerm;
};

void PrintTo(const TypeCase& c, std::ostream* os) {
    *os << '"' << c.stored << '"';
}

class LoadedTypeTest : public LoanSavingTest, public ::testing::WithParamInterface<TypeCase> {};

TEST_P(LoadedTypeTest, TheListShowsOnlyATypeItKnows) {
    const TypeCase& c = GetParam();
    WriteMain([&](LoanData& d) {
        d.mortgageTypeName = c.stored;
        d.termYears = static_cast<Integer>(c.term);
        d.isArm = static_cast<Integer>(c.arm);
    });
    ASSERT_EQ(Open(), LoadOutcome::Complete);
    auto* types = window->findChild<QComboBox*>("cmboMortgageType");
    EXPECT_EQ(types->currentIndex(), c.expectedIndex);
    EXPECT_EQ(types->currentText(), c.shown);
    EXPECT_EQ(model.loanData.termYears, c.expectedTerm);
    EXPECT_EQ(model.loanData.isArm, c.arm);
    EXPECT_FALSE(Save()->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(Names, LoadedTypeTest,
                         ::testing::Values(TypeCase{"15 Year / Fixed Conv", 15, 0, -1, "", 15},
                                           TypeCase{"Balloon 7", 7, 1, -1, "", 7},
                                           TypeCase{"15 YEAR / FIXED CONVENTIONAL", 30, 0, 2,
                                                    "15 Year / Fixed Conventional", 15}));

TEST_F(LoanSavingTest, SessionEndAsksTheCloseQuestion) {
    ASSERT_EQ(Open(), LoadOutcome::Complete);
    EXPECT_TRUE(window->CommitLoanData(true)) << "nothing unsaved: nothing asked";
    EXPECT_TRUE(platform.asked.empty());

    Type(5, "3");
    EXPECT_TRUE(window->CommitLoanData(false)) << "no questions allowed: nothing asked";
    EXPECT_TRUE(platform.asked.empty());

    platform.answers = {MsgAnswer::Cancel};
    EXPECT_FALSE(window->CommitLoanData(true)) << "Cancel: the session should not end";
    ASSERT_EQ(platform.asked.size(), 1u);
    EXPECT_EQ(platform.asked[0].text, kQuestion);
    EXPECT_EQ(platform.asked[0].buttons, MsgButtons::YesNoCancel);
    EXPECT_TRUE(Save()->isEnabled());

    platform.answers = {MsgAnswer::Yes};
    EXPECT_TRUE(window->CommitLoanData(true));
    EXPECT_EQ(OnDisk().monthlyDues, 3);
    EXPECT_FALSE(Save()->isEnabled());
    window->close();
    EXPECT_EQ(platform.asked.size(), 2u) << "closing afterwards asks nothing";
}

TEST_F(LoanSavingTest, SessionEndAnsweredNoClosesWithoutAskingAgain) {
    ASSERT_EQ(Open(), LoadOutcome::Complete);
    const QByteArray before = FileBytes("MAIN.DAT");
    Type(5, "3");
    platform.answers = {MsgAnswer::No};
    EXPECT_TRUE(window->CommitLoanData(true));
    window->close();
    EXPECT_EQ(platform.asked.size(), 1u);
    EXPECT_EQ(FileBytes("MAIN.DAT"), before);
}

}  // namespace
}  // namespace dovanel
