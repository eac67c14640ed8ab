#pragma once
// A page printer that records every line it is given, for comparing reports
// exactly; it breaks pages like paper would and can be told to fail.

#include <QFontMetricsF>
#include <QString>
#include <vector>

#include "shell/page_printer.h"

namespace dovanel::test {

class RecordingPrinter : public PagePrinter {
  public:
    struct Text {
        QString text;
        double x, y;
        int page;
        QString font;
        double size;
        bool bold, italic, endLine;
    };

    std::vector<Text> printed;
    bool ended = false;
    double pageHeight = 14400;  // twips: ten inches of printable page
    int pages = 1;
    // Fails the named operation with `failure` (a count of times, or for ever with -1).
    QString failOn;
    PrintError failure;
    int failTimes = 0;

    PrintError SetFontName(const QString& name) override {
        if (Fails("font")) return failure;
        font_ = name;
        return {};
    }
    PrintError SetFontSize(double points) override {
        size_ = points;
        return {};
    }
    PrintError SetBold(bool bold) override {
        bold_ = bold;
        return {};
    }
    PrintError SetItalic(bool italic) override {
        italic_ = italic;
        return {};
    }
    PrintError SetX(double twips) override {
        x_ = twips;
        return {};
    }
    PrintError Print(const QString& text, bool endLine) override {
        if (Fails("print")) return failure;
        const double lineHeight = size_ * 20 * 1.15;
        if (y_ + lineHeight > pageHeight && y_ > 0) {
            ++pages;
            y_ = 0;
        }
        printed.push_back({text, x_, y_, pages, font_, size_, bold_, italic_, endLine});
        if (endLine) {
            x_ = 0;
            y_ += lineHeight;
        } else {
            x_ += TextWidth(text);
        }
        return {};
    }
    double TextWidth(const QString& text) override { return WidthAt(text, size_); }
    double WidthAt(const QString& text, double size) const {
        QFont font(font_);
        font.setPointSizeF(size);
        font.setBold(bold_);
        return QFontMetricsF(font).horizontalAdvance(text) * 15;
    }
    PrintError NewPage() override {
        ++pages;
        x_ = 0;
        y_ = 0;
        return {};
    }
    PrintError EndDocument() override {
        if (Fails("end")) return failure;
        ended = true;
        return {};
    }

    // The texts printed, without the empty line ends.
    std::vector<Text> Texts() const {
        std::vector<Text> out;
        for (const Text& t : printed)
            if (!t.text.isEmpty()) out.push_back(t);
        return out;
    }
    const Text* Find(const QString& text) const {
        for (const Text& t : printed)
            if (t.text == text) return &t;
        return nullptr;
    }
    // Every printed line: its texts joined with " | ".
    QStringList Lines() const {
        QStringList lines;
        QString line;
        for (const Text& t : printed) {
            if (!t.text.isEmpty()) line += (line.isEmpty() ? "" : " | ") + t.text;
            if (t.endLine) {
                lines.append(line);
                line.clear();
            }
        }
        return lines;
    }

  private:
    bool Fails(const char* operation) {
        if (failOn != operation || failTimes == 0) return false;
        if (failTimes > 0) --failTimes;
        return true;
    }

    QString font_;
    double size_ = 10;
    bool bold_ = false, italic_ = false;
    double x_ = 0, y_ = 0;
};

}  // namespace dovanel::test
