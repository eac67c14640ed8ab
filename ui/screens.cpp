#include "ui/screens.h"

#include "ui/main/main_window.h"

namespace dovanel {

// Every window the catalogue opens from a menu entry stands behind that entry.
void RegisterScreens(MainWindow& window) {
    MainWindow* main = &window;
    for (const WindowEntry& entry : EveryWindow())
        for (const MenuOpening& opening : entry.menu)
            window.SetMenuAction(opening.entry,
                                 [main, open = opening.open] { open(main->document(), *main); });
}

}  // namespace dovanel
