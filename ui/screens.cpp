#include "ui/screens.h"

#include "ui/main/main_window.h"

namespace dovanel {

// Every window the catalogue opens from a menu entry stands behind that entry.
void RegisterScreens(MainWindow& window, WindowSubject& subject) {
    WindowSubject* m = &subject;
    MainWindow* main = &window;
    for (const WindowEntry& entry : EveryWindow())
        for (const MenuOpening& opening : entry.menu)
            window.SetMenuAction(opening.entry,
                                 [m, main, open = opening.open] { open(*m, *main); });
}

}  // namespace dovanel
