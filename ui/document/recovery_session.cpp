#include "ui/document/recovery_session.h"

#include <QWidget>

#include "shell/platform.h"
#include "ui/document/scenario_document.h"
#include "ui/document/scenario_store.h"
#include "ui/document/workspace.h"

namespace dovanel {

RecoverySession::RecoverySession(Workspace& workspace, RecoveryFolder& folder, QWidget* window,
                                 std::chrono::milliseconds interval)
    : QObject(&workspace),
      workspace_(workspace),
      folder_(folder),
      window_(window),
      interval_(interval) {
    if (!folder_.status().ok)
        TellFailure(RecoveryWriteFailedMessage(folder_.folder(),
                                               QString::fromStdString(folder_.status().reason)));
    Watch(&workspace_.current());
    connect(&workspace_, &Workspace::currentChanged, this,
            [this](ScenarioDocument* document) { Watch(document); });
}

// Each document gets its own keeper, which goes with it.
void RecoverySession::Watch(ScenarioDocument* document) {
    if (!document || document->findChild<RecoveryKeeper*>()) return;
    auto* keeper = new RecoveryKeeper(*document, folder_, interval_);
    connect(keeper, &RecoveryKeeper::writeFailed, this,
            [this](const QString& message) { TellFailure(message); });
}

// A copy that cannot be kept is told once a session: the work itself is still
// in the window and can be saved.
void RecoverySession::TellFailure(const QString& message) {
    if (told_) return;
    told_ = true;
    Message(window_, message, QString(), MsgIcon::Warning);
}

RecoveryKeeper* RecoverySession::Restore(const RecoveryCopy& copy) {
    ScenarioDocument& current = workspace_.current();
    if (current.IsModified()) return nullptr;  // its own changes come first
    if (copy.kind == RecoveredKind::DefaultLoan) {
        if (!current.IsDefaultLoan()) return nullptr;
        RestoreCopy(current, copy);
    } else {
        std::unique_ptr<ScenarioDocument> document = NewScenario(workspace_.desk());
        RestoreCopy(*document, copy);
        workspace_.Replace(std::move(document));
    }
    return workspace_.current().findChild<RecoveryKeeper*>();
}

int RecoverySession::OfferOrphans() {
    return OfferOrphanedCopies(window_, folder_,
                               [this](const RecoveryCopy& copy) { return Restore(copy); });
}

}  // namespace dovanel
