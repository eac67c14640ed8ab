#include "ui/estimate/loan_estimate_window.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include "engine/recalculate.h"
#include "tests/engine/sample_model.h"
#include "tests/ui/recording_printer.h"
#include "tests/ui/ui_fixture.h"
#include "ui/document/scenario_document.h"
#include "ui/estimate/loan_estimate_report.h"
#include "ui/printing/printing.h"

namespace dovanel {
namespace {

class LoanEstimateTest : public test::WindowTest {
  protected:
    LoanEstimateTest() : model(test::EstimateSampleModel()) {}
    void Open() {
        window = std::make_unique<LoanEstimateWindow>(test::DocumentOf(model));
        window->SetToday(QDate(2024, 5, 10));
        window->show();
    }
    QString Text(const char* label) const { return window->findChild<QLabel*>(label)->text(); }
    QTableWidget* Fees() const { return window->findChild<QTableWidget*>("tblFees"); }
    ScenarioDocument& Document() { return test::DocumentOf(model); }

    Model model;
    std::unique_ptr<LoanEstimateWindow> window;
};

TEST_F(LoanEstimateTest, ShowsTheFormsFiguresAndOpeningChangesNothing) {
    const std::string before = model.estimate.fees[3].name;
    Open();
    const std::pair<const char*, const char*> shown[] = {
        {"lblLoanAmount", "$162,000"},
        {"lblMonthlyPI", "$761.78"},
        {"lblClosingCosts", "$8,054"},
        {"lblCashToClose", "$16,054"},
        {"lblSectionA", "$1,802"},
        {"lblSectionD", "$5,672"},
        {"lblSectionG", "$413"},
        {"lblSectionJ", "$8,054"},
        {"lblInFiveYearsTotal", "$56,581"},
        {"lblInFiveYearsPrincipal", "$15,773"},
        {"lblTip", "69.448%"},
    };
    for (const auto& [name, text] : shown) EXPECT_EQ(Text(name), text) << name;
    EXPECT_EQ(Text("lblApr"), QString::fromStdString(window->form().apr));
    EXPECT_TRUE(Text("lblApr").endsWith('%'));
    // A figure is read out with its caption and its value.
    EXPECT_EQ(window->findChild<QLabel*>("lblSectionJ")->accessibleName(),
              "J. TOTAL CLOSING COSTS, $8,054");
    EXPECT_EQ(window->findChild<QLabel*>("lblApr")->accessibleName(),
              "Annual Percentage Rate (APR), " + Text("lblApr"));
    auto* projected = window->findChild<QTableWidget*>("tblProjectedPayments");
    ASSERT_EQ(projected->columnCount(), 3);
    EXPECT_EQ(projected->item(3, 1)->text(), "$1,050");
    EXPECT_EQ(projected->item(3, 2)->text(), "$968");
    EXPECT_EQ(Fees()->rowCount(), 17);
    EXPECT_EQ(model.estimate.fees[3].name, before);
    EXPECT_EQ(model.estimate.closingDate, "2024-05-17");
    EXPECT_FALSE(Document().IsModified());
}

TEST_F(LoanEstimateTest, EditingAFeeChangesTheDocumentAndItsSection) {
    Open();
    Fees()->item(3, 1)->setText("505");  // appraisal, section B
    EXPECT_EQ(model.estimate.fees[3].amount, 505.0f);
    EXPECT_EQ(Text("lblSectionB"), "$772");
    EXPECT_EQ(Text("lblSectionJ"), "$8,154");
    EXPECT_TRUE(Document().IsModified());
    qobject_cast<QComboBox*>(Fees()->cellWidget(3, 2))->setCurrentIndex(2);  // to C
    EXPECT_EQ(model.estimate.fees[3].section, EstimateSection::kC);
    EXPECT_EQ(Text("lblSectionB"), "$267");
    EXPECT_EQ(Text("lblSectionC"), "$3,703");
    Fees()->item(3, 3)->setCheckState(Qt::Checked);
    EXPECT_EQ(model.estimate.fees[3].financeCharge, 1);
}

TEST_F(LoanEstimateTest, BadFeeAmountsAreRefusedWithAMessage) {
    Open();
    for (const char* bad : {"12a", "-40", "lots"}) {
        Fees()->item(3, 1)->setText(bad);
        EXPECT_EQ(model.estimate.fees[3].amount, 405.0f) << bad;
        EXPECT_TRUE(window->findChild<QLabel*>("lblError")->isVisibleTo(window.get())) << bad;
        EXPECT_FALSE(Text("lblError").isEmpty()) << bad;
        EXPECT_EQ(Fees()->item(3, 1)->text(), "405.00") << bad;
        EXPECT_EQ(Text("lblSectionB"), "$672") << bad;
    }
    EXPECT_FALSE(Document().IsModified());
}

TEST_F(LoanEstimateTest, AddAndRemoveFees) {
    Open();
    window->AddFee();
    EXPECT_EQ(Fees()->rowCount(), 18);
    EXPECT_EQ(window->focusWidget(), Fees());  // on the new fee's name, ready to type
    EXPECT_EQ(Fees()->currentRow(), 17);
    EXPECT_EQ(model.estimate.fees[17].name, "New fee");
    Fees()->item(17, 1)->setText("100");
    EXPECT_EQ(Text("lblSectionH"), "$1,117");
    window->RemoveFee(0);  // the points: the others move up
    EXPECT_EQ(Fees()->rowCount(), 17);
    EXPECT_EQ(model.estimate.fees[0].name, "Application Fee");
    EXPECT_EQ(model.estimate.fees[16].name, "New fee");
    EXPECT_EQ(Text("lblSectionA"), "$1,397");
    window->RemoveFee(-1);
    EXPECT_FALSE(Text("lblError").isEmpty());
    EXPECT_EQ(Fees()->rowCount(), 17);
}

TEST_F(LoanEstimateTest, EscapePutsBackWhatWasEdited) {
    Open();
    Fees()->item(3, 1)->setText("999");
    window->AddFee();
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_EQ(model.estimate.fees[3].amount, 405.0f);
    EXPECT_FALSE(FeeInUse(model.estimate.fees[17]));
}

TEST_F(LoanEstimateTest, ClosingAfterTheFirstPaymentShowsAMessageAndNoFigures) {
    Open();
    window->findChild<QDateEdit*>("dateClosing")->setDate(QDate(2024, 7, 5));
    EXPECT_EQ(model.estimate.closingDate, "2024-07-05");
    EXPECT_EQ(Text("lblError"), "The closing date must come before the first payment date.");
    EXPECT_EQ(Text("lblApr"), "");
    EXPECT_EQ(Text("lblCashToClose"), "");
    window->findChild<QDateEdit*>("dateFirstPayment")->setDate(QDate(2024, 9, 1));
    EXPECT_FALSE(Text("lblApr").isEmpty());
}

// The Print button hands the report to the printer the dialog gives.
TEST_F(LoanEstimateTest, PrintButtonPrintsTheForm) {
    test::RecordingPrinter printer;
    platform.printer = &printer;
    Open();
    window->findChild<QPushButton*>("BtnPrint")->click();
    EXPECT_TRUE(printer.ended);
    EXPECT_TRUE(printer.Lines().join('\n').contains("$8,054"));
}

TEST_F(LoanEstimateTest, ReportHasThreePagesWithTheLenderInTheHeader) {
    model.lender.name = "Ficus Bank";
    model.lender.nmls = "444494";
    model.lender.officer = "Joe Smith";
    Open();
    test::RecordingPrinter printer;
    const LoanEstimateReport report{window->form(), model.lender, "Smith"};
    ASSERT_TRUE(PrintReport(printer, {window.get(), window->font(), false, true, false},
                            [&](ReportWriter& out) { LoanEstimateBody(report, out); }));
    EXPECT_EQ(printer.pages, 3);
    const QString all = printer.Lines().join('\n');
    for (const char* text :
         {"Ficus Bank  NMLS ID 444494", "Loan Officer  Joe Smith", "$8,054", "69.448%", "$56,581",
          "A. Origination Charges", "$16,054", "Scenario: Smith"})
        EXPECT_TRUE(all.contains(text)) << text;
    EXPECT_EQ(printer.Find("Comparisons")->page, 3);
    EXPECT_EQ(printer.Find("Closing Cost Details")->page, 2);
}

TEST_F(LoanEstimateTest, SavesATextPdf) {
    QTemporaryDir dir;
    auto qprinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
    qprinter->setOutputFormat(QPrinter::PdfFormat);
    qprinter->setOutputFileName(dir.path() + "/le.pdf");
    QtPagePrinter pdf(std::move(qprinter));
    Open();
    const LoanEstimateReport report{window->form(), model.lender, ""};
    ASSERT_TRUE(PrintReport(pdf, {window.get(), window->font(), false, true, false},
                            [&](ReportWriter& out) { LoanEstimateBody(report, out); }));
    QProcess text;
    text.start("pdftotext", {"-layout", dir.path() + "/le.pdf", "-"});
    text.waitForFinished(10000);
    const QString out = QString::fromUtf8(text.readAllStandardOutput());
    for (const char* figure :
         {"$162,000", "$761.78", "$1,050", "$968", "$1,802", "$672", "$3,198", "$5,672", "$867",
          "$413", "$2,382", "$8,054", "$16,054", "$56,581", "$15,773", "69.448%"})
        EXPECT_TRUE(out.contains(figure)) << figure;
    EXPECT_EQ(out.count('\f'), 3);
    // How the prepaid interest was worked out stands under it, in F.
    const qsizetype perDiem = out.indexOf("per day for 15 days");
    EXPECT_LT(out.indexOf("Prepaid Interest (15 days)"), perDiem);
    EXPECT_LT(perDiem, out.indexOf("G. Initial Escrow"));
}

}  // namespace
}  // namespace dovanel

namespace dovanel {
namespace {

// Every other report names the lender in one line, and an empty lender prints nothing.
TEST(LenderLine, NamesTheLenderOnOneLineAndNothingForNone) {
    LenderInfo lender;
    EXPECT_EQ(LenderLineText(lender), "");
    test::RecordingPrinter none;
    ASSERT_TRUE(PrintReport(none, {nullptr, QFont(), false, true, false},
                            [&](ReportWriter& out) { LenderLine(out, lender); }));
    EXPECT_TRUE(none.printed.empty());
    lender = {"Ficus Bank",
              "444494",
              "Joe Smith",
              "12345",
              "4321 Random Blvd.\nSomecity, ST 12340",
              "555-0100",
              "joe@ficus.example"};
    EXPECT_EQ(LenderLineText(lender),
              "Lender: Ficus Bank, NMLS ID 444494; Loan Officer: Joe Smith, NMLS ID 12345; "
              "4321 Random Blvd., Somecity, ST 12340; 555-0100; joe@ficus.example");
    LenderInfo idOnly;
    idOnly.nmls = "444494";
    EXPECT_EQ(LenderLineText(idOnly), "Lender: NMLS ID 444494");
    test::RecordingPrinter one;
    ASSERT_TRUE(PrintReport(one, {nullptr, QFont(), false, true, false},
                            [&](ReportWriter& out) { LenderLine(out, lender); }));
    EXPECT_EQ(one.Lines().size(), 1);
}

}  // namespace
}  // namespace dovanel
