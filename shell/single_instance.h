#pragma once
// One copy of the program per user. The first copy holds a lock file; every
// copy, the first and any the user chose to start beside it, listens on a
// socket of its own beside the lock, in the user's private runtime folder, so
// that a later copy can ask a running one to bring its main window to the
// front. Only sockets, folders and peers of the same user are trusted. Without
// a runtime folder of the user's own (XDG_RUNTIME_DIR unset, or a folder
// somebody else made first), a private folder given by the program serves.

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
    // `fallback`: the folder (the user's own, made if missing) for when there
    // is no private runtime folder; empty for none.
    explicit SingleInstance(const QString& name, const QString& fallback = {},
                            QObject* parent = nullptr);
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
    // Asks a running copy to open a file (and come to the front); true when one
    // took the request. `path` should be absolute: the copies' folders differ.
    bool AskRunningCopyToOpen(const QString& path, int timeoutMs = 2000);
    // Calls `onActivate` whenever a later copy asks to be shown, `onOpen` when
    // it asks for a file to be opened (after the request has been answered, so
    // that questions the opening asks never keep the later copy waiting);
    // false when this copy cannot be reached.
    bool Listen(std::function<void()> onActivate, std::function<void(const QString&)> onOpen = {});

    // The private folder holding the lock and the sockets: in the runtime
    // folder, else the fallback; empty when neither is the user's alone.
    QString Folder() const;

  private:
    QStringList SocketsToTry() const;
    bool Send(const QByteArray& request, int timeoutMs);

    QString name_;
    QString fallback_;
    QLockFile* lock_ = nullptr;
    QLocalServer* server_ = nullptr;
};

}  // namespace dovanel
