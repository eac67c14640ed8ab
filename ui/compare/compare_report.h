#pragma once
// The comparison printed or saved as a PDF: one landscape page with the
// scenario names over their columns, every row of the table, the break-even
// months of each pair with their definitions, and the dates of the lender's
// settings and of the report.

#include <QString>
#include <string>
#include <vector>

#include "engine/comparison.h"

namespace dovanel {

class ReportWriter;

struct CompareReport {
    const std::vector<ComparisonRow>& rows;
    const std::vector<PairBreakEven>& pairs;
    std::vector<std::string> names;
    QString dates;
    LenderInfo lender = {};  // the desk's lender, named under the title when set
};

void CompareReportBody(const CompareReport& report, ReportWriter& out);

}  // namespace dovanel
