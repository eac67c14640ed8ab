#include "shell/startup.h"

#include <QDir>
#include <QFileInfo>

#include "data/file_write.h"
#include "shell/app_context.h"
#include "shell/platform.h"

namespace dovanel {

namespace {
QString WithSlash(QString folder) {
    return folder.endsWith('/') ? folder : folder + '/';
}

// Name filters match without regard to case, as "*.dat" does on the desktop.
bool HasDataFile(const QString& folder) {
    return !QDir(folder).entryList({"*.dat"}, QDir::Files).isEmpty();
}

std::vector<std::string> InstalledNames() {
    std::vector<std::string> names;
    for (const QString& name : InstalledFiles()) names.push_back(name.toStdString());
    return names;
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
    MakePrivateFolder(folder.toStdString());
    return WithSlash(folder);
}

QString DataFolderProblem(const QString& dataFolder) {
    const WriteResult made = MakePrivateFolder(dataFolder.toStdString());
    if (made) return {};
    const QString path = QDir::toNativeSeparators(QDir::cleanPath(dataFolder));
    if (QFileInfo(path).exists() && !QFileInfo(path).isDir())
        return "The data folder cannot be made because a file of the same name is in its place:"
               "\r\r" +
               path + "\r\rMove or rename that file, then start " + App().productName + " again.";
    return "The data folder\r\r" + path +
           "\r\rcould not be made: " + QString::fromStdString(made.reason);
}

const QStringList& InstalledFiles() {
    static const QStringList files = {"ESTIMATE.DAT", "MAIN.DAT",  "COMPS.DAT",    "PMI.DAT",
                                      "ESCROW.DAT",   "TITLE.DAT", "FANMAE.DAT",   "LOANORIG.DAT",
                                      "INCOME.DAT",   "DEBT.DAT",  "GOVLOANS.DAT", "DV.INI"};
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

InstallResult InstallDataFiles(const QString& programFolder, const QString& dataFolder) {
    return InstallFiles(programFolder.toStdString(), dataFolder.toStdString(), InstalledNames());
}

QString InstallFailedMessage(const QString& dataFolder, const InstallResult& result) {
    return "The data files could not be put in\r\r" + dataFolder + "\r\r" +
           QString::fromStdString(result.file) + ": " + QString::fromStdString(result.reason);
}

bool SetUpDataFolder(AppContext& app, const QString& dataLocation, bool onlyCopy) {
    const auto start = std::filesystem::file_time_type::clock::now();
    app.dataFolder = MakeDataFolder(dataLocation, app.productName);
    const QString problem = DataFolderProblem(app.dataFolder);
    if (!problem.isEmpty()) {
        Message(nullptr, problem, app.productName, MsgIcon::Critical);
        return false;
    }
    if (onlyCopy) RemoveLeftovers(app.dataFolder.toStdString(), InstalledNames(), start);
    if (!IsFirstRun(app.dataFolder, app.programFolder)) return true;
    Message(nullptr, FirstRunMessage(app.dataFolder), "INITIALIZING", MsgIcon::Information);
    const InstallResult installed = InstallDataFiles(app.programFolder, app.dataFolder);
    if (installed.ok) return true;
    Message(nullptr, InstallFailedMessage(app.dataFolder, installed), app.productName,
            MsgIcon::Critical);
    return false;
}

QString InstanceFallbackFolder(const QString& dataLocation, const QString& productName) {
    return MakeDataFolder(dataLocation, productName) + ".single-instance/";
}

QString AlreadyRunningMessage(const QString& productName) {
    return "\"" + productName + "\" is already running, launch another instance of it now?";
}

bool AskToRunAnotherCopy(const QString& productName) {
    return Message(nullptr, AlreadyRunningMessage(productName), "ALREADY RUNNING",
                   MsgIcon::Question, MsgButtons::YesNo, MsgAnswer::Yes) == MsgAnswer::Yes;
}

}  // namespace dovanel
