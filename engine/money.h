#pragma once
// Rounding money as a statement prints it: half away from zero, read as the
// decimal the amount stands for, so 1.005 rounds to 1.01 although its binary
// value lies just below.

namespace dovanel {

// `amount` rounded to `decimals` places (0 to 6). Amounts that are not finite
// or beyond 1e12 come back unchanged.
double RoundHalfAway(double amount, int decimals);

inline double RoundToCents(double amount) {
    return RoundHalfAway(amount, 2);
}
inline double RoundToDollars(double amount) {
    return RoundHalfAway(amount, 0);
}

}  // namespace dovanel
