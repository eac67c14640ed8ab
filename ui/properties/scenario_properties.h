#pragma once
// ScenarioProperties ("Scenario Properties"): what the user knows a scenario
// by, its name (printed on every report) and a note, and the date it was last
// saved; and the choices of a government-backed loan (the VA use, whether the
// upfront premium or fee is financed, the county's FHA limit). "&Ok" changes the document only
// where something changed; Cancel, Escape and the close box change nothing.

#include "shell/form.h"
#include "ui/document/scenario_document.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;

namespace dovanel {

class ScenarioProperties : public Screen {
    Q_OBJECT
  public:
    explicit ScenarioProperties(ScenarioDocument& document, QWidget* parent = nullptr);

    // Opens on the choice that matters for the program: the VA use for a VA
    // loan, whether the upfront premium or fee is financed for FHA and USDA.
    void FocusChoiceOf(GovernmentProgram program);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void AddGovernmentChoices();
    void BtnOk_Click();
    // The choices as the controls give them; false when the FHA limit is not a number.
    bool ReadGovernmentChoices(GovernmentChoices& choices) const;

    ScenarioDocument& document_;
    QLineEdit* name_ = nullptr;
    QPlainTextEdit* note_ = nullptr;
    QComboBox* vaUse_ = nullptr;
    QCheckBox* financeUpfront_ = nullptr;
    QLineEdit* fhaLimit_ = nullptr;
};

}  // namespace dovanel
