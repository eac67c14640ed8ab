#pragma once
// Saving a payment schedule for other programs as CSV for spreadsheets. The
// save dialog every export shares opens where the last one saved; the file is
// written through a temporary file renamed over the target (a symbolic link
// there is replaced, never followed), and a failure is reported with its reason.

#include <QString>
#include <vector>

#include "engine/payoff.h"

class QWidget;

namespace dovanel {

// The folder the save dialogs open in: the last one saved to, at first the documents folder.
QString& LastExportFolder();

// Asks for the file to export to in a save dialog that opens in the last export
// folder, and keeps the chosen file's folder for the next; empty when cancelled.
QString AskForExportFile(QWidget* window, const QString& caption, const QString& name,
                         const QString& filter);

// Asks for a CSV file and writes the rows to it; false when cancelled or failed.
bool SaveScheduleCsv(QWidget* window, const std::vector<PayoffRow>& rows,
                     const QString& suggestedName);

}  // namespace dovanel
