#include "ui/screens.h"

#include "ui/estimate/estimate_screen.h"
#include "ui/estimate/values_editor.h"
#include "ui/main/main_window.h"

namespace dovanel {

void RegisterScreens(MainWindow& window, Model& model) {
    MainWindow* w = &window;
    Model* m = &model;
    window.SetMenuAction("mnuFileViewItem", [w, m] { EstimateScreen(*m).exec(); });
    window.SetMenuAction("mnuFileValues1", [w, m] { ValuesEditor(*m).exec(); });
    (void)w;
}

}  // namespace dovanel
