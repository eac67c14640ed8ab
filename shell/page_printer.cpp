#include "shell/page_printer.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QPainter>
#include <QPrinter>

namespace dovanel {

QtPagePrinter::QtPagePrinter(std::unique_ptr<QPrinter> printer) : printer_(std::move(printer)) {
    font_.setPointSizeF(10);
}

QtPagePrinter::~QtPagePrinter() {
    // A document that was stopped is abandoned, not sent.
    if (painter_ && painter_->isActive()) printer_->abort();
}

double QtPagePrinter::PixelsPerTwip() const {
    return printer_->resolution() / 1440.0;
}

PrintError QtPagePrinter::Begin() {
    if (painter_ && painter_->isActive()) return {};
    painter_ = std::make_unique<QPainter>();
    if (!printer_->isValid() || !painter_->begin(printer_.get())) {
        painter_.reset();
        return {print_error::kPrinter, "Printer error"};
    }
    ApplyFont();
    return {};
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
    return QFontMetricsF(font_, printer_.get()).horizontalAdvance(text) / PixelsPerTwip();
}

PrintError QtPagePrinter::Print(const QString& text, bool endLine) {
    if (const PrintError e = Begin(); e.failed()) return e;
    const QFontMetricsF metrics(font_, printer_.get());
    const double lineHeight = metrics.height() / PixelsPerTwip();
    const double pageHeight =
        printer_->pageLayout().paintRectPixels(printer_->resolution()).height() / PixelsPerTwip();
    if (y_ + lineHeight > pageHeight && y_ > 0) {
        if (!printer_->newPage()) return {print_error::kPrinter, "Printer error"};
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

PrintError QtPagePrinter::EndDocument() {
    if (const PrintError e = Begin(); e.failed()) return e;
    if (!painter_->end()) return {print_error::kPrinter, "Printer error"};
    return {};
}

}  // namespace dovanel
