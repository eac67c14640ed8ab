#pragma once
// The annual percentage rate of a loan: the monthly rate i at which every
// scheduled payment, discounted to the day the loan is made, adds up to the
// amount financed, times 12. Payment k (counted from 1) falls k whole months
// plus `oddDays` days after that day, and is discounted by
//   (1 + f i) (1 + i)^k,  f = oddDays / 30,
// so an irregular first period shifts every payment by the same fraction of a
// month. Also the percentage text the disclosure prints.

#include <string>
#include <vector>

namespace dovanel {

struct AprCashFlow {
    double amountFinanced = 0;  // the loan amount less the finance charges paid at closing
    // Days beyond whole months from the loan's start to the first payment: 0 for
    // a regular first month, 19 for a first payment one month and 19 days away.
    // From -29 to -1 the first payment comes within the first month (30 + oddDays
    // days after the start): payment k then falls k - 1 months plus that part of
    // a month after it.
    int oddDays = 0;
    std::vector<double> payments;  // every scheduled payment, the first one first
};

// The annual percentage rate as a fraction (0.096857 for 9.6857 %), exact to
// better than 1e-12. A flow whose payments add up to less than the amount
// financed has a negative rate, one that adds up to it a rate of 0. NaN when no
// rate exists: no payments, an amount financed of zero or less, a payment that
// is not finite, oddDays below -29, or payments that no rate discounts to the
// amount financed (every payment zero or negative).
double AnnualPercentageRate(const AprCashFlow& flow);

// A rate or percentage as the disclosure prints it: a fraction shown in percent,
// rounded half away from zero to three decimals, trailing zeros and a bare
// decimal point dropped: "4.274%", "6.5%" for 0.065, "7%", "69.448%". Empty for
// a value that is not finite.
std::string DisclosurePercent(double fraction);

}  // namespace dovanel
