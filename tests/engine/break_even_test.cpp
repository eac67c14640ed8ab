#include "engine/break_even.h"

#include <gtest/gtest.h>

namespace dovanel {
namespace {

LoanCostStream LoanStream(double upfront, double loan, double rate, int payments) {
    return CostStreamOf(upfront, CentSchedule(loan, rate, payments), {});
}

// Streams without interest, principal only, so a payment is what is repaid.
LoanCostStream Principal(double upfront, const std::vector<double>& payments) {
    LoanCostStream s;
    s.upfront = upfront;
    for (double p : payments) s.months.push_back({0, p, 0});
    return s;
}

// $300,000 for 30 years: 6.25 % with $6,000 of points or 6.75 % without.
TEST(BreakEven, PointsPayForThemselves) {
    const LoanCostStream points = LoanStream(6000, 300000, 0.0625, 360);
    const LoanCostStream none = LoanStream(0, 300000, 0.0675, 360);
    EXPECT_EQ(points.months[0].Payment(), 1847.15);
    EXPECT_EQ(none.months[0].Payment(), 1945.79);
    const BreakEven be = FindBreakEven(points, none);
    EXPECT_EQ(be.payingOption, 0);
    EXPECT_EQ(be.onPayments, 61);
    EXPECT_EQ(be.onCost, 48);
    const BreakEven swapped = FindBreakEven(none, points);
    EXPECT_EQ(swapped.payingOption, 1);
    EXPECT_EQ(swapped.onPayments, 61);
    EXPECT_EQ(swapped.onCost, 48);
}

TEST(BreakEven, IdenticalOptionsNeverBreakEven) {
    const LoanCostStream a = LoanStream(6000, 300000, 0.0625, 360);
    const BreakEven be = FindBreakEven(a, a);
    EXPECT_EQ(be.payingOption, -1);
    EXPECT_EQ(be.onPayments, kNeverWithinTerm);
    EXPECT_EQ(be.onCost, kNeverWithinTerm);
}

TEST(BreakEven, CountedByHand) {
    const struct {
        const char* what;
        LoanCostStream first, second;
        int payments, cost;
    } cases[] = {
        // 100 + 10 m < 20 m from month 11 on; equal in month 10 is not ahead.
        {"lower payments", Principal(100, std::vector<double>(24, 10)),
         Principal(0, std::vector<double>(24, 20)), 11, kNeverWithinTerm},
        // 60, 70, 80, 180 against 30, 60, 90, 120: ahead in month 3 only.
        {"ahead, then behind at the end", Principal(50, {10, 10, 10, 100}),
         Principal(0, {30, 30, 30, 30}), kNeverWithinTerm, kNeverWithinTerm},
        // 60, 70, 80, 90, 91 against 30, 60, 90, 90, 120: level again in month 4.
        {"ahead, level, ahead again", Principal(50, {10, 10, 10, 10, 1}),
         Principal(0, {30, 30, 30, 0, 30}), 5, kNeverWithinTerm},
        // The shorter loan stops paying: 100 + 5 x 30 = 250 against 20 a month,
        // less from month 13 (260).
        {"shorter term", Principal(100, std::vector<double>(5, 30)),
         Principal(0, std::vector<double>(24, 20)), 13, kNeverWithinTerm},
        {"no months", Principal(100, {}), Principal(0, {}), kNeverWithinTerm, kNeverWithinTerm},
    };
    for (const auto& c : cases) {
        const BreakEven be = FindBreakEven(c.first, c.second);
        EXPECT_EQ(be.payingOption, 0) << c.what;
        EXPECT_EQ(be.onPayments, c.payments) << c.what;
        EXPECT_EQ(be.onCost, c.cost) << c.what;
    }
}

// Interest and mortgage insurance count on the cost measure, principal does not.
TEST(BreakEven, CostCountsInterestAndInsurance) {
    LoanCostStream insured;
    insured.upfront = 0;
    LoanCostStream paying;
    paying.upfront = 500;
    for (int m = 0; m < 12; ++m) {
        insured.months.push_back({100, 400, 60});
        paying.months.push_back({100, 460, 0});  // the same payment, no insurance
    }
    const BreakEven be = FindBreakEven(paying, insured);
    EXPECT_EQ(be.onPayments, kNeverWithinTerm);
    EXPECT_EQ(be.onCost, 9);  // 500 < 9 x 60 = 540; 480 at month 8
}

TEST(BreakEven, PointsAtTheSameRateNeverPay) {
    const BreakEven be =
        FindBreakEven(LoanStream(6000, 300000, 0.0625, 360), LoanStream(0, 300000, 0.0625, 360));
    EXPECT_EQ(be.payingOption, 0);
    EXPECT_EQ(be.onPayments, kNeverWithinTerm);
    EXPECT_EQ(be.onCost, kNeverWithinTerm);
}

TEST(BreakEven, InsuranceJoinsTheStreamByPayment) {
    const auto schedule = CentSchedule(1200, 0.0, 12);
    const LoanCostStream s = CostStreamOf(10, schedule, {5, 5});
    ASSERT_EQ(s.months.size(), 12u);
    EXPECT_EQ(s.months[0].Payment(), 105);
    EXPECT_EQ(s.months[2].Payment(), 100);
    EXPECT_EQ(s.upfront, 10);
}

}  // namespace
}  // namespace dovanel
