#pragma once
// Every window of the program, made ready to look at: for the screenshot
// review and for the tests that check how every window looks.

#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "engine/model.h"

class QWidget;

namespace dovanel {

struct WindowEntry {
    QString name;  // the form's name, or a name for a special state of it
    // Makes the window over the loaded model, filled and laid out but not shown.
    std::function<std::unique_ptr<QWidget>(Model&)> make;
};

// The main window (loaded from the data folder), every screen and editor, the
// Quick Start window, the about box and the splash, each filled as its first
// showing fills it.
const std::vector<WindowEntry>& EveryWindow();

// Fills every box of the window with the longest value it accepts: digits for
// number boxes (as many as its typing limit, or the seven a stored number
// keeps), wide letters for text boxes.
void FillLongest(QWidget* window);

}  // namespace dovanel
