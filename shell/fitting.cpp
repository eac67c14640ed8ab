#include "shell/fitting.h"

#include <QEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPainter>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionFrame>
#include <optional>

#include "shell/platform.h"

namespace dovanel {

namespace {

constexpr double kDesignPoints = 8.25;
constexpr double kSmallestPoints = 7.25;
// A number shown smaller to fit its place loses at most this much of its size:
// below it, it no longer reads beside its neighbours (its cell is made wide
// enough instead; a box then scrolls a longer number it was typed).
constexpr double kMostNumberShrink = 1.5;
constexpr int kNarrowestStretch = 75;

const QRegularExpression& LeaderTail() {
    static const QRegularExpression tail(R"((\s+\.)+\s*$)");
    return tail;
}

QString WordsOf(const QString& caption) {
    return QString(caption).remove(LeaderTail());
}

// The room a caption needs at the least: its words, or its whole text.
int Need(const DesignedCaption& c, const QFontMetrics& metrics) {
    const QString text = QString::fromUtf8(c.text);
    return metrics.horizontalAdvance(KindOf(text) == TextKind::Leaders ? WordsOf(text) : text);
}

bool AllFit(const QFont& font, const std::vector<DesignedCaption>& captions) {
    const QFontMetrics metrics(font);
    for (const DesignedCaption& c : captions)
        if (Need(c, metrics) > TwipsToPixels(c.widthTwips)) return false;
    return true;
}

// The window font and the desktop font it was chosen for.
struct Choice {
    QFont desktop;
    QFont window;
};

std::optional<Choice>& Chosen() {
    static std::optional<Choice> choice;
    return choice;
}

}  // namespace

const std::vector<DesignedCaption>& TightestCaptions() {
    // Widths are what each label has before its neighbour begins.
    static const std::vector<DesignedCaption> captions = {
        {"Monthly Homeowner's Inurance . .", 2385},
        {"Monthly Homeowner Assoc Dues .", 2385},
        {"Earnest Money Deposit . . . . . . . ", 2385},
        {"Annual Real Estate Taxes . . . . . .", 2385},
        {"Min. Monthly Income Required . . . . . . . . . . . . . . .", 2520},
        {"Total Interest that will be paid . .", 2520},
        {"Monthly Principal + Interest . . . .", 2520},
        {"Loan Origination Fee =", 1980},
        {"Loan Amount From  ", 1740},
        {"Loan-to-Value 80.01% to 85.01%", 3000},
        {"Pvt. Mort. Ins. Impounds", 2280},
        {"Help  [F1]", 900},
    };
    return captions;
}

QFont ChooseWindowFont(const QString& family, const std::vector<DesignedCaption>& captions) {
    QFont font(family);
    font.setStyleHint(QFont::SansSerif);
    font.setBold(true);
    for (double points = kDesignPoints; points >= kSmallestPoints; points -= 0.25) {
        font.setPointSizeF(points);
        if (AllFit(font, captions)) return font;
    }
    // A wide desktop font: its narrower cut, or the same letters set closer.
    for (int stretch = 95; stretch >= kNarrowestStretch; stretch -= 5) {
        font.setStretch(stretch);
        if (AllFit(font, captions)) return font;
    }
    return font;
}

QFont WindowFont() {
    std::optional<Choice>& chosen = Chosen();
    const QFont desktop = QGuiApplication::font();
    if (!chosen || chosen->desktop.family() != desktop.family())
        chosen = Choice{desktop, ChooseWindowFont(desktop.family(), TightestCaptions())};
    return chosen->window;
}

TextKind KindOf(const QString& text) {
    static const QRegularExpression number(R"(^\s*\(?-?\$?-?[\d,]*\.?\d+%?\)?\s*$)");
    if (LeaderTail().match(text).hasMatch()) return TextKind::Leaders;
    if (number.match(text).hasMatch()) return TextKind::Number;
    return TextKind::Caption;
}

QString ElideLeaders(const QString& caption, const QFontMetrics& metrics, int width) {
    const QString words = WordsOf(caption);
    QString shown = words;
    for (QString next = words + " ."; metrics.horizontalAdvance(next) <= width; next += " .")
        shown = next;
    return shown;
}

QFont ShrinkToFit(const QString& text, QFont font, int width) {
    double points = font.pointSizeF();
    const double smallest = points - kMostNumberShrink;
    while (points > smallest && QFontMetrics(font).horizontalAdvance(text) > width) {
        points -= 0.25;
        font.setPointSizeF(points);
    }
    return font;
}

QString WithoutAccessKeyMarks(const QString& text) {
    QString out;
    for (int i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) ++i;  // "&&" is one "&"; "&x" is "x"
        out += text[i];
    }
    return out;
}

Fitted FitText(const QString& text, const QFont& font, int width, bool accessKey) {
    const QFontMetrics metrics(font);
    const int flags = accessKey ? Qt::TextShowMnemonic : 0;
    const auto advance = [&](const QString& t) {
        return metrics.horizontalAdvance(accessKey ? WithoutAccessKeyMarks(t) : t);
    };
    const TextKind kind = KindOf(text);
    // Leaders keep a space's room free before the control that follows them.
    const int room = kind == TextKind::Leaders ? width - metrics.horizontalAdvance(' ') : width;
    if (advance(text) <= room) return {text, font, false};
    switch (kind) {
        case TextKind::Leaders:
            if (advance(WordsOf(text)) <= room)
                return {ElideLeaders(text, metrics, room), font, false};
            return {metrics.elidedText(WordsOf(text), Qt::ElideRight, width, flags), font, true};
        case TextKind::Number:
            return {text, ShrinkToFit(text, font, width), false};
        case TextKind::Caption:
            break;
    }
    return {metrics.elidedText(text, Qt::ElideRight, width, flags), font, true};
}

namespace {

// The label's text rectangle: its contents less margin and indent.
QRect TextRect(const QLabel* label) {
    QRect r = label->contentsRect().adjusted(label->margin(), label->margin(), -label->margin(),
                                             -label->margin());
    const int indent = label->indent() >= 0      ? label->indent()
                       : label->frameWidth() > 0 ? label->fontMetrics().horizontalAdvance('x') / 2
                                                 : 0;
    if (label->alignment() & Qt::AlignLeft) r.setLeft(r.left() + indent);
    if (label->alignment() & Qt::AlignRight) r.setRight(r.right() - indent);
    return r;
}

}  // namespace

bool FittedLabel::SingleLine() const {
    return !wordWrap() && !text().contains('\n') && textFormat() != Qt::RichText &&
           textFormat() != Qt::MarkdownText && pixmap().isNull();
}

Fitted FittedLabel::Shown() const {
    if (!SingleLine()) return {text(), font(), false};
    return FitText(text(), font(), TextRect(this).width(), buddy() != nullptr);
}

void FittedLabel::paintEvent(QPaintEvent* event) {
    const Fitted shown = Shown();
    // The whole caption as read, its access key mark left out.
    const QString whole = buddy() ? WithoutAccessKeyMarks(text()) : text();
    if (shown.shortened != ownTip_ && (toolTip().isEmpty() || ownTip_)) {
        ownTip_ = shown.shortened;
        setToolTip(ownTip_ ? whole : QString());
    } else if (ownTip_ && toolTip() != whole) {
        setToolTip(whole);
    }
    if (!SingleLine() || (shown.text == text() && shown.font == font())) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    drawFrame(&painter);
    painter.setFont(shown.font);
    // As the label draws itself: a caption with a buddy shows its access key.
    int flags = QStyle::visualAlignment(layoutDirection(), alignment());
    if (buddy()) {
        QStyleOption option;
        option.initFrom(this);
        flags |= Qt::TextShowMnemonic;
        if (!style()->styleHint(QStyle::SH_UnderlineShortcut, &option, this))
            flags |= Qt::TextHideMnemonic;
    }
    style()->drawItemText(&painter, TextRect(this), flags, palette(), isEnabled(), shown.text,
                          foregroundRole());
}

ColumnHeading::ColumnHeading(const QString& text, QVector<int> columns, QWidget* parent)
    : FittedLabel(text, parent), columns_(std::move(columns)) {}

QVector<QPair<QString, QRect>> ColumnHeading::Groups() const {
    static const QRegularExpression group(R"(\S+(?: \S+)*)");
    const QFontMetrics metrics(font());
    const QRect area = TextRect(this);
    QVector<QPair<QString, QRect>> groups;
    for (auto m = group.globalMatch(text()); m.hasNext();) {
        const QString words = m.next().captured();
        const int column = columns_.value(groups.size(), columns_.isEmpty() ? 0 : columns_.back());
        groups.append({words, QRect(column + area.left() - contentsRect().left(), area.top(),
                                    metrics.horizontalAdvance(words), area.height())});
    }
    return groups;
}

void ColumnHeading::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    drawFrame(&painter);
    for (const auto& [words, where] : Groups())
        style()->drawItemText(&painter, where, Qt::AlignLeft | Qt::AlignVCenter, palette(),
                              isEnabled(), words, foregroundRole());
}

int TextRoom(const QLineEdit* box) {
    QStyleOptionFrame option;
    option.initFrom(box);
    option.rect = box->contentsRect();
    option.lineWidth =
        box->hasFrame() ? box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box) : 0;
    const QRect r = box->style()->subElementRect(QStyle::SE_LineEditContents, &option, box);
    const QMargins m = box->textMargins();
    // The line edit keeps a pixel each side and one for the cursor.
    return r.width() - m.left() - m.right() - 2 * 2 - 1;
}

namespace {

// Fits the box's font to its text whenever the text changes, and before every
// painting (a text set with the box's signals blocked is fitted there).
class NumberFitter : public QObject {
  public:
    explicit NumberFitter(QLineEdit* box) : QObject(box), box_(box), base_(box->font()) {
        connect(box, &QLineEdit::textChanged, this, [this] { Fit(); });
        box->installEventFilter(this);
        Fit();
    }

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) Fit();
        return false;
    }

  private:
    void Fit() {
        const QFont wanted = ShrinkToFit(box_->text(), base_, TextRoom(box_));
        if (wanted != box_->font()) box_->setFont(wanted);
    }
    QLineEdit* box_;
    QFont base_;
};

}  // namespace

void KeepNumberWhole(QLineEdit* box) {
    new NumberFitter(box);
}

void ShowWholeTextAsTooltip(QLineEdit* box) {
    auto tip = [box] {
        const bool wide = box->fontMetrics().horizontalAdvance(box->text()) > TextRoom(box);
        box->setToolTip(wide ? box->text() : QString());
        // A name filled in while the user is elsewhere shows its start, not its end.
        if (wide && !box->hasFocus()) box->setCursorPosition(0);
    };
    QObject::connect(box, &QLineEdit::textChanged, box, tip);
    tip();
}

}  // namespace dovanel
