#pragma once
// The window walk: what a user would see wrong in a window, found by looking
// at its controls. Each check returns one line per fault, naming the control.

#include <QRect>
#include <QStringList>

class QWidget;

namespace dovanel::test {

QString Describe(const QWidget* w);
// The text a control shows, without access-key marks.
QString TextOf(const QWidget* w);
bool ShowsText(QWidget* w, QWidget* window);

// Texts too wide for their place, wrapped texts too tall for it, and texts
// that run into a neighbour's.
QStringList TextProblems(QWidget* window);

// Sibling controls that overlap (a control lying wholly on a frame or a band
// is on it, not over it; two text boxes of a grid may share their edge
// line), buttons that touch, and controls over the line or title of the frame
// that holds them.
QStringList OverlapProblems(QWidget* window);

// Numbers shown more than 1.5 pt smaller than their window's font.
QStringList ShrinkProblems(QWidget* window);

// Captions of coloured bands that start or end flush at the band's edge, and
// column headings that straddle the line between two columns of boxes.
QStringList EdgeProblems(QWidget* window);

// Fits the window into `area` as the program does on a small screen, then
// names every control that cannot be reached there.
QStringList ScreenProblems(QWidget* window, const QRect& area);

// Every check above but the screen's.
QStringList LayoutProblems(QWidget* window);

}  // namespace dovanel::test
