#include "ui/document/scenario_document.h"

#include <QFileInfo>

#include "ui/document/lender_desk.h"

namespace dovanel {

ScenarioDocument::ScenarioDocument(LenderDesk& desk, Kind kind, QObject* parent)
    : QObject(parent),
      owned_(std::make_unique<Model>()),
      model_(owned_.get()),
      desk_(&desk),
      kind_(kind) {
    static_cast<LenderSettings&>(*model_) = desk.settings();
    connect(&desk, &LenderDesk::settingsChanged, this, [this, &desk] {
        static_cast<LenderSettings&>(*model_) = desk.settings();
        emit changed();
    });
}

ScenarioDocument::ScenarioDocument(Model& model, Kind kind, QObject* parent)
    : QObject(parent), model_(&model), kind_(kind) {}

ScenarioDocument::~ScenarioDocument() = default;

void ScenarioDocument::SetFile(const QString& path) {
    kind_ = Kind::File;
    path_ = path;
    emit fileChanged();
}

LenderSettings& ScenarioDocument::settings() {
    if (desk_) return desk_->settings();
    return *model_;
}

void ScenarioDocument::SettingsChanged() {
    if (desk_)
        desk_->Changed();
    else
        emit changed();
}

QString ScenarioDocument::DisplayName() const {
    if (kind_ == Kind::File) return QFileInfo(path_).fileName();
    return "Untitled";
}

QString ScenarioDocument::WindowTitle() const {
    if (kind_ == Kind::DefaultLoan) return kProductName;
    return DisplayName() + "[*] - " + kProductName;
}

void ScenarioDocument::SetModified(bool modified) {
    if (modified_ == modified) return;
    modified_ = modified;
    emit modifiedChanged(modified);
}

void ScenarioDocument::Edited() {
    SetModified(true);
    emit changed();
}

}  // namespace dovanel
