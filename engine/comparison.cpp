#include "engine/comparison.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

#include "engine/annuity.h"
#include "engine/format_value.h"
#include "engine/loan_estimate_sections.h"
#include "engine/loan_schedule.h"
#include "engine/money.h"
#include "engine/payoff.h"
#include "engine/recalculate.h"

namespace dovanel {

namespace {

// Mortgage insurance due with each payment: the monthly PMI with payments 1 to
// the one the balance reaches 78 % of the price with; none for a loan without PMI.
std::vector<double> InsuranceStream(const ComparisonFigures& f) {
    std::vector<double> out(static_cast<std::size_t>(std::max(f.payments, 0)), 0.0);
    if (!(f.mortgageInsurance > 0)) return out;
    const int last = f.insuranceEndPayment > 0 ? f.insuranceEndPayment : f.payments;
    for (int k = 0; k < last && k < f.payments; ++k)
        out[static_cast<std::size_t>(k)] = f.mortgageInsurance;
    return out;
}

// What is paid with the first `count` payments, in the amortization table's arithmetic.
PaidOver PaidWith(const ComparisonFigures& f, int count) {
    PaidOver out;
    if (f.payments <= 0) return out;
    count = std::clamp(count, 0, f.payments);
    const Annuity annuity(f.rate / 12.0, f.payments, f.loanAmount);
    out.interest = annuity.TotalInterest(count);
    out.balanceLeft = count == f.payments ? 0.0 : annuity.Balance(count);
    out.principal = f.loanAmount - out.balanceLeft;
    const int insured = f.insuranceEndPayment > 0 ? std::min(count, f.insuranceEndPayment) : count;
    out.insurance = f.mortgageInsurance * insured;
    out.totalPaid = out.interest + out.principal + out.insurance;
    return out;
}

void LoanFigures(const Model& m, ComparisonFigures& f) {
    const LoanResults& r = m.loanResults;
    f.type = m.loanData.mortgageTypeName;
    f.termYears = m.loanData.termYears;
    f.payments = std::max(PaymentCount(m.loanData.termYears), 0);
    f.price = m.loanData.purchasePrice;
    f.downPayment = r.downPaymentAmount;
    f.loanAmount = r.loanAmount;
    f.rate = m.loanData.interestRate;
    f.ltv = r.ltv;
}

void ClosingFigures(const Model& m, double pointsRate, ComparisonFigures& f) {
    const LoanResults& r = m.loanResults;
    f.points = RoundToCents(pointsRate * f.loanAmount);
    f.otherClosingCosts = r.totalClosingCosts;
    f.prepaidsAndEscrows = r.totalPrepaidEscrows;
    f.totalDueAtClosing = static_cast<double>(r.totalDueAtClosing) + f.points;
    f.deposit = static_cast<double>(m.loanData.earnestMoney) + m.estimateValues.applicationDeposit;
    f.cashStillDue = f.totalDueAtClosing - f.deposit;
}

void MonthlyFigures(const Model& m, ComparisonFigures& f) {
    const LoanResults& r = m.loanResults;
    f.principalInterest = r.monthlyPrincipalInterest;
    f.mortgageInsurance = r.monthlyPmi;
    f.taxes = static_cast<double>(m.loanData.annualTaxes) / 12.0;
    f.insurance = m.loanData.monthlyInsurance;
    f.dues = m.loanData.monthlyDues;
    f.totalMonthly = r.totalMonthlyPayment;
    // FHA and USDA insurance runs for the years its table gives, not to an LTV.
    if (f.mortgageInsurance > 0 && CarriesProgramInsurance(m.loanData.mortgageTypeName))
        f.insuranceEndPayment = GovernmentCostsOf(m).annual.payments;
    else if (f.mortgageInsurance > 0)
        f.insuranceEndPayment =
            MortgageInsuranceEndPayment(f.loanAmount, f.rate / 12.0, f.payments, f.price);
}

// The disclosure's rates with the column's points added as a finance charge in
// a free fee slot. A scenario without dates closes on the first of a month: a
// regular first period, so that columns compare alike.
void DisclosureFigures(const Model& m, double points, ComparisonFigures& f) {
    Model disclosed = m;
    for (EstimateFee& fee : disclosed.estimate.fees) {
        if (FeeInUse(fee) || points == 0) continue;
        fee = {"Discount points", static_cast<Single>(points), EstimateSection::kA, 1, 0};
        break;
    }
    LoanEstimateNumbers numbers;
    const LoanEstimateForm form = MakeLoanEstimate(disclosed, {2000, 1, 1}, &numbers);
    const double none = std::numeric_limits<double>::quiet_NaN();
    f.apr = form.error.empty() ? numbers.apr : none;
    f.tip = form.error.empty() ? numbers.tip : none;
}

void QualifyingFigures(const ResultsDisplay& shown, const Model& m, ComparisonFigures& f) {
    f.firstRatio = shown.label23_3;
    f.secondRatio = shown.label23_1;
    f.firstLimit = FormatValue(m.loanResults.firstRatioLimit, "#%");
    f.secondLimit = FormatValue(m.loanResults.secondRatioLimit, "#%");
    f.incomeEntered = m.loanData.monthlyIncome != kIncomeNotEntered;
    f.flagDownPayment = shown.redFlagDownPayment;
    f.flagLoanAmount = shown.redFlagLoanAmount;
    f.flagFirstRatio = shown.redFlagFirstRatio;
    f.flagSecondRatio = shown.redFlagSecondRatio;
}

}  // namespace

ComparisonFigures ComputeComparisonColumn(const ComparisonInput& input, int horizonYears) {
    Model m = input.model;
    const ResultsDisplay shown = Recalculate(m);
    ComparisonFigures f;
    LoanFigures(m, f);
    ClosingFigures(m, input.pointsRate, f);
    MonthlyFigures(m, f);
    QualifyingFigures(shown, m, f);
    DisclosureFigures(m, f.points, f);
    f.horizonYears = std::clamp(horizonYears, kHorizonMinYears, kHorizonMaxYears);
    f.horizon = PaidWith(f, f.horizonYears * 12);
    f.wholeTerm = PaidWith(f, f.payments);
    f.stream = CostStreamOf(f.totalDueAtClosing, CentSchedule(f.loanAmount, f.rate, f.payments),
                            InsuranceStream(f));
    return f;
}

std::string DefaultColumnName(const Model& model) {
    std::string rate = FormatValue(model.loanData.interestRate, "0.###%");
    const std::size_t point = rate.find(".%");
    if (point != std::string::npos) rate.erase(point, 1);
    if (!rate.empty() && rate.back() == '%') rate.insert(rate.size() - 1, " ");
    return std::to_string(model.loanData.termYears) + "-year at " + rate;
}

std::string MonthInWords(int payment) {
    return payment <= 0 ? "Never within the term" : "Month " + PaymentsText(payment);
}

namespace {

using Figures = ComparisonFigures;

// How a row's cells read and compare.
enum class RowKind {
    kText,    // words, never "best"
    kAmount,  // a figure where neither more nor less is plainly better
    kCost,    // a figure where less is plainly better
};

struct RowSpec {
    const char* group;
    std::string name;
    RowKind kind;
    const char* pattern;  // for figures
    int csvDecimals;      // for figures
    std::function<double(const Figures&)> value;
    std::function<std::string(const Figures&)> text;  // for words
};

using Value = double (*)(const Figures&);
using Words = std::string (*)(const Figures&);

RowSpec Figure(const char* group, std::string name, RowKind kind, const char* pattern, Value value,
               int csvDecimals = 2) {
    return {group, std::move(name), kind, pattern, csvDecimals, value, {}};
}

RowSpec Text(const char* group, std::string name, Words text) {
    return {group, std::move(name), RowKind::kText, "", 0, {}, text};
}

std::string FlagText(bool raised) {
    return raised ? "Raised" : "None";
}

std::string YearsText(int years) {
    return std::to_string(years) + (years == 1 ? " year" : " years");
}

std::string PmiEnds(const Figures& f) {
    if (!(f.mortgageInsurance > 0)) return "No PMI";
    return f.insuranceEndPayment > 0 ? PaymentDate(f.insuranceEndPayment) : "Never within the term";
}

std::vector<RowSpec> LoanRows() {
    const char* g = "Loan";
    const auto k = RowKind::kAmount;
    return {
        Text(g, "Mortgage type", [](const Figures& f) { return f.type; }),
        Text(g, "Term", [](const Figures& f) { return YearsText(f.termYears); }),
        Figure(g, "Purchase price", k, "$#,##0", [](const Figures& f) { return f.price; }),
        Figure(g, "Down payment", k, "$#,##0.00", [](const Figures& f) { return f.downPayment; }),
        Figure(g, "Loan amount", k, "$#,##0", [](const Figures& f) { return f.loanAmount; }),
        Figure(
            g, "Interest rate", RowKind::kCost, "0.000%", [](const Figures& f) { return f.rate; },
            6),
        Figure(
            g, "Loan-to-value", k, "0.0%", [](const Figures& f) { return f.ltv; }, 6),
    };
}

std::vector<RowSpec> CashRows() {
    const char* g = "Cash to close";
    const auto cost = RowKind::kCost, k = RowKind::kAmount;
    return {
        Figure(g, "Down payment at closing", k, "$#,##0.00",
               [](const Figures& f) { return f.downPayment; }),
        Figure(g, "Discount points", cost, "$#,##0.00", [](const Figures& f) { return f.points; }),
        Figure(g, "Other closing costs", cost, "$#,##0",
               [](const Figures& f) { return f.otherClosingCosts; }),
        Figure(g, "Prepaids and escrows", k, "$#,##0",
               [](const Figures& f) { return f.prepaidsAndEscrows; }),
        Figure(g, "Total due at closing", cost, "$#,##0",
               [](const Figures& f) { return f.totalDueAtClosing; }),
        Figure(g, "Less deposit", k, "($#,##0)", [](const Figures& f) { return f.deposit; }),
        Figure(g, "Cash still due at closing", cost, "currency",
               [](const Figures& f) { return f.cashStillDue; }),
    };
}

std::vector<RowSpec> MonthlyRows() {
    const char* g = "Monthly payment";
    const auto cost = RowKind::kCost, k = RowKind::kAmount;
    return {
        Figure(g, "Principal and interest", cost, "currency",
               [](const Figures& f) { return f.principalInterest; }),
        Figure(g, "PMI", cost, "currency", [](const Figures& f) { return f.mortgageInsurance; }),
        Figure(g, "Taxes", k, "currency", [](const Figures& f) { return f.taxes; }),
        Figure(g, "Insurance", k, "currency", [](const Figures& f) { return f.insurance; }),
        Figure(g, "Dues", k, "currency", [](const Figures& f) { return f.dues; }),
        Figure(g, "Total monthly payment", cost, "currency",
               [](const Figures& f) { return f.totalMonthly; }),
        Text(g, "PMI ends", PmiEnds),
    };
}

std::vector<RowSpec> OverTimeRows(int years) {
    const char* g = "Over time";
    const auto cost = RowKind::kCost, k = RowKind::kAmount;
    const std::string in = " in " + YearsText(years);
    return {
        Figure(g, "Total paid" + in, cost, "$#,##0",
               [](const Figures& f) { return f.horizon.totalPaid; }),
        Figure(g, "Interest paid" + in, cost, "$#,##0",
               [](const Figures& f) { return f.horizon.interest; }),
        Figure(g, "PMI paid" + in, cost, "$#,##0",
               [](const Figures& f) { return f.horizon.insurance; }),
        Figure(g, "Principal paid" + in, k, "$#,##0",
               [](const Figures& f) { return f.horizon.principal; }),
        Figure(g, "Balance left after " + YearsText(years), k, "$#,##0",
               [](const Figures& f) { return f.horizon.balanceLeft; }),
        Figure(g, "Total paid over the term", cost, "$#,##0",
               [](const Figures& f) { return f.wholeTerm.totalPaid; }),
        Figure(g, "Interest paid over the term", cost, "$#,##0",
               [](const Figures& f) { return f.wholeTerm.interest; }),
    };
}

std::vector<RowSpec> DisclosureRows() {
    const char* g = "Loan Estimate";
    const auto cost = RowKind::kCost;
    return {
        Figure(
            g, "APR", cost, "0.###%", [](const Figures& f) { return f.apr; }, 5),
        Figure(
            g, "Total interest percentage (TIP)", cost, "0.###%",
            [](const Figures& f) { return f.tip; }, 5),
    };
}

std::vector<RowSpec> QualifyingRows() {
    const char* g = "Qualifying";
    return {
        Text(g, "First ratio",
             [](const Figures& f) { return f.firstRatio + " (limit " + f.firstLimit + ")"; }),
        Text(g, "Second ratio",
             [](const Figures& f) { return f.secondRatio + " (limit " + f.secondLimit + ")"; }),
        Text(g, "Down payment flag", [](const Figures& f) { return FlagText(f.flagDownPayment); }),
        Text(g, "Loan amount flag", [](const Figures& f) { return FlagText(f.flagLoanAmount); }),
        Text(g, "First ratio flag", [](const Figures& f) { return FlagText(f.flagFirstRatio); }),
        Text(g, "Second ratio flag", [](const Figures& f) { return FlagText(f.flagSecondRatio); }),
    };
}

ComparisonCell CellOf(const RowSpec& spec, const Figures& f) {
    ComparisonCell cell;
    if (spec.kind == RowKind::kText) {
        cell.text = cell.number = spec.text(f);
        return cell;
    }
    const double value = spec.value(f);
    cell.text = FormatValue(value, spec.pattern);
    AppendFixed(cell.number, value, spec.csvDecimals);
    return cell;
}

// Marks the one cell below every other, compared as the CSV writes them.
void MarkBest(const RowSpec& spec, ComparisonRow& row, const std::vector<Figures>& columns) {
    if (spec.kind != RowKind::kCost || columns.size() < 2) return;
    const double scale = std::pow(10.0, spec.csvDecimals);
    std::vector<double> values;
    for (const Figures& f : columns) values.push_back(std::round(spec.value(f) * scale));
    const auto lowest = std::min_element(values.begin(), values.end());
    if (!std::isfinite(*lowest) || std::count(values.begin(), values.end(), *lowest) != 1) return;
    row.cells[static_cast<std::size_t>(lowest - values.begin())].best = true;
}

ComparisonRow RowOf(const RowSpec& spec, const std::vector<Figures>& columns) {
    ComparisonRow row;
    row.group = spec.group;
    row.name = spec.name;
    for (const Figures& f : columns) {
        row.cells.push_back(CellOf(spec, f));
        row.cells.back().differs = row.cells.back().text != row.cells.front().text;
    }
    MarkBest(spec, row, columns);
    return row;
}

std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string out = "\"";
    for (char c : text) out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

void AppendCsvLine(std::string& out, const std::vector<std::string>& fields) {
    for (std::size_t i = 0; i < fields.size(); ++i) out += (i ? "," : "") + CsvField(fields[i]);
    out += '\n';
}

std::string Dollars(double amount) {
    return FormatValue(amount, "$#,##0");
}

std::string PairSummary(const PairBreakEven& pair, const std::vector<ComparisonFigures>& columns,
                        const std::vector<std::string>& names) {
    if (pair.result.payingOption < 0) return "Both pay the same at closing: nothing to win back.";
    const int paying = pair.result.payingOption == 0 ? pair.first : pair.second;
    const int other = paying == pair.first ? pair.second : pair.first;
    const double more = columns[static_cast<std::size_t>(paying)].totalDueAtClosing -
                        columns[static_cast<std::size_t>(other)].totalDueAtClosing;
    return names[static_cast<std::size_t>(paying)] + " pays " + Dollars(more) +
           " more at closing than " + names[static_cast<std::size_t>(other)] +
           ". Ahead on payments: " + pair.onPayments + ". Ahead on cost: " + pair.onCost + ".";
}

}  // namespace

std::vector<ComparisonRow> ComparisonTable(const std::vector<ComparisonFigures>& columns) {
    std::vector<ComparisonRow> rows;
    if (columns.empty()) return rows;
    for (const auto& specs :
         {LoanRows(), CashRows(), MonthlyRows(), OverTimeRows(columns.front().horizonYears),
          DisclosureRows(), QualifyingRows()})
        for (const RowSpec& spec : specs) rows.push_back(RowOf(spec, columns));
    return rows;
}

std::vector<PairBreakEven> ComparisonBreakEvens(const std::vector<ComparisonFigures>& columns,
                                                const std::vector<std::string>& names) {
    std::vector<PairBreakEven> pairs;
    const int count = static_cast<int>(std::min(columns.size(), names.size()));
    for (int i = 0; i < count; ++i)
        for (int j = i + 1; j < count; ++j) {
            PairBreakEven pair;
            pair.first = i;
            pair.second = j;
            pair.result = FindBreakEven(columns[static_cast<std::size_t>(i)].stream,
                                        columns[static_cast<std::size_t>(j)].stream);
            pair.onPayments = MonthInWords(pair.result.onPayments);
            pair.onCost = MonthInWords(pair.result.onCost);
            pair.summary = PairSummary(pair, columns, names);
            pairs.push_back(pair);
        }
    return pairs;
}

std::string ComparisonCsv(const std::vector<ComparisonRow>& rows,
                          const std::vector<PairBreakEven>& pairs,
                          const std::vector<std::string>& names) {
    std::string out;
    std::vector<std::string> fields{"Figure"};
    fields.insert(fields.end(), names.begin(), names.end());
    AppendCsvLine(out, fields);
    for (const ComparisonRow& row : rows) {
        fields = {row.name};
        for (const ComparisonCell& cell : row.cells) fields.push_back(cell.number);
        AppendCsvLine(out, fields);
    }
    for (const PairBreakEven& pair : pairs) {
        if (pair.result.payingOption < 0) continue;
        const int paying = pair.result.payingOption == 0 ? pair.first : pair.second;
        const std::string between = names[static_cast<std::size_t>(pair.first)] + " / " +
                                    names[static_cast<std::size_t>(pair.second)];
        for (const auto& [measure, month] :
             {std::pair<const char*, int>{"payments", pair.result.onPayments},
              std::pair<const char*, int>{"cost", pair.result.onCost}}) {
            fields.assign(names.size() + 1, "");
            fields[0] = std::string("Break-even month on ") + measure + ", " + between;
            fields[static_cast<std::size_t>(paying) + 1] =
                month == kNeverWithinTerm ? "never" : std::to_string(month);
            AppendCsvLine(out, fields);
        }
    }
    return out;
}

}  // namespace dovanel
