// The printed reports, recorded line by line, and once each as a real PDF.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QWidget>
#include <algorithm>
#include <cerrno>
#include <cstring>

#include "engine/format_value.h"
#include "engine/income.h"
#include "engine/recalculate.h"
#include "tests/engine/sample_model.h"
#include "tests/ui/private_mounts.h"
#include "tests/ui/recording_printer.h"
#include "tests/ui/ui_fixture.h"
#include "ui/afford/afford_report.h"
#include "ui/estimate/estimate_report.h"
#include "ui/income/income_reports.h"
#include "ui/planner/planner.h"
#include "ui/planner/planner_report.h"
#include "ui/printing/amortization_report.h"
#include "ui/printing/printing.h"

namespace dovanel {
namespace {

class ReportTest : public test::WindowTest {
  protected:
    ReportTest() {
        LoadInstalled(model);
        window.setWindowTitle("Amortization Table");
    }
    test::RecordingPrinter& UsePrinter() {
        printers.push_back(std::make_unique<test::RecordingPrinter>());
        recorded = printers.back().get();
        platform.printer = recorded;
        return *recorded;
    }
    void Loan(float price, float down, float rate, int type) {
        test::SetLoan(model, price, down, rate, type);
        Recalculate(model);
    }
    int Count(const QString& text) const {
        int n = 0;
        for (const auto& t : recorded->printed) n += t.text == text;
        return n;
    }
    double RightEdge(const test::RecordingPrinter::Text* t) const {
        return t->x + ReportWriter(*recorded, nullptr, FormFont(), true).ScreenWidth(t->text);
    }

    Model model;
    QWidget window;
    test::RecordingPrinter* recorded = nullptr;
    std::vector<std::unique_ptr<test::RecordingPrinter>> printers;
};

// Every report names the scenario under its title when it has a name, and
// reads exactly as before when it has none.
TEST_F(ReportTest, EveryReportNamesTheScenarioOnlyWhenItHasAName) {
    Loan(125000, 0.05f, 0.075f, 0);
    model.debtSummary.itemName[0] = "Car loan";
    model.debtSummary.itemAmount[0] = 415;
    const PayoffPlan plan = ComputePayoffPlan(model, ExtraPayments{200});
    const std::pair<const char*, std::function<void(ReportWriter&)>> reports[] = {
        {"GOOD FAITH ESTIMATE", [&](ReportWriter& out) { EstimateReportBody(model, out); }},
        {"Amortization Table", [&](ReportWriter& out) { AmortizationReportBody(model, out); }},
        {"Income Analysis", [&](ReportWriter& out) { IncomeReportBody(model, out); }},
        {"Debt Summary", [&](ReportWriter& out) { DebtReportBody(model, out); }},
        {"What Can I Afford?",
         [&](ReportWriter& out) { AffordReportBody(model, AffordabilityOptions{}, out); }},
        {"Amortization Table",
         [&](ReportWriter& out) { PayoffReportBody(model, plan, true, out); }},
    };
    for (const auto& [title, body] : reports) {
        QStringList plain, named;
        for (const char* name : {"", "Smith & Sons"}) {
            model.info.name = name;
            test::RecordingPrinter printer;
            ReportWriter out(printer, nullptr, FormFont(), true);
            body(out);
            (*name ? named : plain) = printer.Lines();
        }
        const int at = named.indexOf("Scenario: Smith & Sons");
        ASSERT_GT(at, 0) << title;
        EXPECT_EQ(named[at - 1], title) << "right under the title";
        named.removeAt(at);
        EXPECT_EQ(named, plain) << title << ": otherwise the same report";
        EXPECT_FALSE(plain.join('\n').contains("Scenario")) << title;
    }
}

// ---- amortization and the common steps -------------------------------------

TEST_F(ReportTest, AmortizationOverSeveralPagesWithOnePmiMarker) {
    Loan(125000, 0.05f, 0.075f, 0);
    UsePrinter();
    PrintAmortization(model, &window);
    ASSERT_TRUE(recorded->ended);
    const auto* title = recorded->Find("Amortization Table");
    ASSERT_TRUE(title);
    EXPECT_EQ(title->x, 1100);
    EXPECT_EQ(title->size, 18);
    EXPECT_TRUE(title->italic);
    for (const auto& t : recorded->printed) {
        EXPECT_EQ(t.font, "Times New Roman");
        EXPECT_TRUE(t.bold);
    }
    const QStringList lines = recorded->Lines();
    EXPECT_TRUE(lines.contains("Purchase Price | $125,000.00 | Loan-To-Value Ratio | 95.00%"));
    EXPECT_TRUE(lines.contains("Loan Amount | $118,750.00 | Interest Rate | 7.500%"));
    EXPECT_TRUE(lines.contains("Monthly Payment | $830.32 | Term In Years | 30"));
    EXPECT_TRUE(lines.contains(
        "Payment Period | Beginning Balance | Interest | Principal | Ending Balance | LTV"));
    EXPECT_TRUE(
        lines.contains("Year 1 / Month 1 | $118,750.00 | $742.19 | $88.13 | $118,661.87 | 94.93%"));
    EXPECT_TRUE(lines.contains(
        "Year 12 / Month 4 | $100,151.49 | $625.95 | $204.37 | $99,947.12 |  PMI | 79.96%"))
        << lines.filter("Year 12 / Month 4").join("\n").toStdString();
    EXPECT_EQ(Count(" PMI"), 1);
    EXPECT_EQ(recorded->Find(" PMI")->x, 9400);
    EXPECT_EQ(lines.filter(QRegularExpression("^Year \\d+ / Month")).size(), 360);
    EXPECT_GT(recorded->pages, 3);
    const auto* rate = recorded->Find("7.500%");
    EXPECT_NEAR(RightEdge(rate), 10450, 0.5);
    EXPECT_EQ(platform.asked.size(), 0u);
}

TEST_F(ReportTest, NoMarkerWithoutPmi) {
    Loan(200000, 0.25f, 0.065f, 0);
    UsePrinter();
    PrintAmortization(model, &window);
    EXPECT_EQ(Count(" PMI"), 0);
}

TEST_F(ReportTest, CancellingThePrinterDialogPrintsAndSaysNothing) {
    PrintAmortization(model, &window);
    EXPECT_EQ(platform.printerDialogs, 1);
    EXPECT_TRUE(platform.asked.empty());
}

TEST_F(ReportTest, PrinterErrorStopsWithoutEndingTheDocument) {
    auto& printer = UsePrinter();
    printer.failOn = "font";
    printer.failTimes = -1;
    printer.failure = {482, "Printer error"};
    PrintAmortization(model, &window);
    ASSERT_EQ(platform.asked.size(), 1u);
    EXPECT_EQ(platform.asked[0].title, "Printer Error");
    EXPECT_EQ(platform.asked[0].text, "482 - Printer error");
    EXPECT_EQ(platform.asked[0].icon, MsgIcon::Critical);
    EXPECT_TRUE(printer.printed.empty());
    EXPECT_FALSE(printer.ended);
}

TEST_F(ReportTest, MissingFontIsExplained) {
    auto& printer = UsePrinter();
    printer.failOn = "font";
    printer.failTimes = -1;
    printer.failure = {380, "Invalid property value"};
    PrintAmortization(model, &window);
    ASSERT_EQ(platform.asked.size(), 1u);
    EXPECT_EQ(platform.asked[0].title, "Font Error");
    EXPECT_TRUE(
        platform.asked[0].text.startsWith("380 - Invalid property value\r\rPrinting functions for "
                                          "this program use a \"Times New Roman\" font"));
    EXPECT_TRUE(
        platform.asked[0].text.endsWith("how you can reinstall the \"Times New Roman\" font."));
    EXPECT_FALSE(printer.ended);
}

TEST_F(ReportTest, OtherErrorsOfferRetryAndIgnore) {
    auto& printer = UsePrinter();
    printer.failOn = "print";
    printer.failTimes = 2;
    printer.failure = {57, "Device I/O error"};
    platform.answers = {MsgAnswer::Retry, MsgAnswer::Ignore};
    PrintAmortization(model, &window);
    ASSERT_EQ(platform.asked.size(), 2u);
    EXPECT_EQ(platform.asked[0].title, "Amortization Table");
    EXPECT_EQ(platform.asked[0].buttons, MsgButtons::AbortRetryIgnore);
    EXPECT_EQ(platform.asked[0].defaultButton, MsgAnswer::Ignore);
    EXPECT_TRUE(printer.ended) << "ignored: the rest printed";

    auto& again = UsePrinter();
    again.failOn = "print";
    again.failTimes = -1;
    again.failure = {57, "Device I/O error"};
    platform.answers = {MsgAnswer::Abort};
    PrintAmortization(model, &window);
    EXPECT_FALSE(again.ended);
}

// ---- Good Faith Estimate -----------------------------------------------------

TEST_F(ReportTest, EstimateAsksFirstAndPrintsEveryRow) {
    platform.answers = {MsgAnswer::Cancel};
    PrintEstimate(model, &window);
    EXPECT_EQ(platform.printerDialogs, 0) << "cancelled before the printer dialog";
    EXPECT_EQ(platform.asked[0].title, "Print Job Initiated");
    EXPECT_EQ(platform.asked[0].text,
              "Preparing to print the information shown.\r\r\rNote: If you are a lending "
              "professional preparing this "
              "for a customer, there is enough margin at the top that you can print this statement "
              "on your own "
              "letterhead if you would like.");
    EXPECT_EQ(platform.asked[0].buttons, MsgButtons::OkCancel);

    model.estimateValues.costName[5] = "Flood Cert";
    model.loanData.downPaymentRate = 0.25f;
    Recalculate(model);
    UsePrinter();
    platform.answers = {MsgAnswer::Ok};
    PrintEstimate(model, &window);
    ASSERT_TRUE(recorded->ended);
    const QStringList lines = recorded->Lines();
    const auto* title = recorded->Find("GOOD FAITH ESTIMATE");
    EXPECT_TRUE(title->italic);
    EXPECT_EQ(title->size, 16);
    EXPECT_EQ(lines.indexOf("GOOD FAITH ESTIMATE"), 6) << "six empty lines of letterhead margin";
    EXPECT_TRUE(lines.contains("Purchase Price | $425,000 | Loan-To-Value Ratio | 75.00%"));
    EXPECT_TRUE(lines.contains("Interest Rate | 6.500% | Loan Amount | $318,750"));
    EXPECT_TRUE(lines.contains("ESTIMATED  CLOSING  COSTS | DETAILS  OF  PURCHASE"));
    EXPECT_TRUE(lines.contains("Flood Cert | 45 | Less Earnest Money | (5,000)"))
        << "item 5 takes amount 7";
    EXPECT_TRUE(lines.contains("Miscellaneous Costs | 250 | TOTAL DUE AT CLOSING | " +
                               QString::fromStdString(FormatValue(
                                   model.loanResults.estimateDueAtClosing, "$###,###,##0"))));
    EXPECT_TRUE(lines.contains("Pvt. Mortgage Ins. Premium | 0 | Homeowner's Insurance | $145.00"));
    EXPECT_TRUE(
        lines.contains("Homeowner's Ins. Premium | 1,740 | Private Mortgage Insurance | $0.00"));
    EXPECT_TRUE(lines.contains(
        "Mortgage Type:  30 Year / Fixed Conventional | Monthly Income Required: | " +
        QString::fromStdString(FormatValue(model.loanResults.minMonthlyIncome, "$###,###,##0"))));
    const auto* note =
        recorded->Find("HUD Special Information Booklet, which is to be provided to you.");
    ASSERT_TRUE(note);
    EXPECT_EQ(note->size, 9);
    EXPECT_EQ(note->x, 1900);
}

TEST_F(ReportTest, EstimateHasNoFontErrorBoxOfItsOwn) {
    auto& printer = UsePrinter();
    printer.failOn = "font";
    printer.failTimes = -1;
    printer.failure = {380, "Invalid property value"};
    window.setWindowTitle("Financing Estimate");
    platform.answers = {MsgAnswer::Ok, MsgAnswer::Abort};
    PrintEstimate(model, &window);
    ASSERT_EQ(platform.asked.size(), 2u);
    EXPECT_EQ(platform.asked[1].title, "Financing Estimate");
    EXPECT_EQ(platform.asked[1].buttons, MsgButtons::AbortRetryIgnore);
}

// ---- income analysis and debt summary ----------------------------------------

TEST_F(ReportTest, IncomeLinesPrintWithTheirSigns) {
    IncomeAnalysis& a = model.incomeAnalysis;
    a.line[1][1] = a.line[1][2] = a.line[1][3] = -500;
    a.line[2][1] = 1200;
    a.line[10][2] = 300;
    ComputeIncomeAnalysis(a);
    UsePrinter();
    PrintIncomeAnalysis(model, &window);
    const QStringList lines = recorded->Lines();
    const auto* title = recorded->Find("Income Analysis");
    EXPECT_EQ(title->size, 24);
    EXPECT_NEAR(title->x + recorded->WidthAt("Income Analysis", 24) / 2, 5750, 1);
    EXPECT_TRUE(lines.contains("A.  Personal Income / Form 1040 | 2023 | 2024 | 2025"));
    EXPECT_TRUE(lines.contains(" 1.  Adjusted Gross Income | (500) | (500) | -500"));
    EXPECT_TRUE(lines.contains(" 2.  Other Income | (1,200)"));
    EXPECT_TRUE(lines.contains("10.  Child Support Recieved (Recurring) | 300"));
    EXPECT_TRUE(lines.contains("B.   Schedule A:  Itemized Deductions"));
    const auto* childSupport = recorded->Find("300");
    EXPECT_NEAR(RightEdge(childSupport), 9100, 0.5) << "in the second year's column";
    EXPECT_TRUE(lines.contains("Average Monthly Income"))
        << "the confirmed income: not yet entered";
}

TEST_F(ReportTest, DebtSummaryLeavesOutZeroDebts) {
    model.debtSummary.itemName[0] = "Car loan";
    model.debtSummary.itemAmount[0] = 415;
    model.debtSummary.itemName[1] = "Closed card";
    model.debtSummary.itemName[5] = "Student loan";
    model.debtSummary.itemAmount[5] = 1180;
    model.loanData.monthlyDebt = 1595;
    UsePrinter();
    PrintDebtSummary(model, &window);
    const QStringList lines = recorded->Lines().filter(QRegularExpression("\\S"));
    EXPECT_EQ(lines, (QStringList{"Debt Summary", "Car loan | 415", "Student loan | 1,180",
                                  "Total Monthly Debt | $1,595"}));
    EXPECT_EQ(recorded->Find("Car loan")->x, 2500);
}

// ---- real PDFs --------------------------------------------------------------

class PdfTest : public ReportTest {
  protected:
    QString PrintToPdf(const std::function<void()>& print, QString path = {}) {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        if (path.isEmpty()) path = dir.path() + "/report.pdf";
        printer->setOutputFileName(path);
        QtPagePrinter pdf(std::move(printer));
        platform.printer = &pdf;
        print();
        QProcess text;
        text.start("pdftotext", {"-layout", path, "-"});
        text.waitForFinished(10000);
        return QString::fromUtf8(text.readAllStandardOutput());
    }
    QTemporaryDir dir;
};

TEST_F(PdfTest, EveryReportPrintsToAPdf) {
    Loan(125000, 0.05f, 0.075f, 0);
    QString text = PrintToPdf([&] { PrintAmortization(model, &window); });
    EXPECT_TRUE(text.contains("Amortization Table"));
    EXPECT_TRUE(text.contains("Year 30 / Month 12"));
    EXPECT_EQ(text.count(" PMI"), 1);
    platform.answers = {MsgAnswer::Ok};
    text = PrintToPdf([&] { PrintEstimate(model, &window); });
    EXPECT_TRUE(text.contains("GOOD FAITH ESTIMATE"));
    EXPECT_TRUE(text.contains("TOTAL DUE AT CLOSING"));
    text = PrintToPdf([&] { PrintIncomeAnalysis(model, &window); });
    EXPECT_TRUE(text.contains("Income Analysis"));
    EXPECT_TRUE(text.contains("Yearly Totals / Allowable Income") ||
                text.contains("Yearly Totals  /  Allowable Income"));
    model.debtSummary.itemName[0] = "Car loan";
    model.debtSummary.itemAmount[0] = 415;
    text = PrintToPdf([&] { PrintDebtSummary(model, &window); });
    EXPECT_TRUE(text.contains("Car loan"));
    EXPECT_TRUE(text.contains("Total Monthly Debt"));
}

QByteArray Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// The warning that a file could not be written, naming it and the system's reason.
bool ToldWriteFailure(const std::vector<MessageRequest>& asked, const QString& path,
                      const QString& reason) {
    for (const MessageRequest& m : asked)
        if (m.icon == MsgIcon::Warning && m.text.contains("could not be saved") &&
            m.text.contains(path + "\r") && m.text.contains("Reason: " + reason))
            return true;
    return false;
}

// Every report printed to a PDF file (the printer dialog's "Print to File")
// replaces a symbolic link in the file's place, never its target, makes
// nothing where a dangling link points, and refuses a read-only file with the
// system's reason, leaving it as it was.
TEST_F(PdfTest, EveryReportsPdfReplacesALinkAndRefusesAReadOnlyFile) {
    Loan(125000, 0.05f, 0.075f, 0);
    QTemporaryDir victim;
    const QString precious = victim.path() + "/important.txt";
    const QString nowhere = victim.path() + "/nowhere.pdf";
    Write(precious, "precious\n");
    const QString target = dir.path() + "/report.pdf";
    const AffordabilityOptions options;
    const std::pair<const char*, std::function<void()>> reports[] = {
        {"amortization", [&] { PrintAmortization(model, &window); }},
        {"estimate", [&] { PrintEstimate(model, &window); }},
        {"income", [&] { PrintIncomeAnalysis(model, &window); }},
        {"debt", [&] { PrintDebtSummary(model, &window); }},
        {"afford", [&] { PrintAffordability(model, options, &window); }},
    };
    for (const auto& [name, print] : reports) {
        for (const QString& pointsTo : {precious, nowhere}) {
            QFile::remove(target);
            ASSERT_TRUE(QFile::link(pointsTo, target));
            platform.answers = {MsgAnswer::Ok, MsgAnswer::Ok};  // the estimate asks first
            EXPECT_FALSE(PrintToPdf(print).isEmpty()) << name;
            EXPECT_FALSE(QFileInfo(target).isSymLink()) << name << ": the link became the PDF";
            EXPECT_TRUE(Read(target).startsWith("%PDF")) << name;
        }
        EXPECT_EQ(Read(precious), "precious\n") << name << ": the link's target is untouched";
        EXPECT_FALSE(QFile::exists(nowhere)) << name;

        QFile::remove(target);
        Write(target, "old");
        const auto readOnly = QFileDevice::ReadOwner | QFileDevice::ReadGroup;
        ASSERT_TRUE(QFile::setPermissions(target, readOnly));
        platform.asked.clear();
        platform.answers = {MsgAnswer::Ok, MsgAnswer::Ok};
        PrintToPdf(print);
        EXPECT_EQ(Read(target), "old") << name;
        EXPECT_EQ(QFile::permissions(target) & ~test::kForThisUser, readOnly) << name;
        EXPECT_TRUE(ToldWriteFailure(platform.asked, target, "Permission denied"))
            << name << ": " << platform.LastText().toStdString();
        QFile::setPermissions(target, readOnly | QFileDevice::WriteOwner);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"report.pdf"})
            << name << ": no temporary file is left";
    }
}

// Fills a disk until nothing more fits, then frees `slack` bytes again.
void FillLeaving(const QString& folder, qint64 slack) {
    QFile filler(folder + "/filler");
    ASSERT_TRUE(filler.open(QIODevice::ReadWrite | QIODevice::Unbuffered));
    filler.seek(filler.size());
    const QByteArray block(4096, 'x');
    while (filler.write(block) == block.size()) {
    }
    ASSERT_TRUE(filler.resize(std::max<qint64>(0, filler.size() - filler.size() % 4096 - slack)));
}

// Saving a report or an export on a nearly full and on a full disk: the old
// file stays as it was, nothing is left behind, and the user reads the
// system's reason, never "482 - Printer error" and never nothing at all.
TEST_F(PdfTest, AFullDiskKeepsTheOldFileAndSaysWhy) {
    if (!test::InPrivateMounts()) return test::RerunInPrivateMounts();
    Loan(125000, 0.05f, 0.075f, 0);
    QTemporaryDir disk;
    ASSERT_TRUE(test::MountSmallDisk(disk.path(), 512 * 1024)) << std::strerror(errno);
    const QByteArray old = "%PDF-1.4\n% the report saved last week\n%%EOF\n";
    Planner planner(model);
    const std::pair<const char*, std::function<void(const QString&)>> saves[] = {
        {"printer dialog's PDF file",
         [&](const QString& path) {
             PrintToPdf([&] { PrintAmortization(model, &window); }, path);
         }},
        {"planner's Save as PDF",
         [&](const QString& path) {
             platform.saveAnswers = {path};
             planner.findChild<QPushButton*>("BtnSavePdf")->click();
         }},
        {"planner's Export CSV",
         [&](const QString& path) {
             platform.saveAnswers = {path};
             planner.findChild<QPushButton*>("BtnExportCsv")->click();
         }},
    };
    for (const qint64 slack : {8192, 0}) {
        for (const auto& [what, save] : saves) {
            const QString path = disk.path() + "/report";
            QFile::remove(disk.path() + "/filler");
            Write(path, old);
            FillLeaving(disk.path(), slack);
            platform.asked.clear();
            save(path);
            SCOPED_TRACE(std::string(what) + (slack ? ", nearly full" : ", full"));
            EXPECT_EQ(Read(path), old) << "the old file stays";
            EXPECT_TRUE(ToldWriteFailure(platform.asked, path, "No space left on device"))
                << platform.LastText().toStdString();
            for (const MessageRequest& m : platform.asked) EXPECT_FALSE(m.text.contains("482"));
            EXPECT_EQ(QDir(disk.path()).entryList(QDir::Files | QDir::Hidden),
                      (QStringList{"filler", "report"}))
                << "no temporary file is left";
        }
    }
}

}  // namespace
}  // namespace dovanel
