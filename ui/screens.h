#pragma once
// Puts the program's screens behind the main window's menu entries.

#include "engine/model.h"

namespace dovanel {

class MainWindow;

void RegisterScreens(MainWindow& window, Model& model);

}  // namespace dovanel
