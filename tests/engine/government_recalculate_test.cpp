// Government-backed loans in the main window's results: the loan amount, the
// monthly insurance line, closing, the flags; the thirteen specified types are
// covered by the recalculation and reference tests.
#include <gtest/gtest.h>

#include <cstring>

#include "engine/amortization.h"
#include "engine/payoff.h"
#include "engine/recalculate.h"
#include "tests/engine/sample_model.h"

namespace dovanel {
namespace {

using test::SampleLoan;

constexpr int kConventional30 = 0;
constexpr int kVa30 = 4;
constexpr int kFha30 = 13;
constexpr int kFha15 = 14;
constexpr int kUsda30 = 15;

Model Loan(float price, float down, int type, GovernmentChoices choices = {}) {
    Model m = test::SampleModel();
    m.government = choices;
    test::SetLoan(m, price, down, 0.0625f, type);
    Recalculate(m);
    return m;
}

TEST(GovernmentResults, OfferedTypesFollowTheThirteen) {
    for (int i = 0; i < kMortgageTypeCount; ++i)
        EXPECT_STREQ(kOfferedMortgageTypes[i], kMortgageTypes[i]);
    EXPECT_STREQ(kOfferedMortgageTypes[kFha30], "30 Year / Fixed FHA");
    EXPECT_STREQ(kOfferedMortgageTypes[kFha15], "15 Year / Fixed FHA");
    EXPECT_STREQ(kOfferedMortgageTypes[kUsda30], "30 Year / Fixed USDA");
    const struct {
        int type;
        GovernmentProgram program;
        int years;
    } cases[] = {{kConventional30, GovernmentProgram::kNone, 30},
                 {kVa30, GovernmentProgram::kVa, 30},
                 {kFha30, GovernmentProgram::kFha, 30},
                 {kFha15, GovernmentProgram::kFha, 15},
                 {kUsda30, GovernmentProgram::kUsda, 30}};
    for (const auto& c : cases) {
        const char* name = kOfferedMortgageTypes[c.type];
        EXPECT_EQ(GovernmentProgramOf(name), c.program) << name;
        EXPECT_EQ(TermYearsOf(name), c.years) << name;
        EXPECT_EQ(IsArmOf(name), 0) << name;
    }
}

// $400,000 with 3.5 % down at 6.25 %: year 1's twelve balances on HUD's schedule of
// $392,755 average $390,669.37 (worked out apart from the program); x 0.55 % =
// $2,148.68, / 1.0175 for the financed premium = $2,111.72, / 12 = $175.98.
TEST(GovernmentResults, FhaThirtyYearFinancesTheUpfrontPremium) {
    const Model m = Loan(400000, 0.035f, kFha30);
    const LoanResults& r = m.loanResults;
    EXPECT_EQ(r.downPaymentAmount, 14000.0f);
    EXPECT_EQ(r.loanAmount, 392755.0f);
    EXPECT_EQ(r.pmiPremium, 6755.0f);
    EXPECT_EQ(r.pmiMonthlyRate, 0.0055f);
    EXPECT_EQ(r.monthlyPmi, 175.98f);
    const GovernmentLoanCosts c = GovernmentCostsOf(m);
    EXPECT_EQ(c.annual.payments, 360);  // LTV 96.5 %: the whole term
    // The financed premium is charged and lent at once: only the down payment is due.
    Model base = m;
    base.loanData.mortgageTypeName = kMortgageTypes[kConventional30];
    Recalculate(base);
    EXPECT_NEAR(r.estimateDueAtClosing - base.loanResults.estimateDueAtClosing,
                (r.pmiImpounds - base.loanResults.pmiImpounds) +
                    (r.interimInterest - base.loanResults.interimInterest) +
                    (r.titleFee - base.loanResults.titleFee) +
                    (r.originationFee - base.loanResults.originationFee) -
                    base.loanResults.pmiPremium,
                0.02);
    Model shown = m;
    EXPECT_EQ(Recalculate(shown).label22, "Total Monthly Payment (w/MI) . . . .");
    EXPECT_NEAR(r.totalMonthlyPayment - base.loanResults.totalMonthlyPayment,
                r.monthlyPrincipalInterest - base.loanResults.monthlyPrincipalInterest +
                    r.monthlyPmi - base.loanResults.monthlyPmi,
                0.01);
}

TEST(GovernmentResults, UpfrontPaidInCashAddsToClosingNotToTheLoan) {
    const Model financed = Loan(400000, 0.035f, kFha30);
    const Model cash = Loan(400000, 0.035f, kFha30, {VaUse::kNotIncluded, false, 0});
    EXPECT_EQ(cash.loanResults.loanAmount, 386000.0f);
    EXPECT_EQ(cash.loanResults.pmiPremium, 6755.0f);
    const LoanResults& c = cash.loanResults;
    const LoanResults& f = financed.loanResults;
    // The whole premium is due in cash, less what the smaller loan saves in fees.
    EXPECT_NEAR(c.totalDueAtClosing - f.totalDueAtClosing,
                6755 - (f.originationFee - c.originationFee) - (f.titleFee - c.titleFee) -
                    (f.interimInterest - c.interimInterest),
                0.02);
    EXPECT_LT(cash.loanResults.monthlyPrincipalInterest,
              financed.loanResults.monthlyPrincipalInterest);
}

TEST(GovernmentResults, FhaFifteenYearAtEightyFivePercentPaysElevenYears) {
    const Model m = Loan(600000, 0.15f, kFha15);  // base $510,000, LTV 85 %
    const GovernmentLoanCosts c = GovernmentCostsOf(m);
    EXPECT_EQ(c.annual.rate, 0.0015);
    EXPECT_EQ(c.annual.payments, 132);
    ASSERT_EQ(c.monthlyInsurance.size(), 180u);
    EXPECT_GT(c.monthlyInsurance[131], 0);
    EXPECT_EQ(c.monthlyInsurance[132], 0);
    EXPECT_FALSE(Recalculate(const_cast<Model&>(m)).redFlagDownPayment);
}

TEST(GovernmentResults, VaFundingFeeByUse) {
    const Model plain = Loan(300000, 0, kVa30);
    const struct {
        VaUse use;
        float fee;
    } cases[] = {{VaUse::kNotIncluded, 0},
                 {VaUse::kFirstUse, 6450},
                 {VaUse::kSubsequentUse, 9900},
                 {VaUse::kExempt, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.use));
        const Model m = Loan(300000, 0, kVa30, {c.use, true, 0});
        EXPECT_EQ(m.loanResults.pmiPremium, c.fee);
        EXPECT_EQ(m.loanResults.loanAmount, 300000 + c.fee);
        EXPECT_EQ(m.loanResults.monthlyPmi, 0.0f);  // VA loans carry no monthly insurance
        // Financed, the fee is lent as it is charged: the cash due does not change.
        EXPECT_NEAR(m.loanResults.estimateDueAtClosing - plain.loanResults.estimateDueAtClosing,
                    (m.loanResults.interimInterest - plain.loanResults.interimInterest) +
                        (m.loanResults.titleFee - plain.loanResults.titleFee) +
                        (m.loanResults.originationFee - plain.loanResults.originationFee),
                    0.02);
    }
    // Not included: every result exactly as before the fee was computed.
    Model before = test::SampleModel();
    test::SetLoan(before, 300000, 0, 0.0625f, kVa30);
    Recalculate(before);
    EXPECT_EQ(std::memcmp(&before.loanResults, &plain.loanResults, sizeof(LoanResults)), 0);
    const Model tenDown = Loan(333333, 0.10f, kVa30, {VaUse::kFirstUse, true, 0});
    EXPECT_EQ(GovernmentCostsOf(tenDown).upfrontRate, 0.0125);
    EXPECT_EQ(tenDown.loanResults.pmiPremium, 3750.0f);
}

// With a fifth or more down there is no PMI band, but the funding fee is still
// charged: lent when financed, so the cash due stays as without it.
TEST(GovernmentResults, VaFundingFeeWithoutPmi) {
    const Model plain = Loan(400000, 0.25f, kVa30);
    const Model first = Loan(400000, 0.25f, kVa30, {VaUse::kFirstUse, true, 0});
    const LoanResults& r = first.loanResults;
    EXPECT_EQ(r.pmiPremium, 3750.0f);  // 1.25 % of $300,000
    EXPECT_EQ(r.pmiPremiumRate, 0.0125f);
    EXPECT_EQ(r.loanAmount, 303750.0f);
    EXPECT_EQ(r.monthlyPmi, 0.0f);
    EXPECT_NEAR(r.estimateDueAtClosing - plain.loanResults.estimateDueAtClosing,
                (r.interimInterest - plain.loanResults.interimInterest) +
                    (r.titleFee - plain.loanResults.titleFee) +
                    (r.originationFee - plain.loanResults.originationFee),
                0.02);
    EXPECT_EQ(plain.loanResults.pmiPremium, 0.0f);
    EXPECT_EQ(plain.loanResults.pmiPremiumRate, 0.0f);
}

// $252,500 at 6.25 % on the standard schedule: year 1's balances average
// $251,159.13 (worked out apart from the program); x 0.35 % = $879.06, / 12 = $73.26.
TEST(GovernmentResults, UsdaGuaranteeAndAnnualFee) {
    const Model m = Loan(250000, 0, kUsda30);
    EXPECT_EQ(m.loanResults.pmiPremium, 2500.0f);
    EXPECT_EQ(m.loanResults.loanAmount, 252500.0f);
    EXPECT_EQ(m.loanResults.monthlyPmi, 73.26f);
    EXPECT_EQ(GovernmentCostsOf(m).annual.payments, 360);
    Model shown = m;
    EXPECT_FALSE(Recalculate(shown).redFlagDownPayment);  // USDA needs no down payment
}

TEST(GovernmentResults, FlagsInTheDownPaymentAndJumboPlaces) {
    const struct {
        const char* what;
        float price;
        float down;
        int type;
        float countyLimit;
        bool downFlag;
        bool amountFlag;
    } cases[] = {
        {"conforming limit", 1040937.5f, 0.2f, kConventional30, 0, false, false},
        {"a dollar above the conforming limit", 1040938.75f, 0.2f, kConventional30, 0, false, true},
        {"FHA at the floor", 541287, 0.0f, kFha30, 0, true, false},
        {"FHA a dollar above the floor", 541288, 0.0f, kFha30, 0, true, true},
        {"FHA under a county's higher limit", 700000, 0.035f, kFha30, 700000, false, false},
        {"FHA just below the minimum down", 400000, 0.0349f, kFha30, 0, true, false},
        {"FHA at the minimum down", 400000, 0.035f, kFha30, 0, false, false},
        {"USDA with nothing down", 250000, 0.0f, kUsda30, 0, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Model m = test::SampleModel();
        m.guidelineRatios.jumboLimit = static_cast<Single>(m.governmentTables.conformingLimit);
        m.government.fhaCountyLimit = c.countyLimit;
        test::SetLoan(m, c.price, c.down, 0.0625f, c.type);
        const ResultsDisplay shown = Recalculate(m);
        EXPECT_EQ(shown.redFlagDownPayment, c.downFlag);
        EXPECT_EQ(shown.redFlagLoanAmount, c.amountFlag);
    }
    EXPECT_FALSE(AboveConformingLimit(832750, GovernmentLoanTables{}));
    EXPECT_TRUE(AboveConformingLimit(832751, GovernmentLoanTables{}));
}

// The amortization table and the planner end FHA and USDA insurance when the
// program does, not at an LTV: 11 years at 10 % down, never before the end at 3.5 %.
TEST(GovernmentResults, InsuranceEndsWhenTheProgramSays) {
    const struct {
        const char* what;
        float down;
        int type;
        int removalRow;  // 0: charged for the whole term
    } cases[] = {
        {"FHA, 10 % down", 0.10f, kFha30, 133},
        {"FHA, 3.5 % down", 0.035f, kFha30, 0},
        {"USDA", 0.0f, kUsda30, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const Model m = Loan(300000, c.down, c.type);
        const Amortization a = ComputeAmortization(m);
        EXPECT_EQ(a.pmiRemovalRow, c.removalRow);
        EXPECT_EQ(a.removePmiMessage.find("80%"), std::string::npos) << a.removePmiMessage;
        if (c.removalRow > 0) {
            EXPECT_NE(a.removePmiMessage.find("Year 12 / Month 1"), std::string::npos)
                << a.removePmiMessage;
        }
        const PayoffPlan plan = ComputePayoffPlan(m, {});
        EXPECT_FALSE(plan.pmi.charged);
        EXPECT_NE(plan.pmiRequest.find("FHA and USDA"), std::string::npos) << plan.pmiRequest;
    }
}

}  // namespace
}  // namespace dovanel
