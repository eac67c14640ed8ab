#pragma once
// Puts the program's screens behind the main window's menu entries, as the
// window catalogue (ui/catalogue.h) names them. Each opens over the document
// the main window shows when the entry is chosen.

#include "ui/catalogue.h"

namespace dovanel {

class MainWindow;

void RegisterScreens(MainWindow& window);

}  // namespace dovanel
