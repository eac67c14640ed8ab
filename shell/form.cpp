#include "shell/form.h"

#include <QFrame>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
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

Screen::Screen(QWidget* parent, const ScreenDesign& design) : QDialog(parent), design_(design) {
    setObjectName(design.name);
    setWindowTitle(design.caption);
    setModal(true);
    setFont(WindowFont());
    setFixedSize(TwipsToPixels(design.clientTwips.width()),
                 TwipsToPixels(design.clientTwips.height()));
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
    if (!leaving_ && isVisible()) {
        leaving_ = true;
        Run(design_.leave, this, design_.leaveDirection);
    }
    QDialog::done(result);
}

}  // namespace dovanel
