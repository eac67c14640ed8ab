#include "shell/form.h"

#include <QFrame>
#include <QGroupBox>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QTimer>
#include <algorithm>
#include <climits>
#include <cmath>

#include "shell/accessibility.h"
#include "shell/effects.h"
#include "shell/fitting.h"
#include "shell/help.h"
#include "shell/keys.h"
#include "shell/looks.h"
#include "shell/platform.h"

namespace dovanel {

QRect Twips(int left, int top, int width, int height) {
    return {TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height)};
}

QLabel* AddLabel(QWidget* parent, const QString& name, const QString& text, QRect where,
                 Qt::Alignment align) {
    auto* label = Place(new FittedLabel(text, parent), name, where);
    label->setAlignment(align);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QPushButton* AddButton(QWidget* parent, const QString& name, const QString& caption, QRect where) {
    return Place(new QPushButton(caption, parent), name, where);
}

QLineEdit* AddCell(QWidget* parent, const QString& name, QRect where, bool number) {
    auto* cell = Place(new QLineEdit(parent), name, where);
    if (number) {
        cell->setAlignment(Qt::AlignRight);
        KeepNumberWhole(cell);
    } else {
        ShowWholeTextAsTooltip(cell);
    }
    return cell;
}

int BandIndent() {
    return TwipsToPixels(45);
}

void SetColors(QWidget* widget, const QColor& text, const QColor& background) {
    if (!background.isValid()) {
        SetTextColor(widget, text);
        return;
    }
    SetTextAndBackground(widget, text, background);
    if (auto* label = qobject_cast<QLabel*>(widget); label && label->indent() < 0)
        label->setIndent(BandIndent());
}

QRect InnerArea(const QWidget* frame) {
    return frame->contentsRect().adjusted(1, 1, -1, -1);
}

namespace {

QList<QWidget*> ChildWidgets(QWidget* parent) {
    QList<QWidget*> children;
    for (QObject* child : parent->children())
        if (auto* w = qobject_cast<QWidget*>(child); w && !w->isWindow()) children << w;
    return children;
}

// A control above the frame's contents, beside its title: not one of its rows.
bool InTitleRow(const QWidget* frame, const QWidget* child) {
    return qobject_cast<const QGroupBox*>(frame) &&
           child->geometry().bottom() < frame->contentsRect().top();
}

}  // namespace

void KeepRowsInside(QWidget* frame) {
    frame->ensurePolished();  // a group box's title takes its room once polished
    const QRect inner = InnerArea(frame);
    QList<QWidget*> rows;
    int top = INT_MAX, end = INT_MIN;  // end: one past the lowest row's bottom
    for (QWidget* w : ChildWidgets(frame)) {
        if (InTitleRow(frame, w)) continue;
        rows << w;
        top = std::min(top, w->y());
        end = std::max(end, w->y() + w->height());
    }
    if (rows.isEmpty() || (top >= inner.top() && end <= inner.bottom() + 1)) return;
    const int origin = std::max(top, inner.top());
    const double scale = std::min(1.0, double(inner.bottom() + 1 - origin) / (end - top));
    for (QWidget* w : rows) {
        const int y = origin + int(std::lround((w->y() - top) * scale));
        const int bottom = origin + int(std::lround((w->y() + w->height() - top) * scale));
        w->setGeometry(w->x(), y, w->width(), std::max(bottom - y, 1));
    }
}

void KeepRowsInsideAll(QWidget* frame) {
    KeepRowsInside(frame);
    for (QWidget* w : ChildWidgets(frame)) {
        const bool panel = w->metaObject() == &QFrame::staticMetaObject;  // not a label or a view
        if (qobject_cast<QGroupBox*>(w) || (panel && static_cast<QFrame*>(w)->frameWidth() > 0))
            KeepRowsInsideAll(w);
    }
}

namespace {

// Stands the frame's height, a few pixels either side of its line so that the
// line is never clipped at its edge.
class VerticalLine : public QWidget {
  public:
    using QWidget::QWidget;

  protected:
    void paintEvent(QPaintEvent*) override {
        const QRect inside = parentWidget()->contentsRect();
        const QRect span(0, inside.top() - y() + 1, width(), inside.height() - 2);
        QPainter painter(this);
        const int lineWidth = std::max(1, qRound(painter.deviceTransform().m11()));
        const QRect area = ToDevicePixels(painter, span).toRect();
        const int left = (area.left() + area.right() + 1 - lineWidth) / 2;
        painter.fillRect(QRect(left, area.top(), lineWidth, area.height()),
                         palette().color(QPalette::Dark));
    }
};

}  // namespace

QWidget* AddVerticalLine(QWidget* frame, const QString& name, int x) {
    return Place(new VerticalLine(frame), name, QRect(x - 2, 0, 5, frame->height()));
}

QFrame* AddPanel(QWidget* parent, const QString& name, QRect where, const QColor& colour,
                 const QColor& shadow, int shadowRight, int shadowDown) {
    auto* behind = Place(new QFrame(parent), name + "Shadow",
                         where.translated(TwipsToPixels(shadowRight), TwipsToPixels(shadowDown)));
    SetColors(behind, shadow, shadow);
    auto* panel = Place(new QFrame(parent), name, where);
    SetColors(panel, Qt::black, colour);
    return panel;
}

namespace {
void Run(Effect effect, QWidget* window, const QString& direction) {
    switch (effect) {
        case Effect::SlideIn:
            SlideIn(window, direction);
            break;
        case Effect::SlideOut:
            SlideOut(window, direction);
            break;
        case Effect::GrowIn:
            GrowIn(window, direction);
            break;
        case Effect::ShrinkOut:
            ShrinkOut(window, direction);
            break;
        case Effect::None:
            break;
    }
}
}  // namespace

void DrawFocusMark(QPainter& painter, const QWidget* widget) {
    if (!widget->hasFocus()) return;
    QStyleOptionFocusRect option;
    option.initFrom(widget);
    option.state |= QStyle::State_KeyboardFocusChange;
    option.rect = widget->rect().adjusted(1, 1, -1, -1);
    widget->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, widget);
}

Screen::Screen(QWidget* parent, const ScreenDesign& design) : QDialog(parent), design_(design) {
    setObjectName(design.name);
    setWindowTitle(design.caption);
    setModal(true);
    setFont(WindowFont());
    setFixedSize(TwipsToPixels(design.clientTwips.width()),
                 TwipsToPixels(design.clientTwips.height()));
    GuardModifiedKeys();
}

// Enter presses only the button the design makes the default; where Enter
// moves like Tab, no button is the default.
void Screen::FinishControls(bool enterAsTab, bool numericOnly) {
    if (design_.helpTopic != 0) InstallHelpKey(this, design_.helpTopic);
    if (enterAsTab || numericOnly) InstallKeyPreview(this, {enterAsTab, numericOnly});
    QPushButton* defaultButton = nullptr;
    for (QPushButton* button : findChildren<QPushButton*>())
        if (button->isDefault()) defaultButton = button;
    if (!defaultButton && !enterAsTab) defaultButton = findChild<QPushButton*>("BtnOk");
    SetUpButtons(this, defaultButton);
    NameControls(this);
    FitOnScreen(this);  // a window too large for its screen scrolls its controls
}

void Screen::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (arrived_) return;
    arrived_ = true;
    QTimer::singleShot(0, this, [this] {
        if (isVisible()) Run(design_.arrive, this, design_.arriveDirection);
    });
}

void Screen::done(int result) {
    if (result == QDialog::Rejected)
        for (const auto& restore : restorers_) restore();
    if (!leaving_ && isVisible()) {
        leaving_ = true;
        Run(design_.leave, this, design_.leaveDirection);
    }
    QDialog::done(result);
}

void SetWholeText(QLineEdit* box, const QString& text, int limit) {
    box->setMaxLength(std::max(limit, static_cast<int>(text.size())));
    box->setText(text);
}

}  // namespace dovanel
