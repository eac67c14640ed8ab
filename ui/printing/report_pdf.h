#pragma once
// A report written to a PDF file instead of a printer: the file is asked for in
// the export save dialog and the report body printed into it, without a
// printer dialog. A failure is reported with its reason.

#include <QString>
#include <functional>

class QWidget;

namespace dovanel {

class ReportWriter;

// Asks for a PDF file and prints the report body into it, without a printer
// dialog; false when cancelled or failed (a failure has been reported).
bool SaveReportPdf(QWidget* window, const std::function<void(ReportWriter&)>& body,
                   const QString& suggestedName, bool landscape = false);

}  // namespace dovanel
