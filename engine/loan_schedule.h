#pragma once
// A fixed-rate loan's schedule as the lender's statements show it: the level
// payment rounded to the cent, each month's interest on the balance rounded to
// the cent, the rest of the payment off the balance, and a last payment that
// takes exactly what is owed. Disclosures, government premiums and cost
// comparisons all start from it. Also the month mortgage insurance ends.

#include <vector>

namespace dovanel {

struct ScheduledPayment {
    double payment = 0;  // interest + principal
    double interest = 0;
    double principal = 0;
    double balance = 0;  // owed after this payment
};

// How a month's interest is rounded to the cent.
enum class InterestRounding {
    kMonthly,       // balance x annual rate / 12, rounded to the cent
    kPercentTwice,  // balance x rate in percent rounded to the cent, / 1200, rounded again (FHA)
};

// The schedule of `loanAmount` at `annualRate` (a fraction: 0.065) over `payments`
// months, one entry per payment. Empty when there are no payments or an input is
// not finite.
std::vector<ScheduledPayment> CentSchedule(double loanAmount, double annualRate, int payments,
                                           InterestRounding rounding = InterestRounding::kMonthly);

// The balance owed before payment `number` (1-based): the loan amount before the first.
double BalanceBefore(const std::vector<ScheduledPayment>& schedule, double loanAmount, int number);

// The payment number (1-based) with which the scheduled balance first falls to
// 78 % of the property's original value or below: borrower-paid mortgage
// insurance ends with it. Uses the amortization table's exact arithmetic
// (`monthlyRate` as the table gets it: the annual rate / 12). 0 when the
// balance never gets there within `payments` or the inputs make no loan.
int MortgageInsuranceEndPayment(double loanAmount, double monthlyRate, int payments,
                                double originalValue);

// The share of the original value at which it ends.
constexpr double kMortgageInsuranceEndShare = 0.78;

}  // namespace dovanel
