#pragma once
// The printed Good Faith Estimate.

#include "engine/model.h"

class QWidget;

namespace dovanel {

class ReportWriter;

// Asks for confirmation, then prints; the estimate window stays open.
void PrintEstimate(const Model& model, QWidget* window);
void EstimateReportBody(const Model& model, ReportWriter& out);

}  // namespace dovanel
