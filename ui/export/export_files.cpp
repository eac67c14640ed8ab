#include "ui/export/export_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "data/file_write.h"
#include "shell/platform.h"
#include "shell/write_failure.h"

namespace dovanel {

QString& LastExportFolder() {
    static QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return folder;
}

QString AskForExportFile(QWidget* window, const QString& caption, const QString& name,
                         const QString& filter) {
    const QString path = ThePlatform().ChooseSaveFile(
        window, caption, QDir(LastExportFolder()).filePath(name), filter);
    if (!path.isEmpty()) LastExportFolder() = QFileInfo(path).absolutePath();
    return path;
}

bool SaveScheduleCsv(QWidget* window, const std::vector<PayoffRow>& rows,
                     const QString& suggestedName) {
    const QString path =
        AskForExportFile(window, "Export CSV", suggestedName, "CSV files (*.csv);;All files (*)");
    if (path.isEmpty()) return false;
    const WriteResult written =
        WriteNamedFile(QFile::encodeName(path).toStdString(), ScheduleCsv(rows));
    if (!written) ReportWriteFailure(window, path, written, {});
    return written.ok;
}

}  // namespace dovanel
