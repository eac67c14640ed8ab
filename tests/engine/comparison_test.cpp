#include "engine/comparison.h"

#include <gtest/gtest.h>

#include "engine/amortization.h"
#include "engine/apr.h"
#include "engine/loan_estimate_sections.h"
#include "engine/payoff.h"
#include "engine/recalculate.h"
#include "tests/engine/sample_model.h"

namespace dovanel {
namespace {

using test::SampleLoan;

const ComparisonRow& Row(const std::vector<ComparisonRow>& rows, const std::string& name) {
    for (const ComparisonRow& row : rows)
        if (row.name == name) return row;
    ADD_FAILURE() << "no row " << name;
    static const ComparisonRow none;
    return none;
}

ComparisonFigures Column(const Model& m, double points = 0, int horizon = 7) {
    return ComputeComparisonColumn({m, points}, horizon);
}

TEST(Comparison, TwoCopiesOfOneScenarioDifferNowhereAndNeverBreakEven) {
    const Model m = SampleLoan(250000, 0.1f, 0.0675f, 0);
    const std::vector<ComparisonFigures> columns{Column(m), Column(m)};
    for (const ComparisonRow& row : ComparisonTable(columns)) {
        SCOPED_TRACE(row.name);
        ASSERT_EQ(row.cells.size(), 2u);
        EXPECT_EQ(row.cells[0].text, row.cells[1].text);
        EXPECT_FALSE(row.cells[1].differs);
        EXPECT_FALSE(row.cells[0].best || row.cells[1].best);  // a tie has no best
    }
    const auto pairs = ComparisonBreakEvens(columns, {"A", "B"});
    ASSERT_EQ(pairs.size(), 1u);
    EXPECT_EQ(pairs[0].result.payingOption, -1);
    EXPECT_EQ(pairs[0].result.onPayments, kNeverWithinTerm);
}

// The disclosure's rates: the scenario's finance charges, and the column's
// points as one more; points raise the APR but not the TIP.
TEST(Comparison, AprAndTipRowsAsTheLoanEstimateDisclosesThem) {
    Model m = test::EstimateSampleModel();
    m.estimate.closingDate.clear();
    m.estimate.firstPaymentDate.clear();
    const std::vector<ComparisonFigures> columns{Column(m), Column(m, 0.01)};
    const auto rows = ComparisonTable(columns);
    LoanEstimateNumbers n;
    MakeLoanEstimate(m, {2030, 3, 1}, &n);
    const ComparisonRow& apr = Row(rows, "APR");
    EXPECT_EQ(apr.group, "Loan Estimate");
    EXPECT_EQ(apr.cells[0].text, DisclosurePercent(n.apr));
    EXPECT_TRUE(apr.cells[1].differs);
    EXPECT_GT(columns[1].apr, columns[0].apr + 0.0008);  // 1 point: about 0.09 % on 30 years
    EXPECT_TRUE(apr.cells[0].best);
    const ComparisonRow& tip = Row(rows, "Total interest percentage (TIP)");
    EXPECT_EQ(tip.cells[0].text, DisclosurePercent(n.tip));
    EXPECT_EQ(tip.cells[1].text, tip.cells[0].text);
    // A loan without payments has no rate to show.
    Model none = m;
    none.loanData.termYears = 0;
    EXPECT_EQ(Row(ComparisonTable({Column(none)}), "APR").cells[0].text, "");
}

// $300,000 for 30 years at 6.25 % with $6,000 of points against 6.75 % with none.
TEST(Comparison, PointsPayForThemselvesInMonth61OnPaymentsAnd48OnCost) {
    Model low = SampleLoan(375000, 0.2f, 0.0625f, 0);
    Model high = SampleLoan(375000, 0.2f, 0.0675f, 0);
    // Without interim interest the options differ at closing by the points alone.
    low.estimateValues.interimInterestDays = high.estimateValues.interimInterestDays = 0;
    const std::vector<ComparisonFigures> columns{Column(low, 0.02), Column(high)};
    EXPECT_DOUBLE_EQ(columns[0].loanAmount, 300000);
    EXPECT_DOUBLE_EQ(columns[0].points, 6000);
    EXPECT_DOUBLE_EQ(columns[0].stream.months[0].Payment(), 1847.15);
    EXPECT_DOUBLE_EQ(columns[1].stream.months[0].Payment(), 1945.79);
    EXPECT_DOUBLE_EQ(columns[0].totalDueAtClosing - columns[1].totalDueAtClosing, 6000);

    const auto pairs = ComparisonBreakEvens(columns, {"Points", "No points"});
    ASSERT_EQ(pairs.size(), 1u);
    EXPECT_EQ(pairs[0].result.payingOption, 0);
    EXPECT_EQ(pairs[0].onPayments, "Month 61 (5 years 1 month)");
    EXPECT_EQ(pairs[0].onCost, "Month 48 (4 years)");
    EXPECT_NE(pairs[0].summary.find("Points pays $6,000 more at closing than No points"),
              std::string::npos)
        << pairs[0].summary;

    const auto rows = ComparisonTable(columns);
    EXPECT_EQ(Row(rows, "Principal and interest").cells[0].text, "$1,847.15");
    EXPECT_TRUE(Row(rows, "Principal and interest").cells[0].best);
    EXPECT_TRUE(Row(rows, "Discount points").cells[1].best);
    EXPECT_TRUE(Row(rows, "Interest rate").cells[1].differs);
    EXPECT_FALSE(Row(rows, "Loan amount").cells[1].differs);
}

// Every figure of a column is the one the main window, the interest-paid window
// and the planner show for the same scenario.
TEST(Comparison, ColumnsAgreeWithTheOtherScreens) {
    struct Case {
        const char* what;
        float price, down, rate;
        int type;
        float income;
    };
    const Case cases[] = {
        {"conventional, 80 % LTV", 250000, 0.2f, 0.065f, 0, 9000},
        {"conventional with PMI", 180000, 0.05f, 0.07f, 0, 4000},
        {"15-year with PMI", 320000, 0.1f, 0.055f, 2, 12000},
        {"VA, nothing down", 300000, 0, 0.0625f, 4, 7000},
        {"ARM with PMI", 410000, 0.12f, 0.061f, 10, 15000},
        {"jumbo", 1200000, 0.25f, 0.071f, 0, 30000},
        {"no income entered", 200000, 0.2f, 0.07f, 1, kIncomeNotEntered},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Model m = SampleLoan(c.price, c.down, c.rate, c.type);
        m.loanData.monthlyIncome = c.income;
        m.loanData.monthlyDebt = 500;
        const ResultsDisplay shown = Recalculate(m);
        const LoanResults& r = m.loanResults;
        for (int years : {1, 7, 40}) {
            const ComparisonFigures f = Column(m, 0, years);
            EXPECT_DOUBLE_EQ(f.loanAmount, r.loanAmount);
            EXPECT_DOUBLE_EQ(f.totalDueAtClosing, r.totalDueAtClosing);
            EXPECT_DOUBLE_EQ(f.cashStillDue, r.estimateDueAtClosing);
            EXPECT_DOUBLE_EQ(f.totalMonthly, r.totalMonthlyPayment);
            EXPECT_DOUBLE_EQ(f.mortgageInsurance, r.monthlyPmi);
            EXPECT_NEAR(f.horizon.interest, PartialTermInterest(m, years).total, 1e-6);
            EXPECT_NEAR(f.wholeTerm.interest, shown.totalInterest, 1e-6);
            EXPECT_NEAR(f.horizon.principal + f.horizon.balanceLeft, r.loanAmount, 1e-6);
            EXPECT_EQ(f.firstRatio, shown.label23_3);
            EXPECT_EQ(f.secondRatio, shown.label23_1);
            EXPECT_EQ(f.flagDownPayment, shown.redFlagDownPayment);
            EXPECT_EQ(f.flagLoanAmount, shown.redFlagLoanAmount);
            EXPECT_EQ(f.flagFirstRatio, shown.redFlagFirstRatio);
            EXPECT_EQ(f.flagSecondRatio, shown.redFlagSecondRatio);
            const PayoffPlan plan = ComputePayoffPlan(m, ExtraPayments());
            EXPECT_EQ(f.insuranceEndPayment, plan.pmi.charged ? plan.pmi.automatic : 0);
            EXPECT_NEAR(f.horizon.insurance,
                        f.mortgageInsurance * std::min(years * 12, f.insuranceEndPayment
                                                                       ? f.insuranceEndPayment
                                                                       : f.payments),
                        1e-6);
        }
    }
}

TEST(Comparison, CsvHasOneNumberPerScenarioAndQuotesNames) {
    const Model a = SampleLoan(375000, 0.2f, 0.0625f, 0);
    const Model b = SampleLoan(375000, 0.2f, 0.0675f, 0);
    const std::vector<ComparisonFigures> columns{Column(a, 0.02), Column(b)};
    const std::vector<std::string> names{"Smith, 6.25 %", "Smith \"plain\""};
    const std::string csv =
        ComparisonCsv(ComparisonTable(columns), ComparisonBreakEvens(columns, names), names);
    EXPECT_EQ(csv.substr(0, csv.find('\n')), "Figure,\"Smith, 6.25 %\",\"Smith \"\"plain\"\"\"");
    EXPECT_NE(csv.find("\nPrincipal and interest,1847.15,1945.79\n"), std::string::npos) << csv;
    EXPECT_NE(csv.find("\nInterest rate,0.062500,0.067500\n"), std::string::npos) << csv;
    EXPECT_NE(csv.find("\nMortgage type,30 Year / Fixed Conventional,30 Year / Fixed "
                       "Conventional\n"),
              std::string::npos);
    EXPECT_NE(csv.find("\n\"Break-even month on cost, Smith, 6.25 % / Smith \"\"plain\"\"\",48,\n"),
              std::string::npos)
        << csv;
    EXPECT_EQ(csv.find('$'), std::string::npos);
}

TEST(Comparison, HorizonIsHeldWithinItsRangeAndNamesItsRows) {
    const Model m = SampleLoan(200000, 0.2f, 0.07f, 0);
    EXPECT_EQ(Column(m, 0, 0).horizonYears, kHorizonMinYears);
    EXPECT_EQ(Column(m, 0, 99).horizonYears, kHorizonMaxYears);
    const auto rows = ComparisonTable({Column(m, 0, 1)});
    EXPECT_EQ(Row(rows, "Interest paid in 1 year").cells.size(), 1u);
    // Beyond the term the horizon is the whole loan.
    const ComparisonFigures longer = Column(m, 0, 40);
    EXPECT_DOUBLE_EQ(longer.horizon.totalPaid, longer.wholeTerm.totalPaid);
    EXPECT_DOUBLE_EQ(longer.horizon.balanceLeft, 0);
}

TEST(Comparison, WordsForColumnsAndMonths) {
    EXPECT_EQ(DefaultColumnName(SampleLoan(200000, 0.2f, 0.065f, 0)), "30-year at 6.5 %");
    EXPECT_EQ(DefaultColumnName(SampleLoan(200000, 0.2f, 0.07f, 2)), "15-year at 7 %");
    EXPECT_EQ(DefaultColumnName(SampleLoan(200000, 0.2f, 0.06125f, 0)), "30-year at 6.125 %");
    EXPECT_EQ(MonthInWords(kNeverWithinTerm), "Never within the term");
    EXPECT_EQ(MonthInWords(7), "Month 7");
    EXPECT_EQ(MonthInWords(12), "Month 12 (1 year)");
}

}  // namespace
}  // namespace dovanel
