#include "ui/document/workspace.h"

namespace dovanel {

Workspace::Workspace(QObject* parent)
    : QObject(parent),
      current_(std::make_unique<ScenarioDocument>(desk_, ScenarioDocument::Kind::DefaultLoan)) {}

Workspace::~Workspace() = default;

void Workspace::Replace(std::unique_ptr<ScenarioDocument> document) {
    if (!document) return;
    std::unique_ptr<ScenarioDocument> before = std::exchange(current_, std::move(document));
    emit currentChanged(current_.get());
    before.release()->deleteLater();  // a window may still be on its way out of it
}

}  // namespace dovanel
