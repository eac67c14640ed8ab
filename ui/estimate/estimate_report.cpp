#include "ui/estimate/estimate_report.h"

#include "engine/format_value.h"
#include "shell/platform.h"
#include "ui/amortization/printing.h"

namespace dovanel {

namespace {

QString F(double value, const char* pattern) {
    return QString::fromStdString(FormatValue(value, pattern));
}
QString Name(const Model& m, int k) {
    return QString::fromStdString(m.estimateValues.costName[k]);
}

// A row of one or two label/value pairs; a row with only a left pair ends after it.
void Row(ReportWriter& out, const QString& left, const QString& leftValue,
         const QString& right = {}, const QString& rightValue = {}) {
    out.At(1100, left);
    out.RightAt(5500, leftValue, right.isEmpty());
    if (right.isEmpty()) return;
    out.At(6600, right);
    out.RightAt(10450, rightValue, true);
}

const char kNote[][110] = {
    "The information provided above reflects estimates of the charges which you're likely to incur "
    "at the",
    "the settlement of your loan.    The fees listed are estimates.   The actual charges may be "
    "more or less.",
    "Your transaction may not involve a fee for every item listed.   The  HUD-1  settlement "
    "statement will",
    "show you the actual cost for items  paid at  settlement.    Additional information can be "
    "found in the",
    "HUD Special Information Booklet, which is to be provided to you.",
};

void ClosingCostsAndPurchase(const Model& m, ReportWriter& out) {
    const LoanData& d = m.loanData;
    const LoanResults& r = m.loanResults;
    const EstimateValues& e = m.estimateValues;
    const char* amount = "###,###,##0";
    const Single subtotal = d.purchasePrice + r.totalClosingCosts + r.totalPrepaidEscrows;
    Row(out, "Loan Origination Fee", F(r.originationFee, "$###,###,##0"), "Purchase Price",
        F(d.purchasePrice, "$###,###,##0"));
    Row(out, Name(m, 1), F(e.costAmount[1], amount), "Plus Closing Costs",
        F(r.totalClosingCosts, amount));
    Row(out, Name(m, 2), F(e.costAmount[2], amount), "Plus Prepaid Escrows",
        F(r.totalPrepaidEscrows, amount));
    Row(out, Name(m, 3), F(e.costAmount[3], amount), "Subtotal", F(subtotal, amount));
    Row(out, Name(m, 4), F(e.costAmount[4], amount));
    Row(out, "Escrow / Closing Fee", F(r.escrowFee, amount), "Less Loan Amount",
        F(r.loanAmount, "(###,###,##0)"));
    Row(out, Name(m, 5), F(e.costAmount[7], amount), "Less Earnest Money",
        F(d.earnestMoney, "(###,###,##0)"));
    Row(out, "Title Insurance", F(r.titleFee, amount), "Less Application Deposit",
        F(e.applicationDeposit, "(###,###,##0)"));
    Row(out, Name(m, 6), F(e.costAmount[6], amount));
    Row(out, Name(m, 7), F(e.costAmount[5], amount), "TOTAL DUE AT CLOSING",
        F(r.estimateDueAtClosing, "$###,###,##0"));
}

void PrepaidAndMonthly(const Model& m, ReportWriter& out) {
    const LoanData& d = m.loanData;
    const LoanResults& r = m.loanResults;
    const char* amount = "###,###,##0";
    const char* monthly = "$###,###,##0.00";
    Row(out, "Interim Interest", F(r.interimInterest, "$###,###,##0"), "Principal and Interest",
        F(r.monthlyPrincipalInterest, monthly));
    Row(out, "Pvt. Mortgage Ins. Premium", F(r.pmiPremium, amount), "Homeowner's Insurance",
        F(d.monthlyInsurance, monthly));
    Row(out, "Pvt. Mortgage Ins. Impounds", F(r.pmiImpounds, amount), "Real Estate Taxes",
        F(static_cast<Single>(d.annualTaxes / 12.0f), monthly));
    Row(out, "Homeowner's Ins. Premium", F(r.insurancePremium, amount),
        "Private Mortgage Insurance", F(r.monthlyPmi, monthly));
    Row(out, "Homeowner's Ins. Impounds", F(r.insuranceImpounds, amount),
        "Homeowner Association Dues", F(d.monthlyDues, monthly));
    Row(out, "Property Tax Impounds", F(r.taxImpounds, amount));
}

}  // namespace

void EstimateReportBody(const Model& m, ReportWriter& out) {
    const LoanData& d = m.loanData;
    const LoanResults& r = m.loanResults;
    out.Size(16);
    out.NewLine(6);  // room for a letterhead
    out.Italic(true);
    out.At(1100, "GOOD FAITH ESTIMATE", true);
    out.Italic(false);
    out.Size(11);
    out.NewLine(2);
    Row(out, "Purchase Price", F(d.purchasePrice, "$###,###,##0"), "Loan-To-Value Ratio",
        F(r.ltv, "##.#0%"));
    Row(out, "Down Payment", F(r.downPaymentAmount, "$###,###,##0"), "Down Payment (%)",
        F(d.downPaymentRate, "##.#0%"));
    Row(out, "Interest Rate", F(d.interestRate, "##.##0%"), "Loan Amount",
        F(r.loanAmount, "$#,###"));
    out.NewLine(2);
    out.At(1100, "ESTIMATED  CLOSING  COSTS");
    out.At(6600, "DETAILS  OF  PURCHASE", true);
    out.NewLine();
    ClosingCostsAndPurchase(m, out);
    out.NewLine();
    Row(out, "TOTAL  CLOSING  COSTS", F(r.totalClosingCosts, "$###,###,##0"));
    out.NewLine(2);
    out.At(1100, "ESTIMATED  PREPAID  ESCROWS");
    out.At(6600, "MONTHLY  PAYMENT", true);
    out.NewLine();
    PrepaidAndMonthly(m, out);
    out.NewLine();
    Row(out, "TOTAL  PREPAID  ESCROWS", F(r.totalPrepaidEscrows, "$###,###,##0"), "TOTAL  PAYMENT",
        F(r.totalMonthlyPayment, "$#,###,##0.00"));
    out.NewLine(2);
    out.At(1100, "Mortgage Type:  " + QString::fromStdString(d.mortgageTypeName));
    out.At(6600, "Monthly Income Required:");
    out.RightAt(10450, F(r.minMonthlyIncome, "$###,###,##0"), true);
    out.Size(9);
    out.NewLine(10);
    for (const char* line : kNote) out.At(1900, line, true);
}

void PrintEstimate(const Model& model, QWidget* window) {
    const QString text =
        "Preparing to print the information shown.\r\r\rNote: If you are a lending professional "
        "preparing this for "
        "a customer, there is enough margin at the top that you can print this statement on your "
        "own letterhead if "
        "you would like.";
    if (Message(window, text, "Print Job Initiated", MsgIcon::None, MsgButtons::OkCancel,
                MsgAnswer::Ok) != MsgAnswer::Ok)
        return;
    RunPrintJob({window, FormFont(), false, false},
                [&](ReportWriter& out) { EstimateReportBody(model, out); });
}

}  // namespace dovanel
