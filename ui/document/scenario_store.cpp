#include "ui/document/scenario_store.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QWidget>

#include "data/scenario_file.h"
#include "shell/app_context.h"
#include "shell/platform.h"
#include "shell/write_failure.h"
#include "ui/document/lender_desk.h"
#include "ui/document/recent_files.h"

namespace dovanel {

namespace {

const char kKeptForSave[] =
    "The loan data is kept in memory; choose Save again once the problem is solved.";
const char kKeptWhileOpen[] =
    "Retry tries again. Cancel keeps the program open with the loan data in memory.";
const char kScenarioKept[] =
    "The scenario is kept in memory; save it again once the problem is solved.";

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

// The load's questions as message boxes over the main window.
class LoadBoxes : public LoadQuestions {
  public:
    explicit LoadBoxes(QWidget* owner) : owner_(owner) {}
    void MissingFile(const std::string& message) override {
        Message(owner_, Q(message), "Missing File", MsgIcon::Critical);
    }
    LoadAnswer LoadFailed(const std::string& message) override {
        const QString title = owner_ ? owner_->windowTitle() : QString(kProductName);
        switch (Message(owner_, Q(message), title, MsgIcon::Warning, MsgButtons::AbortRetryIgnore,
                        MsgAnswer::Ignore)) {
            case MsgAnswer::Abort:
                return LoadAnswer::Abort;
            case MsgAnswer::Retry:
                return LoadAnswer::Retry;
            default:
                return LoadAnswer::Ignore;
        }
    }
    void Notice(const std::string& message) override {
        Message(owner_, Q(message), owner_ ? owner_->windowTitle() : QString(kProductName),
                MsgIcon::Warning);
    }

  private:
    QWidget* owner_;
};

// MAIN.DAT; while the program ends, a failure may be tried again.
bool SaveDefaultLoan(QWidget* owner, const Model& model, bool ending) {
    const QString path = App().dataFolder + FileName(DataFile::Main);
    for (;;) {
        const WriteResult result = SaveLoanData(model, App().dataFolder.toStdString());
        if (result) return true;
        if (!ending) {
            ReportWriteFailure(owner, path, result, kKeptForSave);
            return false;
        }
        if (!AskRetryWrite(owner, path, result, kKeptWhileOpen)) return false;
    }
}

// The scenario with today's date as its saved date, written whole to `path`.
bool WriteScenario(QWidget* owner, ScenarioDocument& document, const QString& path) {
    Scenario saved = document.scenario();
    saved.info.savedDate = QDate::currentDate().toString(Qt::ISODate).toStdString();
    const WriteResult result = WriteNamedFile(path.toStdString(), ScenarioFileText(saved));
    if (!result) {
        ReportWriteFailure(owner, path, result, kScenarioKept);
        return false;
    }
    document.scenario().info.savedDate = saved.info.savedDate;
    ReportSettingsWriteFailure(owner, AddRecentFile(path));
    return true;
}

// Where the save dialog opens: the file itself, else the last folder used.
QString SuggestedPath(const ScenarioDocument& document) {
    if (!document.path().isEmpty()) return document.path();
    const QStringList recent = RecentFiles();
    const QString folder =
        recent.isEmpty() ? QDir::homePath() : QFileInfo(recent.front()).absolutePath();
    QString name = Q(document.scenario().info.name).trimmed();
    name.replace('/', '-');
    if (name.isEmpty() || name.startsWith('.')) name = "Untitled";
    return folder + "/" + name + "." + kScenarioSuffix;
}

// The installed default loan, or false when a file of it cannot be read.
bool ReadInstalledLoan(Model& model) {
    const std::string folder = App().programFolder.toStdString();
    DataError error;
    for (DataFile file : {DataFile::Main, DataFile::Income, DataFile::Debt})
        if (!LoadDataFile(file, model, folder, error)) return false;
    ApplyYearCaptions(model.incomeAnalysis, QDate::currentDate().year());
    return true;
}

}  // namespace

LoadOutcome LoadDefaultLoan(QWidget* owner, ScenarioDocument& document) {
    LoadBoxes questions(owner);
    const LoadOutcome outcome = LoadAllDataFiles(document.model(), App().dataFolder.toStdString(),
                                                 questions, QDate::currentDate().year());
    ThePlatform().SetBusy(false);
    LenderSettings& settings = document.settings();
    if (&settings != &static_cast<LenderSettings&>(document.model())) {
        settings = document.model();
        document.SettingsChanged();
    }
    return outcome;
}

bool SaveDocument(QWidget* owner, ScenarioDocument& document, bool ending) {
    bool saved = false;
    switch (document.kind()) {
        case ScenarioDocument::Kind::DefaultLoan:
            saved = SaveDefaultLoan(owner, document.model(), ending);
            break;
        case ScenarioDocument::Kind::File:
            saved = WriteScenario(owner, document, document.path());
            break;
        case ScenarioDocument::Kind::Untitled:
            return SaveDocumentAs(owner, document);
    }
    if (saved) document.SetModified(false);
    return saved;
}

QString WithScenarioSuffix(const QString& path) {
    if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty()) return path;
    return path + "." + kScenarioSuffix;
}

bool SaveDocumentAs(QWidget* owner, ScenarioDocument& document) {
    const QString chosen = WithScenarioSuffix(ThePlatform().ChooseSaveFile(
        owner, "Save Scenario As", SuggestedPath(document), kScenarioFilter));
    if (chosen.isEmpty()) return false;
    const QString path = QFileInfo(chosen).absoluteFilePath();
    if (!WriteScenario(owner, document, path)) return false;
    document.SetFile(path);
    document.SetModified(false);
    return true;
}

std::unique_ptr<ScenarioDocument> OpenScenario(QWidget* owner, LenderDesk& desk,
                                               const QString& path) {
    auto document = std::make_unique<ScenarioDocument>(desk, ScenarioDocument::Kind::File);
    const QString absolute = QFileInfo(path).absoluteFilePath();
    const ScenarioReadResult read = ReadScenarioFile(absolute.toStdString(), document->scenario());
    if (!read) {
        Message(owner, Q(ScenarioReadMessage(absolute.toStdString(), read)), {}, MsgIcon::Warning);
        return nullptr;
    }
    document->SetFile(absolute);
    ReportSettingsWriteFailure(owner, AddRecentFile(absolute));
    return document;
}

std::unique_ptr<ScenarioDocument> NewScenario(LenderDesk& desk) {
    auto document = std::make_unique<ScenarioDocument>(desk, ScenarioDocument::Kind::Untitled);
    Model installed = document->model();
    if (ReadInstalledLoan(installed)) {
        document->scenario() = static_cast<const Scenario&>(installed);
        document->scenario().info = {};
        return document;
    }
    LoanData& loan = document->scenario().loanData;
    loan.mortgageTypeName = kMortgageTypes[0];
    loan.termYears = TermYearsOf(loan.mortgageTypeName);
    loan.isArm = IsArmOf(loan.mortgageTypeName);
    loan.monthlyIncome = kIncomeNotEntered;
    return document;
}

bool ConfirmScenarioPart(QWidget* owner, ScenarioDocument& document, DataFile part) {
    if (document.IsDefaultLoan()) return SaveDataFileReported(owner, part, document.model());
    document.Edited();
    return true;
}

bool SaveSettingsFile(QWidget* owner, DataFile file, const LenderSettings& settings) {
    Model model;
    static_cast<LenderSettings&>(model) = settings;
    return SaveDataFileReported(owner, file, model);
}

}  // namespace dovanel
