#pragma once
// One copy of the program per user. The first copy holds a lock file; every
// copy, the first and any the user chose to start beside it, listens on a
// socket of its own beside the lock, in the user's private runtime folder, so
// that a later copy can ask a running one to bring its main window to the
// front. Only sockets and peers of the same user are trusted.

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

class QLockFile;
class QLocalServer;

namespace dovanel {

class SingleInstance : public QObject {
    Q_OBJECT
  public:
    explicit SingleInstance(const QString& name, QObject* parent = nullptr);
    ~SingleInstance() override;

    // False when another copy holds the lock. True when this copy took it, and
    // also when no lock can be made at all (no private runtime folder, or a
    // full or read-only one): the program then runs without the protection.
    bool TryLock();
    // Whether this copy holds the lock.
    bool Protected() const;
    // Asks a running copy (the lock holder first) to show its main window;
    // true when one answered.
    bool ActivateRunningCopy(int timeoutMs = 2000);
    // Calls `onActivate` whenever a later copy asks; false when this copy
    // cannot be reached.
    bool Listen(std::function<void()> onActivate);

    // The private folder holding the lock and the sockets, empty when the
    // runtime folder is missing or not the user's alone.
    QString Folder() const;

  private:
    QStringList SocketsToTry() const;

    QString name_;
    QLockFile* lock_ = nullptr;
    QLocalServer* server_ = nullptr;
};

}  // namespace dovanel
