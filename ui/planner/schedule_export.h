#pragma once
// Saving a payment schedule for other programs: CSV for spreadsheets and the
// amortization printout as a PDF file. Both ask for the file in a save dialog
// that opens where the last one saved, write through a temporary file renamed
// over the target (a symbolic link there is replaced, never followed), and
// report a failure with its reason.

#include <QString>
#include <functional>
#include <vector>

#include "data/file_write.h"
#include "engine/payoff.h"

class QWidget;

namespace dovanel {

class ReportWriter;

// The folder the save dialogs open in: the last one saved to, at first the documents folder.
QString& LastExportFolder();

// Asks for a CSV file and writes the rows to it; false when cancelled or failed.
bool SaveScheduleCsv(QWidget* window, const std::vector<PayoffRow>& rows,
                     const QString& suggestedName);

// Asks for a PDF file and prints the report body into it, without a printer
// dialog; false when cancelled or failed (a failure has been reported).
bool SaveReportPdf(QWidget* window, const std::function<void(ReportWriter&)>& body,
                   const QString& suggestedName);

// "Export CSV ..." in the context menu of a widget, exporting what `rows` gives.
void AddExportCsvMenu(QWidget* target, std::function<std::vector<PayoffRow>()> rows,
                      const QString& suggestedName);

}  // namespace dovanel
