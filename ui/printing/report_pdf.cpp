#include "ui/printing/report_pdf.h"

#include <QPrinter>
#include <memory>

#include "shell/page_printer.h"
#include "shell/platform.h"
#include "ui/export/export_files.h"
#include "ui/printing/printing.h"

namespace dovanel {

bool SaveReportPdf(QWidget* window, const std::function<void(ReportWriter&)>& body,
                   const QString& suggestedName, bool landscape) {
    const QString path =
        AskForExportFile(window, "Save as PDF", suggestedName, "PDF files (*.pdf);;All files (*)");
    if (path.isEmpty()) return false;
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setPageSize(QPageSize(QPageSize::Letter));
    printer->setOutputFileName(path);
    QtPagePrinter pages(std::move(printer));
    return PrintReport(pages, {window, FormFont(), true, true, landscape}, body);
}

}  // namespace dovanel
