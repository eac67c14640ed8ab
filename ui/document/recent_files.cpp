#include "ui/document/recent_files.h"

#include "shell/app_context.h"
#include "shell/ini_file.h"

namespace dovanel {

namespace {

const char kSection[] = "Recent Files";

std::string Key(int i) {
    return "File" + std::to_string(i + 1);
}

WriteResult WriteRecentFiles(const QStringList& files) {
    const std::string settings = App().settingsFile.toStdString();
    for (int i = 0; i < kRecentFileCount; ++i) {
        const std::string value = i < files.size() ? files[i].toStdString() : std::string();
        if (ReadIniString(kSection, Key(i), "", settings) == value) continue;
        const WriteResult written = WriteIniString(kSection, Key(i), value, settings);
        if (!written) return written;
    }
    return {true, {}};
}

// A settings value keeps at most 255 bytes on one line, without blanks at its
// ends: a path it would cut or change is not kept in the list.
bool Storable(const QString& path) {
    const std::string bytes = path.toStdString();
    return !path.isEmpty() && bytes.size() <= kIniValueLimit && path.trimmed() == path &&
           !path.contains('\n') && !path.contains('\r');
}

}  // namespace

QStringList RecentFiles() {
    QStringList files;
    const std::string settings = App().settingsFile.toStdString();
    for (int i = 0; i < kRecentFileCount; ++i) {
        const QString path = QString::fromStdString(ReadIniString(kSection, Key(i), "", settings));
        if (!path.isEmpty() && !files.contains(path)) files << path;
    }
    return files;
}

WriteResult AddRecentFile(const QString& path) {
    if (!Storable(path)) return {true, {}};
    QStringList files = RecentFiles();
    files.removeAll(path);
    files.prepend(path);
    return WriteRecentFiles(files.mid(0, kRecentFileCount));
}

WriteResult RemoveRecentFile(const QString& path) {
    QStringList files = RecentFiles();
    files.removeAll(path);
    return WriteRecentFiles(files);
}

}  // namespace dovanel
