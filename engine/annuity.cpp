#include "engine/annuity.h"

#include <cmath>

namespace dovanel {

double AnnuityPayment(double rate, int periods, double principal) {
    if (rate == 0) return principal / periods;
    const double growth = std::pow(1.0 + rate, periods);
    return principal * rate * growth / (growth - 1.0);
}

Annuity::Annuity(double rate, int periods, double principal)
    : rate_(rate), principal_(principal), payment_(AnnuityPayment(rate, periods, principal)) {}

double Annuity::Balance(int paid) const {
    if (rate_ == 0) return principal_ - paid * payment_;
    const double growth = std::pow(1.0 + rate_, paid);
    return principal_ * growth - payment_ * (growth - 1.0) / rate_;
}

double Annuity::InterestPart(int period) const {
    return rate_ == 0 ? 0.0 : Balance(period - 1) * rate_;
}

double Annuity::TotalInterest(int count) const {
    double total = 0.0;
    for (int p = 1; p <= count; ++p) total += InterestPart(p);
    return total;
}

}  // namespace dovanel
