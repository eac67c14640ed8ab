#pragma once
// Where the program lies: in a folder the system's package manager owns, and
// whether this user may write into it. The system's calls sit in
// shell/program_folder_posix.cpp.

#include <QString>

namespace dovanel {

// The file the write probe creates in the program folder and removes again.
inline constexpr char kAdminTestFile[] = "su-test.tmp";

// Whether `folder` lies where the system's package manager installs programs
// (/usr, /opt, /bin, /sbin, /snap, /app), symbolic links resolved.
bool IsSystemLocation(const QString& folder);

// Whether `folder` (ending in a separator) can be written to, probed by creating
// the test file there afresh, never through an existing file or link.
bool CanWriteProgramFolder(const QString& folder);

}  // namespace dovanel
