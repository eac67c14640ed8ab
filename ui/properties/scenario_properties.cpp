#include "ui/properties/scenario_properties.h"

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "shell/help.h"
#include "shell/platform.h"

namespace dovanel {

namespace {

// A name longer than this is no name a report header can show.
constexpr int kNameLimit = 80;

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

// "Not saved yet", or the saved date as the desktop writes dates.
QString SavedText(const std::string& savedDate) {
    const QDate date = QDate::fromString(Q(savedDate), Qt::ISODate);
    if (savedDate.empty()) return "Not saved yet";
    return date.isValid() ? QLocale().toString(date, QLocale::LongFormat) : Q(savedDate);
}

const char* const kVaUses[] = {"Not included", "First use", "Subsequent use", "Exempt"};

// The county limit as typed: empty or 0 takes the national floor.
bool ReadLimit(const QString& text, Single& limit) {
    if (text.trimmed().isEmpty()) return limit = 0, true;
    bool ok = false;
    const double read = text.trimmed().toDouble(&ok);
    if (!ok || !(read >= 0) || read > 100000000) return false;
    limit = static_cast<Single>(read);
    return true;
}

}  // namespace

ScenarioProperties::ScenarioProperties(ScenarioDocument& document, QWidget* parent)
    : Screen(parent, ScreenDesign("ScenarioProperties", "Scenario Properties", {6000, 6300}, "DOWN",
                                  help_topic::kScenarioFiles)),
      document_(document) {
    const ScenarioInfo& info = document.scenario().info;
    QLabel* nameCaption = AddLabel(this, "lblScenarioName", "&Name:", Twips(240, 240, 1200, 300));
    name_ = AddCell(this, "txtScenarioName", Twips(1500, 240, 4260, 300), false);
    SetWholeText(name_, Q(info.name), kNameLimit);
    name_->setAccessibleName("Scenario Name");
    name_->setWhatsThis(
        "The scenario's name, such as the borrower's. It is printed at the top "
        "of every report.");
    nameCaption->setBuddy(name_);

    QLabel* noteCaption = AddLabel(this, "lblScenarioNote", "No&te:", Twips(240, 660, 1200, 300));
    note_ = Place(new QPlainTextEdit(this), "txtScenarioNote", Twips(1500, 660, 4260, 2100));
    note_->setPlainText(Q(info.note));
    note_->setTabChangesFocus(true);
    note_->setAccessibleName("Scenario Note");
    note_->setWhatsThis("Anything worth keeping with the scenario. Enter starts a new line.");
    noteCaption->setBuddy(note_);

    AddLabel(this, "lblSavedCaption", "Last saved:", Twips(240, 2940, 1200, 300));
    QLabel* saved =
        AddLabel(this, "lblSavedDate", SavedText(info.savedDate), Twips(1500, 2940, 4260, 300));
    saved->setAccessibleName("Last saved " + saved->text());

    AddGovernmentChoices();
    auto* ok = AddButton(this, "BtnOk", "&Ok", Twips(1500, 5520, 1095, 375));
    auto* cancel = AddButton(this, "BtnCancel", "&Cancel", Twips(2760, 5520, 1095, 375));
    auto* help = AddButton(this, "btnHelp", "Help  [F1]", Twips(4665, 5520, 1095, 375));
    connect(ok, &QPushButton::clicked, this, [this] { BtnOk_Click(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, [] { OpenHelpTopic(help_topic::kScenarioFiles); });
    note_->installEventFilter(this);
    FinishControls(false, false);
    name_->setFocus();
}

void ScenarioProperties::AddGovernmentChoices() {
    const GovernmentChoices& g = document_.scenario().government;
    auto* frame = Place(new QGroupBox("FHA, VA and USDA loans", this), "fraGovernment",
                        Twips(240, 3360, 5520, 1920));
    QLabel* useCaption = AddLabel(frame, "lblVaUse", "&VA use:", Twips(120, 360, 1800, 300));
    vaUse_ = Place(new QComboBox(frame), "cmbVaUse", Twips(1980, 330, 3360, 330));
    for (const char* use : kVaUses) vaUse_->addItem(use);
    vaUse_->setCurrentIndex(static_cast<int>(g.vaUse));
    vaUse_->setAccessibleName("VA use");
    vaUse_->setWhatsThis(
        "Whether a VA loan is charged the funding fee: on first or subsequent use, not for an "
        "exempt borrower; \"Not included\" leaves it out.");
    useCaption->setBuddy(vaUse_);
    financeUpfront_ = Place(new QCheckBox("&Finance the upfront premium or fee", frame),
                            "chkFinanceUpfront", Twips(120, 780, 5220, 300));
    financeUpfront_->setChecked(g.financeUpfront);
    financeUpfront_->setWhatsThis(
        "Checked, the FHA upfront premium, the VA funding fee or the USDA guarantee fee is added "
        "to the loan; unchecked, it is paid at closing.");
    QLabel* limitCaption =
        AddLabel(frame, "lblFhaLimit", "FHA &limit:", Twips(120, 1200, 1800, 300));
    fhaLimit_ = AddCell(frame, "txtFhaLimit", Twips(1980, 1200, 1500, 300));
    // The limit as stored, every digit of it: Ok on an unchanged box keeps it exactly.
    SetWholeText(fhaLimit_,
                 g.fhaCountyLimit > 0 ? QString::number(static_cast<double>(g.fhaCountyLimit), 'f',
                                                        QLocale::FloatingPointShortest)
                                      : QString(),
                 11);
    fhaLimit_->setAccessibleName("FHA limit for the county, in dollars");
    fhaLimit_->setWhatsThis("The county's FHA loan limit; empty for the national floor.");
    limitCaption->setBuddy(fhaLimit_);
    AddLabel(frame, "lblFhaLimitNote", "empty: the national floor", Twips(3600, 1200, 1800, 300));
}

void ScenarioProperties::FocusChoiceOf(GovernmentProgram program) {
    if (program == GovernmentProgram::kNone) return;
    QWidget* choice = program == GovernmentProgram::kVa ? static_cast<QWidget*>(vaUse_)
                                                        : static_cast<QWidget*>(financeUpfront_);
    choice->setFocus(Qt::OtherFocusReason);
}

bool ScenarioProperties::ReadGovernmentChoices(GovernmentChoices& g) const {
    g.vaUse = static_cast<VaUse>(std::max(0, vaUse_->currentIndex()));
    g.financeUpfront = financeUpfront_->isChecked();
    return ReadLimit(fhaLimit_->text(), g.fhaCountyLimit);
}

// Ctrl+Enter in the note is Ok, as Enter is in the name box.
bool ScenarioProperties::eventFilter(QObject* watched, QEvent* event) {
    if (watched == note_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            key->modifiers() == Qt::ControlModifier) {
            BtnOk_Click();
            return true;
        }
    }
    return Screen::eventFilter(watched, event);
}

void ScenarioProperties::BtnOk_Click() {
    Scenario& scenario = document_.scenario();
    GovernmentChoices g = scenario.government;
    if (!ReadGovernmentChoices(g)) {
        ThePlatform().ShowMessage(
            this, {"The FHA limit is not an amount in dollars.\r\rNothing has been changed.", "",
                   MsgIcon::Warning});
        fhaLimit_->setFocus();
        return;
    }
    ScenarioInfo& info = scenario.info;
    const std::string name = name_->text().toStdString();
    const std::string note = note_->toPlainText().toStdString();
    const GovernmentChoices& was = scenario.government;
    const bool governmentChanged = g.vaUse != was.vaUse || g.financeUpfront != was.financeUpfront ||
                                   g.fhaCountyLimit != was.fhaCountyLimit;
    if (name != info.name || note != info.note || governmentChanged) {
        info.name = name;
        info.note = note;
        scenario.government = g;
        document_.Edited();
    }
    accept();
}

}  // namespace dovanel
