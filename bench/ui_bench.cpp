// What a user feels: one keystroke in the purchase price through its handler,
// Recalculate and every label, offscreen.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>

#include "engine/recalculate.h"
#include "shell/app_context.h"
#include "shell/page_printer.h"
#include "shell/platform.h"
#include "ui/afford/afford_window.h"
#include "ui/amortization/amortization_windows.h"
#include "ui/compare/compare_window.h"
#include "ui/document/scenario_document.h"
#include "ui/main/main_window.h"
#include "ui/planner/planner.h"
#include "ui/printing/amortization_report.h"
#include "ui/printing/printing.h"

namespace {

using namespace dovanel;

void BM_KeystrokeInPurchasePrice(benchmark::State& state) {
    QTemporaryDir data;
    for (const QString& name : QDir(DOVANEL_INSTALLED_DATA).entryList(QDir::Files))
        QFile::copy(QString(DOVANEL_INSTALLED_DATA) + name, data.path() + "/" + name);
    App().dataFolder = data.path() + "/";
    Model model;
    ScenarioDocument document(model);
    MainWindow window(document);
    window.FormLoad();
    window.show();
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

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
