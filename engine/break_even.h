#pragma once
// When paying more at closing pays for itself: two loan options compared month
// by month, on two measures.
//   payments: the cash at closing plus every payment made so far;
//   cost:     the cash at closing plus the interest and mortgage insurance paid
//             so far, that is the payments less the principal repaid, so the
//             equity built counts in the option's favour.
// The break-even month is the first month from which the option with the
// higher cash at closing stays ahead (costs strictly less, by at least a cent)
// to the end of the longer term.

#include <vector>

#include "engine/loan_schedule.h"

namespace dovanel {

struct CostMonth {
    double interest = 0;
    double principal = 0;
    double insurance = 0;  // mortgage insurance paid with the payment
    double Payment() const { return interest + principal + insurance; }
};

struct LoanCostStream {
    double upfront = 0;  // cash at closing the options differ by: points, fees, down payment
    std::vector<CostMonth> months;  // month 1 first; none after the loan is paid
};

// A stream of a cent schedule and the insurance due with each payment (missing
// amounts count as none).
LoanCostStream CostStreamOf(double upfront, const std::vector<ScheduledPayment>& schedule,
                            const std::vector<double>& insurance);

constexpr int kNeverWithinTerm = 0;

struct BreakEven {
    // The option that pays more at closing: 0 for the first, 1 for the second;
    // -1 when both pay the same, and then neither measure breaks even.
    int payingOption = -1;
    int onPayments = kNeverWithinTerm;  // month (1-based), or never
    int onCost = kNeverWithinTerm;
};

BreakEven FindBreakEven(const LoanCostStream& first, const LoanCostStream& second);

}  // namespace dovanel
