#include "ui/main/main_window.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "data/data_files.h"
#include "shell/platform.h"
#include "shell/typing_limit.h"
#include "tests/ui/recording_printer.h"
#include "tests/ui/ui_fixture.h"
#include "ui/screens.h"

namespace dovanel {
namespace {

class MainWindowTest : public test::WindowTest {
  protected:
    void Open() {
        window = std::make_unique<MainWindow>(test::DocumentOf(model));
        ASSERT_EQ(window->FormLoad(), LoadOutcome::Complete);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        QCoreApplication::processEvents();
    }
    QLineEdit* Box(int n) { return window->findChild<QLineEdit*>(QString("Text%1").arg(n)); }
    QString Label(const char* name) { return window->findChild<QLabel*>(name)->text(); }
    QAction* Action(const char* name) { return window->findChild<QAction*>(name); }
    bool FlagShown(const char* name) { return !window->findChild<QToolButton*>(name)->isHidden(); }
    void Retype(int n, const QString& keys) {
        Box(n)->setFocus();
        Box(n)->selectAll();
        QTest::keyClick(Box(n), Qt::Key_Delete);
        QTest::keyClicks(Box(n), keys);
    }
    void Leave(int n) {
        Box(n)->setFocus();
        QTest::keyClick(Box(n), Qt::Key_Tab);
        QCoreApplication::processEvents();
    }

    Model model;
    std::unique_ptr<MainWindow> window;
};

TEST_F(MainWindowTest, LoadFillsTheBoxesAndCountsAsSaved) {
    Open();
    EXPECT_EQ(window->windowTitle(), "Dovanel");
    EXPECT_EQ(Box(1)->text(), "425000");
    EXPECT_EQ(Box(2)->text(), "10.00");
    EXPECT_EQ(Box(3)->text(), "6.5");
    EXPECT_EQ(Box(6)->text(), "4675");
    auto* types = window->findChild<QComboBox*>("cmboMortgageType");
    ASSERT_EQ(types->count(),
              kOfferedMortgageTypeCount);  // the thirteen, then the government types
    for (int i = 0; i < kOfferedMortgageTypeCount; ++i)
        EXPECT_EQ(types->itemText(i), kOfferedMortgageTypes[i]);
    EXPECT_EQ(types->currentText(), "30 Year / Fixed Conventional");
    EXPECT_FALSE(Action("MenuFileSave")->isEnabled());
    EXPECT_EQ(Label("Label8"), "$382,500");
    EXPECT_EQ(Label("Label23_3"), "Enter Income");
    EXPECT_EQ(Label("Label23_16"), "$0") << "the first activation shows income as $#,##0";
    EXPECT_EQ(TypingLimit::MaxLengthOf(Box(1)), 8);
    EXPECT_EQ(TypingLimit::MaxLengthOf(Box(3)), 6);
    EXPECT_EQ(TypingLimit::MaxLengthOf(Box(6)), 7);
    EXPECT_TRUE(Box(1)->alignment() & Qt::AlignRight);
}

TEST_F(MainWindowTest, EveryKeystrokeRecalculatesTheWorkedExample) {
    Open();
    Retype(1, "");
    EXPECT_EQ(model.loanData.purchasePrice, 1) << "an empty price is one dollar";
    const char* price = "200000";
    for (int i = 0; i < 6; ++i) {
        QTest::keyClick(Box(1), price[i]);
        EXPECT_EQ(model.loanData.purchasePrice, QString(price).left(i + 1).toFloat());
    }
    Retype(2, "20");
    Retype(3, "7");
    EXPECT_EQ(Label("Label8"), "$160,000");
    EXPECT_EQ(Label("Label2"), "$1,064");
    EXPECT_EQ(Label("lblTotalInterest"), "$223,214");
    EXPECT_EQ(Label("Label9"), "80.0%");
    EXPECT_EQ(Label("Label5"), "$40,000.00");
    EXPECT_EQ(Label("Label22"), "Total Monthly Payment . . . . . . .");
    EXPECT_FALSE(FlagShown("RedFlagDownPayment"));
    Retype(2, "5");
    EXPECT_EQ(Label("Label22"), "Total Monthly Payment (w/PMI) . . .");
    EXPECT_TRUE(FlagShown("RedFlagDownPayment"));
    EXPECT_TRUE(window->findChild<QLabel*>("lblClickRedFlag")->isVisibleTo(window.get()));
}

TEST_F(MainWindowTest, ZeroPriceAndRateOnTypingAndOnLeaving) {
    Open();
    Retype(3, "");
    EXPECT_EQ(model.loanData.interestRate, 1.0f) << "100 % a year while the box is empty";
    EXPECT_TRUE(platform.asked.empty());
    Leave(3);
    ASSERT_EQ(platform.asked.size(), 1u);
    EXPECT_EQ(platform.asked[0].text, "You must enter a number, and it must be greater than 0.");
    EXPECT_EQ(platform.asked[0].icon, MsgIcon::None);
    EXPECT_EQ(model.loanData.interestRate, 0.01f) << "left empty it ends as 1 %";
    EXPECT_TRUE(Box(3)->hasFocus()) << "the focus is put back";
    QTest::keyClicks(Box(3), "6.5");

    Retype(1, "0");
    EXPECT_EQ(model.loanData.purchasePrice, 1);
    Leave(1);
    EXPECT_EQ(platform.asked.size(), 2u);
    EXPECT_TRUE(Box(1)->hasFocus());
    QTest::keyClicks(Box(1), "5");

    Retype(4, "0");
    Leave(4);
    EXPECT_EQ(platform.asked.size(), 2u) << "zero earnest money is fine";
}

TEST_F(MainWindowTest, DownPaymentIsCappedWithOneWarningPerKeystrokeAbove) {
    Open();
    Retype(2, "15");
    EXPECT_TRUE(platform.asked.empty());
    QTest::keyClick(Box(2), '0');
    ASSERT_EQ(platform.asked.size(), 1u);
    EXPECT_EQ(platform.asked[0].text, "Your Down Payment can not exceed 100% of the loan.");
    EXPECT_EQ(platform.asked[0].icon, MsgIcon::Warning);
    EXPECT_EQ(model.loanData.downPaymentRate, static_cast<float>(99.999 * 0.01));
    EXPECT_EQ(Box(2)->text(), "150") << "the box keeps what was typed";
    Leave(2);
    EXPECT_EQ(model.loanData.downPaymentRate, static_cast<float>(99.999f * 0.01));
    EXPECT_EQ(platform.asked.size(), 1u) << "no second message on leaving";
}

TEST_F(MainWindowTest, OnlyNumbersCanBeTyped) {
    Open();
    Retype(4, "1a2-b.5");
    EXPECT_EQ(Box(4)->text(), "12-.5");
    auto* types = window->findChild<QComboBox*>("cmboMortgageType");
    types->setFocus();
    QTest::keyClicks(types, "xyz");
    EXPECT_EQ(types->currentText(), "30 Year / Fixed Conventional");
}

TEST_F(MainWindowTest, PastedHugeNumberLeavesTheFieldAsItWas) {
    Open();
    // Only the down payment takes that many digits; a negative one is not capped.
    Box(2)->setText("-" + QString(400, '9'));
    EXPECT_EQ(model.loanData.downPaymentRate, 0.1f);
    EXPECT_EQ(Label("Label8"), "$382,500");
}

TEST_F(MainWindowTest, EnterMovesAlongTheTabOrder) {
    Open();
    Box(1)->setFocus();
    const char* order[] = {"Text2", "Text3", "Text4", "Text7", "Text6", "Text5", "cmboMortgageType",
                           "Text1"};
    for (const char* next : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        ASSERT_TRUE(QApplication::focusWidget());
        EXPECT_EQ(QApplication::focusWidget()->objectName(), next);
    }
}

TEST_F(MainWindowTest, TypeChoiceSetsTermAndArm) {
    Open();
    auto* types = window->findChild<QComboBox*>("cmboMortgageType");
    types->setCurrentText("30 Year / 5 Year Adjustable (5/25)");
    EXPECT_EQ(model.loanData.termYears, 30);
    EXPECT_EQ(model.loanData.isArm, 0);
    types->setCurrentText("30 Year / 6 Month Adjustable (ARM)");
    EXPECT_EQ(model.loanData.isArm, 1);
    types->setCurrentText("15 Year / Fixed VA");
    EXPECT_EQ(model.loanData.termYears, 15);
    EXPECT_EQ(Label("Label22"), "Total Monthly Payment . . . . . . .") << "VA carries no PMI";
    EXPECT_TRUE(Action("MenuFileSave")->isEnabled());
}

TEST_F(MainWindowTest, SaveStateAndTheExitQuestion) {
    Open();
    window->close();
    EXPECT_TRUE(platform.asked.empty()) << "nothing changed: nothing asked";

    Open();
    QTest::keyClick(Box(5), '5');
    EXPECT_TRUE(Action("MenuFileSave")->isEnabled());
    platform.answers = {MsgAnswer::No};
    window->close();
    ASSERT_EQ(platform.asked.size(), 1u);
    EXPECT_EQ(platform.asked[0].text, "Save changes made to the Borrower's Loan Data?");
    EXPECT_EQ(platform.asked[0].title, "Save Changes");
    EXPECT_EQ(platform.asked[0].buttons, MsgButtons::YesNo);
    Model onDisk;
    DataError error;
    ASSERT_TRUE(LoadDataFile(DataFile::Main, onDisk, App().dataFolder.toStdString(), error));
    EXPECT_EQ(onDisk.loanData.monthlyDues, 0);

    Open();
    QTest::keyClick(Box(5), '7');
    platform.answers = {MsgAnswer::Yes};
    window->close();
    ASSERT_TRUE(LoadDataFile(DataFile::Main, onDisk, App().dataFolder.toStdString(), error));
    EXPECT_EQ(onDisk.loanData.monthlyDues, 7);
}

TEST_F(MainWindowTest, SaveOnAReadOnlyFileIsReportedAndChangesNothing) {
    Open();
    QFile::setPermissions(DataFile("MAIN.DAT"), QFileDevice::ReadOwner);
    QFile before(DataFile("MAIN.DAT"));
    ASSERT_TRUE(before.open(QIODevice::ReadOnly));
    const QByteArray original = before.readAll();
    QTest::keyClick(Box(5), '9');
    Action("MenuFileSave")->trigger();
    EXPECT_TRUE(Action("MenuFileSave")->isEnabled()) << "still unsaved";
    ASSERT_EQ(platform.asked.size(), 1u);
    EXPECT_TRUE(platform.asked[0].text.contains(DataFile("MAIN.DAT")));
    EXPECT_TRUE(platform.asked[0].text.contains("Permission denied"));
    QFile after(DataFile("MAIN.DAT"));
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), original);
}

TEST_F(MainWindowTest, ActivationRefreshesIncomeDebtCaptionsAndResults) {
    Open();
    model.loanData.monthlyIncome = 9000;
    model.loanData.monthlyDebt = 1250;
    model.guidelineRatios.firstRatioUpTo90 = 0.31f;
    window->Form_Activate();
    EXPECT_EQ(Label("Label23_16"), "$9,000");
    EXPECT_EQ(Label("Label23_0"), "$1,250");
    EXPECT_EQ(Label("lblFirstRatio"), "First  <31%");
    EXPECT_NE(Label("Label23_3"), "Enter Income");
}

TEST_F(MainWindowTest, RedFlagsAndExplanationsCarryLiveValues) {
    Open();
    Retype(1, "1000000");
    window->findChild<QToolButton*>("RedFlagLoanAmount")->click();
    ASSERT_EQ(platform.asked.size(), 1u);
    EXPECT_EQ(platform.asked[0].title, "Jumbo Loan");
    EXPECT_TRUE(platform.asked[0].text.startsWith(
        "Loan Amounts in excess of $832,750 incur 'Jumbo' interest rates."));
    EXPECT_EQ(platform.asked[0].icon, MsgIcon::Warning);

    window->findChild<QToolButton*>("RedFlagFirstRatio")->click();
    EXPECT_EQ(platform.asked.back().title, "1st Qualifying Ratio Exceeded");
    EXPECT_TRUE(platform.asked.back().text.contains(
        "be no more than 28% of your monthly gross (before tax) income.\r\r"));

    window->findChild<QToolButton*>("infoMonthlyIncomeRequired")->click();
    EXPECT_EQ(platform.asked.back().title, "Minimum Monthly Income Required");
    EXPECT_TRUE(platform.asked.back().text.contains(
        "may not exceed 28% of the borrower's Monthly Income."));
    EXPECT_EQ(platform.asked.back().icon, MsgIcon::Information);

    window->findChild<QToolButton*>("infoTotalMonthlyPayment")->click();
    EXPECT_TRUE(platform.asked.back().text.contains("Under the current scenario, $"));
    EXPECT_TRUE(platform.asked.back().text.contains(
        " of PMI is being added to your \"Total Monthly Payment\" "
        "calculation.\r\r\rNOTE:"));

    window->findChild<QToolButton*>("infoMortgageType")->click();
    window->findChild<QToolButton*>("infoQualifyingRatios")->click();
    EXPECT_EQ(help.topics, (QList<int>{10, 15}));
}

TEST_F(MainWindowTest, MenusCarryTheirCaptionsAndShortcuts) {
    Open();
    EXPECT_EQ(window->findChild<QMenu*>("mnuHelp")->title(), "  &Help");
    EXPECT_EQ(Action("MenuFilePrint")->shortcut(), QKeySequence("Ctrl+P"));
    EXPECT_EQ(Action("mnuAmortize2")->shortcut(), QKeySequence("Ctrl+A"));
    EXPECT_EQ(Action("mnuFileViewItem")->text(), "Financing Estimate (\"Good Faith Estimate\")");
    EXPECT_FALSE(Action("mnuMortgageComparisons")->isEnabled());
    EXPECT_FALSE(Action("mnuLenderInformation")->isEnabled());
    QTest::keyClick(Box(1), Qt::Key_F1);
    EXPECT_EQ(help.topics, QList<int>{1});
}

TEST_F(MainWindowTest, TheWindowKeepsItsSize) {
    Open();
    const QSize size = window->size();
    window->resize(size.width() + 100, size.height() - 50);
    QCoreApplication::processEvents();
    EXPECT_EQ(window->size(), size);
}

TEST_F(MainWindowTest, MissingDataFileEndsTheLoad) {
    QFile::remove(DataFile("PMI.DAT"));
    MainWindow w(test::DocumentOf(model));
    EXPECT_EQ(w.FormLoad(), LoadOutcome::MissingFile);
    ASSERT_EQ(platform.asked.size(), 1u);
    EXPECT_EQ(platform.asked[0].title, "Missing File");
    EXPECT_EQ(platform.asked[0].icon, MsgIcon::Critical);
    EXPECT_TRUE(platform.asked[0].text.startsWith("The following data file was missing: " +
                                                  DataFile("PMI.DAT")));
}

}  // namespace
}  // namespace dovanel

namespace dovanel {
namespace {

// The menus reach the screens, and closing one refreshes the main window.
class MenuTest : public MainWindowTest {
  protected:
    void SetUp() override {
        Open();
        RegisterScreens(*window);
    }
    // Runs `inside` on the modal window the menu entry opens, then closes it with `button`.
    void Choose(const char* entry, const char* form, std::function<void(QWidget&)> inside,
                const char* button) {
        QTimer::singleShot(0, [=] {
            QWidget* screen = QApplication::activeModalWidget();
            ASSERT_TRUE(screen);
            EXPECT_EQ(screen->objectName(), form);
            inside(*screen);
            screen->findChild<QAbstractButton*>(button)->click();
        });
        Action(entry)->trigger();
        QCoreApplication::processEvents();
    }
};

TEST_F(MenuTest, AGuidelineChangeReachesTheResults) {
    Choose(
        "mnuFanMae", "FanieMae",
        [](QWidget& w) { w.findChild<QLineEdit*>("Text2")->setText("31"); }, "BtnOk");
    QTest::qWait(50);  // the main window is active again
    EXPECT_EQ(Label("lblFirstRatio"), "First  <31%");
}

TEST_F(MenuTest, PrintFromTheFileMenuPrintsTheEstimateAndClosesIt) {
    test::RecordingPrinter printer;
    platform.printer = &printer;
    platform.answers = {MsgAnswer::Ok};
    Action("MenuFilePrint")->trigger();
    EXPECT_TRUE(printer.ended);
    EXPECT_TRUE(printer.Lines().contains("GOOD FAITH ESTIMATE"));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    for (QWidget* top : QApplication::topLevelWidgets())
        EXPECT_FALSE(top->objectName() == "PrintScreen" && top->isVisible());
}

TEST_F(MenuTest, EveryScreenEntryIsLive) {
    for (const char* entry :
         {"mnuIncome2", "mnuDebt2", "mnuAmortize2", "mnuFileViewItem", "mnuAmortize4",
          "mnuFileValues3", "mnuFanMae", "mnuFileValues1", "mnuFileValues5", "mnuFileValues4",
          "mnuFileValues2", "MenuFilePrint"})
        EXPECT_TRUE(Action(entry)->isEnabled()) << entry;
}

}  // namespace
}  // namespace dovanel
