#include "engine/loan_schedule.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "engine/money.h"
#include "engine/payoff.h"
#include "tests/engine/sample_model.h"

namespace dovanel {
namespace {

TEST(RoundHalfAway, RoundsTheDecimalTheAmountStandsFor) {
    const struct {
        double amount;
        int decimals;
        double rounded;
    } cases[] = {
        {1.005, 2, 1.01},     {2.675, 2, 2.68},    {17.4375, 2, 17.44},      {-1.005, 2, -1.01},
        {0.004999, 2, 0.0},   {1.0049999, 2, 1.0}, {530.8032708, 2, 530.80}, {0.5, 0, 1.0},
        {2.5, 0, 3.0},        {-2.5, 0, -3.0},     {1049.78, 0, 1050},       {56581.4, 0, 56581},
        {15772.58, 0, 15773}, {0.0005, 3, 0.001},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RoundHalfAway(c.amount, c.decimals), c.rounded)
            << c.amount << " to " << c.decimals;
    EXPECT_FALSE(std::signbit(RoundToCents(-0.004)));  // no negative zero
    EXPECT_EQ(RoundToCents(1e13 + 0.123), 1e13 + 0.123);
    EXPECT_TRUE(std::isnan(RoundToCents(std::numeric_limits<double>::quiet_NaN())));
    EXPECT_EQ(RoundHalfAway(1.23456, 7), 1.23456);
}

bool WholeCents(double amount) {
    return std::fabs(amount * 100 - std::round(amount * 100)) < 1e-6;
}

// The published sample loan: $162,000 at 3.875 % for 30 years.
TEST(CentSchedule, SampleLoanAsTheLenderStatesIt) {
    const auto rows = CentSchedule(162000, 0.03875, 360);
    ASSERT_EQ(rows.size(), 360u);
    EXPECT_EQ(rows[0].payment, 761.78);
    EXPECT_EQ(rows[0].interest, 523.13);  // 162,000 x 3.875 % / 12 = 523.125
    EXPECT_NEAR(rows[59].balance, 146227.42, 1e-6);
    EXPECT_NEAR(rows[358].payment, 761.78, 1e-9);
    EXPECT_NEAR(rows[359].payment, 764.68, 1e-6);  // the last payment clears what is owed
    EXPECT_EQ(rows[359].balance, 0.0);
    double interest = 0;
    for (const ScheduledPayment& row : rows) interest += row.interest;
    EXPECT_NEAR(interest, 112243.70, 1e-6);
}

// Over many loans: payments are level to the cent, interest is the cent-rounded
// interest on what is owed, and the principal repaid is the loan.
TEST(CentSchedule, EveryRowAddsUp) {
    const double loans[] = {1000, 118750, 392755, 2500000.55};
    const double rates[] = {0.0, 0.02125, 0.065, 0.18};
    const int counts[] = {1, 12, 180, 360};
    const InterestRounding roundings[] = {InterestRounding::kMonthly,
                                          InterestRounding::kPercentTwice};
    for (double loan : loans)
        for (double rate : rates)
            for (int n : counts)
                for (InterestRounding rounding : roundings) {
                    SCOPED_TRACE(testing::Message() << loan << " " << rate << " " << n);
                    const auto rows = CentSchedule(loan, rate, n, rounding);
                    ASSERT_EQ(rows.size(), static_cast<std::size_t>(n));
                    double owed = loan, repaid = 0;
                    for (std::size_t k = 0; k < rows.size(); ++k) {
                        const ScheduledPayment& r = rows[k];
                        ASSERT_NEAR(r.interest, RoundToCents(owed * rate / 12), 0.0100001);
                        ASSERT_TRUE(WholeCents(r.interest) && WholeCents(r.balance));
                        ASSERT_NEAR(r.payment, r.interest + r.principal, 1e-9);
                        if (k + 1 < rows.size()) {
                            ASSERT_NEAR(r.payment, rows[0].payment, 1e-9);
                        }
                        ASSERT_NEAR(r.balance, owed - r.principal, 1e-6);
                        owed = r.balance;
                        repaid += r.principal;
                    }
                    EXPECT_EQ(rows.back().balance, 0.0);
                    EXPECT_NEAR(repaid, loan, 1e-6);
                }
}

// HUD's interest rounds the year's interest in percent first: 100,005.23 x 6.5
// = 650,033.995 becomes 650,034.00, whose 1,200th is 541.70, where the month's
// interest itself, 541.694996, is 541.69.
TEST(CentSchedule, InterestRoundedTwiceForFhaPremiums) {
    const struct {
        double balance, rate, monthly, twice;
    } cases[] = {
        {100005.23, 0.065, 541.69, 541.70},
        {100002.58, 0.03875, 322.92, 322.93},
        {162000, 0.03875, 523.13, 523.13},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CentSchedule(c.balance, c.rate, 360)[0].interest, c.monthly) << c.balance;
        EXPECT_EQ(CentSchedule(c.balance, c.rate, 360, InterestRounding::kPercentTwice)[0].interest,
                  c.twice)
            << c.balance;
    }
}

TEST(CentSchedule, NothingToSchedule) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_TRUE(CentSchedule(100000, 0.05, 0).empty());
    EXPECT_TRUE(CentSchedule(100000, 0.05, -12).empty());
    EXPECT_TRUE(CentSchedule(nan, 0.05, 360).empty());
    EXPECT_TRUE(CentSchedule(100000, nan, 360).empty());
}

TEST(MortgageInsuranceEnd, SampleLoanEndsWithPaymentEighty) {
    // 78 % of $180,000 is $140,400: owed $140,562.39 after payment 79, $140,254.51 after 80.
    EXPECT_EQ(MortgageInsuranceEndPayment(162000, 0.03875 / 12, 360, 180000), 80);
    // At no interest $100,000 over ten years falls by $833.33 a month: $93,600 after 7.68.
    EXPECT_EQ(MortgageInsuranceEndPayment(100000, 0.0, 120, 120000), 8);
    EXPECT_EQ(MortgageInsuranceEndPayment(70000, 0.05 / 12, 360, 100000), 1);
    EXPECT_EQ(MortgageInsuranceEndPayment(100000, 0.05 / 12, 0, 120000), 0);
    EXPECT_EQ(MortgageInsuranceEndPayment(0, 0.05 / 12, 360, 120000), 0);
    EXPECT_EQ(MortgageInsuranceEndPayment(100000, 0.05 / 12, 360, 0), 0);
}

// The same payment the payoff planner names for automatic termination.
TEST(MortgageInsuranceEnd, AgreesWithThePayoffPlanner) {
    const float prices[] = {95000, 285000, 650000};
    const float downs[] = {0.03f, 0.05f, 0.1f, 0.15f};
    const float rates[] = {0.0f, 0.03875f, 0.0675f, 0.125f};
    const int types[] = {0, 1, 2, 3};
    int compared = 0;
    for (float price : prices)
        for (float down : downs)
            for (float rate : rates)
                for (int type : types) {
                    const Model m = test::SampleLoan(price, down, rate, type);
                    const PayoffPlan plan = ComputePayoffPlan(m, {});
                    if (!plan.pmi.charged) continue;
                    SCOPED_TRACE(testing::Message() << price << " " << down << " " << rate);
                    EXPECT_EQ(MortgageInsuranceEndPayment(
                                  m.loanResults.loanAmount,
                                  static_cast<double>(m.loanData.interestRate) / 12.0,
                                  static_cast<int>(plan.baseline.size()), price),
                              plan.pmi.automatic);
                    ++compared;
                }
    EXPECT_GT(compared, 100);
}

}  // namespace
}  // namespace dovanel
