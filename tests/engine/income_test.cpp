#include "engine/income.h"

#include <gtest/gtest.h>

namespace dovanel {
namespace {

TEST(IncomeAnalysis, AllZeroCountsNoYearAndConfirmsAsNotEntered) {
    IncomeAnalysis a;
    const IncomeDisplay shown = ComputeIncomeAnalysis(a);
    EXPECT_EQ(shown.averageFrameCaption, "0 Year Average");
    EXPECT_EQ(shown.averageYearIncome, "$0.00");
    EXPECT_EQ(shown.averageMonthlyIncome, "$0.00");
    EXPECT_EQ(shown.yearIncome[1], "0");
    EXPECT_EQ(ConfirmedMonthlyIncome(a), kIncomeNotEntered);
}

TEST(IncomeAnalysis, AveragesOverTheYearsWithIncomeOnly) {
    IncomeAnalysis a;
    a.line[1][1] = 60000;
    IncomeDisplay shown = ComputeIncomeAnalysis(a);
    EXPECT_EQ(shown.averageFrameCaption, "1 Year Average");
    EXPECT_EQ(a.averageYearIncome, 60000);
    EXPECT_EQ(a.averageMonthlyIncome, 5000);
    EXPECT_EQ(shown.averageMonthlyIncome, "$5,000.00");
    EXPECT_EQ(ConfirmedMonthlyIncome(a), 5000);

    a.line[1][1] = 50000;
    a.line[1][2] = 70000;
    shown = ComputeIncomeAnalysis(a);
    EXPECT_EQ(shown.averageFrameCaption, "2 Year Average");
    EXPECT_EQ(a.averageYearIncome, 60000);
    EXPECT_EQ(shown.averageYearIncome, "$60,000.00");
    EXPECT_EQ(a.averageMonthlyIncome, 5000);
}

TEST(IncomeAnalysis, YearsThatCancelOutGiveZeroAverages) {
    IncomeAnalysis a;
    a.line[1][1] = 1000;
    a.line[1][2] = -1000;
    const IncomeDisplay shown = ComputeIncomeAnalysis(a);
    EXPECT_EQ(shown.averageFrameCaption, "2 Year Average");
    EXPECT_EQ(a.averageYearIncome, 0);
    EXPECT_EQ(a.averageMonthlyIncome, 0);
    EXPECT_EQ(ConfirmedMonthlyIncome(a), kIncomeNotEntered);
}

TEST(IncomeAnalysis, LinesEnterWithTheirSigns) {
    IncomeAnalysis a;
    a.line[1][1] = 80000;
    a.line[18][1] = 5000;  // Schedule C depreciation is added back
    a.line[21][1] = 3000;  // nonrecurring capital gains are taken out
    a.line[22][1] = 1000;  // nonrecurring capital losses are added back
    a.line[2][1] = 500.5f;
    const IncomeDisplay shown = ComputeIncomeAnalysis(a);
    EXPECT_EQ(a.yearIncome[1], 82499.5f);
    EXPECT_EQ(shown.yearIncome[1], "82499.5");
    const int added[] = {1, 3, 6, 8, 10, 11, 12, 13, 16, 17, 18, 20, 22, 23, 24};
    int plus = 0;
    for (int k = 1; k <= 25; ++k) plus += IncomeLineSign(k) > 0;
    EXPECT_EQ(plus, static_cast<int>(std::size(added)));
    for (int k : added) EXPECT_EQ(IncomeLineSign(k), 1) << k;
}

TEST(IncomeAnalysis, NegativeAverageIsPassedOn) {
    IncomeAnalysis a;
    a.line[1][3] = -2400;
    const IncomeDisplay shown = ComputeIncomeAnalysis(a);
    EXPECT_EQ(shown.yearIncome[3], "-2400");
    EXPECT_EQ(ConfirmedMonthlyIncome(a), -200);
    EXPECT_EQ(shown.averageMonthlyIncome, "($200.00)");
}

}  // namespace
}  // namespace dovanel
