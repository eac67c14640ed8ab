#pragma once
// Text that fits its control. The font policy has two kinds of windows:
// - designed windows (the main window, every screen and editor) are laid out
//   in twips for a narrow font we do not have. Their font is the desktop's
//   family, bold, at the size (within a point of 8.25 pt) at which the
//   designed captions fit their places, whatever size the desktop uses;
// - free-text windows (the about box, Quick Start, message boxes, menus) take
//   the desktop's font at its own size and are laid out around their texts,
//   growing with the desktop font.
// Within the designed windows one rule keeps texts whole on any desktop:
// - a caption with dot leaders loses dots, never words;
// - a text the user typed (a cost or debt name) ends in "…" and shows in full
//   as a tooltip;
// - a number never loses a character: where it is too wide for its label or
//   box it is shown in a smaller size of the same font, at most 1.5 pt
//   smaller (its cell is made wide enough for that; a box scrolls a longer
//   number typed into it).

#include <QFont>
#include <QLabel>
#include <QPair>
#include <QString>
#include <QVector>
#include <vector>

class QLineEdit;
class QFontMetrics;

namespace dovanel {

// A caption of the design and the width its label has for it, in twips.
struct DesignedCaption {
    const char* text;
    int widthTwips;
};

// The captions that leave the least room to spare; the font is sized by them.
const std::vector<DesignedCaption>& TightestCaptions();

// The designed windows' font (ChooseWindowFont), chosen from the desktop's
// font family (the application font) and again when the family changes.
QFont WindowFont();
// Bold `family` at the largest size from 9.25 pt down to 7.25 pt, in quarter
// points, at which every caption fits; narrowed where even 7.25 pt is too wide.
QFont ChooseWindowFont(const QString& family, const std::vector<DesignedCaption>& captions);

enum class TextKind { Caption, Leaders, Number };

// Leaders: ends in " ." groups ("Loan Amount . . . "). Number: digits with
// only "$", ",", ".", "%", "-" and parentheses around them.
TextKind KindOf(const QString& text);

// The caption's words with as many leader dots as fit `width`; the words alone
// when no dot fits.
QString ElideLeaders(const QString& caption, const QFontMetrics& metrics, int width);

// `font` made smaller in quarter points (down to 4.5 pt) until `text` fits `width`.
QFont ShrinkToFit(const QString& text, QFont font, int width);

// What a single-line control draws for `text` in `width` pixels.
struct Fitted {
    QString text;
    QFont font;
    bool shortened = false;  // the user sees less than the whole text
};
// A caption as drawn when its "&" marks an access key: "&&" is one "&", a lone
// "&" takes no room.
QString WithoutAccessKeyMarks(const QString& text);

// `accessKey`: the text's "&" marks an access key (a caption with a buddy), so
// it takes no room and survives shortening.
Fitted FitText(const QString& text, const QFont& font, int width, bool accessKey = false);

// The labels of the windows: a single-line plain text is drawn fitted by the
// rule above; the label's text() stays the whole text, and a shortened text
// shows in full as the label's tooltip.
class FittedLabel : public QLabel {
    Q_OBJECT
  public:
    using QLabel::QLabel;
    // What the label draws now.
    Fitted Shown() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    bool SingleLine() const;
    bool ownTip_ = false;
};

// A heading over columns of boxes: each group of its words (groups stand two
// or more spaces apart) is drawn at the left edge of its own column, whatever
// the font's widths; its text stays the designed caption.
class ColumnHeading : public FittedLabel {
    Q_OBJECT
  public:
    // `columns`: where each column begins, in the label's coordinates.
    ColumnHeading(const QString& text, QVector<int> columns, QWidget* parent);
    // Each word group and where it is drawn, in the label's coordinates.
    QVector<QPair<QString, QRect>> Groups() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QVector<int> columns_;
};

// A box for numbers: while its text is wider than the box, it is shown smaller.
void KeepNumberWhole(QLineEdit* box);
// A box for a name: while its text is wider than the box, the whole text is its
// tooltip, and a text set while the box has no focus shows from its start.
void ShowWholeTextAsTooltip(QLineEdit* box);
// The width a line edit has for its text, in pixels.
int TextRoom(const QLineEdit* box);

}  // namespace dovanel
