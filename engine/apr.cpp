#include "engine/apr.h"

#include <cmath>
#include <limits>

#include "engine/format_value.h"

namespace dovanel {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr int kMaxSteps = 200;

// The flow in the terms of the equation: payment k is discounted over
// k - shift whole months and the fraction f of a month.
struct Equation {
    const AprCashFlow& flow;
    int shift = 0;
    double fraction = 0;

    // The present value of the payments less the amount financed at the
    // monthly rate i, and its slope.
    void Evaluate(double i, double& value, double& slope) const {
        const double v = 1.0 / (1.0 + i);
        double w = shift == 0 ? v : 1.0;  // v^t of the current payment
        double t = shift == 0 ? 1.0 : 0.0;
        double sum = 0, weighted = 0;
        for (double p : flow.payments) {
            sum += p * w;
            weighted += t * p * w;
            w *= v;
            t += 1.0;
        }
        const double odd = 1.0 / (1.0 + fraction * i);
        value = sum * odd - flow.amountFinanced;
        slope = -weighted * v * odd - fraction * sum * odd * odd;
    }
    double Value(double i) const {
        double value, slope;
        Evaluate(i, value, slope);
        return value;
    }
    // Rates below this make the discount meaningless (1 + i or 1 + f i not positive).
    double Lowest() const { return fraction > 1.0 ? -1.0 / fraction : -1.0; }
};

bool Valid(const AprCashFlow& flow) {
    if (flow.payments.empty() || !(flow.amountFinanced > 0) ||
        !std::isfinite(flow.amountFinanced) || flow.oddDays < -29)
        return false;
    for (double p : flow.payments)
        if (!std::isfinite(p)) return false;
    return true;
}

// A rate on each side of the root: value(lo) > 0 > value(hi) when the
// payments are positive. False when the search finds no change of sign.
bool Bracket(const Equation& e, double atZero, double& lo, double& hi) {
    if (atZero > 0) {
        lo = 0.0;
        for (hi = 0.01; hi < 1e9; hi *= 8) {
            if (e.Value(hi) < 0) return true;
            lo = hi;
        }
        return false;
    }
    hi = 0.0;
    const double lowest = e.Lowest();
    double gap = -lowest;
    for (int halving = 0; halving < kMaxSteps; ++halving) {
        gap /= 2;
        lo = lowest + gap;
        if (e.Value(lo) > 0) return true;  // NaN (infinities of both signs) is no answer
        hi = lo;
    }
    return false;
}

// Newton's method kept inside the bracket, halving it whenever a step would
// leave it; the value is convex in the rate for positive payments, so the
// steps go straight to the root.
double Solve(const Equation& e, double lo, double hi, bool positive) {
    double x = positive ? lo : hi;  // start from the end nearer a zero rate
    for (int step = 0; step < kMaxSteps; ++step) {
        double value, slope;
        e.Evaluate(x, value, slope);
        if (value == 0) return x;
        (value > 0 ? lo : hi) = x;
        double next = x - value / slope;
        if (!(next > lo && next < hi)) next = lo + (hi - lo) / 2;
        if (std::fabs(next - x) <= 1e-15 * std::fmax(1.0, std::fabs(x)) || next == lo || next == hi)
            return next;
        x = next;
    }
    return x;
}

}  // namespace

double AnnualPercentageRate(const AprCashFlow& flow) {
    if (!Valid(flow)) return kNaN;
    Equation e{flow};
    e.shift = flow.oddDays < 0 ? 1 : 0;
    e.fraction = (flow.oddDays < 0 ? 30 + flow.oddDays : flow.oddDays) / 30.0;
    double total = 0;
    for (double p : flow.payments) total += p;
    const double atZero = total - flow.amountFinanced;
    if (atZero == 0) return 0.0;
    double lo, hi;
    if (!Bracket(e, atZero, lo, hi)) return kNaN;
    return 12.0 * Solve(e, lo, hi, atZero > 0);
}

std::string DisclosurePercent(double fraction) {
    std::string text = FormatValue(fraction, "0.###%");
    const std::size_t point = text.find(".%");
    if (point != std::string::npos) text.erase(point, 1);
    return text;
}

}  // namespace dovanel
