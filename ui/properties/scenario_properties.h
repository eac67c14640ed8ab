#pragma once
// ScenarioProperties ("Scenario Properties"): what the user knows a scenario
// by, its name (printed on every report) and a note, and the date it was last
// saved. "&Ok" changes the document only where something changed; Cancel,
// Escape and the close box change nothing.

#include "shell/form.h"
#include "ui/document/scenario_document.h"

class QLineEdit;
class QPlainTextEdit;

namespace dovanel {

class ScenarioProperties : public Screen {
    Q_OBJECT
  public:
    explicit ScenarioProperties(ScenarioDocument& document, QWidget* parent = nullptr);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BtnOk_Click();

    ScenarioDocument& document_;
    QLineEdit* name_ = nullptr;
    QPlainTextEdit* note_ = nullptr;
};

}  // namespace dovanel
