#pragma once
// The help viewer: one window for the whole program, showing a help page with
// Back, Forward, Home and Contents; it remembers its size in the settings file.

#include <QString>

class QWidget;

namespace dovanel {

// Shows a help page (its file's path) in the viewer, made when first needed.
void ShowHelpPage(const QString& page);

// The help viewer, while it exists; it belongs to the main window.
QWidget* HelpViewerWindow();

// Makes this viewer the one OpenHelpTopic shows its topics in.
void InstallHelpViewer();

}  // namespace dovanel
