#include "engine/format_value.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

namespace dovanel {
namespace {

// ---- decimal rounding ------------------------------------------------------

// Enough room for the integer digits of the largest double and the decimals a
// pattern may ask for.
constexpr int kMaxDecimals = 30;
constexpr int kMaxDigits = 310 + kMaxDecimals;

// The digits of a magnitude rounded to a number of decimals: the integer digits
// without leading zeros (none for zero), then exactly that many decimals.
struct Digits {
    char d[kMaxDigits + 2];
    int intLen = 0;
    int fracLen = 0;
    const char* fraction() const { return d + intLen; }
    bool IsZero() const {
        for (int i = 0; i < intLen + fracLen; ++i)
            if (d[i] != '0') return false;
        return true;
    }
};

// The common case in integers: a value well away from a half needs no decimal
// reading of its own to round correctly. Returns false when it cannot decide.
bool RoundHalfAwayQuick(double x, int decimals, Digits& out) {
    static constexpr double kPow10[] = {1, 10, 100, 1e3, 1e4, 1e5, 1e6};
    if (decimals > 6) return false;
    const double scaled = x * kPow10[decimals];
    if (!(scaled < 1e12)) return false;
    const double whole = std::floor(scaled);
    const double rest = scaled - whole;
    if (std::fabs(rest - 0.5) <= 1e-3) return false;  // near a half: read the decimals
    std::uint64_t n = static_cast<std::uint64_t>(whole) + (rest > 0.5 ? 1 : 0);
    char reversed[24];
    int len = 0;
    do {
        reversed[len++] = static_cast<char>('0' + n % 10);
        n /= 10;
    } while (n != 0);
    while (len < decimals) reversed[len++] = '0';
    out.fracLen = decimals;
    out.intLen = len - decimals;
    if (out.intLen == 1 && reversed[len - 1] == '0') out.intLen = 0, --len;
    for (int i = 0; i < len; ++i) out.d[i] = reversed[len - 1 - i];
    return true;
}

// Rounds x >= 0 half away from zero to `decimals` places. The value is read as
// its shortest decimal text first, so 1.005 rounds to 1.01 as a person reading
// the number expects, not to 1.00 as its binary value would.
void RoundHalfAway(double x, int decimals, Digits& out) {
    char sci[40];
    const auto res = std::to_chars(sci, sci + sizeof sci, x, std::chars_format::scientific);
    const char* e =
        static_cast<const char*>(std::memchr(sci, 'e', static_cast<std::size_t>(res.ptr - sci)));
    char mantissa[20];
    int mantissaLen = 0;
    for (const char* c = sci; c < e; ++c)
        if (*c != '.') mantissa[mantissaLen++] = *c;
    int exponent = 0;
    std::from_chars(e + 2, res.ptr, exponent);
    if (e[1] == '-') exponent = -exponent;

    int pointPos = exponent + 1;  // digits before the decimal point
    const int keep = pointPos + decimals;
    out.intLen = 0;
    out.fracLen = decimals;
    if (keep < 0) {
        std::memset(out.d, '0', static_cast<std::size_t>(decimals));
        return;
    }
    char buf[kMaxDigits + 2];
    char* digits = buf + 1;  // one place spare for a carry
    int len = keep;
    for (int i = 0; i < keep; ++i) digits[i] = i < mantissaLen ? mantissa[i] : '0';
    if (keep < mantissaLen && mantissa[keep] >= '5') {
        int i = keep - 1;
        while (i >= 0 && digits[i] == '9') digits[i--] = '0';
        if (i >= 0) {
            ++digits[i];
        } else {
            *--digits = '1';
            ++len;
            ++pointPos;
        }
    }
    int skip = 0;  // leading zeros of the integer part
    while (skip < pointPos && digits[skip] == '0') ++skip;
    char* o = out.d;
    if (pointPos > 0) {
        out.intLen = pointPos - skip;
        std::memcpy(o, digits + skip, static_cast<std::size_t>(len - skip));
    } else {
        std::memset(o, '0', static_cast<std::size_t>(-pointPos));
        std::memcpy(o - pointPos, digits, static_cast<std::size_t>(len));
    }
}

// ---- patterns --------------------------------------------------------------

enum class Tok { Literal, Zero, Hash, Point, Group };

struct Token {
    Tok kind;
    std::string text;  // for literals
};

// One section of a pattern, read once and kept.
struct Section {
    std::vector<Token> tokens;
    int integerRequired = 0;  // integer placeholders from the first "0" to the point
    bool grouping = false;
    bool percent = false;
    std::string fraction;  // the placeholders right of the point, "0" or "#" each
    bool empty = false;    // an empty section borrows the first one
};

Section CompileSection(std::string_view text) {
    Section s;
    s.empty = text.empty();
    bool afterPoint = false;
    auto literal = [&s](std::string lit) { s.tokens.push_back({Tok::Literal, std::move(lit)}); };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\\') {
            if (i + 1 < text.size()) literal(std::string(1, text[++i]));
        } else if (c == '"') {
            const auto close = text.find('"', i + 1);
            const auto end = close == std::string_view::npos ? text.size() : close;
            literal(std::string(text.substr(i + 1, end - i - 1)));
            i = end;
        } else if (c == '0' || c == '#') {
            if (afterPoint) {
                if (s.fraction.size() >= kMaxDecimals) continue;
                s.fraction.push_back(c);
            } else {
                if (c == '0' || s.integerRequired > 0) ++s.integerRequired;
            }
            s.tokens.push_back({c == '0' ? Tok::Zero : Tok::Hash, {}});
        } else if (c == '.' && !afterPoint) {
            afterPoint = true;
            s.tokens.push_back({Tok::Point, {}});
        } else if (c == ',' && !afterPoint) {
            s.tokens.push_back({Tok::Group, {}});
        } else {
            if (c == '%') s.percent = true;
            literal(std::string(1, c));
        }
    }
    // A comma groups thousands only between integer placeholders; elsewhere it prints.
    bool placeholderBefore = false;
    for (std::size_t i = 0; i < s.tokens.size(); ++i) {
        Token& t = s.tokens[i];
        if (t.kind == Tok::Point) break;
        if (t.kind == Tok::Zero || t.kind == Tok::Hash) placeholderBefore = true;
        if (t.kind != Tok::Group) continue;
        bool placeholderAfter = false;
        for (std::size_t j = i + 1; j < s.tokens.size() && s.tokens[j].kind != Tok::Point; ++j)
            placeholderAfter |= s.tokens[j].kind == Tok::Zero || s.tokens[j].kind == Tok::Hash;
        if (placeholderBefore && placeholderAfter) {
            s.grouping = true;
        } else {
            t = {Tok::Literal, ","};
        }
    }
    return s;
}

// The integer digits the section shows: significant digits, padded with the
// zeros its "0" placeholders ask for, grouped when it groups.
void AppendInteger(std::string& out, const Section& s, const Digits& d) {
    const int total = std::max(d.intLen, s.integerRequired);
    const int pad = total - d.intLen;
    for (int i = 0; i < total; ++i) {
        if (s.grouping && i > 0 && (total - i) % 3 == 0) out.push_back(',');
        out.push_back(i < pad ? '0' : d.d[i - pad]);
    }
}

// How many decimals stay: trailing zeros on "#" placeholders are dropped.
int KeptFraction(const Section& s, const Digits& d) {
    int kept = d.fracLen;
    while (kept > 0 && s.fraction[static_cast<std::size_t>(kept - 1)] == '#' &&
           d.fraction()[kept - 1] == '0')
        --kept;
    return kept;
}

std::string Render(const Section& s, const Digits& d) {
    std::string out;
    const int kept = KeptFraction(s, d);
    bool integerDone = false;
    bool afterPoint = false;
    int fractionIndex = 0;
    for (const Token& t : s.tokens) {
        switch (t.kind) {
            case Tok::Literal:
                out += t.text;
                break;
            case Tok::Group:
                break;
            case Tok::Zero:
            case Tok::Hash:
                if (afterPoint) {
                    if (fractionIndex < kept) out.push_back(d.fraction()[fractionIndex]);
                    ++fractionIndex;
                } else if (!integerDone) {
                    AppendInteger(out, s, d);
                    integerDone = true;
                }
                break;
            case Tok::Point:
                if (!integerDone) AppendInteger(out, s, d);
                integerDone = afterPoint = true;
                out.push_back('.');
                break;
        }
    }
    return out;
}

struct Pattern {
    std::vector<Section> sections;
    bool year = false;
};

Pattern Compile(std::string_view text) {
    Pattern p;
    if (text == "yyyy" || text == "YYYY") {
        p.year = true;
        return p;
    }
    if (text == "currency") text = "$#,##0.00;($#,##0.00)";
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\') {
            ++i;
        } else if (text[i] == ';') {
            p.sections.push_back(CompileSection(text.substr(start, i - start)));
            start = i + 1;
        }
    }
    p.sections.push_back(CompileSection(text.substr(std::min(start, text.size()))));
    return p;
}

// Patterns are few and used over and over: keep each one read.
const Pattern& CompiledPattern(std::string_view text) {
    thread_local std::vector<std::pair<std::string, Pattern>> cache;
    for (const auto& entry : cache)
        if (entry.first == text) return entry.second;
    if (cache.size() >= 64) cache.clear();
    cache.emplace_back(std::string(text), Compile(text));
    return cache.back().second;
}

void RoundFor(const Section& s, double magnitude, Digits& d) {
    const double x = s.percent ? magnitude * 100.0 : magnitude;
    const int decimals = static_cast<int>(s.fraction.size());
    if (!RoundHalfAwayQuick(x, decimals, d)) RoundHalfAway(x, decimals, d);
}

std::string FormatWith(const Section& s, double magnitude) {
    Digits d;
    RoundFor(s, magnitude, d);
    return Render(s, d);
}

std::string FormatZero(const Pattern& p) {
    if (p.sections.size() >= 3 && !p.sections[2].empty) return FormatWith(p.sections[2], 0.0);
    return FormatWith(p.sections[0], 0.0);
}

// Days since 1 March of year 0 (proleptic Gregorian), and back.
long DaysFromCivil(int y, int m, int d) {
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yoe = y - era * 400;
    const long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

int YearFromDays(long z) {
    z += 719468;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const long doe = z - era * 146097;
    const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long mp = (5 * doy + 2) / 153;
    const long m = mp < 10 ? mp + 3 : mp - 9;
    return static_cast<int>(yoe + era * 400 + (m <= 2));
}

const long kSerialEpoch = DaysFromCivil(1899, 12, 30);

}  // namespace

std::string FormatValue(double value, std::string_view pattern) {
    if (!std::isfinite(value)) return {};
    const Pattern& p = CompiledPattern(pattern);
    if (p.year)
        return std::to_string(YearFromDays(kSerialEpoch + static_cast<long>(std::floor(value))));
    if (p.sections.empty()) return {};
    if (value == 0) return FormatZero(p);
    const bool ownSection = value < 0 && p.sections.size() >= 2 && !p.sections[1].empty;
    const Section& s = ownSection ? p.sections[1] : p.sections[0];
    Digits d;
    RoundFor(s, std::fabs(value), d);
    if (d.IsZero()) return FormatZero(p);
    if (value > 0 || ownSection) return Render(s, d);
    return "-" + Render(s, d);
}

std::string PlainNumber(float value) {
    if (!std::isfinite(value)) return {};
    if (value == 0) return "0";
    char buf[32];
    auto res =
        std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific);
    std::string text(buf, res.ptr);
    auto e = text.find('e');
    std::string digits = text.substr(0, 1) + (e > 2 ? text.substr(2, e - 2) : "");
    if (digits.size() > 7) {
        res = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific,
                            6);
        text.assign(buf, res.ptr);
        e = text.find('e');
        digits = text.substr(0, 1) + text.substr(2, e - 2);
    }
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    const int pointPos = std::atoi(text.c_str() + e + 1) + 1;
    std::string out = value < 0 ? "-" : "";
    const int count = static_cast<int>(digits.size());
    if (pointPos <= 0) {
        out += "." + std::string(static_cast<std::size_t>(-pointPos), '0') + digits;
    } else if (pointPos >= count) {
        out += digits + std::string(static_cast<std::size_t>(pointPos - count), '0');
    } else {
        out += digits.substr(0, static_cast<std::size_t>(pointPos)) + "." +
               digits.substr(static_cast<std::size_t>(pointPos));
    }
    return out;
}

double LeadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    std::string number;
    bool point = false;
    bool digit = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            digit = true;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            break;
        }
        number.push_back(c);
    }
    if (!digit) return 0.0;
    if (number.front() == '.') number.insert(0, "0");
    double value = 0.0;
    const auto res = std::from_chars(number.data(), number.data() + number.size(), value);
    if (res.ec == std::errc::result_out_of_range) {
        // Too many digits for a double: beyond its range, or too small to tell from zero.
        const auto point = number.find('.');
        const bool whole = number.substr(0, point).find_first_not_of('0') != std::string::npos;
        value = whole ? HUGE_VAL : 0.0;
    }
    return negative ? -value : value;
}

void StoreNumber(float& field, double value) {
    const auto f = static_cast<float>(value);
    if (std::isfinite(f)) field = f;
}

double DateSerial(int year, int month, int day) {
    return static_cast<double>(DaysFromCivil(year, month, day) - kSerialEpoch);
}

}  // namespace dovanel
