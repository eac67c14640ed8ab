#pragma once
// The payoff planner (Planner): extra principal payments, what they save, when
// PMI ends, the balance and the yearly payments as charts, and the schedule
// exported as CSV or as a PDF printout.

#include "engine/payoff.h"
#include "shell/form.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;

namespace dovanel {

class ChartWidget;

class Planner : public Screen {
    Q_OBJECT
  public:
    explicit Planner(const Model& model, QWidget* parent = nullptr);

    const PayoffPlan& plan() const { return plan_; }
    const ExtraPayments& extras() const { return extras_; }

  private:
    void BuildInputs();
    void BuildResults();
    void BuildCharts();
    void BuildButtons();
    void Recompute();
    void ShowTexts();
    void ShowCharts();
    void DescribeCharts(const std::vector<double>& interest, const std::vector<double>& principal);
    void BtnExportCsv_Click();
    void BtnSavePdf_Click();

    const Model& model_;
    ExtraPayments extras_;
    PayoffPlan plan_;
    QLineEdit* extraMonthly_ = nullptr;
    QLineEdit* extraYearly_ = nullptr;
    QComboBox* yearlyMonth_ = nullptr;
    QLineEdit* lumpSum_ = nullptr;
    QSpinBox* lumpSumAt_ = nullptr;
    QCheckBox* biweekly_ = nullptr;
    ChartWidget* balanceChart_ = nullptr;
    ChartWidget* yearlyChart_ = nullptr;
};

}  // namespace dovanel
