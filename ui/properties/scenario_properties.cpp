#include "ui/properties/scenario_properties.h"

#include <QDate>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "shell/help.h"

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

}  // namespace

ScenarioProperties::ScenarioProperties(ScenarioDocument& document, QWidget* parent)
    : Screen(parent, ScreenDesign("ScenarioProperties", "Scenario Properties", {6000, 4500}, "DOWN",
                                  help_topic::kScenarioFiles)),
      document_(document) {
    const ScenarioInfo& info = document.scenario().info;
    QLabel* nameCaption = AddLabel(this, "lblScenarioName", "&Name:", Twips(240, 240, 1200, 300));
    name_ = AddCell(this, "txtScenarioName", Twips(1500, 240, 4260, 300), false);
    name_->setMaxLength(kNameLimit);
    name_->setText(Q(info.name));
    name_->setAccessibleName("Scenario Name");
    name_->setWhatsThis(
        "The scenario's name, such as the borrower's. It is printed at the top "
        "of every report.");
    nameCaption->setBuddy(name_);

    QLabel* noteCaption = AddLabel(this, "lblScenarioNote", "N&ote:", Twips(240, 660, 1200, 300));
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

    auto* ok = AddButton(this, "BtnOk", "&Ok", Twips(1500, 3720, 1095, 375));
    auto* cancel = AddButton(this, "BtnCancel", "&Cancel", Twips(2760, 3720, 1095, 375));
    auto* help = AddButton(this, "btnHelp", "Help  [F1]", Twips(4665, 3720, 1095, 375));
    connect(ok, &QPushButton::clicked, this, [this] { BtnOk_Click(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, [] { OpenHelpTopic(help_topic::kScenarioFiles); });
    note_->installEventFilter(this);
    FinishControls(false, false);
    name_->setFocus();
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
    ScenarioInfo& info = document_.scenario().info;
    const std::string name = name_->text().toStdString();
    const std::string note = note_->toPlainText().toStdString();
    if (name != info.name || note != info.note) {
        info.name = name;
        info.note = note;
        document_.Edited();
    }
    accept();
}

}  // namespace dovanel
