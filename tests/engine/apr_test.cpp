#include "engine/apr.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace dovanel {
namespace {

std::vector<double> Repeat(int count, double amount) {
    return std::vector<double>(static_cast<std::size_t>(count), amount);
}

std::vector<double> Join(std::vector<double> a, const std::vector<double>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// The present value of a flow at monthly rate i, written out term by term.
double PresentValue(const AprCashFlow& flow, double i) {
    const int shift = flow.oddDays < 0 ? 1 : 0;
    const double f = (flow.oddDays < 0 ? 30 + flow.oddDays : flow.oddDays) / 30.0;
    double sum = 0;
    for (std::size_t k = 0; k < flow.payments.size(); ++k)
        sum +=
            flow.payments[k] / ((1 + f * i) * std::pow(1 + i, static_cast<double>(k) + 1 - shift));
    return sum;
}

// The worked examples of the rate's official appendix, monthly payments. The
// exact rates come from an independent bisection of the same equation; the
// appendix publishes them to two decimals.
TEST(AnnualPercentageRate, WorkedExamples) {
    struct Case {
        const char* what;
        AprCashFlow flow;
        double exactPercent;
        const char* published;
        const char* disclosed;
    };
    const Case cases[] = {
        {"(c)(1)(i) regular first period",
         {5000, 0, Repeat(24, 230)},
         9.685708062280836,
         "9.69%",
         "9.686%"},
        {"(c)(1)(ii) long first period, 19 odd days",
         {6000, 19, Repeat(36, 200)},
         11.816508290825963,
         "11.82%",
         "11.817%"},
        {"(c)(2)(i) odd first payment",
         {5000, 0, Join({250}, Repeat(23, 230))},
         10.082890027186982,
         "10.08%",
         "10.083%"},
        {"(c)(3)(i) odd final payment",
         {5000, 0, Join(Repeat(23, 230), {280})},
         10.500468857866037,
         "10.5%",
         "10.5%"},
        {"(c)(4)(i) odd first and final payments",
         {5000, 0, Join(Join({250}, Repeat(22, 230)), {280})},
         10.895548703471155,
         "10.9%",
         "10.896%"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const double rate = AnnualPercentageRate(c.flow);
        EXPECT_NEAR(rate, c.exactPercent / 100, 1e-12);
        EXPECT_EQ(DisclosurePercent(std::round(rate * 10000) / 10000), c.published);
        EXPECT_EQ(DisclosurePercent(rate), c.disclosed);
    }
}

// A 30-year loan of $200,000 at 6.5 % pays $1,264.14 a month; $4,000 of finance
// charges at closing leave $196,000 financed.
TEST(AnnualPercentageRate, ThirtyYearLoanWithAndWithoutPrepaidCharges) {
    const AprCashFlow charged{196000, 0, Repeat(360, 1264.14)};
    const AprCashFlow none{200000, 0, Repeat(360, 1264.14)};
    EXPECT_EQ(DisclosurePercent(AnnualPercentageRate(charged)), "6.695%");
    EXPECT_NEAR(AnnualPercentageRate(charged), 0.06695347360283632, 1e-12);
    // The payment is rounded up to the cent, so the rate is a hair over the note rate.
    EXPECT_NEAR(AnnualPercentageRate(none), 0.06500030054036408, 1e-12);
    EXPECT_EQ(DisclosurePercent(AnnualPercentageRate(none)), "6.5%");
}

// $162,000 at 3.875 % for 30 years, $761.78 a month plus $82.35 of mortgage
// insurance with payments 1 to 80, nothing charged at closing: the published
// closing disclosure's 4.174 %.
TEST(AnnualPercentageRate, MortgageInsuranceEndingAfterEightyPayments) {
    AprCashFlow flow{162000, 0, Repeat(360, 761.78)};
    for (int k = 0; k < 80; ++k) flow.payments[static_cast<std::size_t>(k)] += 82.35;
    const double rate = AnnualPercentageRate(flow);
    EXPECT_EQ(DisclosurePercent(rate), "4.174%");
    EXPECT_NEAR(rate, 0.04174235450670992, 1e-12);
}

// Loans built at a known rate give that rate back, whatever the sign of the
// rate, the length of the first period or the number of payments.
TEST(AnnualPercentageRate, RecoversTheRateAFlowWasBuiltAt) {
    const double annualRates[] = {-0.05, -0.001, 0.0, 1e-7, 0.03875, 0.18, 0.95};
    const int oddDays[] = {-29, -10, 0, 1, 19, 45, 365};
    const int counts[] = {1, 2, 24, 360, 480};
    for (double annual : annualRates)
        for (int odd : oddDays)
            for (int n : counts) {
                SCOPED_TRACE(testing::Message() << annual << " " << odd << " days " << n);
                AprCashFlow flow{1, odd, Repeat(n, 1000)};
                flow.payments.back() += 250;  // an odd last payment
                flow.amountFinanced = PresentValue(flow, annual / 12);
                const double rate = AnnualPercentageRate(flow);
                ASSERT_NEAR(rate, annual, 1e-12 + 1e-12 * std::fabs(annual));
            }
}

TEST(AnnualPercentageRate, NoRateExists) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        const char* what;
        AprCashFlow flow;
    } cases[] = {
        {"no payments", {5000, 0, {}}},
        {"nothing financed", {0, 0, Repeat(12, 100)}},
        {"a negative amount financed", {-5000, 0, Repeat(12, 100)}},
        {"an amount financed that is not a number", {nan, 0, Repeat(12, 100)}},
        {"an infinite amount financed", {inf, 0, Repeat(12, 100)}},
        {"a payment that is not a number", {1000, 0, {100, nan, 100}}},
        {"an infinite payment", {1000, 0, {100, inf}}},
        {"every payment zero", {1000, 0, Repeat(12, 0)}},
        {"every payment negative", {1000, 0, Repeat(12, -100)}},
        {"a first payment on the day the loan is made", {1000, -30, Repeat(12, 100)}},
    };
    for (const auto& c : cases) EXPECT_TRUE(std::isnan(AnnualPercentageRate(c.flow))) << c.what;
}

TEST(DisclosurePercent, ThreeDecimalsWithoutTrailingZeros) {
    const struct {
        double fraction;
        const char* text;
    } cases[] = {
        {0.04274, "4.274%"},      {0.065, "6.5%"},       {0.07, "7%"},
        {0.694477, "69.448%"},    {0.024999, "2.5%"},    {0.07005, "7.005%"},
        {0.042745, "4.275%"},     {0.0427449, "4.274%"}, {0.0, "0%"},
        {0.0000049, "0%"},        {-0.0025, "-0.25%"},   {1.5, "150%"},
        {12.345678, "1234.568%"},
    };
    for (const auto& c : cases) EXPECT_EQ(DisclosurePercent(c.fraction), c.text) << c.fraction;
    EXPECT_EQ(DisclosurePercent(std::numeric_limits<double>::quiet_NaN()), "");
    EXPECT_EQ(DisclosurePercent(std::numeric_limits<double>::infinity()), "");
}

}  // namespace
}  // namespace dovanel
