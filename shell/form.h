#pragma once
// Building windows from their design: controls placed in twips, named as the
// design names them, and a base for the modal screens with their opening and
// closing effects and their F1 key.

#include <QDialog>
#include <QLabel>
#include <QRect>
#include <functional>
#include <vector>

class QFrame;
class QLineEdit;
class QPainter;
class QPushButton;

namespace dovanel {

QRect Twips(int left, int top, int width, int height);

template <typename W>
W* Place(W* widget, const QString& name, QRect where) {
    widget->setObjectName(name);
    widget->setGeometry(where);
    return widget;
}

// Labels draw their text fitted to their place (shell/fitting.h); number cells
// show a number too wide for them in a smaller size.
QLabel* AddLabel(QWidget* parent, const QString& name, const QString& text, QRect where,
                 Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter);
QPushButton* AddButton(QWidget* parent, const QString& name, const QString& caption, QRect where);
// Shows a stored text whole: the box's typing limit never cuts what a file
// already holds (a longer text keeps its length as the limit).
void SetWholeText(QLineEdit* box, const QString& text, int limit);

// A text cell, right-aligned for numbers.
QLineEdit* AddCell(QWidget* parent, const QString& name, QRect where, bool number = true);

// Text colour, and background colour when given, through the palette (style
// sheets would stop the window's font from reaching the control). The text
// colour is kept readable on its background under light and dark themes.
void SetColors(QWidget* widget, const QColor& text, const QColor& background = QColor());

// The style's focus frame just inside the widget's edge, drawn whenever the
// widget has the focus (not only after a Tab), for controls that draw none.
void DrawFocusMark(QPainter& painter, const QWidget* widget);

// A caption on a coloured band (a label with a background of its own) keeps
// this many pixels between its text and the band's edge.
int BandIndent();

// Where a frame's controls stand: inside its line, below a group box's title,
// a pixel clear of both.
QRect InnerArea(const QWidget* frame);
// The design places a frame's first row a fixed distance below its top, and
// its last at its bottom, for a narrow font: where the desktop font's title
// or line is taller, the frame's controls move down below it and their rows
// close up evenly to end above the lower line. Controls keep their order,
// their left and right edges, and their places where they already fit.
void KeepRowsInside(QWidget* frame);
// KeepRowsInside for the frame, then for every frame inside it.
void KeepRowsInsideAll(QWidget* frame);

// A vertical line at `x` down the inside of a frame, from under its top line
// to above its bottom one (wherever the style and the font put them), as wide
// as a frame's line: it lands on whole device pixels at every scale, one
// pixel wide at 100 %, two at 150 % and 200 %, never blurred across two
// half-covered pixels.
QWidget* AddVerticalLine(QWidget* frame, const QString& name, int x);

// A coloured panel with a drop shadow behind it, offset right and down (in twips).
QFrame* AddPanel(QWidget* parent, const QString& name, QRect where, const QColor& colour,
                 const QColor& shadow, int shadowRight = 45, int shadowDown = 60);

enum class Effect { None, SlideIn, SlideOut, GrowIn, ShrinkOut };

// Most screens slide in from one side and slide out upwards; the others say so.
struct ScreenDesign {
    ScreenDesign(QString formName, QString windowCaption, QSize client, QString arriveFrom,
                 int topic = 0)
        : name(std::move(formName)),
          caption(std::move(windowCaption)),
          clientTwips(client),
          arriveDirection(std::move(arriveFrom)),
          helpTopic(topic) {}
    ScreenDesign& Arriving(Effect effect, QString direction) {
        arrive = effect;
        arriveDirection = std::move(direction);
        return *this;
    }
    ScreenDesign& Leaving(Effect effect, QString direction) {
        leave = effect;
        leaveDirection = std::move(direction);
        return *this;
    }

    QString name;     // the form's name
    QString caption;  // the window title
    QSize clientTwips;
    Effect arrive = Effect::SlideIn;
    QString arriveDirection;
    Effect leave = Effect::SlideOut;
    QString leaveDirection = "UP";
    int helpTopic = 0;  // F1; 0 for none
};

// A modal screen of the program: its effect when it first appears and when it closes.
class Screen : public QDialog {
    Q_OBJECT
  public:
    Screen(QWidget* parent, const ScreenDesign& design);

    // Runs the closing effect once, then closes.
    void done(int result) override;

  protected:
    void showEvent(QShowEvent* event) override;
    // Installs F1, the key preview and the buttons' keys once the controls exist,
    // and fits the window to its screen (FitOnScreen).
    void FinishControls(bool enterAsTab, bool numericOnly);
    // What the window changes in place as the user types, kept as it is now:
    // Cancel, Escape and the close box put it back.
    template <typename T>
    void RestoreOnCancel(T& edited) {
        restorers_.push_back([&edited, opened = edited] { edited = opened; });
    }

  private:
    std::vector<std::function<void()>> restorers_;
    ScreenDesign design_;
    bool arrived_ = false;
    bool leaving_ = false;
};

}  // namespace dovanel
