#pragma once
// The debt summary (Debt1): up to 31 monthly debts with their running total.
// For the default loan each opening starts from DEBT.DAT and "&Ok" writes it;
// another scenario's list is its own, written by its next Save. "&Ok" makes the
// total the borrower's monthly debt.

#include <QList>

#include "engine/model.h"
#include "shell/form.h"
#include "ui/document/scenario_document.h"

class QLineEdit;

namespace dovanel {

class DebtSummaryScreen : public Screen {
    Q_OBJECT
  public:
    DebtSummaryScreen(ScenarioDocument& document, QWidget* parent = nullptr);

    Single runningTotal() const { return total_; }
    QLineEdit* Description(int i) const { return descriptions_.value(i); }
    QLineEdit* Payment(int i) const { return payments_.value(i); }

  signals:
    void printRequested();

  private:
    void BuildColumns();
    void RunTotal();
    void BtnOk_Click();

    ScenarioDocument& document_;
    Model& model_;
    QList<QLineEdit*> descriptions_;  // Text1_0 .. Text1_30
    QList<QLineEdit*> payments_;      // Text2_0 .. Text2_30
    QLabel* totalLabel_ = nullptr;    // Label5
    Single total_ = 0;
};

}  // namespace dovanel
