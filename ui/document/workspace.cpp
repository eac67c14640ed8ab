#include "ui/document/workspace.h"

#include <QTimer>

namespace dovanel {

Workspace::Workspace(QObject* parent)
    : QObject(parent),
      current_(std::make_unique<ScenarioDocument>(desk_, ScenarioDocument::Kind::DefaultLoan)) {}

Workspace::~Workspace() = default;

void Workspace::Replace(std::unique_ptr<ScenarioDocument> document) {
    if (!document) return;
    retired_.push_back(std::exchange(current_, std::move(document)));
    emit currentChanged(current_.get());
    // A window may still be on its way out of the one before.
    QTimer::singleShot(0, this, [this] { retired_.clear(); });
}

}  // namespace dovanel
