#include "ui/planner/planner_report.h"

#include <iterator>

#include "ui/printing/amortization_report.h"
#include "ui/printing/printing.h"

namespace dovanel {

namespace {

// Right edges of the columns when the extras need a column of their own.
struct Column {
    const char* heading;
    double right;
};
const Column kColumns[] = {{"Beginning Balance", 3900},
                           {"Interest", 5000},
                           {"Principal", 6200},
                           {"Extra", 7300},
                           {"Ending Balance", 8900}};
constexpr double kLtvRight = 10450;
constexpr double kPmiAt = 9100;

}  // namespace

void PayoffReportBody(const Model& model, const PayoffPlan& plan, bool withExtras,
                      ReportWriter& out) {
    // The " PMI" marker follows the planner's own rule: only a loan that pays
    // PMI (never a VA loan) has a row from which it can be dropped.
    if (!withExtras) {
        AmortizationReportBody(model, out, plan.pmi.charged);
        return;
    }
    AmortizationReportHeading(model, out);
    out.At(1100, "Payment Period");
    for (const Column& c : kColumns) out.RightAt(c.right, c.heading);
    out.RightAt(kLtvRight, "LTV", true);
    out.NewLine();
    // The first row at or below the PMI limit, as the printed table marks it,
    // for a loan the planner charges PMI on.
    bool pmiMarked = !plan.pmi.charged;
    for (const PayoffRow& row : RoundedToCents(plan.rows)) {
        out.At(1100,
               "Year " + QString::number(row.year) + " / Month " + QString::number(row.month));
        const double amounts[] = {row.beginning, row.interest, row.principal, row.extra,
                                  row.ending};
        for (std::size_t c = 0; c < std::size(kColumns); ++c)
            out.RightAt(kColumns[c].right, Figure(amounts[c], "$#,###.#0"));
        if (!pmiMarked && row.ltv <= 0.8001) {
            out.At(kPmiAt, " PMI");
            pmiMarked = true;
        }
        out.RightAt(kLtvRight, Figure(row.ltv, "#.#0%"), true);
        if (out.stopped()) return;
    }
}

}  // namespace dovanel
