#include "engine/annuity.h"

#include <cmath>

namespace dovanel {

namespace {

// The direct formulas give the results the program has always shown, exact to
// about a billionth for every ordinary rate and term (30 % a year over 40 years
// grows the loan 140,000-fold). Outside that range they lose everything to
// rounding: when the loan grows more than e^12 (about 160,000-fold) over its
// term, their differences of huge numbers are noise; below 0.00096 % a year,
// 1 + rate keeps too few of the rate's digits. There the payment parts come
// from the discount over the remaining term, with expm1 and log1p.
constexpr double kDirectGrowthLog = 12.0;
constexpr double kLowestDirectRate = 0.0000096 / 12;  // 0.00096 % a year

bool UseDirectFormulas(double rate, int periods) {
    if (rate == 0) return true;
    if (std::fabs(rate) < kLowestDirectRate) return false;
    const double growthLog = periods * std::log(std::fabs(1.0 + rate));
    return !(growthLog > kDirectGrowthLog);
}

// (1 + rate)^-m, and 1 minus it without cancellation when it is near 1.
double Discount(double rate, int m) {
    if (rate > -1.0) return std::exp(-m * std::log1p(rate));
    return std::pow(1.0 + rate, -m);
}
double DiscountComplement(double rate, int m) {
    if (rate > -1.0) return -std::expm1(-m * std::log1p(rate));
    return 1.0 - std::pow(1.0 + rate, -m);
}

double DirectPayment(double rate, int periods, double principal) {
    const double growth = std::pow(1.0 + rate, periods);
    return principal * rate * growth / (growth - 1.0);
}

}  // namespace

double AnnuityPayment(double rate, int periods, double principal) {
    if (rate == 0) return principal / periods;
    if (UseDirectFormulas(rate, periods)) return DirectPayment(rate, periods, principal);
    return principal * rate / DiscountComplement(rate, periods);
}

Annuity::Annuity(double rate, int periods, double principal)
    : rate_(rate),
      principal_(principal),
      payment_(AnnuityPayment(rate, periods, principal)),
      periods_(periods),
      direct_(UseDirectFormulas(rate, periods)) {}

double Annuity::Balance(int paid) const {
    if (rate_ == 0) return principal_ - paid * payment_;
    if (direct_) {
        const double growth = std::pow(1.0 + rate_, paid);
        return principal_ * growth - payment_ * (growth - 1.0) / rate_;
    }
    // The value of the payments still to come.
    return payment_ * DiscountComplement(rate_, periods_ - paid) / rate_;
}

double Annuity::InterestPart(int period) const {
    if (rate_ == 0) return 0.0;
    if (direct_) return Balance(period - 1) * rate_;
    return payment_ * DiscountComplement(rate_, periods_ - period + 1);
}

double Annuity::PrincipalPart(int period) const {
    if (rate_ == 0 || direct_) return payment_ - InterestPart(period);
    // The payment discounted over the periods that follow it.
    return payment_ * Discount(rate_, periods_ - period + 1);
}

double Annuity::TotalInterest(int count) const {
    double total = 0.0;
    for (int p = 1; p <= count; ++p) total += InterestPart(p);
    return total;
}

}  // namespace dovanel
