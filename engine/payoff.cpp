#include "engine/payoff.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "engine/annuity.h"
#include "engine/format_value.h"
#include "engine/recalculate.h"

namespace dovanel {

namespace {

// The loan's fixed terms, in double.
struct Terms {
    double loan = 0;
    double rate = 0;  // per month
    int payments = 0;
    double payment = 0;
    double price = 0;
};

Terms TermsOf(const Model& model) {
    Terms t;
    t.loan = model.loanResults.loanAmount;
    t.rate = static_cast<double>(model.loanData.interestRate) / 12.0;
    t.payments = std::max(PaymentCount(model.loanData.termYears), 0);
    t.price = model.loanData.purchasePrice;
    if (t.payments > 0) t.payment = Annuity(t.rate, t.payments, t.loan).Payment();
    return t;
}

double NonNegative(double amount) {
    return std::isfinite(amount) && amount > 0 ? amount : 0.0;
}

double ExtraFor(const ExtraPayments& x, int payment, int month, double level) {
    double extra = NonNegative(x.monthly);
    if (month == x.yearlyMonth) extra += NonNegative(x.yearly);
    if (payment == x.lumpSumAt) extra += NonNegative(x.lumpSum);
    if (x.biweekly) extra += NonNegative(level) / 12.0;
    return extra;
}

// The schedule from the running balance: each month's interest on what is
// owed, the rest of the level payment and the extras off the balance. The last
// payment takes only what is owed; a residue too small to pay is taken with it.
std::vector<PayoffRow> RunSchedule(const Terms& t, const ExtraPayments& x) {
    std::vector<PayoffRow> rows;
    rows.reserve(static_cast<std::size_t>(t.payments));
    const double residue = std::min(0.005, 1e-6 * std::fabs(t.loan));
    double balance = t.loan;
    for (int k = 1; k <= t.payments && balance > 0; ++k) {
        PayoffRow row;
        row.payment = k;
        row.year = (k - 1) / 12 + 1;
        row.month = (k - 1) % 12 + 1;
        row.beginning = balance;
        row.interest = balance * t.rate;
        row.principal = t.payment - row.interest;
        if (k == t.payments || row.principal > balance) row.principal = balance;
        row.extra = std::min(ExtraFor(x, k, row.month, t.payment), balance - row.principal);
        row.ending = balance - row.principal - row.extra;
        if (row.ending < residue) {
            row.principal += row.ending;
            row.ending = 0;
        }
        row.ltv = row.ending / t.price;
        balance = row.ending;
        rows.push_back(row);
    }
    return rows;
}

double InterestOf(const std::vector<PayoffRow>& rows) {
    double total = 0;
    for (const PayoffRow& row : rows) total += row.interest;
    return total;
}

// An amount in whole cents (a whole number held as a double, exact far beyond any loan).
double Cents(double amount) {
    return std::round(amount * 100.0);
}

// The first payment after which the balance is at most `share` of the price; 0 for none.
int FirstAtOrBelow(const std::vector<PayoffRow>& rows, double share, double price) {
    for (const PayoffRow& row : rows)
        if (row.ending <= share * price) return row.payment;
    return 0;
}

// "$#,###", with "$0" for less than half a dollar (the pattern alone leaves a bare "$").
std::string Dollars(double amount) {
    const std::string text = FormatValue(amount, "$#,###");
    return text == "$" ? "$0" : text;
}

// "Year 9 / Month 2; $11,340 of PMI paid until then". PMI ends with the loan:
// in place of a date after the payoff, the payoff and the PMI paid up to it.
std::string PmiDate(int payment, double monthly, int payoff) {
    if (payment == 0) return "never";
    const std::string paidUntilThen = " of PMI paid until then";
    if (payment > payoff)
        return "Loan paid off first, at " + PaymentDate(payoff) + "; " + Dollars(monthly * payoff) +
               paidUntilThen;
    return PaymentDate(payment) + "; " + Dollars(monthly * payment) + paidUntilThen;
}

std::string NoPmiText(const Model& model) {
    if (CarriesProgramInsurance(model.loanData.mortgageTypeName))
        return "No PMI: FHA and USDA insurance runs the years its program sets, however much is "
               "paid down.";
    if (IsVaType(model.loanData.mortgageTypeName))
        return "No PMI is charged: VA loans carry no private mortgage insurance.";
    if (!LoanCarriesPmi(model))
        return "No PMI is charged: the loan is no more than 80.01 % of the purchase price.";
    return "No PMI is charged on this loan.";
}

void PlanPmi(const Model& model, const Terms& t, const ExtraPayments& x, PayoffPlan& plan) {
    PmiPlan& p = plan.pmi;
    p.monthly = model.loanResults.monthlyPmi;
    const bool insured = CarriesProgramInsurance(model.loanData.mortgageTypeName);
    p.charged = LoanCarriesPmi(model) && p.monthly > 0 && !insured;
    if (!p.charged) {
        plan.pmiRequest = NoPmiText(model);
        return;
    }
    p.request = FirstAtOrBelow(plan.rows, 0.80, t.price);
    p.requestWithoutExtras = FirstAtOrBelow(plan.baseline, 0.80, t.price);
    p.automatic = FirstAtOrBelow(plan.baseline, 0.78, t.price);
    p.final = t.payments / 2;
    if (p.request > 0 && p.requestWithoutExtras > p.request)
        p.saved = p.monthly * (p.requestWithoutExtras - p.request);
    const int payoff = static_cast<int>(plan.rows.size());
    plan.pmiRequest = PmiDate(p.request, p.monthly, payoff);
    plan.pmiAutomatic = PmiDate(p.automatic, p.monthly, payoff);
    plan.pmiFinal = PmiDate(p.final, p.monthly, payoff);
    if (x.Any()) {
        plan.pmiSaved = "Without the extra payments: " + PaymentDate(p.requestWithoutExtras) +
                        ". PMI saved: " + Dollars(p.saved);
    }
}

}  // namespace

std::string PaymentsText(int count) {
    std::string text = std::to_string(count);
    if (count >= 12) {
        const int years = count / 12, months = count % 12;
        text += " (" + std::to_string(years) + (years == 1 ? " year" : " years");
        if (months > 0) text += " " + std::to_string(months) + (months == 1 ? " month" : " months");
        text += ")";
    }
    return text;
}

void AppendFixed(std::string& out, double value, int decimals) {
    const double scale = std::pow(10.0, decimals);
    double rounded = std::round(value * scale) / scale;
    if (rounded == 0 || !std::isfinite(rounded)) rounded = 0;  // no "-0.00"
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, rounded, std::chars_format::fixed, decimals);
    out.append(buffer, result.ptr);
}

std::string PaymentDate(int payment) {
    if (payment <= 0) return std::string();
    return "Year " + std::to_string((payment - 1) / 12 + 1) + " / Month " +
           std::to_string((payment - 1) % 12 + 1);
}

PayoffPlan ComputePayoffPlan(const Model& model, const ExtraPayments& extras) {
    PayoffPlan plan;
    const Terms t = TermsOf(model);
    plan.payment = t.payment;
    plan.baseline = RunSchedule(t, ExtraPayments());
    plan.rows = extras.Any() ? RunSchedule(t, extras) : plan.baseline;
    plan.totalInterest = InterestOf(plan.rows);
    plan.baselineInterest = InterestOf(plan.baseline);
    plan.payoff = PaymentDate(static_cast<int>(plan.rows.size()));
    plan.monthsSaved = PaymentsText(static_cast<int>(plan.baseline.size() - plan.rows.size()));
    // As the exported interest column sums them: in cents, then in whole dollars.
    const double cents = Cents(plan.totalInterest);
    plan.interestSaved = Dollars((Cents(plan.baselineInterest) - cents) / 100.0);
    plan.totalInterestText = Dollars(cents / 100.0);
    PlanPmi(model, t, extras, plan);
    return plan;
}

std::vector<PayoffRow> RowsOf(const Amortization& table) {
    std::vector<PayoffRow> rows;
    rows.reserve(table.rows.size());
    int payment = 0;
    for (const AmortizationRow& r : table.rows)
        rows.push_back({++payment, r.year, r.month, r.beginning, r.interest, r.principal, 0.0,
                        r.ending, r.ltv});
    return rows;
}

std::vector<PayoffRow> RoundedToCents(const std::vector<PayoffRow>& rows) {
    std::vector<PayoffRow> out(rows);
    double interest = 0, extra = 0;            // running totals
    double interestCents = 0, extraCents = 0;  // the same, rounded
    double balance = rows.empty() ? 0.0 : Cents(rows.front().beginning);
    for (PayoffRow& r : out) {
        interest += r.interest;
        extra += r.extra;
        const double rowInterest = Cents(interest) - interestCents;
        const double rowExtra = Cents(extra) - extraCents;
        interestCents += rowInterest;
        extraCents += rowExtra;
        const double ending = Cents(r.ending);
        r.beginning = balance / 100.0;
        r.interest = rowInterest / 100.0;
        r.extra = rowExtra / 100.0;
        r.principal = (balance - rowExtra - ending) / 100.0;
        r.ending = ending / 100.0;
        balance = ending;
    }
    return out;
}

std::string ScheduleCsv(const std::vector<PayoffRow>& rows) {
    std::string out = "payment,year,month,beginning,interest,principal,extra,ending,ltv\n";
    out.reserve(out.size() + rows.size() * 72);
    for (const PayoffRow& r : RoundedToCents(rows)) {
        out += std::to_string(r.payment) + ',' + std::to_string(r.year) + ',' +
               std::to_string(r.month);
        for (double amount : {r.beginning, r.interest, r.principal, r.extra, r.ending}) {
            out += ',';
            AppendFixed(out, amount, 2);
        }
        out += ',';
        AppendFixed(out, r.ltv, 4);
        out += '\n';
    }
    return out;
}

}  // namespace dovanel
