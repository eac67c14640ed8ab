// What a user feels: one keystroke in the purchase price through its handler,
// Recalculate and every label, offscreen.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPrinter>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include "bench/large_scenario.h"
#include "data/load.h"
#include "data/scenario_file.h"
#include "engine/recalculate.h"
#include "shell/app_context.h"
#include "shell/page_printer.h"
#include "shell/platform.h"
#include "ui/afford/afford_window.h"
#include "ui/amortization/amortization_windows.h"
#include "ui/compare/compare_window.h"
#include "ui/document/lender_desk.h"
#include "ui/document/scenario_document.h"
#include "ui/estimate/loan_estimate_window.h"
#include "ui/main/main_window.h"
#include "ui/planner/planner.h"
#include "ui/printing/amortization_report.h"
#include "ui/printing/printing.h"

namespace {

using namespace dovanel;

// A data folder of a new installation, the program's own.
void UseInstalledDataFolder(const QTemporaryDir& data) {
    for (const QString& name : QDir(DOVANEL_INSTALLED_DATA).entryList(QDir::Files))
        QFile::copy(QString(DOVANEL_INSTALLED_DATA) + name, data.path() + "/" + name);
    App().dataFolder = data.path() + "/";
}

// The lender's settings of a new installation, read as the start-up reads them.
void LoadInstalledSettings(LenderDesk& desk) {
    struct NoQuestions : LoadQuestions {
        void MissingFile(const std::string&) override {}
        LoadAnswer LoadFailed(const std::string&) override { return LoadAnswer::Ignore; }
        void Notice(const std::string&) override {}
    } questions;
    Model model;
    LoadAllDataFiles(model, DOVANEL_INSTALLED_DATA, questions, 2026);
    desk.Take(model);
}

// The main window as the program shows it after start, over a data folder of
// a new installation.
struct ShownMainWindow {
    QTemporaryDir data;
    Model model;
    ScenarioDocument document{model};
    MainWindow window{document};
    ShownMainWindow() {
        UseInstalledDataFolder(data);
        window.FormLoad();
        window.show();
    }
};

void BM_KeystrokeInPurchasePrice(benchmark::State& state) {
    ShownMainWindow shown;
    MainWindow& window = shown.window;
    auto* box = window.findChild<QLineEdit*>("Text1");
    box->setFocus();
    box->end(false);
    for (auto _ : state) {
        QTest::keyClick(box, '5');
        QTest::keyClick(box, Qt::Key_Backspace);
    }
    state.SetItemsProcessed(state.iterations() * 2);
    state.counters["per_keystroke_us"] =
        benchmark::Counter(static_cast<double>(state.iterations() * 2),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_KeystrokeInPurchasePrice)->Unit(benchmark::kMicrosecond);

// Opening a 1 MB scenario file into a document: the file read and parsed, the
// document living in it, and the first recalculation of its results.
void BM_OpenScenarioFileIntoDocument1MB(benchmark::State& state) {
    LenderDesk desk;
    LoadInstalledSettings(desk);
    QTemporaryDir folder;
    const std::string path = (folder.path() + "/large.dovanel").toStdString();
    const std::string text = ScenarioFileText(bench::LargeScenario(bench::kOneMegabyte));
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly) || file.write(text.data(), text.size()) < 0)
        return state.SkipWithError("no scenario file");
    file.close();
    for (auto _ : state) {
        ScenarioDocument document(desk, ScenarioDocument::Kind::Untitled);
        if (!ReadScenarioFile(path, document.scenario())) return state.SkipWithError("not read");
        document.SetFile(QString::fromStdString(path));
        benchmark::DoNotOptimize(Recalculate(document.model()));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_OpenScenarioFileIntoDocument1MB)->Unit(benchmark::kMillisecond);

// Switching the main window between two open documents, a typical one and one
// of 1 MB: the loan boxes and the title show the document, the results are
// recalculated and the window is painted.
void BM_SwitchMainWindowBetweenDocuments(benchmark::State& state) {
    ShownMainWindow shown;
    const Model& model = shown.model;
    MainWindow& window = shown.window;
    LenderDesk desk;
    desk.Take(model);
    ScenarioDocument typical(desk, ScenarioDocument::Kind::File);
    ScenarioDocument large(desk, ScenarioDocument::Kind::File);
    typical.scenario() = bench::LargeScenario(0);
    large.scenario() = bench::LargeScenario(bench::kOneMegabyte);
    large.scenario().loanData.purchasePrice = 412000;
    large.scenario().loanData.interestRate = 0.0725f;
    const auto show = [&](ScenarioDocument& document) {
        window.SetDocument(document);
        benchmark::DoNotOptimize(window.grab());
    };
    for (auto _ : state) {
        show(large);
        show(typical);
    }
    state.counters["per_switch"] =
        benchmark::Counter(static_cast<double>(state.iterations() * 2),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    window.SetDocument(shown.document);  // the window outlives the two documents
}
BENCHMARK(BM_SwitchMainWindowBetweenDocuments)->Unit(benchmark::kMillisecond);

// 125,000 with 5 % down at 7.5 % over 30 years: a loan with PMI to remove.
Model ExampleLoan() {
    Model model;
    model.loanData.purchasePrice = 125000;
    model.loanData.downPaymentRate = 0.05f;
    model.loanData.interestRate = 0.075f;
    model.loanData.termYears = 30;
    Recalculate(model);
    return model;
}

// Opening the amortization table of a 30-year loan: the fill and the first paint.
void BM_OpenAmortizationTable(benchmark::State& state) {
    const Model model = ExampleLoan();
    for (auto _ : state) {
        AmortizationWindow window(model);
        window.show();
        benchmark::DoNotOptimize(window.grab());
    }
}
BENCHMARK(BM_OpenAmortizationTable)->Unit(benchmark::kMillisecond);

// Printing the 360-row amortization table to a PDF file.
void BM_PrintAmortizationToPdf(benchmark::State& state) {
    const Model model = ExampleLoan();
    QTemporaryDir folder;
    const QString path =
        qEnvironmentVariable("DOVANEL_BENCH_PDF", folder.path() + "/amortization.pdf");
    for (auto _ : state) {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(path);
        QtPagePrinter pdf(std::move(printer));
        ReportWriter out(pdf, nullptr, FormFont(), true);
        out.Font("Times New Roman");
        out.Bold(true);
        AmortizationReportBody(model, out);
        out.Finish();
    }
}
BENCHMARK(BM_PrintAmortizationToPdf)->Unit(benchmark::kMillisecond);

// One change of an option in "What Can I Afford?": the answer, its 25-cell
// table and every label and cell, offscreen.
void BM_AffordWindowOptionChange(benchmark::State& state) {
    Model model = ExampleLoan();
    model.loanData.mortgageTypeName = "30 Year / Fixed Conventional";
    model.loanData.annualTaxes = 2400;
    model.loanData.monthlyInsurance = 80;
    model.loanData.monthlyIncome = 7000;
    model.loanData.monthlyDebt = 400;
    model.guidelineRatios = {766550, 0.28f, 0.36f, 0.25f, 0.33f};
    Recalculate(model);
    ScenarioDocument document(model);
    AffordWindow window(document);
    window.show();
    auto* scale = window.findChild<QCheckBox*>("chkScale");
    for (auto _ : state) scale->toggle();
}
BENCHMARK(BM_AffordWindowOptionChange)->Unit(benchmark::kMillisecond);

// One keystroke in the planner's monthly extra: the new plan, every text and
// both charts painted again.
void BM_PlannerKeystroke(benchmark::State& state) {
    const Model model = ExampleLoan();
    Planner window(model);
    window.show();
    auto* box = window.findChild<QLineEdit*>("txtExtraMonthly");
    box->setFocus();
    QTest::keyClicks(box, "10");
    window.repaint();
    for (auto _ : state) {
        QTest::keyClick(box, '5');
        benchmark::DoNotOptimize(window.grab());
        QTest::keyClick(box, Qt::Key_Backspace);
        benchmark::DoNotOptimize(window.grab());
    }
    state.counters["per_keystroke_us"] =
        benchmark::Counter(static_cast<double>(state.iterations() * 2),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_PlannerKeystroke)->Unit(benchmark::kMillisecond);

// One keystroke in a varied column of a four-column comparison: every column,
// the table, the break-even list and the chart painted again.
void BM_CompareKeystroke(benchmark::State& state) {
    const bool paint = state.range(0) != 0;
    Model model = ExampleLoan();
    ScenarioDocument document(model);
    Compare window(document, QString());
    window.show();
    for (int i = 0; i < 3; ++i) window.DuplicateSelected();
    auto* box = window.findChild<QLineEdit*>("txtVaryRate");
    box->setFocus();
    box->end(false);
    window.repaint();
    for (auto _ : state) {
        QTest::keyClick(box, '5');
        if (paint) benchmark::DoNotOptimize(window.grab());
        QTest::keyClick(box, Qt::Key_Backspace);
        if (paint) benchmark::DoNotOptimize(window.grab());
    }
    state.counters["per_keystroke_us"] =
        benchmark::Counter(static_cast<double>(state.iterations() * 2),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
// 0: the figures, the table and the chart's data; 1: and the whole window painted.
BENCHMARK(BM_CompareKeystroke)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// One change of an itemized fee in the Loan Estimate window: the amount
// checked, the document edited, every figure of the three pages worked out and
// shown, and the window painted again (target: under 5 ms).
void BM_LoanEstimateKeystroke(benchmark::State& state) {
    Model model = ExampleLoan();
    model.estimate.fees[0] = {"Survey Fee", 100, EstimateSection::kC, 0, 0};
    ScenarioDocument document(model);
    LoanEstimateWindow window(document);
    window.show();
    auto* fees = window.findChild<QTableWidget*>("tblFees");
    window.repaint();
    for (auto _ : state) {
        fees->item(0, 1)->setText("101");
        benchmark::DoNotOptimize(window.grab());
        fees->item(0, 1)->setText("100");
        benchmark::DoNotOptimize(window.grab());
    }
    state.counters["per_keystroke_us"] =
        benchmark::Counter(static_cast<double>(state.iterations() * 2),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_LoanEstimateKeystroke)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
