#include "engine/loan_estimate.h"

#include <algorithm>
#include <limits>

#include "engine/money.h"

namespace dovanel {

namespace {

constexpr int kFiveYears = 60;

double InsuranceAt(const std::vector<double>& insurance, std::size_t index) {
    return index < insurance.size() ? insurance[index] : 0.0;
}

ProjectedPaymentColumn Column(int firstYear, int lastYear, double principalAndInterest,
                              double mortgageInsurance, double escrow) {
    ProjectedPaymentColumn c;
    c.firstYear = firstYear;
    c.lastYear = lastYear;
    c.principalAndInterest = principalAndInterest;
    c.mortgageInsurance = RoundToDollars(mortgageInsurance);
    c.escrow = RoundToDollars(escrow);
    c.total = ProjectedPaymentTotal(principalAndInterest, mortgageInsurance, escrow);
    return c;
}

}  // namespace

double PrepaidInterest(double loanAmount, double annualRate, int days, int daysInYear) {
    if (daysInYear <= 0) return 0.0;
    return RoundToCents(loanAmount * annualRate / daysInYear) * days;
}

double ProjectedPaymentTotal(double principalAndInterest, double mortgageInsurance, double escrow) {
    return RoundToDollars(principalAndInterest + RoundToDollars(mortgageInsurance) +
                          RoundToDollars(escrow));
}

std::vector<ProjectedPaymentColumn> ProjectedPayments(double principalAndInterest,
                                                      double mortgageInsurance,
                                                      int insurancePayments, double escrow,
                                                      int termYears) {
    std::vector<ProjectedPaymentColumn> columns;
    if (termYears <= 0) return columns;
    const int insuredYears =
        mortgageInsurance > 0 && insurancePayments > 0 ? (insurancePayments + 11) / 12 : 0;
    if (insuredYears == 0 || insuredYears >= termYears) {
        columns.push_back(Column(1, termYears, principalAndInterest,
                                 insuredYears == 0 ? 0.0 : mortgageInsurance, escrow));
        return columns;
    }
    columns.push_back(Column(1, insuredYears, principalAndInterest, mortgageInsurance, escrow));
    columns.push_back(Column(insuredYears + 1, termYears, principalAndInterest, 0.0, escrow));
    return columns;
}

InFiveYears InFiveYearsFigures(const std::vector<ScheduledPayment>& schedule,
                               const std::vector<double>& insurance, double loanCosts,
                               double prepaidInterest) {
    InFiveYears out;
    out.totalPaid = loanCosts + prepaidInterest;
    const std::size_t months = std::min<std::size_t>(schedule.size(), kFiveYears);
    for (std::size_t i = 0; i < months; ++i) {
        out.totalPaid += schedule[i].payment + InsuranceAt(insurance, i);
        out.principalPaid += schedule[i].principal;
    }
    return out;
}

double TotalInterestPercentage(const std::vector<ScheduledPayment>& schedule,
                               double prepaidInterest, double loanAmount) {
    if (!(loanAmount > 0)) return std::numeric_limits<double>::quiet_NaN();
    double interest = prepaidInterest;
    for (const ScheduledPayment& p : schedule) interest += p.interest;
    return interest / loanAmount;
}

AprCashFlow LoanAprFlow(double amountFinanced, int oddDays,
                        const std::vector<ScheduledPayment>& schedule,
                        const std::vector<double>& insurance) {
    AprCashFlow flow;
    flow.amountFinanced = amountFinanced;
    flow.oddDays = oddDays;
    flow.payments.reserve(schedule.size());
    for (std::size_t i = 0; i < schedule.size(); ++i)
        flow.payments.push_back(schedule[i].payment + InsuranceAt(insurance, i));
    return flow;
}

}  // namespace dovanel
