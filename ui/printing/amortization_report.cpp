#include "ui/printing/amortization_report.h"

#include "engine/amortization.h"
#include "shell/platform.h"
#include "ui/printing/printing.h"

namespace dovanel {

namespace {

// A heading stands where a shorter measuring text would end at its column's right edge.
struct Column {
    const char* heading;
    const char* measure;
    double right;
};
const Column kColumns[] = {{"Beginning Balance", "        Balance", 4200},
                           {"Interest", " Interest", 5600},
                           {"Principal", "Principal", 7100},
                           {"Ending Balance", "  ing Balance", 9000},
                           {"LTV", "   LTV", 10450}};

}  // namespace

void AmortizationReportHeading(const Model& model, ReportWriter& out) {
    const LoanData& d = model.loanData;
    const LoanResults& r = model.loanResults;
    ReportTitle(out, "Amortization Table");
    ScenarioLine(out, model.info.name);
    LenderLine(out, model.lender);
    out.NewLine(2);
    out.Pairs("Purchase Price", Figure(d.purchasePrice, "$###,###,##0.#0"), "Loan-To-Value Ratio",
              Figure(r.ltv, "##.#0%"));
    out.Pairs("Down Payment", Figure(r.downPaymentAmount, "$###,###,##0.#0"), "Down Payment (%)",
              Figure(d.downPaymentRate, "##.#0%"));
    out.Pairs("Loan Amount", Figure(r.loanAmount, "$#,###.#0"), "Interest Rate",
              Figure(d.interestRate, "##.##0%"));
    out.Pairs("Monthly Payment", Figure(r.monthlyPrincipalInterest, "$#,###.#0"), "Term In Years",
              Figure(d.termYears, "#"));
    out.NewLine(2);
    out.Size(8);
    out.NewLine();
}

void AmortizationReportBody(const Model& model, ReportWriter& out, bool markPmi) {
    AmortizationReportHeading(model, out);
    out.At(1100, "Payment Period");
    for (const Column& c : kColumns)
        out.At(c.right - out.ScreenWidth(c.measure), c.heading, c.right == 10450);
    out.NewLine();

    const Amortization table = ComputeAmortization(model);
    for (std::size_t k = 0; k < table.rows.size(); ++k) {
        const AmortizationRow& row = table.rows[k];
        out.At(1100,
               "Year " + QString::number(row.year) + " / Month " + QString::number(row.month));
        out.RightAt(4200, Figure(row.beginning, "$#,###.#0"));
        out.RightAt(5600, Figure(row.interest, "$#,###.#0"));
        out.RightAt(7100, Figure(row.principal, "$#,###.#0"));
        out.RightAt(9000, Figure(row.ending, "$#,###.#0"));
        // The marker follows the same PMI test as the main window and the table on screen.
        if (markPmi && static_cast<int>(k) + 1 == table.pmiRemovalRow) out.At(9400, " PMI");
        out.RightAt(10450, Figure(row.ltv, "#.#0%"), true);
        if (out.stopped()) return;
    }
}

void PrintAmortization(const Model& model, QWidget* window) {
    RunPrintJob({window, FormFont(), true, true},
                [&](ReportWriter& out) { AmortizationReportBody(model, out); });
}

}  // namespace dovanel
