#include "ui/afford/afford_report.h"

#include "shell/platform.h"
#include "ui/printing/printing.h"

namespace dovanel {

namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

QString YesNo(bool yes) {
    return yes ? "Yes" : "No";
}

const char kMoney[] = "$###,###,##0.#0";
const double kTableColumns[AffordabilityTable::kColumns] = {3600, 5300, 7000, 8700, 10450};

void Heading(ReportWriter& out, const QString& text) {
    out.NewLine();
    out.Size(13);
    out.At(1100, text, true);
    out.Size(11);
}

void Inputs(const Model& m, const AffordabilityOptions& options, const Affordability& a,
            ReportWriter& out) {
    const LoanData& d = m.loanData;
    Heading(out, "Loan Data");
    out.At(1100, "Mortgage Type:  " + Q(d.mortgageTypeName), true);
    out.Pairs("Monthly Income", Figure(d.monthlyIncome, kMoney), "Monthly Debt",
              Figure(d.monthlyDebt, kMoney));
    out.Pairs("Down Payment", Figure(d.downPaymentRate, "##.#0%"), "Interest Rate",
              Figure(d.interestRate, "##.##0%"));
    out.Pairs("Today's Purchase Price", Figure(d.purchasePrice, kMoney), "Earnest Money",
              Figure(d.earnestMoney, kMoney));
    out.Pairs("Annual Real Estate Taxes", Figure(d.annualTaxes, kMoney), "Monthly Insurance",
              Figure(d.monthlyInsurance, kMoney));
    out.Pairs(
        "Monthly Association Dues", Figure(d.monthlyDues, kMoney), "Ratio Limits",
        Figure(a.results.firstRatioLimit, "#%") + " / " + Figure(a.results.secondRatioLimit, "#%"));
    Heading(out, "Options");
    out.Pairs("Taxes and insurance grow with the price", YesNo(options.scaleTaxesAndInsurance));
    out.Pairs("Cash available for closing",
              options.limitCash ? Figure(options.cashAvailable, kMoney) : QString("No limit"));
    out.Pairs("Stay within the conforming loan limit", YesNo(options.stayConforming));
}

void Answer(const Affordability& a, ReportWriter& out) {
    Heading(out, "What You Can Afford");
    if (a.outcome != AffordOutcome::Found) {
        out.At(1100, Q(AffordPriceText(a)), true);
        return;
    }
    out.Pairs("Maximum Purchase Price", Q(AffordPriceText(a)), "Loan Amount", Q(AffordLoanText(a)));
    out.Pairs("Total Monthly Payment", Q(AffordPaymentText(a)), "Total Due At Closing",
              Q(AffordCashText(a)));
    out.Pairs("Decided By", Q(AffordLimitText(a)));
}

void Table(const AffordabilityTable& t, ReportWriter& out) {
    Heading(out, "Maximum Price By Interest Rate And Down Payment");
    out.At(1100, "Rate");
    for (int c = 0; c < t.columns; ++c)
        out.RightAt(kTableColumns[c], Q(AffordDownHeading(t.downPayments[c], c == t.todayColumn)),
                    c + 1 == t.columns);
    for (size_t r = 0; r < t.rates.size(); ++r) {
        out.At(1100, Q(AffordRateHeading(t.rates[r])));
        for (int c = 0; c < t.columns; ++c) {
            const bool today = static_cast<int>(r) == t.todayRow && c == t.todayColumn;
            out.Italic(today);
            out.RightAt(kTableColumns[c], Q(AffordCellText(t.cells[r][c])), c + 1 == t.columns);
        }
        out.Italic(false);
    }
    out.NewLine();
    out.Size(9);
    out.At(1100, "Today's rate and down payment in italics.", true);
}

}  // namespace

void AffordReportBody(const Model& model, const AffordabilityOptions& options, ReportWriter& out) {
    const Affordability answer = MaxAffordablePrice(model, options);
    ReportTitle(out, "What Can I Afford?");
    ScenarioLine(out, model.info.name);
    LenderLine(out, model.lender);
    Inputs(model, options, answer, out);
    Answer(answer, out);
    Table(AffordabilitySensitivity(model, options), out);
}

void PrintAffordability(const Model& model, const AffordabilityOptions& options, QWidget* window) {
    RunPrintJob({window, FormFont(), true, true},
                [&](ReportWriter& out) { AffordReportBody(model, options, out); });
}

}  // namespace dovanel
