#include "shell/form.h"

#include <QFrame>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QTimer>

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

void SetColors(QWidget* widget, const QColor& text, const QColor& background) {
    if (background.isValid())
        SetTextAndBackground(widget, text, background);
    else
        SetTextColor(widget, text);
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

}  // namespace dovanel
