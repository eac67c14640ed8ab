#pragma once
// The pieces of start-up: where the program's and the user's files are, the
// first run's installation, and one running copy at a time.

#include <QString>
#include <QStringList>

#include "shell/single_instance.h"

namespace dovanel {

// The folder holding the installed data files, help and sounds: beside the
// program in a build tree, or share/dovanel after installation. Ends in "/".
QString FindProgramFolder(const QString& applicationFolder);

// The user's data folder under the given data location, created if missing. Ends in "/".
QString MakeDataFolder(const QString& dataLocation, const QString& productName);

// The files the first run copies, in order (the settings file last).
const QStringList& InstalledFiles();

// A first run: no data file in the data folder yet, and some beside the program.
bool IsFirstRun(const QString& dataFolder, const QString& programFolder);
QString FirstRunMessage(const QString& dataFolder);
// Copies every installed file over; a file that cannot be copied is skipped.
void InstallDataFiles(const QString& programFolder, const QString& dataFolder);

QString AlreadyRunningMessage(const QString& productName);

}  // namespace dovanel
