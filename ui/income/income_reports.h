#pragma once
// The printed income analysis and debt summary.

#include "engine/model.h"

class QWidget;

namespace dovanel {

class ReportWriter;

// The analysis as the pages hold it now, with the monthly income last confirmed.
void PrintIncomeAnalysis(const Model& model, QWidget* window);
void IncomeReportBody(const Model& model, ReportWriter& out);

// The debts as last loaded or confirmed; debts of zero are left out.
void PrintDebtSummary(const Model& model, QWidget* window);
void DebtReportBody(const Model& model, ReportWriter& out);

}  // namespace dovanel
