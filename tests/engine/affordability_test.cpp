#include "engine/affordability.h"

#include <gtest/gtest.h>

#include <cmath>

#include "engine/recalculate.h"
#include "tests/engine/sample_model.h"

namespace dovanel {
namespace {

using test::SampleModel;
using test::SetLoan;

// Today's amount scaled to a price, to the cent, as "Use This Price" types it.
Single ScaledToCents(double amount, long long price, double today) {
    return static_cast<Single>(std::round(amount * double(price) / today * 100) / 100);
}

// The main window's own verdict on a price: the ratio red flags of a full
// Recalculate with that price typed in (taxes and insurance scaled as asked).
bool MainWindowFlagsRatios(Model m, long long price, bool scale) {
    const double today = m.loanData.purchasePrice;
    m.loanData.purchasePrice = static_cast<Single>(price);
    if (scale) {
        m.loanData.annualTaxes = ScaledToCents(m.loanData.annualTaxes, price, today);
        m.loanData.monthlyInsurance = ScaledToCents(m.loanData.monthlyInsurance, price, today);
    }
    const ResultsDisplay shown = Recalculate(m);
    return shown.redFlagFirstRatio || shown.redFlagSecondRatio;
}

Model Buyer(float down, float rate, int type, float income, float debt) {
    Model m = SampleModel();
    SetLoan(m, 250000, down, rate, type);
    m.loanData.annualTaxes = 3600;
    m.loanData.monthlyInsurance = 90;
    m.loanData.monthlyDues = 35;
    m.loanData.earnestMoney = 2000;
    m.loanData.monthlyIncome = income;
    m.loanData.monthlyDebt = debt;
    Recalculate(m);
    return m;
}

struct Case {
    const char* what;
    float down;
    float income;
    float debt;
    bool scale;
};

// Every type with and without PMI, above and below 90 % LTV, with no debts and
// with debts heavy enough that the second ratio decides.
const Case kCases[] = {
    {"20 % down, no PMI, no debts", 0.20f, 9000, 0, true},
    {"10 % down, PMI, up-to-90 limits", 0.10f, 9000, 0, true},
    {"5 % down, PMI, above-90 limits", 0.05f, 9000, 0, true},
    {"3.5 % down, heavy debts", 0.035f, 9000, 2400, true},
    {"20 % down, heavy debts, fixed taxes", 0.20f, 7000, 1900, false},
    {"10 % down, fixed taxes", 0.10f, 12000, 300, false},
    {"prices beyond a float's whole dollars", 0.20f, 900000, 0, true},
};

TEST(MaxAffordablePrice, PriceQualifiesAndOneDollarMoreDoesNot) {
    for (const Case& c : kCases) {
        for (int type = 0; type < kOfferedMortgageTypeCount; ++type) {
            const char* name = kOfferedMortgageTypes[type];
            SCOPED_TRACE(std::string(c.what) + " / " + name);
            const Model m = Buyer(c.down, 0.0675f, type, c.income, c.debt);
            AffordabilityOptions options;
            options.scaleTaxesAndInsurance = c.scale;
            const Affordability a = MaxAffordablePrice(m, options);
            ASSERT_EQ(a.outcome, AffordOutcome::Found);
            EXPECT_EQ(BrokenLimit(m, options, a.price), AffordLimit::None);
            EXPECT_EQ(BrokenLimit(m, options, a.price + 1), a.binding);
            EXPECT_FALSE(MainWindowFlagsRatios(m, a.price, c.scale));
            EXPECT_TRUE(MainWindowFlagsRatios(m, a.price + 1, c.scale));
            EXPECT_EQ(a.binding,
                      c.debt > 1000 ? AffordLimit::SecondRatio : AffordLimit::FirstRatio);
            EXPECT_EQ(a.loan.purchasePrice, static_cast<Single>(a.price));
            EXPECT_TRUE(c.income < 100000 || a.price > (1 << 24));
            const GovernmentProgram program = GovernmentProgramOf(name);
            const bool insured =
                program == GovernmentProgram::kFha || program == GovernmentProgram::kUsda;
            EXPECT_EQ(a.results.monthlyPmi > 0, insured || (c.down < 0.2f && !IsVaType(name)));
        }
    }
}

TEST(MaxAffordablePrice, ExactBoundaryOfAPlainLoan) {
    // No fees, no taxes, no interest: the payment is the loan / 360, and the
    // first ratio of 28 % of 10,000 allows 2,800 a month, a loan of 1,008,000.
    Model m;
    m.guidelineRatios = {5000000, 0.28f, 0.36f, 0.25f, 0.33f};
    SetLoan(m, 300000, 0.2f, 0, 0);
    m.loanData.monthlyIncome = 10000;
    const Affordability a = MaxAffordablePrice(m, {});
    EXPECT_EQ(a.price, 1260000);
    EXPECT_EQ(a.binding, AffordLimit::FirstRatio);
    EXPECT_EQ(AffordPriceText(a), "$1,260,000");
    EXPECT_EQ(AffordLoanText(a), "$1,008,000");
    EXPECT_EQ(AffordPaymentText(a), "$2,800.00");
    EXPECT_EQ(AffordLimitText(a), "First ratio (28%)");
}

TEST(MaxAffordablePrice, StricterLimitsAboveNinetyPercent) {
    const Model m = Buyer(0.05f, 0.0675f, 0, 9000, 0);
    const Affordability a = MaxAffordablePrice(m, {});
    EXPECT_EQ(a.results.firstRatioLimit, 0.25f);
    EXPECT_EQ(AffordLimitText(a), "First ratio (25%)");
    const Affordability b = MaxAffordablePrice(Buyer(0.05f, 0.0675f, 0, 9000, 2500), {});
    EXPECT_EQ(AffordLimitText(b), "Second ratio (33%)");
}

TEST(MaxAffordablePrice, VaLoansCarryNoPmiAndBuyMore) {
    const Affordability conventional = MaxAffordablePrice(Buyer(0.05f, 0.0675f, 0, 9000, 0), {});
    const Affordability va = MaxAffordablePrice(Buyer(0.05f, 0.0675f, 4, 9000, 0), {});
    EXPECT_GT(conventional.results.monthlyPmi, 0);
    EXPECT_EQ(va.results.monthlyPmi, 0);
    EXPECT_GT(va.price, conventional.price);
}

TEST(MaxAffordablePrice, TaxesAndInsuranceKeepTheirShareOfThePrice) {
    const Model m = Buyer(0.2f, 0.0675f, 0, 9000, 0);
    const Affordability scaled = MaxAffordablePrice(m, {});
    EXPECT_EQ(scaled.loan.annualTaxes, ScaledToCents(3600, scaled.price, 250000));
    EXPECT_EQ(scaled.loan.monthlyInsurance, ScaledToCents(90, scaled.price, 250000));
    EXPECT_NE(scaled.loan.monthlyInsurance, static_cast<Single>(90.0 * scaled.price / 250000))
        << "kept to the cent, as the main window's box will hold it";
    AffordabilityOptions fixed;
    fixed.scaleTaxesAndInsurance = false;
    const Affordability kept = MaxAffordablePrice(m, fixed);
    EXPECT_EQ(kept.loan.annualTaxes, 3600);
    EXPECT_EQ(kept.loan.monthlyInsurance, 90);
    EXPECT_GT(kept.price, scaled.price) << "the answer lies above today's price";
}

TEST(MaxAffordablePrice, CashAvailableLimitsThePrice) {
    const Model m = Buyer(0.2f, 0.0675f, 0, 9000, 0);
    AffordabilityOptions options;
    options.limitCash = true;
    options.cashAvailable = 60000;
    const Affordability a = MaxAffordablePrice(m, options);
    ASSERT_EQ(a.outcome, AffordOutcome::Found);
    EXPECT_EQ(a.binding, AffordLimit::Cash);
    EXPECT_EQ(AffordLimitText(a), "Cash available");
    EXPECT_LE(a.results.totalDueAtClosing, 60000);
    EXPECT_EQ(BrokenLimit(m, options, a.price + 1), AffordLimit::Cash);
    EXPECT_LT(a.price, MaxAffordablePrice(m, {}).price);

    options.cashAvailable = 0;
    const Affordability none = MaxAffordablePrice(m, options);
    EXPECT_EQ(none.outcome, AffordOutcome::NothingQualifies);
    EXPECT_EQ(AffordPriceText(none),
              "No price qualifies: the closing costs alone exceed the cash available.");
    EXPECT_EQ(AffordLoanText(none), "");
}

TEST(MaxAffordablePrice, JumboLoansAndTheConformingLimit) {
    const Model m = Buyer(0.2f, 0.0675f, 0, 60000, 0);
    const Affordability jumbo = MaxAffordablePrice(m, {});
    EXPECT_GT(jumbo.results.loanAmount, m.guidelineRatios.jumboLimit);
    EXPECT_EQ(jumbo.binding, AffordLimit::FirstRatio);
    AffordabilityOptions options;
    options.stayConforming = true;
    const Affordability a = MaxAffordablePrice(m, options);
    EXPECT_EQ(a.binding, AffordLimit::Conforming);
    EXPECT_EQ(AffordLimitText(a), "Conforming loan limit");
    EXPECT_LE(a.results.loanAmount, m.guidelineRatios.jumboLimit);
    EXPECT_EQ(BrokenLimit(m, options, a.price + 1), AffordLimit::Conforming);
}

TEST(MaxAffordablePrice, EdgeAnswers) {
    for (const float income : {kIncomeNotEntered, 0.0f, -500.0f}) {
        const Affordability a = MaxAffordablePrice(Buyer(0.2f, 0.07f, 0, income, 0), {});
        EXPECT_EQ(a.outcome, AffordOutcome::NoIncome);
        EXPECT_EQ(AffordPriceText(a), "Enter the monthly income first.");
        EXPECT_EQ(AffordLimitText(a), "");
    }
    const Affordability debts = MaxAffordablePrice(Buyer(0.2f, 0.07f, 0, 5000, 2000), {});
    EXPECT_EQ(debts.outcome, AffordOutcome::NothingQualifies);
    EXPECT_EQ(AffordPriceText(debts),
              "No price qualifies: the monthly debts alone take 40.0% of the monthly income, more "
              "than the second ratio allows (36%).");
    const Affordability rich = MaxAffordablePrice(Buyer(0.2f, 0.07f, 0, 9.0e6f, 0), {});
    EXPECT_EQ(rich.outcome, AffordOutcome::AboveCeiling);
    EXPECT_EQ(AffordPriceText(rich), "More than $100,000,000");
    EXPECT_EQ(AffordCellText(rich), "over $100M");
}

TEST(AffordabilitySensitivity, TodaysCellIsTheAnswerAndPricesFallAsRatesRise) {
    const Model m = Buyer(0.12f, 0.0675f, 0, 9000, 400);
    const AffordabilityTable t = AffordabilitySensitivity(m, {});
    ASSERT_EQ(t.rates.size(), 5u);
    EXPECT_EQ(t.todayRow, 2);
    EXPECT_EQ(t.rates[0], 0.0575f);
    EXPECT_EQ(t.rates[4], 0.0775f);
    EXPECT_EQ(t.downPayments[4], 0.12f);
    EXPECT_EQ(t.cells[2][4].price, MaxAffordablePrice(m, {}).price);
    for (int c = 0; c < AffordabilityTable::kColumns; ++c)
        for (int r = 1; r < 5; ++r) EXPECT_LT(t.cells[r][c].price, t.cells[r - 1][c].price);
    EXPECT_EQ(AffordRateHeading(t.rates[1]), "6.25%");
    EXPECT_EQ(AffordDownHeading(0.035f, false), "3.5% down");
    EXPECT_EQ(AffordDownHeading(0.12f, true), "Today 12.0%");
}

// Costs that do not grow with the price can break a ratio by themselves: the
// answer names those that do, the largest first, and no cost that is not there.
TEST(MaxAffordablePrice, NoPriceQualifiesNamesTheCostsThatBreakTheRatio) {
    struct Case {
        const char* what;
        float taxes, insurance, dues, debt, income;
        const char* text;
    };
    const Case cases[] = {
        {"fixed taxes and insurance, no dues", 14400, 900, 0, 0, 5000,
         "No price qualifies: the monthly taxes ($1,200) and insurance ($900) together exceed "
         "the first ratio (28%)."},
        {"taxes alone", 24000, 50, 0, 0, 5000,
         "No price qualifies: the monthly taxes ($2,000) alone exceed the first ratio (28%)."},
        {"insurance alone", 600, 1500, 10, 0, 5000,
         "No price qualifies: the monthly insurance ($1,500) alone exceeds the first ratio (28%)."},
        {"dues alone", 0, 0, 1500, 0, 5000,
         "No price qualifies: the monthly dues ($1,500) alone exceed the first ratio (28%)."},
        {"debts and dues together", 0, 0, 300, 1600, 5000,
         "No price qualifies: the monthly debts ($1,600) and dues ($300) together exceed the "
         "second ratio (36%)."},
        {"debts, taxes and insurance", 6000, 200, 0, 1200, 5000,
         "No price qualifies: the monthly debts ($1,200), taxes ($500) and insurance ($200) "
         "together exceed the second ratio (36%)."},
    };
    AffordabilityOptions fixed;
    fixed.scaleTaxesAndInsurance = false;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Model m = Buyer(0.2f, 0.0675f, 0, c.income, c.debt);
        m.loanData.annualTaxes = c.taxes;
        m.loanData.monthlyInsurance = c.insurance;
        m.loanData.monthlyDues = c.dues;
        Recalculate(m);
        const Affordability a = MaxAffordablePrice(m, fixed);
        ASSERT_EQ(a.outcome, AffordOutcome::NothingQualifies);
        EXPECT_EQ(AffordPriceText(a), c.text);
    }
}

// Today's down payment as one of the table's own: no column repeats another.
TEST(AffordabilitySensitivity, TodaysDownPaymentAsAFixedColumnIsThatColumn) {
    const float fixedDowns[] = {0.035f, 0.05f, 0.10f, 0.20f};
    for (int c = 0; c < 4; ++c) {
        const Model m = Buyer(fixedDowns[c], 0.0675f, 0, 9000, 400);
        const AffordabilityTable t = AffordabilitySensitivity(m, {});
        EXPECT_EQ(t.columns, 4);
        EXPECT_EQ(t.todayColumn, c);
        EXPECT_EQ(t.cells[t.todayRow][c].price, MaxAffordablePrice(m, {}).price);
        EXPECT_EQ(AffordDownHeading(t.downPayments[c], c == t.todayColumn).substr(0, 6), "Today ");
        for (int other = 0; other < t.columns; ++other)
            EXPECT_TRUE(other == c || t.downPayments[other] != t.downPayments[c]) << other;
    }
    const AffordabilityTable own =
        AffordabilitySensitivity(Buyer(0.12f, 0.0675f, 0, 9000, 400), {});
    EXPECT_EQ(own.columns, 5);
    EXPECT_EQ(own.todayColumn, 4);
    EXPECT_EQ(AffordCellReading(own, own.todayRow, 4),
              "6.75% rate, 12.0% down (today's loan): " + AffordCellText(own.cells[2][4]) + ". " +
                  AffordCellDetail(own.cells[2][4]));
    EXPECT_EQ(AffordCellReading(own, 0, 0).substr(0, 23), "5.75% rate, 3.5% down: ");
    EXPECT_EQ(AffordCellReading(own, 0, 5), "") << "outside the table";
}

TEST(AffordabilitySensitivity, RatesBelowAThousandthOfAPercentAreLeftOut) {
    const AffordabilityTable t = AffordabilitySensitivity(Buyer(0.2f, 0.005f, 0, 9000, 0), {});
    ASSERT_EQ(t.rates.size(), 3u);
    EXPECT_EQ(t.todayRow, 0);
    EXPECT_EQ(t.rates[0], 0.005f);
}

}  // namespace
}  // namespace dovanel
