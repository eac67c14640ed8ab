#include "shell/startup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace dovanel {

namespace {
QString WithSlash(QString folder) {
    return folder.endsWith('/') ? folder : folder + '/';
}

// Name filters match without regard to case, as "*.dat" does on the desktop.
bool HasDataFile(const QString& folder) {
    return !QDir(folder).entryList({"*.dat"}, QDir::Files).isEmpty();
}

}  // namespace

QString FindProgramFolder(const QString& applicationFolder) {
    const QString beside = WithSlash(applicationFolder);
    if (QFileInfo::exists(beside + "MAIN.DAT")) return beside;
    const QString installed = QDir::cleanPath(beside + "../share/dovanel");
    if (QFileInfo::exists(installed + "/MAIN.DAT")) return WithSlash(installed);
    return beside;
}

QString MakeDataFolder(const QString& dataLocation, const QString& productName) {
    const QString folder = QDir::cleanPath(dataLocation + "/" + productName);
    QDir().mkpath(folder);
    return WithSlash(folder);
}

const QStringList& InstalledFiles() {
    static const QStringList files = {"ESTIMATE.DAT", "MAIN.DAT",  "COMPS.DAT",  "PMI.DAT",
                                      "ESCROW.DAT",   "TITLE.DAT", "FANMAE.DAT", "LOANORIG.DAT",
                                      "INCOME.DAT",   "DEBT.DAT",  "DV.INI"};
    return files;
}

bool IsFirstRun(const QString& dataFolder, const QString& programFolder) {
    return !HasDataFile(dataFolder) && HasDataFile(programFolder);
}

QString FirstRunMessage(const QString& dataFolder) {
    return "Since this appears to be the first time the program has been run, some data files will "
           "be put in\r\r" +
           dataFolder + "\r\rENJOY THE PROGRAM!";
}

void InstallDataFiles(const QString& programFolder, const QString& dataFolder) {
    for (const QString& name : InstalledFiles()) {
        const QString target = dataFolder + name;
        if (!QFileInfo::exists(programFolder + name)) continue;
        QFile::remove(target);
        if (QFile::copy(programFolder + name, target))
            QFile::setPermissions(target, QFile::permissions(target) | QFileDevice::WriteOwner);
    }
}

QString AlreadyRunningMessage(const QString& productName) {
    return "\"" + productName + "\" is already running, launch another instance of it now?";
}

}  // namespace dovanel
