#pragma once
// Every window of the program in one table: how to make it ready to look at
// (for the screenshot review and the window tests), the main window's menu
// entries that open it, the control it opens in and the data file its Ok
// writes. The menu registration (ui/screens.h) and the window tests are
// derived from it.

#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "data/data_files.h"
#include "engine/model.h"
#include "ui/document/scenario_document.h"

class QWidget;

namespace dovanel {

class MainWindow;

// What every window is made over for a look at it: a loaded model (a window
// over a document gets one that borrows the model and goes with the window).
using WindowSubject = Model;

// A main window's menu entry that opens the window, and how it opens it there:
// over the document the main window shows.
struct MenuOpening {
    const char* entry;  // the menu action's name
    std::function<void(ScenarioDocument&, MainWindow&)> open;
};

struct WindowEntry {
    QString name;  // the form's name, or a name for a special state of it
    // Makes the window over the loaded model, filled and laid out but not shown.
    std::function<std::unique_ptr<QWidget>(WindowSubject&)> make;
    // The main window's menu entries that open it; none for a special state.
    std::vector<MenuOpening> menu = {};
    // The control that has the focus when the window opens, for a dialog the
    // keyboard tests open on its own; empty otherwise.
    QString firstFocus = {};
    // The data file its Ok writes, if it writes one.
    std::optional<DataFile> okWrites = {};
};

// The main window (loaded from the data folder), every screen and editor, the
// Quick Start window, the about box and the splash, each filled as its first
// showing fills it, and special states of some of them.
const std::vector<WindowEntry>& EveryWindow();

// Fills every box of the window with the longest value it accepts: digits for
// number boxes (as many as its typing limit, or the seven a stored number
// keeps), wide letters for text boxes.
void FillLongest(QWidget* window);

}  // namespace dovanel
