#pragma once
// Recovery for the program as a whole: a recovery copy kept of whatever
// document the workspace holds, a failed copy told once, and at start the
// copies that ended programs left offered back.

#include <QObject>
#include <QPointer>
#include <chrono>

#include "ui/document/recovery_keeper.h"

class QWidget;

namespace dovanel {

class ScenarioDocument;
class Workspace;

class RecoverySession : public QObject {
    Q_OBJECT
  public:
    // `folder` must outlive the session; messages go over `window`.
    RecoverySession(Workspace& workspace, RecoveryFolder& folder, QWidget* window,
                    std::chrono::milliseconds interval = kRecoveryInterval);

    // Offers each orphaned copy. One copy is restored at a start, into the
    // default loan or as the workspace's document, and only while the open
    // document has no changes of its own; the others stay for the next start.
    // Returns how many were restored.
    int OfferOrphans();

  private:
    void Watch(ScenarioDocument* document);
    RecoveryKeeper* Restore(const RecoveryCopy& copy);
    void TellFailure(const QString& message);

    Workspace& workspace_;
    RecoveryFolder& folder_;
    QPointer<QWidget> window_;
    std::chrono::milliseconds interval_;
    bool told_ = false;
};

}  // namespace dovanel
