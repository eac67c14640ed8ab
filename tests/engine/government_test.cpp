#include "engine/government.h"

#include <gtest/gtest.h>

#include <cmath>

#include "engine/money.h"

namespace dovanel {
namespace {

const GovernmentLoanTables kTables;

GovernmentLoanTerms Loan(GovernmentProgram program, double price, double down, int years,
                         double rate) {
    GovernmentLoanTerms t;
    t.program = program;
    t.price = price;
    t.downPayment = down;
    t.termYears = years;
    t.annualRate = rate;
    return t;
}

// HUD's premium for one policy year, worked out on its own: the twelve balances
// owed before the year's payments on a schedule whose interest is rounded as
// HUD rounds it, their average times the rate, rounded; taken back out of a
// financed upfront premium; a twelfth of it, rounded.
double HudMonthlyPremium(double loan, double rate, int year, double premiumRate,
                         double upfrontRate) {
    const double payment = RoundToCents(loan * (rate / 12) / (1 - std::pow(1 + rate / 12, -360)));
    double balance = loan, sum = 0;
    for (int month = 1; month <= 12 * year; ++month) {
        if (month > 12 * (year - 1)) sum += balance;
        const double interest = RoundToCents(RoundToCents(balance * rate * 100) / 1200);
        balance = RoundToCents(balance - (payment - interest));
    }
    double annual = RoundToCents(sum / 12 * premiumRate);
    if (upfrontRate > 0) annual = RoundToCents(annual / (1 + upfrontRate));
    return RoundToCents(annual / 12);
}

// $400,000 with 3.5 % down over 30 years at 6.5 %: the upfront premium is
// financed, the LTV of 96.5 % keeps the annual premium for the whole term.
// Year 1: the average balance 390,766.49 x 0.55 % = 2,149.22; / 1.0175 =
// 2,112.26; / 12 = $176.02 a month. Year 2: 386,243.38 gives $173.98.
TEST(GovernmentLoan, FhaThirtyYearWithTheMinimumDown) {
    const GovernmentLoanCosts c =
        ComputeGovernmentLoan(Loan(GovernmentProgram::kFha, 400000, 14000, 30, 0.065), kTables);
    EXPECT_EQ(c.baseLoan, 386000);
    EXPECT_EQ(c.upfront, 6755);
    EXPECT_EQ(c.financedUpfront, 6755);
    EXPECT_EQ(c.cashUpfront, 0);
    EXPECT_EQ(c.loanAmount, 392755);
    EXPECT_EQ(c.annual.rate, 0.0055);
    EXPECT_EQ(c.annual.payments, 360);
    ASSERT_EQ(c.monthlyInsurance.size(), 360u);
    EXPECT_EQ(c.monthlyInsurance[0], 176.02);
    EXPECT_EQ(c.monthlyInsurance[11], 176.02);
    EXPECT_EQ(c.monthlyInsurance[12], 173.98);
    for (int year = 1; year <= 30; ++year)
        ASSERT_EQ(c.monthlyInsurance[static_cast<std::size_t>(12 * year - 1)],
                  HudMonthlyPremium(392755, 0.065, year, 0.0055, 0.0175))
            << "year " << year;
    EXPECT_GT(c.monthlyInsurance[359], 0);
    EXPECT_LT(c.monthlyInsurance[359], 10);
}

// Paid in cash, the premium is charged on the base loan alone: the same $176.02.
TEST(GovernmentLoan, FhaUpfrontPaidInCash) {
    GovernmentLoanTerms terms = Loan(GovernmentProgram::kFha, 400000, 14000, 30, 0.065);
    terms.financeUpfront = false;
    const GovernmentLoanCosts c = ComputeGovernmentLoan(terms, kTables);
    EXPECT_EQ(c.upfront, 6755);
    EXPECT_EQ(c.financedUpfront, 0);
    EXPECT_EQ(c.cashUpfront, 6755);
    EXPECT_EQ(c.loanAmount, 386000);
    EXPECT_EQ(c.monthlyInsurance[0], 176.02);
    EXPECT_EQ(c.monthlyInsurance[0], HudMonthlyPremium(386000, 0.065, 1, 0.0055, 0));
}

// A base loan of $500,000 at 85 % LTV over 15 years: 0.15 % for 11 years.
TEST(GovernmentLoan, FhaFifteenYearEndsAfterElevenYears) {
    GovernmentLoanTerms terms = Loan(GovernmentProgram::kFha, 600000, 100000, 15, 0.06);
    terms.value = 500000 / 0.85;
    const GovernmentLoanCosts c = ComputeGovernmentLoan(terms, kTables);
    EXPECT_EQ(c.annual.rate, 0.0015);
    EXPECT_EQ(c.annual.payments, 132);
    EXPECT_GT(c.monthlyInsurance[131], 0);
    EXPECT_EQ(c.monthlyInsurance[132], 0);
    EXPECT_EQ(c.monthlyInsurance[179], 0);
}

TEST(GovernmentLoan, FhaAnnualPremiumTable) {
    const struct {
        int years;
        double base, value, rate;
        int payments;
    } cases[] = {
        {30, 386000, 400000, 0.0055, 360},      // 96.5 %
        {30, 380000, 400000, 0.0050, 360},      // 95 % exactly
        {30, 380000.004, 400000, 0.0050, 360},  // within half a cent of 95 %
        {30, 380000.01, 400000, 0.0055, 360},
        {30, 360000, 400000, 0.0050, 132},   // 90 % exactly
        {30, 726200, 1000000, 0.0050, 132},  // the threshold itself is no large loan
        {30, 726201, 1000000, 0.0070, 132},
        {30, 940000, 1000000, 0.0070, 360},
        {30, 960000, 1000000, 0.0075, 360},
        {16, 380000, 400000, 0.0050, 192},  // longer than 15 years
        {15, 380000, 400000, 0.0040, 180},
        {15, 360000, 400000, 0.0015, 132},
        {15, 780000, 1000000, 0.0015, 132},  // large loan at 78 %
        {15, 800000, 1000000, 0.0040, 132},
        {15, 900000, 1000000, 0.0040, 132},
        {15, 950000, 1000000, 0.0065, 180},
        {10, 380000, 400000, 0.0040, 120},
        {10, 300000, 400000, 0.0015, 120},  // 11 years is more than the term
    };
    for (const auto& c : cases) {
        const AnnualPremium p = FhaAnnualPremium(c.years, c.base, c.value, kTables);
        EXPECT_EQ(p.rate, c.rate) << c.years << " " << c.base << " " << c.value;
        EXPECT_EQ(p.payments, c.payments) << c.years << " " << c.base << " " << c.value;
    }
    GovernmentLoanTables none = kTables;
    none.fhaAnnual.clear();
    EXPECT_EQ(FhaAnnualPremium(30, 386000, 400000, none).payments, 0);
}

TEST(GovernmentLoan, VaFundingFee) {
    const struct {
        VaUse use;
        double price, down, rate, fee;
    } cases[] = {
        {VaUse::kNotIncluded, 300000, 0, 0, 0},
        {VaUse::kFirstUse, 300000, 0, 0.0215, 6450},
        {VaUse::kSubsequentUse, 300000, 0, 0.033, 9900},
        {VaUse::kExempt, 300000, 0, 0, 0},
        {VaUse::kFirstUse, 300000, 14999.99, 0.0215, 6127.50},
        {VaUse::kFirstUse, 300000, 15000, 0.015, 4275},
        {VaUse::kSubsequentUse, 300000, 15000, 0.015, 4275},
        {VaUse::kFirstUse, 333333, 33333.3, 0.0125, 3750},
        // 10 % down typed into the program: the price times 0.1 as a float.
        {VaUse::kSubsequentUse, 333333, 33333.30078125, 0.0125, 3750},
        {VaUse::kFirstUse, 333333, 33333.29, 0.015, 4500},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(VaFundingFeeRate(c.use, c.price, c.down, kTables), c.rate) << c.down;
        EXPECT_EQ(VaFundingFee(c.use, c.price, c.down, kTables), c.fee) << c.down;
    }
    GovernmentLoanTerms terms = Loan(GovernmentProgram::kVa, 300000, 0, 30, 0.06);
    terms.vaUse = VaUse::kFirstUse;
    const GovernmentLoanCosts c = ComputeGovernmentLoan(terms, kTables);
    EXPECT_EQ(c.loanAmount, 306450);
    EXPECT_EQ(c.monthlyInsurance, std::vector<double>(360, 0.0));
    terms.vaUse = VaUse::kNotIncluded;
    EXPECT_EQ(ComputeGovernmentLoan(terms, kTables).loanAmount, 300000);
}

// $250,000 base: a $2,500 guarantee fee financed, and 0.35 % a year of the
// year's average balance, for the life of the loan. At 6.5 % the first year's
// average is 251,221.62: 879.28 a year, $73.27 a month; the second's $72.43.
TEST(GovernmentLoan, UsdaGuaranteeAndAnnualFee) {
    const GovernmentLoanCosts c =
        ComputeGovernmentLoan(Loan(GovernmentProgram::kUsda, 250000, 0, 30, 0.065), kTables);
    EXPECT_EQ(c.upfront, 2500);
    EXPECT_EQ(c.loanAmount, 252500);
    EXPECT_EQ(c.annual.rate, 0.0035);
    EXPECT_EQ(c.annual.payments, 360);
    EXPECT_EQ(c.monthlyInsurance[0], 73.27);
    EXPECT_EQ(c.monthlyInsurance[12], 72.43);
    EXPECT_GT(c.monthlyInsurance[359], 0);
}

TEST(GovernmentLoan, PremiumsStopWithTheirLastPayment) {
    const auto schedule = CentSchedule(120000, 0.05, 24);
    const auto monthly = PremiumsOnAverageBalance(schedule, 120000, {0.012, 18});
    ASSERT_EQ(monthly.size(), 24u);
    EXPECT_GT(monthly[0], monthly[12]);  // the second year's balances are lower
    EXPECT_EQ(monthly[11], monthly[0]);
    EXPECT_EQ(monthly[17], monthly[12]);
    EXPECT_EQ(monthly[18], 0);
    EXPECT_EQ(PremiumsOnAverageBalance(schedule, 120000, {0.012, 0}), std::vector<double>(24, 0.0));
    EXPECT_TRUE(PremiumsOnAverageBalance({}, 120000, {0.012, 12}).empty());
}

TEST(GovernmentLoan, LimitsAndMinimumDown) {
    EXPECT_FALSE(AboveConformingLimit(832750, kTables));
    EXPECT_TRUE(AboveConformingLimit(832751, kTables));
    EXPECT_FALSE(AboveFhaLimit(541287, 0, kTables));
    EXPECT_TRUE(AboveFhaLimit(541288, 0, kTables));
    EXPECT_FALSE(AboveFhaLimit(541288, 600000, kTables));
    EXPECT_TRUE(AboveFhaLimit(600001, 600000, kTables));
    EXPECT_FALSE(BelowFhaMinimumDown(400000, 14000, kTables));
    EXPECT_FALSE(BelowFhaMinimumDown(400000, 400000 * 0.035f, kTables));
    EXPECT_TRUE(BelowFhaMinimumDown(400000, 13999.99, kTables));
}

// The tables are data: next year's figures change the results without new code.
TEST(GovernmentLoan, TablesDecide) {
    GovernmentLoanTables next = kTables;
    next.year = 2027;
    next.fhaUpfrontRate = 0.01;
    next.fhaAnnual = {{true, false, kAnyLtv, 0.0025, 0}};
    next.usdaUpfrontRate = 0.02;
    next.vaFundingFee = {{0.0, 0.02, 0.03}};
    const auto fha =
        ComputeGovernmentLoan(Loan(GovernmentProgram::kFha, 400000, 14000, 30, 0.065), next);
    EXPECT_EQ(fha.upfront, 3860);
    EXPECT_EQ(fha.annual.rate, 0.0025);
    EXPECT_EQ(fha.monthlyInsurance[0], HudMonthlyPremium(389860, 0.065, 1, 0.0025, 0.01));
    EXPECT_EQ(UsdaUpfrontFee(250000, next), 5000);
    EXPECT_EQ(VaFundingFee(VaUse::kFirstUse, 300000, 60000, next), 4800);
    EXPECT_EQ(kTables.year, 2026);
    EXPECT_EQ(kTables.fhaFloor, 541287);
    EXPECT_EQ(kTables.fhaCeiling, 1249125);
    EXPECT_EQ(kTables.highCostLimit, 1249125);
}

TEST(GovernmentLoan, ConventionalLoanIsUntouched) {
    const GovernmentLoanCosts c =
        ComputeGovernmentLoan(Loan(GovernmentProgram::kNone, 400000, 80000, 30, 0.065), kTables);
    EXPECT_EQ(c.loanAmount, 320000);
    EXPECT_EQ(c.upfront, 0);
    EXPECT_EQ(c.monthlyInsurance, std::vector<double>(360, 0.0));
}

// Tables that make no sense are named by their first problem; the built-in ones have none.
TEST(GovernmentTablesProblem, NamesWhatMakesNoSense) {
    using T = GovernmentLoanTables;
    const struct {
        const char* problem;
        void (*change)(T&);
    } cases[] = {
        {"", [](T&) {}},
        {"The FHA annual premium table has no rows", [](T& t) { t.fhaAnnual.clear(); }},
        {"The VA funding fee table has no rows", [](T& t) { t.vaFundingFee.clear(); }},
        {"VA funding fee, row 1: the first band does not start at 0 %",
         [](T& t) { t.vaFundingFee.erase(t.vaFundingFee.begin()); }},
        {"VA funding fee, row 3: the down payment does not rise above row 2's",
         [](T& t) { t.vaFundingFee[2].downFrom = 0.05; }},
        {"VA funding fee, row 2: a fee is above 100 %",
         [](T& t) { t.vaFundingFee[1].subsequentUse = 1.5; }},
        {"VA funding fee, row 3: the down payment is above 100 %",
         [](T& t) { t.vaFundingFee[2].downFrom = 1.01; }},
        {"FHA annual premium, row 2: the LTV does not rise above row 1's of the same term and loan "
         "size",
         [](T& t) { t.fhaAnnual[1].ltvUpTo = 0.9; }},
        {"FHA annual premium, row 9: the premium is above 100 %",
         [](T& t) { t.fhaAnnual[8].rate = 2; }},
        {"The FHA annual premium table has no row with over the short term \"no\" and large loan "
         "\"yes\"",
         [](T& t) { t.fhaAnnual.resize(8); }},
        {"The USDA annual fee is above 100 %", [](T& t) { t.usdaAnnualRate = 35; }},
        {"The FHA loan limit floor is above the ceiling", [](T& t) { t.fhaFloor = 2e6; }},
        {"The conforming loan limit is above the high-cost ceiling",
         [](T& t) { t.highCostLimit = 800000; }},
    };
    for (const auto& c : cases) {
        T tables;
        c.change(tables);
        EXPECT_EQ(GovernmentTablesProblem(tables), c.problem);
    }
    // Rows of other terms and sizes between two of one group do not break its rise.
    T mixed;
    const std::vector<FhaAnnualPremiumRow> a = T().fhaAnnual;
    mixed.fhaAnnual = {a[0], a[6], a[1], a[7], a[2], a[3], a[4], a[5], a[8], a[9], a[10]};
    EXPECT_EQ(GovernmentTablesProblem(mixed), "");
}

}  // namespace
}  // namespace dovanel
