#pragma once
// The printed one-page summary of "What Can I Afford?": the loan data it
// starts from, the options, the answer and the table of rates and down payments.

#include "engine/affordability.h"

class QWidget;

namespace dovanel {

class ReportWriter;

void PrintAffordability(const Model& model, const AffordabilityOptions& options, QWidget* window);
void AffordReportBody(const Model& model, const AffordabilityOptions& options, ReportWriter& out);

}  // namespace dovanel
