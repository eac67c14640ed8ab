#pragma once
// The Loan Estimate's figures from a loan's cent schedule: prepaid interest,
// the projected payments with their rounding, the five-year comparison, the
// total interest percentage and the payment stream the APR is solved for.
// Dollar components the form shows rounded are rounded to whole dollars; totals
// are formed from the exact amounts first, as the form's rules ask.

#include <vector>

#include "engine/apr.h"
#include "engine/loan_schedule.h"

namespace dovanel {

// Interest from closing to the first payment's period: the daily interest
// (loan x annual rate / daysInYear) rounded to the cent, times the days.
double PrepaidInterest(double loanAmount, double annualRate, int days, int daysInYear = 360);

// A projected payment's total: the exact principal and interest plus the
// mortgage insurance and escrow each rounded to whole dollars, the sum rounded
// to whole dollars ($761.78 + $82 + $206 = $1,050).
double ProjectedPaymentTotal(double principalAndInterest, double mortgageInsurance, double escrow);

// One column of the projected payments: a range of loan years with one payment.
struct ProjectedPaymentColumn {
    int firstYear = 1;
    int lastYear = 1;
    double principalAndInterest = 0;  // exact
    double mortgageInsurance = 0;     // whole dollars
    double escrow = 0;                // whole dollars
    double total = 0;                 // whole dollars
};

// The columns of a fixed-rate loan: mortgage insurance is shown through the year
// of the payment it ends with (`insurancePayments`, 0 for none), then a column
// without it; one column when it runs the whole term or there is none.
std::vector<ProjectedPaymentColumn> ProjectedPayments(double principalAndInterest,
                                                      double mortgageInsurance,
                                                      int insurancePayments, double escrow,
                                                      int termYears);

// What the loan costs through its 60th payment: every payment with its mortgage
// insurance, the loan costs (section D) and the prepaid interest, all unrounded;
// and the principal repaid by then.
struct InFiveYears {
    double totalPaid = 0;
    double principalPaid = 0;
};
InFiveYears InFiveYearsFigures(const std::vector<ScheduledPayment>& schedule,
                               const std::vector<double>& insurance, double loanCosts,
                               double prepaidInterest);

// The total interest percentage as a fraction: every payment's interest plus the
// prepaid interest, over the loan amount. NaN for a loan amount of zero or less.
double TotalInterestPercentage(const std::vector<ScheduledPayment>& schedule,
                               double prepaidInterest, double loanAmount);

// The payments the APR discounts: each scheduled payment plus the mortgage
// insurance due with it (missing amounts count as none).
AprCashFlow LoanAprFlow(double amountFinanced, int oddDays,
                        const std::vector<ScheduledPayment>& schedule,
                        const std::vector<double>& insurance);

}  // namespace dovanel
