#include "shell/page_printer.h"

#include <QBuffer>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

#include "data/file_write.h"

namespace dovanel {

namespace {

// Whether the bytes are a whole PDF file: its header, its end mark, and a
// cross-reference table where the trailer says it starts.
bool IsWholePdf(const QByteArray& pdf) {
    const QByteArray end = pdf.trimmed();
    if (!pdf.startsWith("%PDF-") || !end.endsWith("%%EOF")) return false;
    const qsizetype start = end.lastIndexOf("startxref");
    if (start < 0) return false;
    bool number = false;
    const qsizetype table =
        end.mid(start + 9, end.size() - 5 - start - 9).trimmed().toLongLong(&number);
    return number && table >= 0 && table < pdf.size() && pdf.mid(table, 4) == "xref";
}

}  // namespace

QtPagePrinter::QtPagePrinter(std::unique_ptr<QPrinter> printer) : printer_(std::move(printer)) {
    font_.setPointSizeF(10);
    if (printer_->outputFormat() != QPrinter::PdfFormat || printer_->outputFileName().isEmpty())
        return;
    pdfFile_ = printer_->outputFileName();
    pdfBytes_ = std::make_unique<QBuffer>();
    pdfBytes_->open(QIODevice::WriteOnly);
    pdf_ = std::make_unique<QPdfWriter>(pdfBytes_.get());
    pdf_->setResolution(printer_->resolution());
    pdf_->setPageLayout(printer_->pageLayout());
    pdf_->setTitle(printer_->docName());
    pdf_->setCreator(printer_->creator());
}

QtPagePrinter::~QtPagePrinter() {
    // A document that was stopped is abandoned, not sent (a PDF file is not written).
    if (painter_ && painter_->isActive() && pdfFile_.isEmpty()) printer_->abort();
}

void QtPagePrinter::SetLandscape(bool landscape) {
    if (painter_) return;  // the pages have begun
    const auto orientation = landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
    printer_->setPageOrientation(orientation);
    if (pdf_) pdf_->setPageOrientation(orientation);
}

QPagedPaintDevice& QtPagePrinter::Device() const {
    if (pdf_) return *pdf_;
    return *printer_;
}

int QtPagePrinter::Resolution() const {
    return pdf_ ? pdf_->resolution() : printer_->resolution();
}

double QtPagePrinter::PixelsPerTwip() const {
    return Resolution() / 1440.0;
}

PrintError QtPagePrinter::FileError(const QString& reason) const {
    return {print_error::kFile, reason, pdfFile_};
}

PrintError QtPagePrinter::Begin() {
    if (painter_ && painter_->isActive()) return {};
    if (pdf_) {
        const WriteResult allowed = CheckNamedFile(QFile::encodeName(pdfFile_).toStdString());
        if (!allowed) return FileError(QString::fromStdString(allowed.reason));
    }
    painter_ = std::make_unique<QPainter>();
    if ((!pdf_ && !printer_->isValid()) || !painter_->begin(&Device())) {
        painter_.reset();
        return {print_error::kPrinter, "Printer error"};
    }
    ApplyFont();
    return {};
}

// The finished PDF, checked whole, goes to its file.
PrintError QtPagePrinter::WritePdfFile() {
    const QByteArray& pdf = pdfBytes_->data();
    if (!IsWholePdf(pdf)) return FileError("The PDF document was not made whole");
    const WriteResult written =
        WriteNamedFile(QFile::encodeName(pdfFile_).toStdString(), pdf.toStdString());
    return written ? PrintError{} : FileError(QString::fromStdString(written.reason));
}

void QtPagePrinter::ApplyFont() {
    if (painter_) painter_->setFont(font_);
}

PrintError QtPagePrinter::SetFontName(const QString& name) {
    if (QFontInfo(QFont(name)).family().isEmpty())
        return {print_error::kInvalidFont, "Invalid property value"};
    font_.setFamily(name);
    ApplyFont();
    return Begin();
}

PrintError QtPagePrinter::SetFontSize(double points) {
    font_.setPointSizeF(points);
    ApplyFont();
    return {};
}

PrintError QtPagePrinter::SetBold(bool bold) {
    font_.setBold(bold);
    ApplyFont();
    return {};
}

PrintError QtPagePrinter::SetItalic(bool italic) {
    font_.setItalic(italic);
    ApplyFont();
    return {};
}

PrintError QtPagePrinter::SetX(double twips) {
    x_ = twips;
    return {};
}

double QtPagePrinter::TextWidth(const QString& text) {
    if (Begin().failed()) return 0;
    return QFontMetricsF(font_, &Device()).horizontalAdvance(text) / PixelsPerTwip();
}

PrintError QtPagePrinter::Print(const QString& text, bool endLine) {
    if (const PrintError e = Begin(); e.failed()) return e;
    const QFontMetricsF metrics(font_, &Device());
    const double lineHeight = metrics.height() / PixelsPerTwip();
    const double pageHeight =
        Device().pageLayout().paintRectPixels(Resolution()).height() / PixelsPerTwip();
    if (y_ + lineHeight > pageHeight && y_ > 0) {
        if (!Device().newPage()) return {print_error::kPrinter, "Printer error"};
        y_ = 0;
    }
    if (!text.isEmpty())
        painter_->drawText(QPointF(x_ * PixelsPerTwip(), y_ * PixelsPerTwip() + metrics.ascent()),
                           text);
    if (endLine) {
        x_ = 0;
        y_ += lineHeight;
    } else {
        x_ += metrics.horizontalAdvance(text) / PixelsPerTwip();
    }
    return {};
}

PrintError QtPagePrinter::NewPage() {
    if (const PrintError e = Begin(); e.failed()) return e;
    if (!Device().newPage()) return {print_error::kPrinter, "Printer error"};
    x_ = 0;
    y_ = 0;
    return {};
}

PrintError QtPagePrinter::EndDocument() {
    if (const PrintError e = Begin(); e.failed()) return e;
    if (!painter_->end()) return {print_error::kPrinter, "Printer error"};
    return pdf_ ? WritePdfFile() : PrintError{};
}

}  // namespace dovanel
