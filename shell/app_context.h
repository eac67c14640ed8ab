#pragma once
// The values start-up works out once and every window reads.

#include <QString>

#include "data/data_files.h"

namespace dovanel {

struct AppContext {
    QString productName;  // "Dovanel"
    QString versionText;  // major.minor.revision
    int majorVersion = 0;
    QString programFolder;  // installed data files, help, sounds, updater; ends in "/"
    QString helpFile;       // the help, addressed by topic number
    QString dataFolder;     // the user's data files; ends in "/"
    QString settingsFile;   // dataFolder + "DV.INI"
    QString webHost;        // the maker's web site
    bool showQuickStart = false;
    bool settingsFailureReported = false;  // a failed write of the settings was told once
};

AppContext& App();

// Reads "Show Quick Start Information" from the settings file: on unless it says otherwise.
void ReadSettings(AppContext& app);
// Writes the Quick Start setting as "YES" or "NO"; on failure the result says why.
WriteResult WriteQuickStartSetting(const AppContext& app, bool show);

}  // namespace dovanel
