#pragma once
// The program's looks on any Linux desktop: its icon, the light and dark
// palettes it is checked under, and text colours that stay readable on them.

#include <QColor>
#include <QIcon>
#include <QPalette>

class QApplication;
class QWidget;

namespace dovanel {

// Contrast ratio of two colours (1 to 21) by their relative luminance.
double Contrast(const QColor& a, const QColor& b);
// The least contrast every text keeps with its background.
inline constexpr double kReadableContrast = 4.5;
// `wanted`, darkened or lightened towards black or white just enough to reach
// the readable contrast on `background`.
QColor Readable(const QColor& wanted, const QColor& background);

// Fusion's own light palette, and the dark one of a dark desktop theme.
QPalette LightPalette();
QPalette DarkPalette();

// The program's icon, from its scalable picture (sharp at any size).
QIcon ProgramIconSet();

// Sets the program's icon as every window's default and chooses the windows' font.
void SetUpLooks(QApplication& application);

// The text colour of a control whose design gives it one: on the background
// the design gives it, or else on whatever background the desktop's theme
// puts behind it (kept readable when the theme changes).
void SetTextColor(QWidget* widget, const QColor& text);
void SetTextAndBackground(QWidget* widget, const QColor& text, const QColor& background);

// The palette roles a control draws its text and background with.
QPalette::ColorRole TextRoleOf(const QWidget* widget);
QPalette::ColorRole BackgroundRoleOf(const QWidget* widget);

}  // namespace dovanel
