#include "ui/screens.h"

#include "ui/main/main_window.h"

namespace dovanel {

void RegisterScreens(MainWindow& window, Model& model) {
    (void)window;
    (void)model;
}

}  // namespace dovanel
