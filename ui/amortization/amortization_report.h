#pragma once
// The printed amortization table: the loan summary and every payment.

#include "engine/model.h"

class QWidget;

namespace dovanel {

class ReportWriter;

void PrintAmortization(const Model& model, QWidget* window);
void AmortizationReportBody(const Model& model, ReportWriter& out);
// The title and the loan summary, up to the column headings.
void AmortizationReportHeading(const Model& model, ReportWriter& out);

}  // namespace dovanel
