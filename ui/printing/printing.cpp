#include "ui/printing/printing.h"

#include <QFontMetricsF>
#include <QWidget>

#include "engine/format_value.h"
#include "shell/platform.h"
#include "shell/write_failure.h"

namespace dovanel {

namespace {
const char kPrintFont[] = "Times New Roman";

QString FontErrorText(const PrintError& e) {
    return QString::number(e.number) + " - " + e.description + "\r\r" +
           "Printing functions for this program use a \"Times New Roman\" font (a True Type font "
           "that comes standard "
           "with Microsoft Windows).  An error has occured because either your printer does not "
           "support that font "
           "or, more likely, \"Times New Roman\" has been deselected as a default font on your "
           "system.  You must add "
           "the \"Times New Roman\" font to your list of Installed Fonts for the print functions "
           "to work correctly." +
           "\r\r" +
           "Please search for \"Fonts\" via the Windows Help System to learn more about how you "
           "can reinstall the "
           "\"Times New Roman\" font.";
}
}  // namespace

ReportWriter::ReportWriter(PagePrinter& printer, QWidget* window, const QFont& measureFont,
                           bool fontErrorCase)
    : printer_(printer),
      window_(window),
      measureFont_(measureFont),
      fontErrorCase_(fontErrorCase) {}

void ReportWriter::Step(const std::function<PrintError()>& step) {
    while (!stopped_) {
        const PrintError e = step();
        if (!e.failed()) return;
        const QString text = QString::number(e.number) + " - " + e.description;
        if (e.number == print_error::kFile) {
            ReportWriteFailure(window_, e.file, {false, e.description.toStdString()}, {});
            stopped_ = true;
        } else if (e.number == print_error::kPrinter) {
            Message(window_, text, "Printer Error", MsgIcon::Critical);
            stopped_ = true;
        } else if (e.number == print_error::kInvalidFont && fontErrorCase_) {
            Message(window_, FontErrorText(e), "Font Error", MsgIcon::Critical);
            stopped_ = true;
        } else {
            const QString title = window_ ? window_->windowTitle() : QString();
            switch (Message(window_, text, title, MsgIcon::Warning, MsgButtons::AbortRetryIgnore,
                            MsgAnswer::Ignore)) {
                case MsgAnswer::Abort:
                    stopped_ = true;
                    break;
                case MsgAnswer::Retry:
                    continue;
                default:
                    return;
            }
        }
    }
}

void ReportWriter::Font(const QString& name) {
    Step([&] { return printer_.SetFontName(name); });
}
void ReportWriter::Size(double points) {
    Step([&] { return printer_.SetFontSize(points); });
}
void ReportWriter::Bold(bool bold) {
    Step([&] { return printer_.SetBold(bold); });
}
void ReportWriter::Italic(bool italic) {
    Step([&] { return printer_.SetItalic(italic); });
}

void ReportWriter::At(double x, const QString& text, bool endLine) {
    Step([&] { return printer_.SetX(x); });
    Step([&] { return printer_.Print(text, endLine); });
}

double ReportWriter::ScreenWidth(const QString& text) const {
    return PixelsToTwips(
        static_cast<int>(QFontMetricsF(measureFont_).horizontalAdvance(text) + 0.5));
}

void ReportWriter::RightAt(double x, const QString& text, bool endLine) {
    At(x - ScreenWidth(text), text, endLine);
}

void ReportWriter::CenteredAt(double x, const QString& text, bool endLine) {
    At(x - printer_.TextWidth(text) / 2, text, endLine);
}

void ReportWriter::Pairs(const QString& left, const QString& leftValue, const QString& right,
                         const QString& rightValue) {
    At(1100, left);
    RightAt(5500, leftValue, right.isEmpty());
    if (right.isEmpty()) return;
    At(6600, right);
    RightAt(10450, rightValue, true);
}

void ReportWriter::NewLine(int count) {
    for (int i = 0; i < count; ++i) Step([&] { return printer_.Print(QString(), true); });
}

void ReportWriter::NewPage() {
    Step([&] { return printer_.NewPage(); });
}

void ReportWriter::Finish() {
    Step([&] { return printer_.EndDocument(); });
}

void RunPrintJob(const PrintJob& job, const std::function<void(ReportWriter&)>& body) {
    std::unique_ptr<PagePrinter> printer = ThePlatform().ChoosePrinter(job.window);
    if (printer) PrintReport(*printer, job, body);
}

bool PrintReport(PagePrinter& printer, const PrintJob& job,
                 const std::function<void(ReportWriter&)>& body) {
    if (job.landscape) printer.SetLandscape(true);
    if (job.hourglass) ThePlatform().SetBusy(true);
    ReportWriter writer(printer, job.window, job.measureFont, job.fontErrorCase);
    writer.Font(kPrintFont);
    writer.Bold(true);
    body(writer);
    if (!writer.stopped()) writer.Finish();
    ThePlatform().SetBusy(false);
    return !writer.stopped();
}

void ReportTitle(ReportWriter& out, const QString& text) {
    out.NewLine(2);
    out.Size(18);
    out.Italic(true);
    out.At(1100, text, true);
    out.Italic(false);
    out.Size(11);
}

void ScenarioLine(ReportWriter& out, const std::string& name, bool centred) {
    if (name.empty()) return;
    const QString text = "Scenario: " + QString::fromStdString(name);
    if (centred)
        out.CenteredAt(5750, text, true);
    else
        out.At(1100, text, true);
}

QString LenderLineText(const LenderInfo& lender) {
    const auto named = [](const char* what, const std::string& name, const std::string& id) {
        QString part = QString::fromStdString(name);
        if (!id.empty())
            part += (part.isEmpty() ? "NMLS ID " : ", NMLS ID ") + QString::fromStdString(id);
        return part.isEmpty() ? part : what + part;
    };
    QStringList parts;
    parts << named("Lender: ", lender.name, lender.nmls)
          << named("Loan Officer: ", lender.officer, lender.officerNmls)
          << QString::fromStdString(lender.address).split('\n', Qt::SkipEmptyParts).join(", ")
          << QString::fromStdString(lender.phone) << QString::fromStdString(lender.email);
    parts.removeAll(QString());
    return parts.join("; ");
}

void LenderLine(ReportWriter& out, const LenderInfo& lender, bool centred) {
    if (lender.IsEmpty()) return;
    if (centred)
        out.CenteredAt(5750, LenderLineText(lender), true);
    else
        out.At(1100, LenderLineText(lender), true);
}

QString Figure(double value, const char* pattern) {
    return QString::fromStdString(FormatValue(value, pattern));
}

}  // namespace dovanel
