#pragma once
// The program's looks on any Linux desktop: its icon, the light and dark
// palettes it is checked under, and text colours that stay readable on them.

#include <QColor>
#include <QIcon>
#include <QPalette>

class QApplication;
class QPainter;
class QWidget;

namespace dovanel {

// Contrast ratio of two colours (1 to 21) by their relative luminance.
double Contrast(const QColor& a, const QColor& b);
// The least contrast every text keeps with its background.
inline constexpr double kReadableContrast = 4.5;
// The least contrast the outline of a control (a text box, a check box, an
// option button, a drop-down list) keeps with the background around it.
inline constexpr double kOutlineContrast = 3.0;
// `wanted`, darkened or lightened towards black or white just enough to reach
// `contrast` on `background`.
QColor Readable(const QColor& wanted, const QColor& background,
                double contrast = kReadableContrast);

// Fusion's own light palette, and the dark one of a dark desktop theme.
QPalette LightPalette();
QPalette DarkPalette();

// The program's icon, from its scalable picture (sharp at any size).
QIcon ProgramIconSet();

// Sets the program's icon as every window's default, chooses the windows' font
// and keeps the controls' outlines visible (UseVisibleOutlines).
void SetUpLooks(QApplication& application);

// Draws the outlines of text boxes, check boxes, option buttons, drop-down
// lists and spin boxes over the desktop's style, in a colour that keeps the
// outline contrast with the background around them, in light and dark themes
// alike; lines a whole number of device pixels wide at every scale.
void UseVisibleOutlines(QApplication& application);

// The text colour of a control whose design gives it one: on the background
// the design gives it, or else on whatever background the desktop's theme
// puts behind it (kept readable when the theme changes).
void SetTextColor(QWidget* widget, const QColor& text);
void SetTextAndBackground(QWidget* widget, const QColor& text, const QColor& background);

// Sets the painter to draw in device pixels and gives `logical` (in the
// painter's current coordinates) in device pixels: lines drawn there land on
// whole device pixels at every scale.
QRectF ToDevicePixels(QPainter& painter, const QRectF& logical);

// The palette roles a control draws its text and background with.
QPalette::ColorRole TextRoleOf(const QWidget* widget);
QPalette::ColorRole BackgroundRoleOf(const QWidget* widget);

}  // namespace dovanel
