#pragma once
// The Loan Estimate printed or saved as a PDF: three pages in the model form's
// order and headings, the lender's information in the header of the first,
// every figure as text.

#include <QStringList>
#include <string>

#include "engine/loan_estimate_sections.h"
#include "engine/model.h"

namespace dovanel {

class ReportWriter;

struct LoanEstimateReport {
    const LoanEstimateForm& form;
    const LenderInfo& lender;
    std::string scenarioName;
};

// The lender's information as the header prints it: the lender with its NMLS
// ID, the address lines, the phone and e-mail, the loan officer with theirs;
// nothing for an empty lender.
QStringList LenderHeaderLines(const LenderInfo& lender);

void LoanEstimateBody(const LoanEstimateReport& report, ReportWriter& out);

}  // namespace dovanel
