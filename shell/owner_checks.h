#pragma once
// Whose a folder, a socket file or the other end of a local connection is, and
// whether a process still runs: what one copy of the program trusts of
// another. The system's calls sit in shell/owner_checks_posix.cpp.

#include <QString>
#include <QtGlobal>

namespace dovanel {

// A folder of this user's that nobody else may enter, made if missing (a
// folder others may enter is closed to them first).
bool IsPrivateFolder(const QString& folder);

// A socket file of this user's (not a link to one, nor a stranger's).
bool IsOwnSocket(const QString& path);

// Whether the other end of a connected local socket runs as this user.
bool PeerIsSameUser(qintptr descriptor);

// Whether no process of that number runs any more.
bool ProcessIsGone(qint64 pid);

}  // namespace dovanel
