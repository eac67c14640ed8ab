#include "engine/amortization.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "engine/recalculate.h"
#include "tests/engine/sample_model.h"

namespace dovanel {
namespace {

using test::SampleLoan;

TEST(Amortization, ThirtyYearExampleWithPmiRemoval) {
    const Amortization a = ComputeAmortization(SampleLoan(125000, 0.05f, 0.075f, 0));
    ASSERT_EQ(a.rows.size(), 360u);
    const AmortizationRow& first = a.rows.front();
    EXPECT_EQ(first.line,
              "Year 1 / Month 1\t     $118,750.00\t\t$742.19\t\t$88.13\t\t$118,661.87\t94.93%");
    EXPECT_EQ(a.pmiRemovalRow, 136);
    EXPECT_EQ(a.rows[135].year, 12);
    EXPECT_EQ(a.rows[135].month, 4);
    EXPECT_LE(a.rows[135].ltv, 0.8001);
    EXPECT_GT(a.rows[134].ltv, 0.8001);
    EXPECT_EQ(
        a.removePmiMessage,
        "Private Mortage Insurance (PMI) payments can be removed at Year 12 / Month 4\r"
        "because your Loan to Value (LTV) ratio will then be less than 80% from that period on.");
    const AmortizationRow& last = a.rows.back();
    EXPECT_EQ(last.year, 30);
    EXPECT_EQ(last.month, 12);
    EXPECT_NE(last.line.find("\t$.00\t"), std::string::npos) << last.line;
    EXPECT_EQ(last.line.substr(last.line.size() - 5), "\t.00%");
    EXPECT_EQ(a.rows[12].year, 2);
    EXPECT_EQ(a.rows[12].month, 1);
}

TEST(Amortization, NoPmiMessageAtOrBelowTheLimit) {
    const std::string noPmi =
        "Because your Loan to Value (LTV) ratio will always be less than 80%, \r"
        "you will not be required to carry Private Mortage Insurance (PMI).";
    const Amortization quarterDown = ComputeAmortization(SampleLoan(200000, 0.25f, 0.065f, 0));
    EXPECT_EQ(quarterDown.rows.size(), 360u);
    EXPECT_EQ(quarterDown.pmiRemovalRow, 0);
    EXPECT_EQ(quarterDown.removePmiMessage, noPmi);

    // LTV exactly the float 0.8001 carried no PMI on the main window, so none is removed here.
    const Model edge = SampleLoan(10000, 0.1999f, 0.065f, 0);
    ASSERT_EQ(edge.loanResults.ltv, 0.8001f);
    EXPECT_FALSE(LoanCarriesPmi(edge));
    EXPECT_EQ(ComputeAmortization(edge).removePmiMessage, noPmi);
}

TEST(Amortization, RemovalSetOnceAtTheFirstQualifyingRow) {
    const Amortization a = ComputeAmortization(SampleLoan(300000, 0.05f, 0.07f, 0));
    ASSERT_GT(a.pmiRemovalRow, 0);
    const auto first =
        std::find_if(a.rows.begin(), a.rows.end(), [](const auto& r) { return r.ltv <= 0.8001; });
    EXPECT_EQ(first - a.rows.begin() + 1, a.pmiRemovalRow);
}

TEST(Amortization, FifteenYearLoanHas180Rows) {
    const Amortization a = ComputeAmortization(SampleLoan(250000, 0.2f, 0.06f, 2));
    ASSERT_EQ(a.rows.size(), 180u);
    EXPECT_EQ(a.rows.back().year, 15);
    EXPECT_NEAR(a.rows.back().ending, 0.0, 1e-6);
}

TEST(Amortization, ShortAmountsGetAnExtraTab) {
    AmortizationRow row;
    row.year = 30, row.month = 12;
    row.beginning = 9.5;     // "$9.50": shorter than 6
    row.interest = 0.06;     // "$.06": shorter than 8
    row.principal = 999.99;  // "$999.99": 7, shorter than 8
    row.ending = 1000;       // "$1,000.00": 9
    row.ltv = 0.0042;
    EXPECT_EQ(AmortizationLine(row),
              "Year 30 / Month 12\t     $9.50\t\t\t$.06\t\t$999.99\t\t$1,000.00\t.42%");
}

TEST(Amortization, ZeroRatePaysTheLoanEvenly) {
    const Amortization a = ComputeAmortization(SampleLoan(120000, 0.1f, 0.0f, 3));
    ASSERT_EQ(a.rows.size(), 120u);
    EXPECT_DOUBLE_EQ(a.rows[0].principal, 900.0);
    EXPECT_EQ(a.rows[0].interest, 0.0);
}

TEST(PartialTerm, FiveYearsOfTheExampleLoan) {
    const Model m = SampleLoan(125000, 0.05f, 0.075f, 0);
    const PartialTerm p = PartialTermInterest(m, 5);
    EXPECT_EQ(p.sentence, "Show total interest for the first [5] years of the mortgage.");
    EXPECT_EQ(p.label, "Total interest that will be paid: $43,427");
}

TEST(PartialTerm, WholeTermEqualsTheMainWindowsTotalAndLongerIsCapped) {
    Model m = SampleLoan(125000, 0.05f, 0.075f, 2);
    const ResultsDisplay shown = Recalculate(m);
    EXPECT_DOUBLE_EQ(PartialTermInterest(m, 15).total, shown.totalInterest);
    EXPECT_DOUBLE_EQ(PartialTermInterest(m, 30).total, shown.totalInterest);
    EXPECT_EQ(PartialTermInterest(m, 30).label,
              "Total interest that will be paid: " + shown.lblTotalInterest);
    EXPECT_EQ(PartialTermInterest(m, 0).label, "Total interest that will be paid: $");
}

}  // namespace
}  // namespace dovanel
