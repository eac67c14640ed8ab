#include "ui/estimate/loan_estimate_report.h"

#include "ui/printing/printing.h"

namespace dovanel {

namespace {

constexpr double kLeft = 720;
constexpr double kValue = 10400;
constexpr double kColumn = 2600;

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

void Heading(ReportWriter& out, const QString& text) {
    out.NewLine();
    out.Bold(true);
    out.At(kLeft, text, true);
    out.Bold(false);
}

void Row(ReportWriter& out, const QString& caption, const std::string& value, double indent = 0) {
    out.At(kLeft + indent, caption);
    out.RightAt(kValue, Q(value), true);
}

void PageOne(const LoanEstimateReport& r, ReportWriter& out) {
    const LoanEstimateForm& f = r.form;
    ReportTitle(out, "Loan Estimate");
    ScenarioLine(out, r.scenarioName);
    for (const QString& line : LenderHeaderLines(r.lender)) out.At(kLeft, line, true);
    out.At(kLeft,
           "Closing Date  " + Q(f.closingDate) + "     First Payment  " + Q(f.firstPaymentDate),
           true);
    Heading(out, "Loan Terms");
    Row(out, "Loan Type", f.loanType);
    Row(out, "Loan Amount", f.loanAmount);
    Row(out, "Interest Rate", f.interestRate);
    Row(out, "Monthly Principal & Interest", f.monthlyPrincipalInterest);
    Heading(out, "Projected Payments");
    out.At(kLeft, "Payment Calculation");
    const double step =
        (kValue - kLeft - kColumn) / std::max<std::size_t>(f.projectedPayments.size(), 1);
    const auto columns = [&](auto member) {
        double x = kLeft + kColumn;
        for (const ProjectedPaymentText& p : f.projectedPayments)
            out.RightAt(x += step, Q(p.*member));
        out.NewLine();
    };
    columns(&ProjectedPaymentText::years);
    out.At(kLeft, "Principal & Interest");
    columns(&ProjectedPaymentText::principalAndInterest);
    out.At(kLeft, "Mortgage Insurance");
    columns(&ProjectedPaymentText::mortgageInsurance);
    out.At(kLeft, "Estimated Escrow");
    columns(&ProjectedPaymentText::escrow);
    out.At(kLeft, "Estimated Total Monthly Payment");
    columns(&ProjectedPaymentText::total);
    Row(out, "Estimated Taxes, Insurance & Assessments (a month)", f.monthlyEscrow);
    Heading(out, "Costs at Closing");
    Row(out, "Estimated Closing Costs", f.closingCosts);
    Row(out, "Estimated Cash to Close", f.cashToClose);
}

void Section(const LoanEstimateForm& f, int index, ReportWriter& out) {
    out.Bold(true);
    Row(out, SectionHeading(index), f.sectionTotal[static_cast<std::size_t>(index)]);
    out.Bold(false);
    for (const EstimateLineText& line : f.lines) {
        const char* letter = EstimateSectionLetter(line.section);
        if (letter[0] != 'A' + index) continue;
        Row(out, Q(line.name), line.amount, 360);
        // The prepaid interest line is followed by how it was worked out.
        if (line.section == EstimateSection::kF && line.name.rfind("Prepaid Interest (", 0) == 0)
            out.At(kLeft + 720, Q(f.prepaidInterestLine), true);
    }
}

void PageTwo(const LoanEstimateForm& f, ReportWriter& out) {
    out.NewPage();
    Heading(out, "Closing Cost Details");
    Heading(out, "Loan Costs");
    for (int i = 0; i <= 3; ++i) Section(f, i, out);
    Heading(out, "Other Costs");
    for (int i = 4; i < kEstimateSectionCount; ++i) {
        Section(f, i, out);
        if (i == 8) Row(out, "Lender Credits", f.lenderCredits, 360);
    }
    Heading(out, "Calculating Cash to Close");
    for (const auto& [caption, amount] : f.cashToCloseRows) Row(out, Q(caption), amount);
}

void PageThree(const LoanEstimateForm& f, ReportWriter& out) {
    out.NewPage();
    Heading(out, "Additional Information About This Loan");
    Heading(out, "Comparisons");
    out.At(kLeft, "In 5 Years", true);
    Row(out, "Total you will have paid in principal, interest, mortgage insurance, and loan costs",
        f.inFiveYearsTotal, 360);
    Row(out, "Principal you will have paid off", f.inFiveYearsPrincipal, 360);
    Row(out, "Annual Percentage Rate (APR)", f.apr);
    Row(out, "Total Interest Percentage (TIP)", f.tip);
}

}  // namespace

QStringList LenderHeaderLines(const LenderInfo& lender) {
    QStringList lines;
    const auto withId = [](const std::string& name, const std::string& id) {
        QString line = Q(name);
        if (!id.empty()) line += (line.isEmpty() ? "" : "  ") + QString("NMLS ID ") + Q(id);
        return line;
    };
    if (!lender.name.empty() || !lender.nmls.empty()) lines << withId(lender.name, lender.nmls);
    for (const QString& line : Q(lender.address).split('\n', Qt::SkipEmptyParts))
        lines << line.trimmed();
    QString contact = Q(lender.phone);
    if (!lender.email.empty()) contact += (contact.isEmpty() ? "" : "  ") + Q(lender.email);
    if (!contact.isEmpty()) lines << contact;
    if (!lender.officer.empty() || !lender.officerNmls.empty())
        lines << "Loan Officer  " + withId(lender.officer, lender.officerNmls);
    return lines;
}

void LoanEstimateBody(const LoanEstimateReport& report, ReportWriter& out) {
    out.Bold(false);
    PageOne(report, out);
    PageTwo(report.form, out);
    PageThree(report.form, out);
}

}  // namespace dovanel
