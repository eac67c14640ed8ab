#include "ui/compare/compare_report.h"

#include "ui/printing/printing.h"

namespace dovanel {

namespace {

constexpr double kNameAt = 700;
constexpr double kFirstRight = 7400;   // the first column's right edge on a landscape page
constexpr double kColumnWidth = 2300;  // four columns end at 14300

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

void ColumnHeadings(const CompareReport& report, ReportWriter& out) {
    out.At(kNameAt, "");
    for (std::size_t c = 0; c < report.names.size(); ++c)
        out.RightAt(kFirstRight + kColumnWidth * static_cast<double>(c), Q(report.names[c]),
                    c + 1 == report.names.size());
}

void Rows(const CompareReport& report, ReportWriter& out) {
    std::string group;
    for (const ComparisonRow& row : report.rows) {
        if (row.group != group) {
            group = row.group;
            out.NewLine();
            out.Italic(true);
            out.At(kNameAt, Q(group), true);
            out.Italic(false);
        }
        out.At(kNameAt + 240, Q(row.name));
        for (std::size_t c = 0; c < row.cells.size(); ++c)
            out.RightAt(kFirstRight + kColumnWidth * static_cast<double>(c),
                        (row.cells[c].best ? "* " : "") + Q(row.cells[c].text),
                        c + 1 == row.cells.size());
        if (out.stopped()) return;
    }
}

void BreakEvens(const CompareReport& report, ReportWriter& out) {
    out.NewLine();
    out.Italic(true);
    out.At(kNameAt, "Break-even", true);
    out.Italic(false);
    for (const PairBreakEven& pair : report.pairs) out.At(kNameAt + 240, Q(pair.summary), true);
    out.NewLine();
    out.At(kNameAt, "On payments: cash at closing plus every payment made.", true);
    out.At(kNameAt,
           "On cost: cash at closing plus the interest and mortgage insurance paid (the payments "
           "less the principal repaid).",
           true);
    out.At(kNameAt, "* the lowest cost of the row.", true);
}

}  // namespace

void CompareReportBody(const CompareReport& report, ReportWriter& out) {
    ReportTitle(out, "Mortgage Comparisons");
    LenderLine(out, report.lender);
    out.Size(9);
    out.At(kNameAt, report.dates, true);
    out.NewLine();
    ColumnHeadings(report, out);
    Rows(report, out);
    if (!out.stopped()) BreakEvens(report, out);
}

}  // namespace dovanel
