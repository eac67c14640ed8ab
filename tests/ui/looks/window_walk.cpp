// The window walk's checks (tests/ui/looks/window_walk.h).
#include "tests/ui/looks/window_walk.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionGroupBox>
#include <algorithm>

#include "shell/effects.h"
#include "shell/fitting.h"

namespace dovanel::test {

QString Describe(const QWidget* w) {
    QString name = w->objectName();
    for (const QWidget* p = w->parentWidget(); name.isEmpty() && p; p = p->parentWidget())
        name = QString("(in %1)").arg(p->objectName());
    return QString("%1 %2").arg(w->metaObject()->className(), name);
}

QString TextOf(const QWidget* w) {
    if (auto* l = qobject_cast<const QLabel*>(w))
        return l->pixmap().isNull() ? l->text() : QString();
    if (auto* b = qobject_cast<const QAbstractButton*>(w)) return QString(b->text()).remove('&');
    if (auto* e = qobject_cast<const QLineEdit*>(w)) return e->text();
    if (auto* c = qobject_cast<const QComboBox*>(w)) return c->currentText();
    if (auto* g = qobject_cast<const QGroupBox*>(w)) return QString(g->title()).remove('&');
    return {};
}

namespace {

// The room a control has for its text, and the width the text takes there.
struct Room {
    int needed = 0;
    int available = 0;
};

Room RoomOf(QWidget* w) {
    const QString text = TextOf(w);
    const QFontMetrics fm(w->font());
    if (auto* label = qobject_cast<FittedLabel*>(w)) {
        const Fitted shown = label->Shown();
        const QString drawn = label->buddy() ? WithoutAccessKeyMarks(shown.text) : shown.text;
        return {QFontMetrics(shown.font).horizontalAdvance(drawn),
                label->contentsRect().width() - 2 * label->margin()};
    }
    if (auto* box = qobject_cast<QLineEdit*>(w)) return {fm.horizontalAdvance(text), TextRoom(box)};
    if (auto* combo = qobject_cast<QComboBox*>(w)) {
        QStyleOptionComboBox option;
        option.initFrom(combo);
        const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                           QStyle::SC_ComboBoxEditField, combo);
        int widest = 0;
        for (int i = 0; i < combo->count(); ++i)
            widest = std::max(widest, fm.horizontalAdvance(combo->itemText(i)));
        return {widest, field.width() - 4};
    }
    if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) {
        QStyleOptionButton option;
        option.initFrom(w);
        option.text = text;
        const auto element = qobject_cast<QCheckBox*>(w) ? QStyle::SE_CheckBoxContents
                                                         : QStyle::SE_RadioButtonContents;
        return {fm.horizontalAdvance(text),
                w->style()->subElementRect(element, &option, w).width()};
    }
    if (qobject_cast<QPushButton*>(w)) {
        QStyleOptionButton option;
        option.initFrom(w);
        const QRect r = w->style()->subElementRect(QStyle::SE_PushButtonContents, &option, w);
        return {fm.horizontalAdvance(text), r.width() - 4};
    }
    if (qobject_cast<QGroupBox*>(w)) return {fm.horizontalAdvance(text), w->width() - 16};
    return {fm.horizontalAdvance(text), w->contentsRect().width()};
}

QRect GroupTitle(QGroupBox* box) {
    QStyleOptionGroupBox option;
    option.initFrom(box);
    option.text = box->title();
    option.subControls = QStyle::SC_GroupBoxLabel;
    option.textAlignment = box->alignment();
    option.features = box->isFlat() ? QStyleOptionFrame::Flat : QStyleOptionFrame::None;
    return box->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel,
                                        box);
}

// Where the control's text is drawn, in its parent's coordinates.
QRect InkOf(QWidget* w) {
    if (auto* group = qobject_cast<QGroupBox*>(w)) return GroupTitle(group).translated(w->pos());
    auto* label = qobject_cast<QLabel*>(w);
    if (!label) return w->geometry().adjusted(2, 2, -2, -2);  // boxes of a grid share their edges
    const QRect area = label->contentsRect();
    QSize size;
    if (label->wordWrap()) {
        size = {area.width(), label->heightForWidth(area.width())};
    } else if (auto* fitted = qobject_cast<FittedLabel*>(w)) {
        const Fitted shown = fitted->Shown();
        const QFontMetrics fm(shown.font);
        size = {fm.horizontalAdvance(shown.text), fm.height() * int(shown.text.count('\n') + 1)};
    } else {
        size = label->fontMetrics().size(0, label->text());
    }
    const QRect ink = QStyle::alignedRect(label->layoutDirection(), label->alignment(),
                                          size.boundedTo(area.size()), area);
    return ink.translated(w->pos());
}

}  // namespace

bool ShowsText(QWidget* w, QWidget* window) {
    return w->isVisibleTo(window) && !TextOf(w).isEmpty();
}

namespace {

bool SingleLine(QWidget* w) {
    auto* label = qobject_cast<QLabel*>(w);
    return !label || (!label->wordWrap() && !label->text().contains('\n') &&
                      label->textFormat() != Qt::RichText);
}

}  // namespace

QStringList TextProblems(QWidget* window) {
    window->grab();  // texts set without their change signals are fitted when painted
    QStringList problems;
    QList<QWidget*> all = window->findChildren<QWidget*>();
    for (QWidget* w : all) {
        if (!ShowsText(w, window)) continue;
        auto* box = qobject_cast<QLineEdit*>(w);
        if (box && !(box->alignment() & Qt::AlignRight)) continue;  // text boxes scroll their text
        if (SingleLine(w)) {
            const Room room = RoomOf(w);
            if (room.needed > room.available)
                problems << QString("%1 \"%2\": %3 px wide in %4")
                                .arg(Describe(w), TextOf(w))
                                .arg(room.needed)
                                .arg(room.available);
        } else if (auto* label = qobject_cast<QLabel*>(w); label && label->wordWrap()) {
            const QRect area = label->contentsRect();
            if (label->heightForWidth(area.width()) > area.height())
                problems << QString("%1 \"%2\": too tall").arg(Describe(w), TextOf(w).left(30));
        }
    }
    for (QWidget* parent : all + QList<QWidget*>{window}) {
        QList<QWidget*> texts;
        for (QObject* child : parent->children())
            if (auto* w = qobject_cast<QWidget*>(child);
                w && !w->isWindow() && ShowsText(w, window))
                texts << w;
        for (int i = 0; i < texts.size(); ++i)
            for (int j = i + 1; j < texts.size(); ++j)
                if (InkOf(texts[i]).intersects(InkOf(texts[j])))
                    problems << QString("%1 \"%2\" runs into %3 \"%4\"")
                                    .arg(Describe(texts[i]), TextOf(texts[i]), Describe(texts[j]),
                                         TextOf(texts[j]));
    }
    return problems;
}

namespace {

// The controls directly inside `parent` that the window shows.
QList<QWidget*> ShownChildren(QWidget* parent, QWidget* window) {
    QList<QWidget*> shown;
    for (QObject* child : parent->children())
        if (auto* w = qobject_cast<QWidget*>(child); w && !w->isWindow() && w->isVisibleTo(window))
            shown << w;
    return shown;
}

QList<QWidget*> WindowAndChildren(QWidget* window) {
    return QList<QWidget*>{window} + window->findChildren<QWidget*>();
}

// A frame holds or underlies other controls: a panel, a box, a line, a group box.
bool IsFrame(const QWidget* w) {
    return w->metaObject() == &QFrame::staticMetaObject || qobject_cast<const QGroupBox*>(w);
}

// A label that fills its background: the coloured band of a caption.
bool IsBand(const QWidget* w) {
    return qobject_cast<const QLabel*>(w) && w->autoFillBackground();
}

// Where controls lying on `w` may stand, in its parent's coordinates.
QRect SurfaceOf(const QWidget* w) {
    if (IsFrame(w)) return w->contentsRect().translated(w->pos());
    return IsBand(w) ? w->geometry() : QRect();
}

QString Where(const QRect& r) {
    return QString("(%1,%2 %3x%4)").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

QString Pair(const QWidget* a, const QWidget* b, const char* what) {
    return QString("%1 %2 %3 %4 %5")
        .arg(Describe(a), Where(a->geometry()), what, Describe(b), Where(b->geometry()));
}

constexpr int kButtonGap = 2;  // buttons closer than this read as one strip

// What is wrong between two controls of one parent, or an empty text.
QString SiblingProblem(QWidget* a, QWidget* b) {
    if (IsFrame(a) && IsFrame(b)) return {};  // panels, their shadows and the lines on them
    const QRect ra = a->geometry(), rb = b->geometry();
    if (SurfaceOf(a).contains(rb) || SurfaceOf(b).contains(ra)) return {};
    const QRect common = ra.intersected(rb);
    const bool gridEdge = qobject_cast<QLineEdit*>(a) && qobject_cast<QLineEdit*>(b) &&
                          std::min(common.width(), common.height()) <= 1;
    if (!common.isEmpty() && !gridEdge) return Pair(a, b, "overlaps");
    const bool buttons = qobject_cast<QAbstractButton*>(a) && qobject_cast<QAbstractButton*>(b);
    if (buttons && ra.adjusted(-kButtonGap, -kButtonGap, kButtonGap, kButtonGap).intersects(rb))
        return Pair(a, b, "touches");
    return {};
}

// A control in a group box's title row, clear of the title and of the box's sides.
bool InTitleRow(QWidget* parent, QWidget* child) {
    auto* group = qobject_cast<QGroupBox*>(parent);
    const QRect r = child->geometry();
    return group && r.bottom() < group->contentsRect().top() &&
           group->rect().adjusted(1, 0, -1, 0).contains(r) &&
           !GroupTitle(group).adjusted(-kButtonGap, 0, kButtonGap, 0).intersects(r);
}

// A control inside a frame stays a pixel off its line and below a group box's
// title, or stands beside the title.
QString InsideFrameProblem(QWidget* parent, QWidget* child) {
    const bool lined = qobject_cast<QGroupBox*>(parent) ||
                       (IsFrame(parent) && static_cast<QFrame*>(parent)->frameWidth() > 0);
    if (!lined || parent->contentsRect().adjusted(1, 1, -1, -1).contains(child->geometry()) ||
        InTitleRow(parent, child))
        return {};
    return QString("%1 %2 is on the line of %3 (inside %4)")
        .arg(Describe(child), Where(child->geometry()), Describe(parent),
             Where(parent->contentsRect()));
}

}  // namespace

QStringList OverlapProblems(QWidget* window) {
    QStringList problems;
    for (QWidget* parent : WindowAndChildren(window)) {
        const QList<QWidget*> kids = ShownChildren(parent, window);
        for (int i = 0; i < kids.size(); ++i) {
            problems << InsideFrameProblem(parent, kids[i]);
            for (int j = i + 1; j < kids.size(); ++j) problems << SiblingProblem(kids[i], kids[j]);
        }
    }
    problems.removeAll(QString());
    return problems;
}

namespace {

constexpr double kMostShrink = 1.5;  // points a number may lose to fit its cell

QString ShrinkProblem(QWidget* w, double shown, double base) {
    if (shown >= base - kMostShrink - 1e-6) return {};
    return QString("%1 \"%2\": %3 pt in a %4 pt window")
        .arg(Describe(w), TextOf(w))
        .arg(shown)
        .arg(base);
}

}  // namespace

QStringList ShrinkProblems(QWidget* window) {
    window->grab();
    QStringList problems;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!ShowsText(w, window)) continue;
        if (auto* label = qobject_cast<FittedLabel*>(w);
            label && KindOf(label->text()) == TextKind::Number)
            problems << ShrinkProblem(w, label->Shown().font.pointSizeF(),
                                      label->parentWidget()->font().pointSizeF());
        else if (auto* box = qobject_cast<QLineEdit*>(w);
                 box && (box->alignment() & Qt::AlignRight))
            problems << ShrinkProblem(w, box->font().pointSizeF(),
                                      box->parentWidget()->font().pointSizeF());
    }
    problems.removeAll(QString());
    return problems;
}

namespace {

constexpr int kBandInset = 3;  // pixels between a band's edge and its caption

// The text a label draws on one line, and its font.
Fitted ShownLine(const QLabel* label) {
    if (auto* fitted = qobject_cast<const FittedLabel*>(label)) return fitted->Shown();
    return {label->text(), label->font(), false};
}

// The label's text rectangle: its contents less margin and indent.
QRect TextArea(const QLabel* label) {
    const int in = label->margin() + std::max(label->indent(), 0);
    return label->contentsRect().adjusted(in, in, -in, -in);
}

// A band's caption keeps clear of the band's edge on the side it is aligned to.
QString BandProblem(QLabel* band) {
    const QRect area = TextArea(band);
    const bool right = band->alignment() & Qt::AlignRight;
    int gap = right ? band->width() - 1 - area.right() : area.left();
    if (band->alignment() & Qt::AlignHCenter) return {};
    if (!band->wordWrap()) {
        const Fitted shown = ShownLine(band);
        const QFontMetrics fm(shown.font);
        const QString text = shown.text;
        static const QRegularExpression lead(R"(^\s*)"), trail(R"(\s*$)");
        gap += fm.horizontalAdvance(right ? text.mid(text.indexOf(trail))
                                          : text.left(lead.match(text).capturedLength()));
    }
    if (gap >= kBandInset) return {};
    return QString("%1 \"%2\" stands %3 px from its band's edge")
        .arg(Describe(band), TextOf(band).left(30))
        .arg(gap);
}

// The groups of a label's words (apart by two or more spaces) and where they are
// drawn, in the label's coordinates.
QVector<QPair<QString, QRect>> WordGroups(QLabel* label) {
    if (auto* heading = qobject_cast<ColumnHeading*>(label)) return heading->Groups();
    QVector<QPair<QString, QRect>> groups;
    if (!(label->alignment() & Qt::AlignLeft)) return groups;
    const Fitted shown = ShownLine(label);
    const QFontMetrics fm(shown.font);
    static const QRegularExpression group(R"(\S+(?: \S+)*)");
    for (auto m = group.globalMatch(shown.text); m.hasNext();) {
        const auto word = m.next();
        const int left =
            TextArea(label).left() + fm.horizontalAdvance(shown.text.left(word.capturedStart()));
        groups.append({word.captured(),
                       QRect(left, 0, fm.horizontalAdvance(word.captured()), label->height())});
    }
    return groups;
}

// A heading names the column of boxes below each of its words: no word group
// (words apart by two or more spaces) may reach over a column's edge.
QString HeadingProblem(QLabel* heading, QWidget* window) {
    if (heading->wordWrap()) return {};
    const QVector<QPair<QString, QRect>> groups = WordGroups(heading);
    static const QRegularExpression letter(R"(\p{L})");
    const bool titles = std::count_if(groups.begin(), groups.end(),
                                      [](const auto& g) { return g.first.contains(letter); }) >= 2;
    if (!titles) return {};  // a caption or dot leaders, not column titles
    for (const auto& [words, where] : groups) {
        const int left = heading->x() + where.left(), right = heading->x() + where.right();
        for (QWidget* box : ShownChildren(heading->parentWidget(), window)) {
            const QRect b = box->geometry();
            const bool below = b.top() >= heading->geometry().center().y() &&
                               b.top() <= heading->geometry().bottom() + heading->height();
            if (!qobject_cast<QLineEdit*>(box) || !below || right < b.left() || left > b.right())
                continue;
            if (left < b.left() || right > b.right())
                return QString("%1 \"%2\" (x %3-%4) straddles the edge of %5 %6")
                    .arg(Describe(heading), words)
                    .arg(left)
                    .arg(right)
                    .arg(Describe(box), Where(b));
        }
    }
    return {};
}

}  // namespace

QStringList EdgeProblems(QWidget* window) {
    window->grab();
    QStringList problems;
    for (QLabel* label : window->findChildren<QLabel*>()) {
        if (!ShowsText(label, window) || label->textFormat() == Qt::RichText) continue;
        if (IsBand(label)) problems << BandProblem(label);
        problems << HeadingProblem(label, window);
    }
    problems.removeAll(QString());
    return problems;
}

namespace {

// Room for a window's frame that the test's screens leave: borders and a title bar.
const QSize kFrameRoom(8, 32);

bool IsControl(const QWidget* w) {
    return qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QLineEdit*>(w) ||
           qobject_cast<const QComboBox*>(w) || qobject_cast<const QAbstractSpinBox*>(w) ||
           (qobject_cast<const QAbstractItemView*>(w) && !qobject_cast<const QHeaderView*>(w));
}

bool InScrollArea(const QWidget* w, const QWidget* window) {
    for (const QWidget* p = w->parentWidget(); p && p != window; p = p->parentWidget())
        if (qobject_cast<const QScrollArea*>(p)) return true;
    return false;
}

}  // namespace

QStringList ScreenProblems(QWidget* window, const QRect& area) {
    FitIntoArea(window, area);
    QStringList problems;
    const QSize frame = window->size() + kFrameRoom;
    if (frame.width() > area.width() || frame.height() > area.height())
        problems << QString("%1 with its frame is %2x%3 on a %4x%5 screen")
                        .arg(Describe(window))
                        .arg(frame.width())
                        .arg(frame.height())
                        .arg(area.width())
                        .arg(area.height());
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!IsControl(w) || !w->isVisibleTo(window) || InScrollArea(w, window)) continue;
        const QRect r(w->mapTo(window, QPoint(0, 0)), w->size());
        if (!window->rect().contains(r))
            problems << QString("%1 %2 is out of reach").arg(Describe(w), Where(r));
    }
    return problems;
}

QStringList LayoutProblems(QWidget* window) {
    return TextProblems(window) + OverlapProblems(window) + ShrinkProblems(window) +
           EdgeProblems(window);
}

}  // namespace dovanel::test
