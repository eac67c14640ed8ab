#pragma once
// A page printer addressed in twips, as the reports use one: a current
// position, a font (name, size, bold, italic), text that stays on the line or
// ends it, pages that break by themselves when a line passes the bottom, and
// the end of the document. Each operation answers with an error code (0: done).

#include <QFont>
#include <QString>
#include <memory>
#include <utility>

class QBuffer;
class QPagedPaintDevice;
class QPainter;
class QPdfWriter;
class QPrinter;

namespace dovanel {

struct PrintError {
    PrintError() = default;
    PrintError(int n, QString why, QString path = {})
        : number(n), description(std::move(why)), file(std::move(path)) {}

    int number = 0;
    QString description;
    QString file;  // for kFile: the file that could not be written; the description says why
    bool failed() const { return number != 0; }
};

namespace print_error {
inline constexpr int kPrinter = 482;      // the printer failed or is missing
inline constexpr int kInvalidFont = 380;  // the font cannot be set
inline constexpr int kFile = 75;          // the document's file could not be written
}  // namespace print_error

class PagePrinter {
  public:
    virtual ~PagePrinter() = default;

    virtual PrintError SetFontName(const QString& name) = 0;
    virtual PrintError SetFontSize(double points) = 0;
    virtual PrintError SetBold(bool bold) = 0;
    virtual PrintError SetItalic(bool italic) = 0;
    virtual PrintError SetX(double twips) = 0;
    // Prints at the current position; then the position moves past the text,
    // or to the start of the next line when `endLine` is set.
    virtual PrintError Print(const QString& text, bool endLine) = 0;
    // The width of a text in the current font, in twips.
    virtual double TextWidth(const QString& text) = 0;
    virtual PrintError EndDocument() = 0;
    // Starts a new page; a printer without pages goes on where it is.
    virtual PrintError NewPage() { return {}; }
    // Turns the pages sideways (wide reports); only before the first step prints.
    virtual void SetLandscape(bool /*landscape*/) {}
};

// Prints on a QPrinter: a printer of the system, or a PDF file. A PDF file is
// made in memory; the end of the document checks it whole and writes it
// through a temporary file renamed over the file, never through a symbolic
// link (a link in its place is replaced). A file that cannot be replaced (a
// read-only file, a folder, a missing folder) is refused at the first step.
class QtPagePrinter : public PagePrinter {
  public:
    explicit QtPagePrinter(std::unique_ptr<QPrinter> printer);
    ~QtPagePrinter() override;

    PrintError SetFontName(const QString& name) override;
    PrintError SetFontSize(double points) override;
    PrintError SetBold(bool bold) override;
    PrintError SetItalic(bool italic) override;
    PrintError SetX(double twips) override;
    PrintError Print(const QString& text, bool endLine) override;
    double TextWidth(const QString& text) override;
    PrintError EndDocument() override;
    PrintError NewPage() override;
    void SetLandscape(bool landscape) override;

  private:
    PrintError Begin();
    PrintError FileError(const QString& reason) const;
    PrintError WritePdfFile();
    QPagedPaintDevice& Device() const;
    int Resolution() const;
    double PixelsPerTwip() const;
    void ApplyFont();

    std::unique_ptr<QPrinter> printer_;
    QString pdfFile_;                    // the PDF file to write; empty for a printer
    std::unique_ptr<QBuffer> pdfBytes_;  // the PDF as it is made
    std::unique_ptr<QPdfWriter> pdf_;
    std::unique_ptr<QPainter> painter_;
    QFont font_;
    double x_ = 0;  // twips
    double y_ = 0;  // twips
};

}  // namespace dovanel
