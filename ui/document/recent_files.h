#pragma once
// The scenario files opened or saved last, newest first, kept in the settings
// file's "Recent Files" section as File1 .. File8 (the other sections stay as
// they are).

#include <QStringList>

#include "data/file_write.h"

namespace dovanel {

inline constexpr int kRecentFileCount = 8;

// The list as the settings file holds it; empty entries are left out.
QStringList RecentFiles();
// Puts `path` first (once), keeping at most eight. A path the settings file
// cannot hold whole (over 255 bytes, a line break) is left out.
WriteResult AddRecentFile(const QString& path);
WriteResult RemoveRecentFile(const QString& path);

}  // namespace dovanel
