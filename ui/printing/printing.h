#pragma once
// The printing steps every report shares: the printer dialog, the hourglass,
// the body printed in "Times New Roman" bold, the end of the document, and the
// error boxes ("Printer Error", "Font Error", Abort/Retry/Ignore, and the
// warning that a PDF file could not be written, with the system's reason).

#include <QFont>
#include <QString>
#include <functional>
#include <string>

#include "engine/model.h"
#include "shell/page_printer.h"

class QWidget;

namespace dovanel {

// What a report body writes with. Every operation is one printing step: a step
// that fails is put to the user; after a stop nothing more is printed.
class ReportWriter {
  public:
    ReportWriter(PagePrinter& printer, QWidget* window, const QFont& measureFont,
                 bool fontErrorCase);

    void Font(const QString& name);
    void Size(double points);
    void Bold(bool bold);
    void Italic(bool italic);
    // Text at x (twips); `endLine` moves on to the next line after it.
    void At(double x, const QString& text, bool endLine = false);
    // Text ending at x, measured in the window's font as the screen shows it.
    void RightAt(double x, const QString& text, bool endLine = false);
    // Text centred on x, measured in the printer's font.
    void CenteredAt(double x, const QString& text, bool endLine = false);
    void NewLine(int count = 1);
    void NewPage();

    // A row of one or two label/value pairs: labels at 1100 and 6600, values
    // ending at 5500 and 10450; a row with only a left pair ends after it.
    void Pairs(const QString& left, const QString& leftValue, const QString& right = {},
               const QString& rightValue = {});

    // The width of a text in the window's font, in twips.
    double ScreenWidth(const QString& text) const;
    bool stopped() const { return stopped_; }
    void Finish();

  private:
    void Step(const std::function<PrintError()>& step);

    PagePrinter& printer_;
    QWidget* window_;
    QFont measureFont_;
    bool fontErrorCase_;
    bool stopped_ = false;
};

struct PrintJob {
    QWidget* window = nullptr;  // its caption titles the Abort/Retry/Ignore box
    QFont measureFont;          // the window's font, for right alignment
    bool hourglass = true;
    bool fontErrorCase = true;
    bool landscape = false;  // wide reports print sideways
};

// A report's title: two empty lines, then the text at 18 points in italics at
// the left margin; the body goes on at 11 points.
void ReportTitle(ReportWriter& out, const QString& text);

// Under a report's title, the scenario's name ("Scenario: Smith") on a line of
// its own, at the left margin or centred on the page; nothing at all for a
// scenario without a name, so that such a report reads as it always has.
void ScenarioLine(ReportWriter& out, const std::string& name, bool centred = false);

// Under the title, the lender's information on one line ("Lender: Ficus Bank,
// NMLS ID 444494; Loan Officer: Joe Smith; ..."); nothing at all for an empty
// lender, so that the report reads exactly as it did without one.
QString LenderLineText(const LenderInfo& lender);
void LenderLine(ReportWriter& out, const LenderInfo& lender, bool centred = false);

// A value written in one of FormatValue's patterns, as the reports print it.
QString Figure(double value, const char* pattern);

// Runs the printer dialog, then the body; cancelling the dialog prints nothing.
void RunPrintJob(const PrintJob& job, const std::function<void(ReportWriter&)>& body);

// Prints the body on a printer already chosen; false when the document was stopped.
bool PrintReport(PagePrinter& printer, const PrintJob& job,
                 const std::function<void(ReportWriter&)>& body);

}  // namespace dovanel
