#pragma once
// Window effects: windows slide, grow and shrink in and out from the screen's
// edges, with a click when they arrive and a chime when they leave. Each step
// moves or sizes the window once and lets it be drawn. After a closing effect
// the window is back at its design place and size, hidden.

#include <QString>
#include <vector>

class QPoint;
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

// The values a counted loop over a real counter takes from `from` towards `to`
// in steps of `step` (it ends when the counter passes `to`); a step of 0 gives none.
std::vector<int> CountedSteps(double from, double to, double step);

inline constexpr char kArriveSound[] = "ClickBg.wav";
inline constexpr char kLeaveSound[] = "message2.wav";

}  // namespace dovanel
