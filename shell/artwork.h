#pragma once
// The program's pictures, drawn rather than shipped: they stay sharp at any size.

#include <QPixmap>

namespace dovanel {

// A house with a dollar sign: the program's icon.
QPixmap ProgramIcon(int size);
// A pair of house keys, for the Quick Start window.
QPixmap KeysPicture(int size);
// A small red flag on a pole, the main window's warning sign.
QPixmap RedFlagPicture(int size);
// An arrow pointing up or down, for picture buttons.
QPixmap ArrowPicture(int size, bool up);

}  // namespace dovanel
