#pragma once
// The printed amortization table: the loan summary and every payment.

#include "engine/model.h"

class QWidget;

namespace dovanel {

class ReportWriter;

void PrintAmortization(const Model& model, QWidget* window);
// `markPmi` false leaves out the " PMI" mark of the row from which PMI can be dropped.
void AmortizationReportBody(const Model& model, ReportWriter& out, bool markPmi = true);
// The title and the loan summary, up to the column headings.
void AmortizationReportHeading(const Model& model, ReportWriter& out);

}  // namespace dovanel
