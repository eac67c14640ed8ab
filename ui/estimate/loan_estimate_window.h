#pragma once
// LoanEstimate: today's disclosure of the open scenario, its three pages in a
// scrollable view (loan terms, projected payments and costs at closing; the
// closing cost details and cash to close; the comparisons with the APR and the
// TIP). The closing and first payment dates and the itemized fees are edited
// here and change the document; every figure comes from the engine
// (engine/loan_estimate_sections.h). Escape puts back what was edited here.

#include <QDate>
#include <functional>

#include "engine/loan_estimate_sections.h"
#include "shell/form.h"

class QCheckBox;
class QDateEdit;
class QTableWidget;
class QTableWidgetItem;

namespace dovanel {

class ScenarioDocument;

inline constexpr int kLoanEstimateHelpTopic = 90;

class LoanEstimateWindow : public Screen {
    Q_OBJECT
  public:
    explicit LoanEstimateWindow(ScenarioDocument& document, QWidget* parent = nullptr);

    // The day the estimate is made (today unless a test says otherwise).
    void SetToday(const QDate& today);
    const LoanEstimateForm& form() const { return form_; }

    // The fee table's buttons, also for tests.
    void AddFee();
    void RemoveFee(int row);

    void done(int result) override;

  private:
    void BuildDates(QWidget* page);
    QWidget* BuildPageOne();
    QWidget* BuildPageTwo();
    QWidget* BuildPageThree();
    void BuildButtons();
    void Refresh();
    void ShowFees();
    QTableWidgetItem* FeeItem(int row, int column);
    void ShowPageOne();
    void ShowPageTwo();
    void FeeEdited(int row, int column);
    void FeeChoiceChanged(int row);
    void DatesChanged();
    void Changed();
    void Refuse(const QString& message);
    void Print();
    void SavePdf();

    ScenarioDocument& document_;
    QDate today_;
    LoanEstimateForm form_;
    bool showing_ = false;  // controls are being filled, not edited
    bool edited_ = false;
    std::vector<int> feeSlots_;  // the fee slot of each row of the fee table

    QLabel* error_ = nullptr;
    QDateEdit* closing_ = nullptr;
    QDateEdit* firstPayment_ = nullptr;
    QCheckBox* keepDays_ = nullptr;
    QTableWidget* projected_ = nullptr;
    QTableWidget* costs_ = nullptr;
    QTableWidget* fees_ = nullptr;
    QTableWidget* cash_ = nullptr;
};

}  // namespace dovanel
