#pragma once
// A page printer addressed in twips, as the reports use one: a current
// position, a font (name, size, bold, italic), text that stays on the line or
// ends it, pages that break by themselves when a line passes the bottom, and
// the end of the document. Each operation answers with an error code (0: done).

#include <QFont>
#include <QString>
#include <memory>

class QPainter;
class QPrinter;

namespace dovanel {

struct PrintError {
    int number = 0;
    QString description;
    bool failed() const { return number != 0; }
};

namespace print_error {
inline constexpr int kPrinter = 482;      // the printer failed or is missing
inline constexpr int kInvalidFont = 380;  // the font cannot be set
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
};

// Prints on a QPrinter: a printer of the system, or a PDF file.
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

    QPrinter& printer() { return *printer_; }

  private:
    PrintError Begin();
    double PixelsPerTwip() const;
    void ApplyFont();

    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QPainter> painter_;
    QFont font_;
    double x_ = 0;  // twips
    double y_ = 0;  // twips
};

}  // namespace dovanel
