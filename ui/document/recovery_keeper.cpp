#include "ui/document/recovery_keeper.h"

#include <QDateTime>
#include <QFile>
#include <QLocale>

#include "shell/platform.h"
#include "ui/document/scenario_document.h"

namespace dovanel {

namespace {

RecoveredKind KindOf(ScenarioDocument::Kind kind) {
    switch (kind) {
        case ScenarioDocument::Kind::DefaultLoan:
            return RecoveredKind::DefaultLoan;
        case ScenarioDocument::Kind::File:
            return RecoveredKind::File;
        default:
            return RecoveredKind::Untitled;
    }
}

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

// "December 10, 2026 at 7:52 AM" in the user's language.
QString WhenWritten(std::int64_t written) {
    const QDateTime when = QDateTime::fromSecsSinceEpoch(written);
    const QLocale locale;
    return locale.toString(when.date(), QLocale::LongFormat) + " at " +
           locale.toString(when.time(), QLocale::ShortFormat);
}

}  // namespace

RecoveryKeeper::RecoveryKeeper(ScenarioDocument& document, RecoveryFolder& folder,
                               std::chrono::milliseconds interval)
    : QObject(&document), document_(&document), folder_(folder) {
    timer_.setSingleShot(true);
    timer_.setInterval(interval);
    connect(&timer_, &QTimer::timeout, this, &RecoveryKeeper::WriteCopy);
    connect(&document, &ScenarioDocument::changed, this, &RecoveryKeeper::Changed);
    connect(&document, &ScenarioDocument::fileChanged, this, &RecoveryKeeper::Changed);
    connect(&document, &ScenarioDocument::modifiedChanged, this, &RecoveryKeeper::ModifiedChanged);
    Changed();  // a document that already has unsaved changes
}

RecoveryKeeper::~RecoveryKeeper() {
    timer_.stop();
    RemoveCopy();
}

void RecoveryKeeper::Adopt(const std::string& copyPath) {
    if (copyPath == copy_) return;
    RemoveCopy();
    copy_ = copyPath;
}

void RecoveryKeeper::Changed() {
    if (!document_ || !document_->IsModified()) return;
    pending_ = true;
    if (!timer_.isActive()) timer_.start();
}

void RecoveryKeeper::ModifiedChanged(bool modified) {
    if (modified) return Changed();
    timer_.stop();
    pending_ = false;
    RemoveCopy();  // saved or discarded
}

void RecoveryKeeper::WriteCopy() {
    if (!document_ || !document_->IsModified() || !pending_) return;
    pending_ = false;
    RecoveryCopy copy = CopyOf(*document_);
    const std::int64_t now = copy.written;
    copy.written = 0;
    std::string text = RecoveryText(copy);
    if (text == written_ && !copy_.empty()) return;  // only settings changed
    if (copy_.empty()) copy_ = folder_.NewCopyPath();
    copy.written = now;
    const WriteResult result = folder_.Write(copy_, copy);
    if (result) {
        written_ = std::move(text);
        failure_.clear();
        return;
    }
    const QString reason = Q(result.reason);
    pending_ = true;
    timer_.start();  // tried again after another interval
    if (reason == failure_) return;
    failure_ = reason;
    emit writeFailed(RecoveryWriteFailedMessage(folder_.folder(), reason));
}

void RecoveryKeeper::RemoveCopy() {
    if (copy_.empty()) return;
    DeleteRecoveryCopy(copy_);  // a copy never written is not there
    copy_.clear();
    written_.clear();
}

RecoveryCopy CopyOf(const ScenarioDocument& document) {
    RecoveryCopy copy;
    copy.kind = KindOf(document.kind());
    copy.name = document.DisplayName().toStdString();
    if (copy.kind == RecoveredKind::File)
        copy.path = QFile::encodeName(document.path()).toStdString();
    copy.written = QDateTime::currentSecsSinceEpoch();
    copy.scenario = document.scenario();
    return copy;
}

void RestoreCopy(ScenarioDocument& document, const RecoveryCopy& copy) {
    document.scenario() = copy.scenario;
    if (copy.kind == RecoveredKind::File) document.SetFile(QFile::decodeName(copy.path.c_str()));
    document.Edited();
}

QString RecoveryWriteFailedMessage(const std::string& folder, const QString& reason) {
    return "The unsaved changes could not be kept safe in\r" + QFile::decodeName(folder.c_str()) +
           "\r\rReason: " + reason + ".\r\rSave them to keep them.";
}

QString RestoreQuestion(const RecoveryEntry& copy) {
    const QString when = WhenWritten(copy.written);
    QString what;
    switch (copy.kind) {
        case RecoveredKind::DefaultLoan:
            what = "Restore the unsaved changes to the loan data from " + when + "?";
            break;
        case RecoveredKind::File:
            what = "Restore the unsaved changes to \"" + Q(copy.name) + "\" from " + when +
                   "?\r\rThe file: " + QFile::decodeName(copy.path.c_str());
            break;
        default:
            what = "Restore the new scenario \"" + Q(copy.name) + "\", never saved, from " + when +
                   "?";
    }
    return "Dovanel was not closed properly.\r\r" + what + "\r\rNo discards the changes for good.";
}

RestoreAnswer AskToRestore(QWidget* parent, const RecoveryEntry& copy) {
    MessageRequest request;
    request.text = RestoreQuestion(copy);
    request.title = kProductName;
    request.icon = MsgIcon::Question;
    request.buttons = MsgButtons::YesNo;
    request.defaultButton = MsgAnswer::Yes;
    request.escapeAnswer = MsgAnswer::Cancel;  // Escape keeps the copy for the next start
    switch (ThePlatform().ShowMessage(parent, request)) {
        case MsgAnswer::Yes:
            return RestoreAnswer::Restore;
        case MsgAnswer::No:
            return RestoreAnswer::Discard;
        default:
            return RestoreAnswer::Later;
    }
}

namespace {

// The question about a copy that cannot be read: deleted only on Yes.
bool AgreeToDeleteUnreadable(QWidget* parent, const RecoveryEntry& copy) {
    return Message(parent, Q(copy.problem) + "\r\rDelete this copy of the unsaved changes?",
                   kProductName, MsgIcon::Warning, MsgButtons::YesNo,
                   MsgAnswer::No) == MsgAnswer::Yes;
}

// Restores one claimed copy; false when it stays for the next start.
bool RestoreClaimed(const std::string& claimed,
                    const std::function<RecoveryKeeper*(const RecoveryCopy&)>& restore) {
    RecoveryCopy copy;
    if (!ReadRecoveryCopy(claimed, copy)) return false;
    RecoveryKeeper* keeper = restore(copy);
    if (keeper) keeper->Adopt(claimed);
    return keeper != nullptr;
}

// What became of one claimed copy.
enum class Outcome { Restored, Deleted, Kept };

Outcome Settle(QWidget* parent, const RecoveryEntry& orphan, const std::string& claimed,
               const std::function<RecoveryKeeper*(const RecoveryCopy&)>& restore) {
    if (!orphan.readable)
        return AgreeToDeleteUnreadable(parent, orphan) ? Outcome::Deleted : Outcome::Kept;
    switch (AskToRestore(parent, orphan)) {
        case RestoreAnswer::Restore:
            return RestoreClaimed(claimed, restore) ? Outcome::Restored : Outcome::Kept;
        case RestoreAnswer::Discard:
            return Outcome::Deleted;
        default:
            return Outcome::Kept;
    }
}

}  // namespace

int OfferOrphanedCopies(QWidget* parent, RecoveryFolder& folder,
                        const std::function<RecoveryKeeper*(const RecoveryCopy&)>& restore) {
    int restored = 0;
    for (const RecoveryEntry& orphan : folder.Orphans()) {
        std::string claimed;
        if (!folder.Claim(orphan, claimed)) continue;  // another start took it
        switch (Settle(parent, orphan, claimed, restore)) {
            case Outcome::Restored:
                ++restored;
                break;
            case Outcome::Deleted:
                DeleteRecoveryCopy(claimed);
                break;
            case Outcome::Kept:
                folder.Unclaim(claimed, orphan);
        }
    }
    return restored;
}

}  // namespace dovanel
