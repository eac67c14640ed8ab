#pragma once
// Puts the program's screens behind the main window's menu entries, as the
// window catalogue (ui/catalogue.h) names them.

#include "ui/catalogue.h"

namespace dovanel {

class MainWindow;

void RegisterScreens(MainWindow& window, WindowSubject& subject);

}  // namespace dovanel
