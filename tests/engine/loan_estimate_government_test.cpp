// The Loan Estimate of government-backed loans: the upfront premium or fee in
// section B and financed out of the loan, the program's insurance in the
// projected payments and the APR. The expected figures were worked out apart
// from the program (a cent-rounded schedule, HUD's premium method and a
// bisection for the APR).
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "engine/loan_estimate_sections.h"
#include "engine/recalculate.h"
#include "tests/engine/sample_model.h"

namespace dovanel {
namespace {

constexpr int kConventional30 = 0;
constexpr int kVa30 = 4;
constexpr int kFha30 = 13;
constexpr int kUsda30 = 15;
constexpr CalendarDate kToday{2026, 5, 10};

// $400,000 at 6.25 %, closing on the first day of the first payment's interest
// period (no prepaid interest) and no finance charge but the program's own.
Model GovernmentLoan(int type, float down, GovernmentChoices choices = {}) {
    Model m = test::SampleModel();
    for (int i = 1; i <= 3; ++i) m.originationSchedule.feeRate[i] = 0;
    for (int i = 1; i <= 7; ++i) m.estimateValues.costAmount[i] = 0;
    m.government = choices;
    test::SetLoan(m, 400000, down, 0.0625f, type);
    m.estimate.closingDate = "2026-06-01";
    m.estimate.firstPaymentDate = "2026-07-01";
    Recalculate(m);
    return m;
}

const EstimateLineText* Line(const LoanEstimateForm& f, const std::string& name) {
    for (const EstimateLineText& line : f.lines)
        if (line.name == name) return &line;
    return nullptr;
}

std::string CashRow(const LoanEstimateForm& f, const std::string& caption) {
    for (const auto& [name, amount] : f.cashToCloseRows)
        if (name == caption) return amount;
    return "missing";
}

TEST(GovernmentLoanEstimate, FhaPremiumsInThePaymentsAndTheApr) {
    const struct {
        float down;
        const char* loan;
        const char* upfront;
        const char* apr;
        const char* principalInFiveYears;
        std::vector<std::pair<const char*, const char*>> columns;  // years, insurance
    } cases[] = {
        // LTV 96.5 %: 0.55 % for the whole term, $175.98 in year 1.
        {0.035f, "$392,755", "$6,755", "6.963%", "$26,168", {{"Years 1-30", "176"}}},
        // LTV 90 %: 0.50 % for 11 years, $149.20 in year 1.
        {0.10f,
         "$366,300",
         "$6,300",
         "6.77%",
         "$24,406",
         {{"Years 1-11", "149"}, {"Years 12-30", "\u2014"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.loan);
        const LoanEstimateForm f = MakeLoanEstimate(GovernmentLoan(kFha30, c.down), kToday);
        ASSERT_EQ(f.error, "");
        EXPECT_EQ(f.loanType, "FHA");
        EXPECT_EQ(f.loanAmount, c.loan);
        const EstimateLineText* upfront = Line(f, "FHA Upfront Mortgage Insurance Premium");
        ASSERT_NE(upfront, nullptr);
        EXPECT_EQ(upfront->amount, c.upfront);
        EXPECT_EQ(upfront->section, EstimateSection::kB);
        EXPECT_EQ(f.apr, c.apr);
        EXPECT_EQ(f.inFiveYearsPrincipal, c.principalInFiveYears);
        ASSERT_EQ(f.projectedPayments.size(), c.columns.size());
        for (std::size_t i = 0; i < c.columns.size(); ++i) {
            EXPECT_EQ(f.projectedPayments[i].years, c.columns[i].first);
            EXPECT_EQ(f.projectedPayments[i].mortgageInsurance, c.columns[i].second);
        }
    }
}

// A financed premium or fee is a closing cost paid from the loan: the cash to
// close is the same whether it is financed or not, less the premium itself.
TEST(GovernmentLoanEstimate, FinancedUpfrontIsPaidFromTheLoan) {
    const struct {
        int type;
        float down;
        GovernmentChoices financed;
        const char* line;
        const char* amount;
    } cases[] = {
        {kFha30, 0.035f, {}, "FHA Upfront Mortgage Insurance Premium", "-$6,755"},
        {kVa30, 0.0f, {VaUse::kFirstUse, true, 0}, "VA Funding Fee", "-$8,600"},
        {kUsda30, 0.0f, {}, "USDA Upfront Guarantee Fee", "-$4,000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const LoanEstimateForm financed =
            MakeLoanEstimate(GovernmentLoan(c.type, c.down, c.financed), kToday);
        GovernmentChoices inCash = c.financed;
        inCash.financeUpfront = false;
        const LoanEstimateForm cash =
            MakeLoanEstimate(GovernmentLoan(c.type, c.down, inCash), kToday);
        ASSERT_NE(Line(financed, c.line), nullptr);
        ASSERT_NE(Line(cash, c.line), nullptr);
        EXPECT_EQ(CashRow(financed, "Closing Costs Financed (Paid from your Loan Amount)"),
                  c.amount);
        EXPECT_EQ(CashRow(cash, "Closing Costs Financed (Paid from your Loan Amount)"), "$0");
        EXPECT_EQ(CashRow(financed, "Down Payment/Funds from Borrower"),
                  CashRow(cash, "Down Payment/Funds from Borrower"));
    }
}

TEST(GovernmentLoanEstimate, OtherLoansKeepTheirInsuranceAndType) {
    const LoanEstimateForm conventional =
        MakeLoanEstimate(GovernmentLoan(kConventional30, 0.05f), kToday);
    EXPECT_EQ(conventional.loanType, "Conventional");
    EXPECT_NE(Line(conventional, "Mortgage Insurance Premium"), nullptr);
    EXPECT_EQ(CashRow(conventional, "Closing Costs Financed (Paid from your Loan Amount)"), "$0");
    ASSERT_EQ(conventional.projectedPayments.size(), 2u);  // PMI ends at its LTV
    const LoanEstimateForm va = MakeLoanEstimate(GovernmentLoan(kVa30, 0.0f), kToday);
    EXPECT_EQ(va.loanType, "VA");
    EXPECT_EQ(Line(va, "VA Funding Fee"), nullptr);  // not included: no fee
    ASSERT_EQ(va.projectedPayments.size(), 1u);
    EXPECT_EQ(va.projectedPayments[0].mortgageInsurance, "\u2014");
    const LoanEstimateForm usda = MakeLoanEstimate(GovernmentLoan(kUsda30, 0.0f), kToday);
    EXPECT_EQ(usda.loanType, "USDA");
    ASSERT_EQ(usda.projectedPayments.size(), 1u);  // the annual fee runs for the life of the loan
    EXPECT_NE(usda.projectedPayments[0].mortgageInsurance, "\u2014");
}

}  // namespace
}  // namespace dovanel
