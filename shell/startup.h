#pragma once
// The pieces of start-up: where the program's and the user's files are, the
// first run's installation, and one running copy at a time.

#include <QString>
#include <QStringList>

#include "data/install.h"
#include "shell/single_instance.h"

namespace dovanel {

// The folder holding the installed data files, help and sounds: beside the
// program in a build tree, or share/dovanel after installation. Ends in "/".
QString FindProgramFolder(const QString& applicationFolder);

// The user's data folder under the given data location, created if missing
// (0700: income and debts are private). Ends in "/".
QString MakeDataFolder(const QString& dataLocation, const QString& productName);

// Empty when the data folder is a folder (created if missing); otherwise the
// message saying why there is none, naming its path.
QString DataFolderProblem(const QString& dataFolder);

// The files the first run copies, in order (the settings file last).
const QStringList& InstalledFiles();

// A first run: no data file in the data folder yet, and some beside the program.
bool IsFirstRun(const QString& dataFolder, const QString& programFolder);
QString FirstRunMessage(const QString& dataFolder);
// Copies every installed file over, all or nothing (a file missing beside the
// program is skipped): on failure the data folder is as it was.
InstallResult InstallDataFiles(const QString& programFolder, const QString& dataFolder);
QString InstallFailedMessage(const QString& dataFolder, const InstallResult& result);

// The data folder's part of start-up: creates the folder, removes what an
// interrupted save or first run left (only when `onlyCopy`: another running
// copy may be saving), installs the data files on a first run and sets
// `app.dataFolder`. False when the program must end; the user has been told why.
struct AppContext;
bool SetUpDataFolder(AppContext& app, const QString& dataLocation, bool onlyCopy);

QString AlreadyRunningMessage(const QString& productName);
// Asks whether to run a second copy beside the running one ("ALREADY RUNNING"):
// true when the user answers Yes.
bool AskToRunAnotherCopy(const QString& productName);

// Where the single-instance lock goes when there is no private runtime folder:
// a folder inside the data folder (which is made, private, if missing).
QString InstanceFallbackFolder(const QString& dataLocation, const QString& productName);

#include "data/install.h"
}  // namespace dovanel
