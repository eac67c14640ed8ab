#include "engine/loan_schedule.h"

#include <cmath>

#include "engine/annuity.h"
#include "engine/money.h"

namespace dovanel {

namespace {

double MonthInterest(double balance, double annualRate, InterestRounding rounding) {
    if (rounding == InterestRounding::kPercentTwice)
        return RoundToCents(RoundToCents(balance * annualRate * 100.0) / 1200.0);
    return RoundToCents(balance * annualRate / 12.0);
}

}  // namespace

std::vector<ScheduledPayment> CentSchedule(double loanAmount, double annualRate, int payments,
                                           InterestRounding rounding) {
    std::vector<ScheduledPayment> rows;
    if (payments <= 0 || !std::isfinite(loanAmount) || !std::isfinite(annualRate)) return rows;
    const double level = RoundToCents(AnnuityPayment(annualRate / 12.0, payments, loanAmount));
    if (!std::isfinite(level)) return rows;
    rows.reserve(static_cast<std::size_t>(payments));
    double balance = loanAmount;
    for (int k = 1; k <= payments; ++k) {
        ScheduledPayment row;
        row.interest = MonthInterest(balance, annualRate, rounding);
        row.principal = k == payments ? balance : level - row.interest;
        row.payment = row.interest + row.principal;
        row.balance = k == payments ? 0.0 : RoundToCents(balance - row.principal);
        balance = row.balance;
        rows.push_back(row);
    }
    return rows;
}

double BalanceBefore(const std::vector<ScheduledPayment>& schedule, double loanAmount, int number) {
    if (number <= 1 || schedule.empty()) return loanAmount;
    const std::size_t previous = static_cast<std::size_t>(number - 2);
    return previous < schedule.size() ? schedule[previous].balance : 0.0;
}

int MortgageInsuranceEndPayment(double loanAmount, double monthlyRate, int payments,
                                double originalValue) {
    if (payments <= 0 || !(loanAmount > 0) || !(originalValue > 0) || !std::isfinite(monthlyRate))
        return 0;
    const double limit = kMortgageInsuranceEndShare * originalValue;
    const Annuity annuity(monthlyRate, payments, loanAmount);
    for (int k = 1; k <= payments; ++k)
        if (annuity.Balance(k) <= limit) return k;
    return 0;
}

}  // namespace dovanel
