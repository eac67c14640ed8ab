// The engine's per-keystroke and per-window costs.
#include <benchmark/benchmark.h>

#include "engine/affordability.h"
#include "engine/amortization.h"
#include "engine/format_value.h"
#include "engine/payoff.h"
#include "engine/recalculate.h"
#include "tests/engine/sample_model.h"

namespace {

using namespace dovanel;

// One keystroke: every result and every text of the results block.
void BM_Recalculate(benchmark::State& state) {
    Model m = test::SampleModel();
    test::SetLoan(m, 285000, 0.1f, 0.0675f, 0);
    m.loanData.monthlyIncome = 7500;
    for (auto _ : state) {
        m.loanData.purchasePrice += 1;
        benchmark::DoNotOptimize(Recalculate(m));
    }
}
BENCHMARK(BM_Recalculate);

void BM_FormatValue(benchmark::State& state) {
    const char* patterns[] = {"$#,###", "$###,##0", "currency", "0.0%",        "$#,###.#0",
                              "#.##%",  "#%",       "#.#0%",    "(#,###);;\\", "##.##0%"};
    double v = 1234.5678;
    for (auto _ : state) {
        for (const char* p : patterns) benchmark::DoNotOptimize(FormatValue(v, p));
        v += 0.01;
    }
    state.SetItemsProcessed(state.iterations() * 10);
}
BENCHMARK(BM_FormatValue);

void BM_ComputeAmortization360(benchmark::State& state) {
    const Model m = test::SampleLoan(125000, 0.05f, 0.075f, 0);
    for (auto _ : state) benchmark::DoNotOptimize(ComputeAmortization(m));
}
BENCHMARK(BM_ComputeAmortization360);

void BM_PartialTermInterest(benchmark::State& state) {
    const Model m = test::SampleLoan(125000, 0.05f, 0.075f, 0);
    for (auto _ : state) benchmark::DoNotOptimize(PartialTermInterest(m, 30));
}
BENCHMARK(BM_PartialTermInterest);

// A buyer whose first ratio decides, with PMI, scaled taxes and a cash limit.
Model AffordBuyer() {
    Model m = test::SampleModel();
    test::SetLoan(m, 285000, 0.1f, 0.0675f, 0);
    m.loanData.annualTaxes = 4200;
    m.loanData.monthlyInsurance = 95;
    m.loanData.monthlyIncome = 9500;
    m.loanData.monthlyDebt = 650;
    Recalculate(m);
    return m;
}

// One answer of the affordability window.
void BM_MaxAffordablePrice(benchmark::State& state) {
    const Model m = AffordBuyer();
    AffordabilityOptions options;
    options.limitCash = true;
    options.cashAvailable = 90000;
    for (auto _ : state) benchmark::DoNotOptimize(MaxAffordablePrice(m, options));
}
BENCHMARK(BM_MaxAffordablePrice)->Unit(benchmark::kMicrosecond);

// Everything the window works out on each change: the answer and its 25-cell table.
void BM_AffordabilityWindowAnswer(benchmark::State& state) {
    const Model m = AffordBuyer();
    const AffordabilityOptions options;
    for (auto _ : state) {
        benchmark::DoNotOptimize(MaxAffordablePrice(m, options));
        benchmark::DoNotOptimize(AffordabilitySensitivity(m, options));
    }
}
BENCHMARK(BM_AffordabilityWindowAnswer)->Unit(benchmark::kMillisecond);

// The payoff planner after one keystroke: a 30-year plan with every kind of
// extra payment, and the same loan without extras beside it.
void BM_PayoffPlanWithExtras360(benchmark::State& state) {
    const Model m = test::SampleLoan(125000, 0.05f, 0.075f, 0);
    ExtraPayments x{1, 1000, 6, 5000, 60, true};  // the monthly extra changes each round
    for (auto _ : state) {
        x.monthly = x.monthly < 200 ? x.monthly + 1 : 1;
        benchmark::DoNotOptimize(ComputePayoffPlan(m, x));
    }
}
BENCHMARK(BM_PayoffPlanWithExtras360)->Unit(benchmark::kMicrosecond);

}  // namespace
