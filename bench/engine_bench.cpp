// The engine's per-keystroke and per-window costs.
#include <benchmark/benchmark.h>

#include "engine/affordability.h"
#include "engine/amortization.h"
#include "engine/apr.h"
#include "engine/break_even.h"
#include "engine/comparison.h"
#include "engine/format_value.h"
#include "engine/government.h"
#include "engine/loan_estimate.h"
#include "engine/loan_estimate_sections.h"
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

// The published fixed-rate sample: $162,000 at 3.875 %, mortgage insurance with
// payments 1 to 80, $1,980.60 of finance charges at closing.
AprCashFlow SampleAprFlow(int oddDays) {
    const auto schedule = CentSchedule(162000, 0.03875, 360);
    std::vector<double> insurance(80, 82.35);
    return LoanAprFlow(162000 - 1980.60, oddDays, schedule, insurance);
}

// One APR solve of a 30-year loan (target: under 50 microseconds).
void BM_AnnualPercentageRate360(benchmark::State& state) {
    AprCashFlow flow = SampleAprFlow(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        flow.amountFinanced += 0.01;
        benchmark::DoNotOptimize(AnnualPercentageRate(flow));
    }
}
BENCHMARK(BM_AnnualPercentageRate360)->Arg(0)->Arg(19)->Unit(benchmark::kMicrosecond);

// The Loan Estimate's computed figures for one keystroke: schedule, end of
// mortgage insurance, projected payments, five-year figures, TIP and APR.
void BM_LoanEstimateFigures(benchmark::State& state) {
    double loan = 162000;
    for (auto _ : state) {
        loan += 1;
        const auto schedule = CentSchedule(loan, 0.03875, 360);
        const int end = MortgageInsuranceEndPayment(loan, 0.03875 / 12, 360, 180000);
        const std::vector<double> insurance(static_cast<std::size_t>(end), 82.35);
        const double prepaid = PrepaidInterest(loan, 0.03875, 15);
        benchmark::DoNotOptimize(ProjectedPayments(schedule[0].payment, 82.35, end, 206.13, 30));
        benchmark::DoNotOptimize(InFiveYearsFigures(schedule, insurance, 5672, prepaid));
        benchmark::DoNotOptimize(TotalInterestPercentage(schedule, prepaid, loan));
        benchmark::DoNotOptimize(
            AnnualPercentageRate(LoanAprFlow(loan - 1980.60, 0, schedule, insurance)));
    }
}
BENCHMARK(BM_LoanEstimateFigures)->Unit(benchmark::kMicrosecond);

// An FHA loan's charges: upfront premium and thirty years of monthly premiums.
void BM_GovernmentLoanFha360(benchmark::State& state) {
    const GovernmentLoanTables tables;
    GovernmentLoanTerms terms;
    terms.program = GovernmentProgram::kFha;
    terms.price = 400000;
    terms.downPayment = 14000;
    terms.annualRate = 0.065;
    for (auto _ : state) {
        terms.price += 1;
        benchmark::DoNotOptimize(ComputeGovernmentLoan(terms, tables));
    }
}
BENCHMARK(BM_GovernmentLoanFha360)->Unit(benchmark::kMicrosecond);

// A keystroke in an FHA loan with the Loan Estimate open: the results, then the
// whole form with its yearly premiums, projected payments and APR.
void BM_FhaKeystrokeWithLoanEstimate(benchmark::State& state) {
    Model m = test::SampleModel();
    test::SetLoan(m, 400000, 0.035f, 0.0625f, 13);
    m.estimate.closingDate = "2026-05-15";
    for (auto _ : state) {
        m.loanData.purchasePrice += 1;
        benchmark::DoNotOptimize(Recalculate(m));
        benchmark::DoNotOptimize(MakeLoanEstimate(m, {2026, 5, 10}));
    }
}
BENCHMARK(BM_FhaKeystrokeWithLoanEstimate)->Unit(benchmark::kMicrosecond);

// The break-even of two 30-year options, their schedules included.
void BM_BreakEven360(benchmark::State& state) {
    double points = 6000;
    for (auto _ : state) {
        points += 1;
        const LoanCostStream a = CostStreamOf(points, CentSchedule(300000, 0.0625, 360), {});
        const LoanCostStream b = CostStreamOf(0, CentSchedule(300000, 0.0675, 360), {});
        benchmark::DoNotOptimize(FindBreakEven(a, b));
    }
}
BENCHMARK(BM_BreakEven360)->Unit(benchmark::kMicrosecond);

// A keystroke in a comparison of four 30-year columns: every column's figures,
// the table's texts and the six pairs' break-even months.
void BM_CompareFourColumns(benchmark::State& state) {
    std::vector<ComparisonInput> inputs;
    for (float rate : {0.0625f, 0.065f, 0.0675f, 0.07f})
        inputs.push_back({test::SampleLoan(375000, 0.1f, rate, 0), 0.0});
    const std::vector<std::string> names{"A", "B", "C", "D"};
    for (auto _ : state) {
        inputs[0].model.loanData.purchasePrice += 1;
        std::vector<ComparisonFigures> columns;
        for (const ComparisonInput& input : inputs)
            columns.push_back(ComputeComparisonColumn(input, kHorizonDefaultYears));
        benchmark::DoNotOptimize(ComparisonTable(columns));
        benchmark::DoNotOptimize(ComparisonBreakEvens(columns, names));
    }
}
BENCHMARK(BM_CompareFourColumns)->Unit(benchmark::kMicrosecond);

}  // namespace
