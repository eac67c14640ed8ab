#pragma once
// The debt summary (Debt1): up to 31 monthly debts with their running total.
// Each opening starts from DEBT.DAT; "&Ok" makes the total the borrower's
// monthly debt and writes the file.

#include <QList>

#include "engine/model.h"
#include "shell/form.h"

class QLineEdit;

namespace dovanel {

class DebtSummaryScreen : public Screen {
    Q_OBJECT
  public:
    DebtSummaryScreen(Model& model, QWidget* parent = nullptr);

    Single runningTotal() const { return total_; }
    QLineEdit* Description(int i) const { return descriptions_.value(i); }
    QLineEdit* Payment(int i) const { return payments_.value(i); }

  signals:
    void printRequested();

  private:
    void BuildColumns();
    void RunTotal();
    void BtnOk_Click();

    Model& model_;
    QList<QLineEdit*> descriptions_;  // Text1_0 .. Text1_30
    QList<QLineEdit*> payments_;      // Text2_0 .. Text2_30
    QLabel* totalLabel_ = nullptr;    // Label5
    Single total_ = 0;
};

}  // namespace dovanel
