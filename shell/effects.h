#pragma once
// Window effects: windows slide, grow and shrink in and out from the screen's
// edges, with a click when they arrive and a chime when they leave. Each step
// moves or sizes the window once and lets it be drawn. After a closing effect
// the window is back at its design place and size, hidden.

#include <QString>
#include <vector>

class QPoint;
class QRect;
class QScreen;
class QWidget;

namespace dovanel {

// Directions are "UP", "DOWN", "LEFT" and "RIGHT", in any case; anything else
// moves nothing (the sound still plays).
void SlideIn(QWidget* window, const QString& direction);
void SlideOut(QWidget* window, const QString& direction);
void GrowIn(QWidget* window, const QString& direction);
void ShrinkOut(QWidget* window, const QString& direction);

// Plays a sound from the program folder to its end, if the file is there.
void PlaySoundFile(const QString& name);
void Pause(double seconds);
// Centres the window's frame within the available area of the screen that
// holds the main window (the primary screen while there is none).
void CenterOnScreen(QWidget* window);
// The screen that holds the program's main window, other than `except`.
QScreen* ScreenOfMainWindow(const QWidget* except = nullptr);
// Puts the window's frame, title bar included, at `topLeft` (a designed position).
void PlaceFrame(QWidget* window, QPoint topLeft);
// A window of fixed design size stays usable on a screen too small for it (a
// laptop at 200 %): where the window and its frame do not fit `area`, its
// controls move unchanged into a scrolling view, the window shrinks to the
// area, and it is moved inside it. A window that fits is left alone.
void FitIntoArea(QWidget* window, const QRect& area);
// FitIntoArea with the available area of the screen the window opens on.
void FitOnScreen(QWidget* window);

// The values a counted loop over a real counter takes from `from` towards `to`
// in steps of `step` (it ends when the counter passes `to`); a step of 0 gives none.
std::vector<int> CountedSteps(double from, double to, double step);

inline constexpr char kArriveSound[] = "ClickBg.wav";
inline constexpr char kLeaveSound[] = "message2.wav";

}  // namespace dovanel
