#include "ui/income/income_reports.h"

#include "shell/platform.h"
#include "ui/printing/printing.h"

namespace dovanel {

namespace {

const double kYearColumns[3] = {7650, 9100, 10450};

// Taken-out lines print in parentheses and zero as nothing; added lines plainly.
const char kOut[] = "(#,###);;\\";
const char kIn[] = "#,###";

struct ReportLine {
    int line;  // 0 for a section heading
    const char* label;
    const char* picture;
};

const ReportLine kLines[] = {
    {1, " 1.  Adjusted Gross Income", "#,###;(#,###)"},
    {2, " 2.  Other Income", kOut},
    {3, " 3.  Tax-Exempt Interest Income", kIn},
    {4, " 4.  State Tax Refund", kOut},
    {5, " 5.  Alimoney Received (nonrecurring)", kOut},
    {6, " 6.  Nontaxable Pensions, Annuities", kIn},
    {7, " 7.  Nonrecurring Unemployment Compensation", kOut},
    {8, " 8.  Nontaxable Social Security", kIn},
    {9, " 9.  Non Self-Employed Wages", kOut},
    {10, "10.  Child Support Recieved (Recurring)", kIn},
    {11, "11.  IRA & Keogh Contributions", kIn},
    {12, "12.  Self-Employed Health Ins. Deduction", kIn},
    {13, "13.  Alimony Paid", kIn},
    {0, "B.   Schedule A:  Itemized Deductions", nullptr},
    {14, " 1.  Unreimbursed Employee Expenses", kOut},
    {0, "C.   Form 2106:  Employee Business Deductions", nullptr},
    {15, " 1.  Unreimbursed Employee Expenses", kOut},
    {16, " 2.  Automobile Depreciation", kIn},
    {0, "D.   Schedule C:  Profit Or Loss From Business", nullptr},
    {17, " 1.  Depletion", kIn},
    {18, " 2.  Depreciation", kIn},
    {19, " 3.  Travel, Meals & Entertainment", kOut},
    {20, " 4.  Amortization (Other Expenses)", kIn},
    {0, "E.   Schedule D:  Capital Gains And Losses", nullptr},
    {21, " 1.  Nonrecurring Capital Gains", kOut},
    {22, " 2.  Nonrecurring Capital Losses", kIn},
    {0, "F.   Schedule E:  Supplemental Income", nullptr},
    {23, " 1.  Depreciation", kIn},
    {24, " 2.  Depletion", kIn},
    {25, " 3.  Unallowed Rental Loss", kOut},
};

void Title(ReportWriter& out, const QString& title, const Model& m, int emptyLinesAfter) {
    out.NewLine(2);
    out.Size(24);
    out.Italic(true);
    out.CenteredAt(5750, title, true);
    out.Italic(false);
    out.Size(12);
    ScenarioLine(out, m.info.name, true);
    LenderLine(out, m.lender, true);
    out.NewLine(emptyLinesAfter);
}

}  // namespace

void IncomeReportBody(const Model& m, ReportWriter& out) {
    const IncomeAnalysis& a = m.incomeAnalysis;
    Title(out, "Income Analysis", m, 2);
    out.At(1100, "A.  Personal Income / Form 1040");
    for (int y = 1; y <= 3; ++y)
        out.RightAt(kYearColumns[y - 1], QString::fromStdString(a.yearLabel[y]), y == 3);
    out.NewLine();
    for (const ReportLine& line : kLines) {
        if (line.line == 0) {
            out.NewLine();
            out.At(1100, line.label, true);
            out.NewLine();
            continue;
        }
        out.At(1450, line.label);
        for (int y = 1; y <= 3; ++y) {
            // The adjusted gross income's third year prints without the negative section.
            const char* picture = line.line == 1 && y == 3 ? kIn : line.picture;
            out.RightAt(kYearColumns[y - 1], Figure(a.line[line.line][y], picture), y == 3);
        }
        if (out.stopped()) return;
    }
    out.NewLine();
    out.At(1100, "Yearly Totals  /  Allowable Income");
    for (int y = 1; y <= 3; ++y)
        out.RightAt(kYearColumns[y - 1], Figure(a.yearIncome[y], kIn), y == 3);
    out.At(1100, "Average Income Per Year");
    out.RightAt(10450, Figure(a.averageYearIncome, kIn), true);
    out.At(1100, "Average Monthly Income");
    out.RightAt(10450, Figure(m.loanData.monthlyIncome, kIn), true);
}

void DebtReportBody(const Model& m, ReportWriter& out) {
    Title(out, "Debt Summary", m, 6);
    for (int i = 0; i < DebtSummary::items; ++i) {
        if (m.debtSummary.itemAmount[i] == 0) continue;
        out.At(2500, QString::fromStdString(m.debtSummary.itemName[i]));
        out.RightAt(9000, Figure(m.debtSummary.itemAmount[i], kIn), true);
    }
    out.NewLine();
    out.At(2500, "Total Monthly Debt");
    out.RightAt(9000, Figure(m.loanData.monthlyDebt, "$#,###"), true);
}

void PrintIncomeAnalysis(const Model& model, QWidget* window) {
    RunPrintJob({window, FormFont(), true, true},
                [&](ReportWriter& out) { IncomeReportBody(model, out); });
}

void PrintDebtSummary(const Model& model, QWidget* window) {
    RunPrintJob({window, FormFont(), true, true},
                [&](ReportWriter& out) { DebtReportBody(model, out); });
}

}  // namespace dovanel
