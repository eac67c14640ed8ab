#include "ui/screens.h"

#include "ui/main/main_window.h"
#include "ui/properties/scenario_properties.h"

namespace dovanel {

// Every window the catalogue opens from a menu entry stands behind that entry.
void RegisterScreens(MainWindow& window) {
    MainWindow* main = &window;
    for (const WindowEntry& entry : EveryWindow())
        for (const MenuOpening& opening : entry.menu)
            window.SetMenuAction(opening.entry,
                                 [main, open = opening.open] { open(main->document(), *main); });
    // The mortgage type's "Program..." button: the scenario's choices, on the program's own.
    window.SetLoanProgramOpening([main](GovernmentProgram program) {
        ScenarioProperties properties(main->document());
        properties.FocusChoiceOf(program);
        properties.exec();
    });
}

}  // namespace dovanel
