#include "ui/afford/afford_window.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "engine/format_value.h"
#include "engine/recalculate.h"
#include "tests/engine/sample_model.h"
#include "tests/ui/recording_printer.h"
#include "tests/ui/ui_fixture.h"
#include "ui/afford/afford_report.h"
#include "ui/main/main_window.h"
#include "ui/screens.h"

namespace dovanel {
namespace {

class AffordTest : public test::WindowTest {
  protected:
    AffordTest() {
        LoadInstalled(model);
        model.loanData.monthlyIncome = 9000;
        model.loanData.monthlyDebt = 450;
        Recalculate(model);
    }
    void Open() {
        window = std::make_unique<AffordWindow>(test::DocumentOf(model));
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    QString Text(const char* label) const { return window->findChild<QLabel*>(label)->text(); }
    template <typename W = QPushButton>
    W* Control(const char* name) const {
        return window->findChild<W*>(name);
    }
    QTableWidget* Table() const { return Control<QTableWidget>("tblSensitivity"); }
    Affordability Expected(const AffordabilityOptions& options = {}) const {
        return MaxAffordablePrice(model, options);
    }

    Model model;
    std::unique_ptr<AffordWindow> window;
};

TEST_F(AffordTest, ShowsTheAnswerOfTheEngine) {
    Open();
    Screenshot(window.get(), "afford");
    EXPECT_EQ(window->windowTitle(), "What Can I Afford?");
    EXPECT_EQ(window->objectName(), "Afford");
    EXPECT_TRUE(Control<QCheckBox>("chkScale")->isChecked());
    EXPECT_FALSE(Control<QCheckBox>("chkConforming")->isChecked());
    EXPECT_EQ(Control<QLineEdit>("txtCash")->text(), "");
    const Affordability a = Expected();
    ASSERT_EQ(a.outcome, AffordOutcome::Found);
    EXPECT_EQ(Text("lblMaxPrice"), QString::fromStdString(AffordPriceText(a)));
    EXPECT_TRUE(QRegularExpression("^\\$\\d{3},\\d{3}$").match(Text("lblMaxPrice")).hasMatch())
        << Text("lblMaxPrice").toStdString();
    EXPECT_EQ(Text("lblMaxLoan"), QString::fromStdString(AffordLoanText(a)));
    EXPECT_TRUE(Text("lblMaxPayment").contains(QRegularExpression("^\\$[\\d,]+\\.\\d\\d$")));
    EXPECT_TRUE(Text("lblMaxCash").contains(QRegularExpression("^\\$[\\d,]+\\.\\d\\d$")));
    EXPECT_EQ(Text("lblBinding"), "First ratio (28%)");
    EXPECT_TRUE(Control("BtnUsePrice")->isEnabled());
}

TEST_F(AffordTest, OptionsUpdateTheAnswerAsTheyChange) {
    Open();
    const QString free = Text("lblMaxPrice");
    QLineEdit* cash = Control<QLineEdit>("txtCash");
    QTest::keyClicks(cash, "3x0000");
    EXPECT_EQ(cash->text(), "30000") << "only numbers can be typed";
    AffordabilityOptions options;
    options.limitCash = true;
    options.cashAvailable = 30000;
    EXPECT_EQ(Text("lblMaxPrice"), QString::fromStdString(AffordPriceText(Expected(options))));
    EXPECT_EQ(Text("lblBinding"), "Cash available");
    EXPECT_NE(Text("lblMaxPrice"), free);
    cash->clear();
    EXPECT_EQ(Text("lblMaxPrice"), free) << "an empty box is no limit";

    Control<QCheckBox>("chkScale")->setFocus();
    QTest::keyClick(Control<QCheckBox>("chkScale"), Qt::Key_Space);
    EXPECT_FALSE(Control<QCheckBox>("chkScale")->isChecked());
    options = {};
    options.scaleTaxesAndInsurance = false;
    EXPECT_EQ(Text("lblMaxPrice"), QString::fromStdString(AffordPriceText(Expected(options))));

    model.loanData.monthlyIncome = 40000;  // a jumbo loan unless the limit is asked for
    Control<QCheckBox>("chkConforming")->click();
    EXPECT_EQ(Text("lblBinding"), "Conforming loan limit");
}

TEST_F(AffordTest, EdgeAnswersStandInThePricesPlace) {
    model.loanData.monthlyIncome = kIncomeNotEntered;
    Open();
    EXPECT_EQ(Text("lblMaxPrice"), "Enter the monthly income first.");
    EXPECT_EQ(Text("lblMaxLoan"), "");
    EXPECT_EQ(Text("lblBinding"), "");
    EXPECT_FALSE(Control("BtnUsePrice")->isEnabled());
    EXPECT_EQ(Table()->item(2, 2)->text(), "");

    model.loanData.monthlyIncome = 4000;
    model.loanData.monthlyDebt = 1800;
    Control<QCheckBox>("chkScale")->click();
    EXPECT_TRUE(Text("lblMaxPrice")
                    .startsWith("No price qualifies: the monthly debts alone take "
                                "45.0% of the monthly income"));
    EXPECT_FALSE(Control("BtnUsePrice")->isEnabled());
    Screenshot(window.get(), "afford_no_price");
}

TEST_F(AffordTest, TableOfRatesAndDownPayments) {
    Open();
    QTableWidget* table = Table();
    ASSERT_EQ(table->rowCount(), 5);
    ASSERT_EQ(table->columnCount(), 4) << "today's 10 % is the 10 % column, not a fifth";
    EXPECT_EQ(table->verticalHeaderItem(0)->text(), "5.5%");
    EXPECT_EQ(table->verticalHeaderItem(2)->text(), "6.5%");
    EXPECT_EQ(table->verticalHeaderItem(4)->text(), "7.5%");
    EXPECT_EQ(table->horizontalHeaderItem(0)->text(), "3.5% down");
    EXPECT_EQ(table->horizontalHeaderItem(3)->text(), "20.0% down");
    EXPECT_EQ(table->horizontalHeaderItem(2)->text(), "Today 10.0%");
    QTableWidgetItem* today = table->item(2, 2);
    EXPECT_EQ(today->text(), Text("lblMaxPrice"));
    EXPECT_NE(today->background(), table->item(2, 3)->background());
    EXPECT_EQ(today->toolTip(),
              "Total monthly payment " + Text("lblMaxPayment") + "; decided by: First ratio (28%)");
    EXPECT_EQ(table->item(0, 3)->toolTip().left(22), "Total monthly payment ");
    EXPECT_FALSE(table->item(0, 0)->flags() & Qt::ItemIsEditable);

    model.loanData.interestRate = 0.004f;
    Control<QCheckBox>("chkConforming")->click();
    EXPECT_EQ(table->rowCount(), 3) << "rates below 0.001 % are left out";
    EXPECT_EQ(table->verticalHeaderItem(0)->text(), "0.4%");
}

// The chosen cell's payment and deciding limit stand under the table, for the
// keyboard as for the mouse; at first the cell is today's loan.
TEST_F(AffordTest, TheLineUnderTheTableFollowsTheChosenCell) {
    Open();
    QTableWidget* table = Table();
    QLabel* detail = window->findChild<QLabel*>("lblCellDetail");
    ASSERT_TRUE(detail);
    const AffordabilityTable t = AffordabilitySensitivity(model, {});
    auto reading = [&](int r, int c) { return QString::fromStdString(AffordCellReading(t, r, c)); };
    EXPECT_EQ(detail->text(), reading(2, 2));
    EXPECT_TRUE(detail->text().contains("today's loan"));
    EXPECT_TRUE(detail->text().contains("Total monthly payment " + Text("lblMaxPayment")));
    EXPECT_TRUE(detail->isVisible());

    table->setFocus(Qt::TabFocusReason);
    QTest::keyClick(table, Qt::Key_Up);
    QTest::keyClick(table, Qt::Key_Left);
    EXPECT_EQ(detail->text(), reading(1, 1)) << "the arrow keys choose a cell";
    EXPECT_TRUE(detail->text().startsWith("6.0% rate, 5.0% down: $"));
    EXPECT_TRUE(table->item(1, 1)->isSelected()) << "the chosen cell shows as chosen";

    const QRect cell = table->visualItemRect(table->item(4, 0));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(detail->text(), reading(4, 0)) << "a click chooses a cell too";

    Control<QCheckBox>("chkConforming")->click();
    EXPECT_EQ(table->currentRow(), 4) << "a change of the options keeps the chosen cell";
    EXPECT_EQ(detail->text(), QString::fromStdString(AffordCellReading(
                                  AffordabilitySensitivity(model, window->Options()), 4, 0)));
}

// Today's down payment as one of the fixed columns: no fifth column repeats it
// cell for cell; that column is today's, in words as well as in colour.
TEST_F(AffordTest, TodaysDownPaymentAsAFixedColumnIsMarkedNotRepeated) {
    test::SetLoan(model, 425000, 0.2f, 0.065f, 0);
    Recalculate(model);
    Open();
    QTableWidget* table = Table();
    ASSERT_EQ(table->columnCount(), 4);
    EXPECT_EQ(table->horizontalHeaderItem(3)->text(), "Today 20.0%");
    EXPECT_EQ(table->horizontalHeaderItem(2)->text(), "10.0% down");
    QTableWidgetItem* today = table->item(2, 3);
    EXPECT_EQ(today->text(), Text("lblMaxPrice"));
    EXPECT_TRUE(today->font().underline()) << "not by colour alone";
    EXPECT_NE(today->background(), table->item(2, 2)->background());
    EXPECT_TRUE(window->findChild<QLabel*>("lblCellDetail")->text().contains("today's loan"));
}

TEST_F(AffordTest, KeyboardFocusEnterAndSpace) {
    Open();
    EXPECT_EQ(QApplication::focusWidget(), Control<QLineEdit>("txtCash"));
    for (QPushButton* button : window->findChildren<QPushButton*>()) {
        EXPECT_FALSE(button->autoDefault()) << button->objectName().toStdString();
        EXPECT_FALSE(button->isDefault()) << button->objectName().toStdString();
    }
    for (QWidget* control : window->findChildren<QWidget*>()) {
        const QString name = control->objectName();
        if (control->focusPolicy() == Qt::NoFocus || name.isEmpty() || name.startsWith("qt_"))
            continue;
        EXPECT_FALSE(control->accessibleName().isEmpty()) << name.toStdString();
    }
    EXPECT_EQ(window->findChild<QLabel*>("lblMaxPrice")->accessibleName(),
              "Maximum purchase price: " + Text("lblMaxPrice"));

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), Control<QCheckBox>("chkConforming")) << "Enter moves on";
    EXPECT_TRUE(window->isVisible());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    EXPECT_EQ(help.topics, QList<int>{kAffordHelpTopic});

    Control("BtnPrint")->setFocus();
    QTest::keyClick(Control("BtnPrint"), Qt::Key_Return);
    EXPECT_EQ(platform.printerDialogs, 1) << "Enter presses the focused button";
    QTest::keyClick(Control("BtnPrint"), Qt::Key_Space);
    EXPECT_EQ(platform.printerDialogs, 2);
    EXPECT_TRUE(window->isVisible());
    Control("BtnClose")->setFocus();
    QTest::keyClick(Control("BtnClose"), Qt::Key_Space);
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(QFileInfo::exists(App().helpFile + "topic70.html"));
}

TEST_F(AffordTest, PrintsAOnePageSummary) {
    test::RecordingPrinter printer;
    platform.printer = &printer;
    Open();
    Control("BtnPrint")->click();
    ASSERT_TRUE(printer.ended);
    EXPECT_EQ(printer.pages, 1);
    const QStringList lines = printer.Lines();
    EXPECT_EQ(printer.Find("What Can I Afford?")->size, 18);
    EXPECT_TRUE(lines.contains("Mortgage Type:  30 Year / Fixed Conventional"));
    EXPECT_TRUE(lines.contains("Monthly Income | $9,000.00 | Monthly Debt | $450.00"));
    EXPECT_TRUE(lines.contains("Down Payment | 10.00% | Interest Rate | 6.50%") ||
                lines.contains("Down Payment | 10.00% | Interest Rate | 6.500%"))
        << lines.join("\n").toStdString();
    EXPECT_TRUE(lines.contains("Maximum Purchase Price | " + Text("lblMaxPrice") +
                               " | Loan Amount | " + Text("lblMaxLoan")));
    EXPECT_TRUE(lines.contains("Decided By | First ratio (28%)"));
    EXPECT_TRUE(lines.contains("Rate | 3.5% down | 5.0% down | Today 10.0% | 20.0% down"));
    const QStringList row = lines.filter(QRegularExpression("^6\\.5% \\| "));
    ASSERT_EQ(row.size(), 1);
    EXPECT_EQ(row[0].split(" | ").value(3), Text("lblMaxPrice")) << "today's column";
    int italics = 0;
    for (const auto& t : printer.printed) italics += t.italic && t.text == Text("lblMaxPrice");
    EXPECT_EQ(italics, 1) << "today's cell";
    EXPECT_TRUE(platform.asked.empty());
}

TEST_F(AffordTest, PrintsToAPdf) {
    QTemporaryDir dir;
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(dir.path() + "/afford.pdf");
    QtPagePrinter pdf(std::move(printer));
    platform.printer = &pdf;
    Open();
    Control("BtnPrint")->click();
    QProcess text;
    text.start("pdftotext", {"-layout", dir.path() + "/afford.pdf", "-"});
    text.waitForFinished(10000);
    const QString out = QString::fromUtf8(text.readAllStandardOutput());
    const QString keep = qEnvironmentVariable("DOVANEL_SCREENSHOTS");
    if (!keep.isEmpty()) QFile::copy(dir.path() + "/afford.pdf", keep + "/afford.pdf");
    EXPECT_TRUE(out.contains("What Can I Afford?"));
    EXPECT_TRUE(out.contains(Text("lblMaxPrice")));
    EXPECT_TRUE(out.contains("Decided By"));
}

// ---- from the main window ----------------------------------------------------

class AffordMenuTest : public test::WindowTest {
  protected:
    void SetUp() override {
        main = std::make_unique<MainWindow>(test::DocumentOf(model));
        ASSERT_EQ(main->FormLoad(), LoadOutcome::Complete);
        RegisterScreens(*main);
        main->show();
        main->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
        QCoreApplication::processEvents();
        model.loanData.monthlyIncome = 12000;
        model.loanData.monthlyDebt = 300;
        main->Form_Activate();
    }
    // Opens the window from the Tools menu and presses `button` in it.
    QString Choose(const char* button) {
        QString price;
        QTimer::singleShot(0, [&] {
            QWidget* screen = QApplication::activeModalWidget();
            ASSERT_TRUE(screen);
            EXPECT_EQ(screen->objectName(), "Afford");
            price = screen->findChild<QLabel*>("lblMaxPrice")->text();
            screen->findChild<QPushButton*>(button)->click();
        });
        main->findChild<QAction*>("mnuAfford")->trigger();
        QCoreApplication::processEvents();
        return price;
    }
    QAction* Save() { return main->findChild<QAction*>("MenuFileSave"); }

    Model model;
    std::unique_ptr<MainWindow> main;
};

TEST_F(AffordMenuTest, TheToolsEntryFollowsTheInterestPaidEntry) {
    QAction* entry = main->findChild<QAction*>("mnuAfford");
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->text(), "What Can I &Afford? ...");
    EXPECT_TRUE(entry->isEnabled());
    QStringList names;
    for (QAction* a : main->findChild<QMenu*>("MenuTools")->actions())
        names.append(a->objectName());
    EXPECT_GT(names.indexOf("mnuAfford"), names.indexOf("mnuAmortize4"));
    EXPECT_LT(names.indexOf("mnuAfford"), names.indexOf("MenuToolsHashComplete"));
}

TEST_F(AffordMenuTest, OpeningAndClosingChangesNothing) {
    const LoanData before = model.loanData;
    const LoanResults results = model.loanResults;
    const QByteArray mainDat = FileBytes("MAIN.DAT");
    Choose("BtnClose");
    EXPECT_FALSE(Save()->isEnabled());
    EXPECT_EQ(model.loanData.purchasePrice, before.purchasePrice);
    EXPECT_EQ(model.loanData.annualTaxes, before.annualTaxes);
    EXPECT_EQ(model.loanData.monthlyInsurance, before.monthlyInsurance);
    EXPECT_EQ(model.loanResults.totalMonthlyPayment, results.totalMonthlyPayment);
    EXPECT_EQ(FileBytes("MAIN.DAT"), mainDat);
    EXPECT_EQ(main->findChild<QLineEdit*>("Text1")->text(), "425000");
}

TEST_F(AffordMenuTest, UseThisPriceTypesItIntoThePurchasePrice) {
    const QString shown = Choose("BtnUsePrice");
    QString digits = shown;
    digits.remove('$').remove(',');
    EXPECT_EQ(main->findChild<QLineEdit*>("Text1")->text(), digits);
    EXPECT_EQ(model.loanData.purchasePrice, digits.toFloat());
    EXPECT_TRUE(Save()->isEnabled());
    EXPECT_EQ(model.loanResults.loanAmount, static_cast<Single>(digits.toDouble() * 0.9));
    EXPECT_TRUE(main->findChild<QToolButton*>("RedFlagFirstRatio")->isHidden())
        << "the answer qualifies on the main window too";
    EXPECT_TRUE(main->findChild<QToolButton*>("RedFlagSecondRatio")->isHidden());
}

// The main window shows exactly the payment and ratios the window promised:
// with the taxes and insurance growing with the price, they are carried too.
TEST_F(AffordMenuTest, UseThisPriceCarriesWhatThePromiseWasMadeWith) {
    model.loanData.monthlyIncome = 15000;
    main->Form_Activate();
    for (const bool scale : {true, false}) {
        SCOPED_TRACE(scale ? "taxes and insurance grow" : "taxes and insurance stay");
        const LoanData before = model.loanData;
        AffordabilityOptions options;
        options.scaleTaxesAndInsurance = scale;
        const Affordability promised = MaxAffordablePrice(model, options);
        ASSERT_EQ(promised.outcome, AffordOutcome::Found);
        ASSERT_GT(promised.price, before.purchasePrice * 1.2) << "a price far from today's";
        QTimer::singleShot(0, [&] {
            QWidget* screen = QApplication::activeModalWidget();
            ASSERT_TRUE(screen);
            auto* box = screen->findChild<QCheckBox*>("chkScale");
            if (box->isChecked() != scale) box->click();
            screen->findChild<QPushButton*>("BtnUsePrice")->click();
        });
        main->findChild<QAction*>("mnuAfford")->trigger();
        QCoreApplication::processEvents();
        EXPECT_EQ(model.loanData.purchasePrice, static_cast<Single>(promised.price));
        EXPECT_EQ(model.loanData.annualTaxes, promised.loan.annualTaxes);
        EXPECT_EQ(model.loanData.monthlyInsurance, promised.loan.monthlyInsurance);
        if (!scale) {
            EXPECT_EQ(model.loanData.annualTaxes, before.annualTaxes) << "only the price";
            EXPECT_EQ(model.loanData.monthlyInsurance, before.monthlyInsurance);
        }
        EXPECT_EQ(model.loanResults.totalMonthlyPayment, promised.results.totalMonthlyPayment);
        EXPECT_EQ(RatiosOf(model).first, promised.firstRatio);
        EXPECT_EQ(RatiosOf(model).second, promised.secondRatio);
        EXPECT_TRUE(main->findChild<QToolButton*>("RedFlagFirstRatio")->isHidden());
        EXPECT_TRUE(main->findChild<QToolButton*>("RedFlagSecondRatio")->isHidden());
        // The carried amounts are ordinary entries: typed over, they are the user's again.
        auto* taxes = main->findChild<QLineEdit*>("Text6");
        EXPECT_EQ(static_cast<Single>(LeadingNumber(taxes->text().toStdString())),
                  model.loanData.annualTaxes);
        taxes->setText(QString::number(before.annualTaxes));
        main->findChild<QLineEdit*>("Text7")->setText(QString::number(before.monthlyInsurance));
        main->findChild<QLineEdit*>("Text1")->setText(QString::number(before.purchasePrice));
        EXPECT_EQ(model.loanData.annualTaxes, before.annualTaxes);
    }
}

// The help page says where the ratio limits come from: no pair is "stricter"
// by itself, it is whatever the guideline editor holds.
TEST_F(AffordTest, HelpSaysTheLimitsAreTheGuidelineEditorsOwn) {
    QFile page(HelpTopicPath(App().helpFile, kAffordHelpTopic));
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(page.readAll()).simplified();
    EXPECT_FALSE(text.contains("stricter pair of limits applies"));
    EXPECT_TRUE(text.contains(
        "The limits are the ones held by Tools, \"Change the Fannie Mae Guideline Values\""));
    EXPECT_FALSE(text.contains("Only the price is changed there"));
}

}  // namespace
}  // namespace dovanel
