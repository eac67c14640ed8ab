#include "ui/estimate/estimate_report.h"

#include "shell/platform.h"
#include "ui/printing/printing.h"

namespace dovanel {

namespace {

QString Name(const Model& m, int k) {
    return QString::fromStdString(m.estimateValues.costName[k]);
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
    out.Pairs("Loan Origination Fee", Figure(r.originationFee, "$###,###,##0"), "Purchase Price",
              Figure(d.purchasePrice, "$###,###,##0"));
    out.Pairs(Name(m, 1), Figure(e.costAmount[1], amount), "Plus Closing Costs",
              Figure(r.totalClosingCosts, amount));
    out.Pairs(Name(m, 2), Figure(e.costAmount[2], amount), "Plus Prepaid Escrows",
              Figure(r.totalPrepaidEscrows, amount));
    out.Pairs(Name(m, 3), Figure(e.costAmount[3], amount), "Subtotal", Figure(subtotal, amount));
    out.Pairs(Name(m, 4), Figure(e.costAmount[4], amount));
    out.Pairs("Escrow / Closing Fee", Figure(r.escrowFee, amount), "Less Loan Amount",
              Figure(r.loanAmount, "(###,###,##0)"));
    out.Pairs(Name(m, 5), Figure(e.costAmount[7], amount), "Less Earnest Money",
              Figure(d.earnestMoney, "(###,###,##0)"));
    out.Pairs("Title Insurance", Figure(r.titleFee, amount), "Less Application Deposit",
              Figure(e.applicationDeposit, "(###,###,##0)"));
    out.Pairs(Name(m, 6), Figure(e.costAmount[6], amount));
    out.Pairs(Name(m, 7), Figure(e.costAmount[5], amount), "TOTAL DUE AT CLOSING",
              Figure(r.estimateDueAtClosing, "$###,###,##0"));
}

void PrepaidAndMonthly(const Model& m, ReportWriter& out) {
    const LoanData& d = m.loanData;
    const LoanResults& r = m.loanResults;
    const char* amount = "###,###,##0";
    const char* monthly = "$###,###,##0.00";
    out.Pairs("Interim Interest", Figure(r.interimInterest, "$###,###,##0"),
              "Principal and Interest", Figure(r.monthlyPrincipalInterest, monthly));
    out.Pairs("Pvt. Mortgage Ins. Premium", Figure(r.pmiPremium, amount), "Homeowner's Insurance",
              Figure(d.monthlyInsurance, monthly));
    out.Pairs("Pvt. Mortgage Ins. Impounds", Figure(r.pmiImpounds, amount), "Real Estate Taxes",
              Figure(static_cast<Single>(d.annualTaxes / 12.0f), monthly));
    out.Pairs("Homeowner's Ins. Premium", Figure(r.insurancePremium, amount),
              "Private Mortgage Insurance", Figure(r.monthlyPmi, monthly));
    out.Pairs("Homeowner's Ins. Impounds", Figure(r.insuranceImpounds, amount),
              "Homeowner Association Dues", Figure(d.monthlyDues, monthly));
    out.Pairs("Property Tax Impounds", Figure(r.taxImpounds, amount));
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
    ScenarioLine(out, m.info.name);
    LenderLine(out, m.lender);
    out.NewLine(2);
    out.Pairs("Purchase Price", Figure(d.purchasePrice, "$###,###,##0"), "Loan-To-Value Ratio",
              Figure(r.ltv, "##.#0%"));
    out.Pairs("Down Payment", Figure(r.downPaymentAmount, "$###,###,##0"), "Down Payment (%)",
              Figure(d.downPaymentRate, "##.#0%"));
    out.Pairs("Interest Rate", Figure(d.interestRate, "##.##0%"), "Loan Amount",
              Figure(r.loanAmount, "$#,###"));
    out.NewLine(2);
    out.At(1100, "ESTIMATED  CLOSING  COSTS");
    out.At(6600, "DETAILS  OF  PURCHASE", true);
    out.NewLine();
    ClosingCostsAndPurchase(m, out);
    out.NewLine();
    out.Pairs("TOTAL  CLOSING  COSTS", Figure(r.totalClosingCosts, "$###,###,##0"));
    out.NewLine(2);
    out.At(1100, "ESTIMATED  PREPAID  ESCROWS");
    out.At(6600, "MONTHLY  PAYMENT", true);
    out.NewLine();
    PrepaidAndMonthly(m, out);
    out.NewLine();
    out.Pairs("TOTAL  PREPAID  ESCROWS", Figure(r.totalPrepaidEscrows, "$###,###,##0"),
              "TOTAL  PAYMENT", Figure(r.totalMonthlyPayment, "$#,###,##0.00"));
    out.NewLine(2);
    out.At(1100, "Mortgage Type:  " + QString::fromStdString(d.mortgageTypeName));
    out.At(6600, "Monthly Income Required:");
    out.RightAt(10450, Figure(r.minMonthlyIncome, "$###,###,##0"), true);
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
