#pragma once
// The amortization printout of a payoff plan: the printed amortization table,
// with a column of the extra payments when the plan has any.

#include "engine/payoff.h"

namespace dovanel {

class ReportWriter;

void PayoffReportBody(const Model& model, const PayoffPlan& plan, bool withExtras,
                      ReportWriter& out);

}  // namespace dovanel
