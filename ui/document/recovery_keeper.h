#pragma once
// Keeps a recovery copy of one document while it has unsaved changes: the
// first change after the copy was last written starts a timer, and when it
// runs out the copy is written (so at most once an interval, and never while
// nothing changed). Saving or discarding the changes (the document no longer
// modified) and closing the document remove the copy.
//
// At start, the copies a crash or a kill left behind are offered back with
// AskToRestore; RestoreCopy puts one into a document, and Adopt makes the
// claimed copy that document's own, so that it stays until the changes are
// saved or discarded.

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <chrono>
#include <functional>
#include <string>

#include "data/recovery_folder.h"

class QWidget;

namespace dovanel {

class ScenarioDocument;

inline constexpr std::chrono::milliseconds kRecoveryInterval{30000};

class RecoveryKeeper : public QObject {
    Q_OBJECT
  public:
    // Watches `document` and keeps its copy in `folder`, which must outlive
    // the keeper. The keeper is a child of the document: closing the document
    // removes its copy.
    RecoveryKeeper(ScenarioDocument& document, RecoveryFolder& folder,
                   std::chrono::milliseconds interval = kRecoveryInterval);
    ~RecoveryKeeper() override;

    // Makes a copy claimed from the recovery folder this document's copy.
    void Adopt(const std::string& copyPath);

    // The copy's path, empty while there is none.
    const std::string& copyPath() const { return copy_; }
    // Why the last write failed; empty once one succeeds.
    const QString& failure() const { return failure_; }

  signals:
    // A copy could not be written: the message for the user (the folder and
    // the system's reason). Emitted once per failure, not per retry.
    void writeFailed(const QString& message);

  private:
    void Changed();
    void ModifiedChanged(bool modified);
    void WriteCopy();
    void RemoveCopy();

    QPointer<ScenarioDocument> document_;
    RecoveryFolder& folder_;
    QTimer timer_;
    std::string copy_;
    std::string written_;  // the text last written, so an unchanged copy is not written again
    bool pending_ = false;
    QString failure_;
};

// The copy as it stands: what the document is, its scenario, written now.
RecoveryCopy CopyOf(const ScenarioDocument& document);

// Puts a recovered copy into `document`: its scenario, and its file for a
// file's copy; the document then has unsaved changes.
void RestoreCopy(ScenarioDocument& document, const RecoveryCopy& copy);

// The message for a copy that could not be written.
QString RecoveryWriteFailedMessage(const std::string& folder, const QString& reason);

// The question offering an orphaned copy back.
QString RestoreQuestion(const RecoveryEntry& copy);

// What the user answered: Yes restores, No discards the copy for good, and
// Escape or the close box keeps it for the next start.
enum class RestoreAnswer { Restore, Discard, Later };
RestoreAnswer AskToRestore(QWidget* parent, const RecoveryEntry& copy);

// What a start does with the copies ended programs left in `folder`, newest
// first: it claims each (so that no other start offers it meanwhile) and asks.
// - Yes: `restore` puts the copy read back into a document (RestoreCopy) and
//   returns that document's keeper, which takes the copy over; nullptr when
//   it could not, and the copy stays for the next start.
// - No: the copy is deleted. Escape: it stays for the next start.
// A copy that cannot be read is shown with its reason, and deleted only when
// the user says so. Returns how many copies were restored.
int OfferOrphanedCopies(QWidget* parent, RecoveryFolder& folder,
                        const std::function<RecoveryKeeper*(const RecoveryCopy&)>& restore);

}  // namespace dovanel
