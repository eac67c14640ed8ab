#include "engine/money.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace dovanel {

namespace {

constexpr double kPow10[] = {1, 10, 100, 1e3, 1e4, 1e5, 1e6};

// Whether the magnitude's shortest decimal text has a digit of 5 or more right
// after the kept decimals (the amount lies on or above the half).
bool DecimalHalfOrAbove(double magnitude, int decimals) {
    char text[48];
    const auto res = std::to_chars(text, text + sizeof text, magnitude, std::chars_format::fixed);
    if (res.ec != std::errc()) return false;
    const char* point =
        static_cast<const char*>(std::memchr(text, '.', static_cast<std::size_t>(res.ptr - text)));
    if (point == nullptr) return false;
    const char* digit = point + 1 + decimals;
    return digit < res.ptr && *digit >= '5';
}

}  // namespace

double RoundHalfAway(double amount, int decimals) {
    if (decimals < 0 || decimals > 6) return amount;
    const double magnitude = std::fabs(amount);
    const double scaled = magnitude * kPow10[decimals];
    if (!(scaled < 1e12 * kPow10[decimals])) return amount;
    double whole = std::floor(scaled);
    const double rest = scaled - whole;
    // Well away from a half the binary value decides; near one, the decimals.
    const bool up =
        std::fabs(rest - 0.5) > 1e-6 ? rest > 0.5 : DecimalHalfOrAbove(magnitude, decimals);
    if (up) whole += 1;
    const double rounded = whole / kPow10[decimals];
    return amount < 0 && rounded != 0 ? -rounded : rounded;  // no -0
}

}  // namespace dovanel
