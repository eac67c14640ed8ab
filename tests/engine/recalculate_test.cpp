#include "engine/recalculate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "engine/format_value.h"
#include "tests/engine/sample_model.h"

namespace dovanel {
namespace {

using test::SampleModel;
using test::SetLoan;

std::uint32_t Bits(float f) {
    std::uint32_t b;
    std::memcpy(&b, &f, sizeof b);
    return b;
}

// ---- worked examples -------------------------------------------------------

TEST(Recalculate, WorkedExampleTwentyPercentDown) {
    Model m = SampleModel();
    const ResultsDisplay shown = Recalculate(m);
    EXPECT_EQ(m.loanResults.downPaymentAmount, 40000);
    EXPECT_EQ(m.loanResults.loanAmount, 160000);
    EXPECT_EQ(m.loanResults.ltv, 0.8f);
    EXPECT_NEAR(m.loanResults.monthlyPrincipalInterest, 1064.48, 0.005);
    EXPECT_EQ(shown.label2, "$1,064");
    EXPECT_EQ(shown.label8, "$160,000");
    EXPECT_EQ(shown.label9, "80.0%");
    EXPECT_EQ(shown.label5, "$40,000.00");
    EXPECT_NEAR(shown.totalInterest, 223214.24, 0.01);
    EXPECT_EQ(shown.lblTotalInterest, "$223,214");
    EXPECT_FALSE(shown.redFlagDownPayment);
    EXPECT_EQ(m.loanResults.firstRatioLimit, 0.28f);
    EXPECT_EQ(shown.lblFirstRatio, "First  <28%");
    EXPECT_EQ(shown.lblSecondRatio, "Second  <36%");
    EXPECT_EQ(shown.label22, "Total Monthly Payment . . . . . . .");
}

// Each stored result equals, bit for bit, an independent computation of the
// same steps (tests/engine/reference/recalc_reference.py).
TEST(Recalculate, EveryStoredResultMatchesTheReferenceToTheBit) {
    struct Scenario {
        float price, down, rate;
        int type;
        float taxes, insurance, dues, earnest;
        std::uint32_t expected[26];
    };
    const Scenario scenarios[] = {
        {285000, 0.1f, 0.0675f, 0, 4200, 95, 40, 5000, {0x46dea800u, 0x487a7d00u, 0x3f666666u,
                                                        0x44345a00u, 0x43dac000u, 0x44244000u,
                                                        0x3ba3d70au, 0x3baa64c3u, 0x44a05000u,
                                                        0x42de4ccdu, 0x435e4ccdu, 0x44af0000u,
                                                        0x438e8000u, 0x448e8000u, 0x3bf5c28fu,
                                                        0x44f07800u, 0x44b23000u, 0x458ade00u,
                                                        0x459dd9a6u, 0x46ff09eau, 0x47146af5u,
                                                        0x44cff4efu, 0x450d3cdeu, 0x3e8f5c29u,
                                                        0x3eb851ecu, 0x45fc35d6u}},
        {412345.67f,
         0.05f,
         0.0599f,
         11,
         6100.5f,
         130.25f,
         0,
         10000,
         {0x46a11291u, 0x48bf460cu, 0x3f733333u, 0x44746c14u, 0x43fa0000u, 0x44427000u, 0x3c1374bcu,
          0x3c11d14eu, 0x455c58e2u, 0x43914414u, 0x44114414u, 0x44fe3000u, 0x43c36000u, 0x44c36000u,
          0x3bf5c28fu, 0x45379f67u, 0x44b23000u, 0x45b049b4u, 0x460dbe3bu, 0x46c3281au, 0x470a020du,
          0x4512a177u, 0x454cb3fau, 0x3e800000u, 0x3ea8f5c3u, 0x464cb3fau}},
        {199999, 0.03f, 0.06125f, 6, 2400, 70, 25, 1000, {0x45bb7fc2u, 0x483d73c2u, 0x3f7851ecu,
                                                          0x43f78d05u, 0x43c1c000u, 0x44175000u,
                                                          0x3c23d70au, 0x3c1d4952u, 0x00000000u,
                                                          0x00000000u, 0x00000000u, 0x44480000u,
                                                          0x43520000u, 0x44520000u, 0x3bf5c28fu,
                                                          0x44b5dfc4u, 0x44b23000u, 0x457213e2u,
                                                          0x451291a1u, 0x4629d141u, 0x463ee941u,
                                                          0x44ce4689u, 0x44f32689u, 0x3e800000u,
                                                          0x3ea8f5c3u, 0x45f32689u}},
        {1250000,
         0.25f,
         0.07125f,
         1,
         15000,
         310,
         150,
         50000,
         {0x48989680u, 0x4964e1c0u, 0x3f400000u, 0x452df340u, 0x44642000u, 0x449b7000u, 0x00000000u,
          0x00000000u, 0x00000000u, 0x00000000u, 0x00000000u, 0x459c4000u, 0x44688000u, 0x45688000u,
          0x3ba3d70au, 0x45927c00u, 0x44b23000u, 0x46013400u, 0x464244d0u, 0x488a1c86u, 0x48a2b246u,
          0x45e5577cu, 0x460d63beu, 0x3e8f5c29u, 0x3eb851ecu, 0x46fc7b41u}},
    };
    for (const Scenario& s : scenarios) {
        Model m = SampleModel();
        SetLoan(m, s.price, s.down, s.rate, s.type);
        m.loanData.annualTaxes = s.taxes;
        m.loanData.monthlyInsurance = s.insurance;
        m.loanData.monthlyDues = s.dues;
        m.loanData.earnestMoney = s.earnest;
        Recalculate(m);
        const LoanResults& r = m.loanResults;
        const float got[] = {r.downPaymentAmount,
                             r.loanAmount,
                             r.ltv,
                             r.interimInterest,
                             r.escrowFee,
                             r.titleFee,
                             r.pmiPremiumRate,
                             r.pmiMonthlyRate,
                             r.pmiPremium,
                             r.monthlyPmi,
                             r.pmiImpounds,
                             r.taxImpounds,
                             r.insuranceImpounds,
                             r.insurancePremium,
                             r.originationRate,
                             r.originationFee,
                             r.itemizedCosts,
                             r.totalClosingCosts,
                             r.totalPrepaidEscrows,
                             r.estimateDueAtClosing,
                             r.totalDueAtClosing,
                             r.monthlyPrincipalInterest,
                             r.totalMonthlyPayment,
                             r.firstRatioLimit,
                             r.secondRatioLimit,
                             r.minMonthlyIncome};
        for (int i = 0; i < 26; ++i)
            EXPECT_EQ(Bits(got[i]), s.expected[i])
                << "price " << s.price << ", result #" << i << " = " << got[i];
    }
}

TEST(Recalculate, TotalInterestIsPaymentsLessLoanInDouble) {
    Model m = SampleModel();
    SetLoan(m, 330000, 0.1f, 0.0625f, 2);
    const ResultsDisplay shown = Recalculate(m);
    const double r = 0.0625f / 12.0;
    const double growth = std::pow(1 + r, 180);
    const double payment = m.loanResults.loanAmount * r * growth / (growth - 1);
    EXPECT_NEAR(shown.totalInterest, 180 * payment - m.loanResults.loanAmount, 1e-6);
}

// ---- PMI and the LTV bands -------------------------------------------------

TEST(PmiStep, BandsByLoanToValue) {
    struct Case {
        float ltv;
        int band;
    };
    for (const Case c : {Case{0.8001f, 1},
                         {0.85f, 1},
                         {0.8501f, 1},
                         {0.85015f, 2},
                         {0.8502f, 2},
                         {0.9f, 2},
                         {0.9001f, 2},
                         {0.90015f, 3},
                         {0.95f, 3},
                         {0.9501f, 4},
                         {1.25f, 4},
                         {0.8f, 0},
                         {200000.0f, 0}})
        EXPECT_EQ(PmiBand(c.ltv), c.band) << c.ltv;
}

TEST(PmiStep, NoPmiAtOrBelowTheLimit) {
    Model m = SampleModel();
    m.loanData.monthlyIncome = 8000;
    const ResultsDisplay shown = Recalculate(m);  // 20 % down
    const LoanResults& r = m.loanResults;
    EXPECT_EQ(r.pmiPremiumRate + r.pmiMonthlyRate + r.pmiPremium + r.monthlyPmi + r.pmiImpounds,
              0.0f);
    EXPECT_FALSE(shown.redFlagDownPayment);
    EXPECT_FALSE(shown.lblClickRedFlag);
}

TEST(PmiStep, LtvExactlyTheFloatLimitChargesNothing) {
    Model m = SampleModel();
    SetLoan(m, 10000, 0.1999f, 0.07f, 0);
    Recalculate(m);
    ASSERT_EQ(m.loanResults.ltv, 0.8001f);
    EXPECT_EQ(m.loanResults.monthlyPmi, 0.0f);
    EXPECT_EQ(m.loanResults.pmiPremiumRate, 0.0f);
    EXPECT_FALSE(Recalculate(m).redFlagDownPayment);
}

TEST(PmiStep, ConventionalArmAndVaTables) {
    Model m = SampleModel();
    SetLoan(m, 300000, 0.1f, 0.07f, 0);  // LTV 0.9: band 2
    ResultsDisplay shown = Recalculate(m);
    EXPECT_EQ(m.loanResults.pmiPremiumRate, 0.005f);
    EXPECT_EQ(m.loanResults.pmiMonthlyRate, 0.0052f);
    EXPECT_EQ(m.loanResults.monthlyPmi, static_cast<float>(0.0052f * 270000.0 / 12));
    EXPECT_EQ(m.loanResults.pmiImpounds, static_cast<float>(m.loanResults.monthlyPmi * 2.0));
    EXPECT_EQ(shown.label22, "Total Monthly Payment (w/PMI) . . .");
    EXPECT_TRUE(shown.redFlagDownPayment);
    EXPECT_TRUE(shown.lblClickRedFlag);

    SetLoan(m, 300000, 0.1f, 0.07f, 11);  // 1-year ARM
    Recalculate(m);
    EXPECT_EQ(m.loanResults.pmiPremiumRate, 0.006f);
    EXPECT_EQ(m.loanResults.pmiMonthlyRate, 0.0061f);

    for (int adjustable : {8, 9}) {  // 5/25 and 7/23 use the conventional tables
        SetLoan(m, 300000, 0.1f, 0.07f, adjustable);
        Recalculate(m);
        EXPECT_EQ(m.loanResults.pmiPremiumRate, 0.005f);
    }

    SetLoan(m, 300000, 0.1f, 0.07f, 4);  // VA: rates kept, amounts 0
    shown = Recalculate(m);
    EXPECT_EQ(m.loanResults.pmiPremiumRate, 0.005f);
    EXPECT_EQ(m.loanResults.pmiMonthlyRate, 0.0052f);
    EXPECT_EQ(m.loanResults.pmiPremium + m.loanResults.monthlyPmi + m.loanResults.pmiImpounds,
              0.0f);
    EXPECT_EQ(shown.label22, "Total Monthly Payment . . . . . . .");
    EXPECT_TRUE(shown.redFlagDownPayment);
}

TEST(PmiStep, FifteenPointZeroTwoPercentDownIsChargedBandTwo) {
    // 14.985 % down gives an LTV between 0.8501 and 0.8502 for every price.
    Model m = SampleModel();
    for (float price : {150000.0f, 287500.0f, 999999.0f}) {
        SetLoan(m, price, 0.14985f, 0.07f, 0);
        Recalculate(m);
        EXPECT_GT(m.loanResults.ltv, 0.8501);
        EXPECT_LT(m.loanResults.ltv, 0.8502);
        EXPECT_EQ(m.loanResults.pmiMonthlyRate, 0.0052f) << price;
        EXPECT_GT(m.loanResults.monthlyPmi, 0.0f);
    }
}

// ---- fee lookups -----------------------------------------------------------

TEST(GraduatedFee, RowAppliesAboveItsOwnThresholdUpToTheNext) {
    FeeTable t;
    t.amount[1] = 100000, t.fee[1] = 500;
    t.amount[2] = 150000, t.fee[2] = 600;
    t.amount[3] = 200000, t.fee[3] = 700;
    for (int i = 4; i <= 120; ++i) t.amount[i] = 200000.0f + i * 1000, t.fee[i] = 700.0f + i;
    EXPECT_EQ(GraduatedFee(t, 100000, kEscrowTopLimit), 0);
    EXPECT_EQ(GraduatedFee(t, 100001, kEscrowTopLimit), 500);
    EXPECT_EQ(GraduatedFee(t, 150000, kEscrowTopLimit), 500);
    EXPECT_EQ(GraduatedFee(t, 150001, kEscrowTopLimit), 600);
    EXPECT_EQ(GraduatedFee(t, 150000.5f, kEscrowTopLimit), 0) << "between rows";
    EXPECT_EQ(GraduatedFee(t, 50, kEscrowTopLimit), 0);
}

TEST(GraduatedFee, LastRowRunsToTheTopLimit) {
    FeeTable t;
    for (int i = 1; i <= 120; ++i) t.amount[i] = i * 10000.0f, t.fee[i] = static_cast<float>(i);
    EXPECT_EQ(GraduatedFee(t, 1200001, kEscrowTopLimit), 120);
    EXPECT_EQ(GraduatedFee(t, 100000000, kEscrowTopLimit), 120);
    EXPECT_EQ(GraduatedFee(t, 100000008, kEscrowTopLimit), 0);
    EXPECT_EQ(GraduatedFee(t, 999999000, kTitleTopLimit), 120);
    EXPECT_EQ(GraduatedFee(t, 1000000100, kTitleTopLimit), 0);
}

TEST(GraduatedFee, EmptyTrailingRowsChargeTheLastRowsZero) {
    FeeTable t;
    t.amount[1] = 100000, t.fee[1] = 500;
    t.amount[2] = 200000, t.fee[2] = 600;  // rows 3..120 empty
    EXPECT_EQ(GraduatedFee(t, 150000, kEscrowTopLimit), 500);
    EXPECT_EQ(GraduatedFee(t, 250000, kEscrowTopLimit), 0);
    EXPECT_EQ(GraduatedFee(t, 50, kEscrowTopLimit), 0);
}

TEST(OriginationRate, FirstMatchingRowWinsInclusiveAtBothEnds) {
    OriginationSchedule o;
    o.feeRate[1] = 0.01f, o.amountFrom[1] = 0, o.amountTo[1] = 100000;
    o.feeRate[2] = 0.0075f, o.amountFrom[2] = 100000, o.amountTo[2] = 200000;
    EXPECT_EQ(OriginationRate(o, 100000), 0.01f);
    EXPECT_EQ(OriginationRate(o, 100000.5f), 0.0075f);
    EXPECT_EQ(OriginationRate(o, 200000), 0.0075f);
    EXPECT_EQ(OriginationRate(o, 200001), 0.0f);
}

// ---- guideline limits, ratios and flags ------------------------------------

TEST(Ratios, LimitsSwitchAboveNinetyPercent) {
    Model m = SampleModel();
    SetLoan(m, 10000, 0.0999f, 0.07f, 0);
    Recalculate(m);
    ASSERT_EQ(m.loanResults.ltv, 0.9001f);
    EXPECT_EQ(m.loanResults.firstRatioLimit, 0.28f);
    SetLoan(m, 10000, 0.09f, 0.07f, 0);
    const ResultsDisplay shown = Recalculate(m);
    EXPECT_EQ(m.loanResults.firstRatioLimit, 0.25f);
    EXPECT_EQ(m.loanResults.secondRatioLimit, 0.33f);
    EXPECT_EQ(shown.lblFirstRatio, "First  <25%");
}

TEST(Ratios, ShownWithIncomeAndFlaggedAboveTheLimits) {
    Model m = SampleModel();
    m.loanData.monthlyIncome = 5000;
    m.loanData.monthlyDebt = 600;
    ResultsDisplay shown = Recalculate(m);
    const float tmp = m.loanResults.totalMonthlyPayment;
    EXPECT_EQ(shown.firstRatio, static_cast<float>(tmp / 5000.0));
    EXPECT_EQ(shown.label23_3, FormatValue(shown.firstRatio, "#.##%"));
    EXPECT_EQ(shown.label23_3, "21.29%");
    EXPECT_EQ(shown.label23_1, "33.29%");
    EXPECT_FALSE(shown.redFlagFirstRatio);
    EXPECT_FALSE(shown.redFlagSecondRatio);
    m.loanData.monthlyDebt = 800;
    shown = Recalculate(m);
    EXPECT_FALSE(shown.redFlagFirstRatio);
    EXPECT_TRUE(shown.redFlagSecondRatio);
    EXPECT_TRUE(shown.lblClickRedFlag);
    EXPECT_EQ(shown.label10, FormatValue(tmp / 0.28, "$###,##0"));
}

TEST(Ratios, IncomeNotEnteredReadsEnterIncomeButStillFlags) {
    Model m = SampleModel();
    const ResultsDisplay shown = Recalculate(m);
    EXPECT_EQ(shown.label23_3, "Enter Income");
    EXPECT_EQ(shown.label23_1, "Enter Income");
    EXPECT_TRUE(shown.redFlagFirstRatio);
    EXPECT_TRUE(shown.redFlagSecondRatio);
}

TEST(Ratios, ZeroIncomeOrZeroLimitShowsEmptyTextsAndNeverStops) {
    Model m = SampleModel();
    m.loanData.monthlyIncome = 0;
    m.guidelineRatios.firstRatioUpTo90 = 0;
    const ResultsDisplay shown = Recalculate(m);
    EXPECT_TRUE(std::isinf(m.loanResults.minMonthlyIncome));
    EXPECT_EQ(shown.label10, "");
    EXPECT_EQ(shown.label23_3, "");
    EXPECT_EQ(shown.label23_1, "");
    EXPECT_FALSE(shown.redFlagFirstRatio);
    EXPECT_FALSE(shown.redFlagSecondRatio);
    EXPECT_EQ(shown.lblTotalInterest, "$223,214") << "later steps still ran";
}

TEST(Flags, JumboLimitIsInclusive) {
    Model m = SampleModel();
    m.guidelineRatios.jumboLimit = 160000;
    EXPECT_FALSE(Recalculate(m).redFlagLoanAmount);
    m.guidelineRatios.jumboLimit = 159999.99f;
    EXPECT_TRUE(Recalculate(m).redFlagLoanAmount);
}

// ---- unusual terms and rates -----------------------------------------------

TEST(Payment, ZeroRateSpreadsTheLoanEvenly) {
    Model m = SampleModel();
    SetLoan(m, 200000, 0.2f, 0.0f, 0);
    const ResultsDisplay shown = Recalculate(m);
    EXPECT_EQ(m.loanResults.monthlyPrincipalInterest, static_cast<float>(160000.0 / 360));
    EXPECT_EQ(shown.totalInterest, 0.0);
    EXPECT_EQ(shown.lblTotalInterest, "$");
}

TEST(Payment, ZeroOrOverflowingTermLeavesEmptyTextsAndNoInterest) {
    for (Integer years : {Integer{0}, Integer{3000}}) {
        Model m = SampleModel();
        m.loanData.termYears = years;
        const ResultsDisplay shown = Recalculate(m);
        EXPECT_FALSE(std::isfinite(m.loanResults.monthlyPrincipalInterest)) << years;
        EXPECT_EQ(shown.label2, "");
        EXPECT_EQ(shown.lblTotalMonthlyPayment, "");
        EXPECT_EQ(shown.totalInterest, 0.0);
        EXPECT_EQ(shown.label8, "$160,000") << "earlier steps unaffected";
    }
}

TEST(MortgageTypes, TermArmAndVaFromTheText) {
    EXPECT_EQ(TermYearsOf("30 Year / Fixed Conventional"), 30);
    EXPECT_EQ(TermYearsOf("15 Year / Fixed VA"), 15);
    EXPECT_EQ(IsArmOf("30 Year / 1 Year Adjustable (ARM)"), 1);
    EXPECT_EQ(IsArmOf("30 Year / 5 Year Adjustable (5/25)"), 0);
    EXPECT_EQ(IsArmOf("30 Year / 7 Year Adjustable (7/23)"), 0);
    EXPECT_TRUE(IsVaType("10 Year / Fixed VA"));
    EXPECT_FALSE(IsVaType("10 Year / Fixed Conventional"));
    int arms = 0, vas = 0;
    for (const char* type : kMortgageTypes) arms += IsArmOf(type), vas += IsVaType(type);
    EXPECT_EQ(arms, 3);
    EXPECT_EQ(vas, 4);
}

TEST(Recalculate, DependsOnlyOnTheModelNotOnEarlierRuns) {
    Model a = SampleModel();
    SetLoan(a, 300000, 0.05f, 0.07f, 0);
    Recalculate(a);
    SetLoan(a, 200000, 0.2f, 0.07f, 0);
    const ResultsDisplay again = Recalculate(a);
    Model b = SampleModel();
    const ResultsDisplay fresh = Recalculate(b);
    EXPECT_EQ(std::memcmp(&a.loanResults, &b.loanResults, sizeof(LoanResults)), 0);
    EXPECT_EQ(again.lblTotalMonthlyPayment, fresh.lblTotalMonthlyPayment);
}

}  // namespace
}  // namespace dovanel
