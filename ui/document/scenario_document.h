#pragma once
// A loan scenario as a document: the scenario, where it lives, whether it has
// changes not yet saved, and a signal when it changes. The windows take the
// document they work on; its model is the scenario over the lender's settings
// with the results derived from both, never stored as truth.
//
// Where a document lives:
// - the default loan: the data folder's MAIN.DAT, INCOME.DAT and DEBT.DAT, as
//   the program has always kept its one loan (the window keeps its plain
//   caption and its specified questions);
// - a scenario file (.dovanel) the user named;
// - nowhere yet: a new, untitled scenario.

#include <QObject>
#include <QString>
#include <memory>

#include "engine/model.h"

namespace dovanel {

class LenderDesk;

class ScenarioDocument : public QObject {
    Q_OBJECT
  public:
    enum class Kind { DefaultLoan, File, Untitled };

    // A document of its own over the desk's settings, kept up to date with them.
    ScenarioDocument(LenderDesk& desk, Kind kind, QObject* parent = nullptr);
    // A document over a model its caller owns, settings included (the tests'
    // models, the start-up load): nothing is copied.
    explicit ScenarioDocument(Model& model, Kind kind = Kind::DefaultLoan,
                              QObject* parent = nullptr);
    ~ScenarioDocument() override;

    Model& model() { return *model_; }
    const Model& model() const { return *model_; }
    Scenario& scenario() { return *model_; }
    const Scenario& scenario() const { return *model_; }

    Kind kind() const { return kind_; }
    bool IsDefaultLoan() const { return kind_ == Kind::DefaultLoan; }
    // The scenario file's full path; empty for the default loan and a new one.
    const QString& path() const { return path_; }
    // The document now lives in this scenario file (after Open or Save As).
    void SetFile(const QString& path);

    // "Untitled", or the file's name without its folder.
    QString DisplayName() const;
    // The main window's title: the program's name alone for the default loan,
    // else "NAME[*] - Dovanel" (Qt shows "*" for "[*]" while modified).
    QString WindowTitle() const;

    // The lender's settings the schedule editors change: the desk's, or the
    // borrowed model's own for a document over a model.
    LenderSettings& settings();
    // An editor changed the settings: the desk tells every document, or this
    // document, over a model of its own, tells its windows.
    void SettingsChanged();

    bool IsModified() const { return modified_; }
    void SetModified(bool modified);
    // The scenario was edited: it is now modified, and changed() tells the windows.
    void Edited();

  signals:
    void changed();
    void modifiedChanged(bool modified);
    void fileChanged();

  private:
    std::unique_ptr<Model> owned_;
    Model* model_;
    LenderDesk* desk_ = nullptr;
    Kind kind_;
    QString path_;
    bool modified_ = false;
};

}  // namespace dovanel
