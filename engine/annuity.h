#pragma once
// Level-payment loan arithmetic (payments at the end of each period, no residual
// value), in double. A rate of 0 spreads the loan evenly over the payments.
// Every rate gives finite, accurate parts: interest summed over the term agrees
// with periods x payment - principal to about a billionth.

namespace dovanel {

// The level payment of a loan of `principal` over `periods` payments at `rate` per period.
double AnnuityPayment(double rate, int periods, double principal);

// One loan; its level payment is worked out once.
class Annuity {
  public:
    Annuity(double rate, int periods, double principal);

    double Payment() const { return payment_; }
    // The balance after `paid` payments.
    double Balance(int paid) const;
    // The interest and principal parts of payment number `period` (1-based).
    double InterestPart(int period) const;
    double PrincipalPart(int period) const;
    // Interest paid over the first `count` payments.
    double TotalInterest(int count) const;

  private:
    double rate_;
    double principal_;
    double payment_;
    int periods_;
    bool direct_;  // the loan grows modestly over its term: the plain formulas are exact enough
};

}  // namespace dovanel
