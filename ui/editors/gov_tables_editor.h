#pragma once
// The government loan tables (GovernmentLoanTables): the year they apply to, the
// FHA, VA and USDA rates and the loan limits. Rates are shown in percent.
// Nothing changes until "&Ok", which checks every box and cell, takes the
// tables and writes GOVLOANS.DAT; a box or cell that is not a number is named
// and nothing is taken.

#include "engine/model.h"
#include "shell/form.h"

class QTableWidget;

namespace dovanel {

class GovTablesEditor : public Screen {
    Q_OBJECT
  public:
    explicit GovTablesEditor(LenderSettings& settings, QWidget* parent = nullptr);

  private:
    void AddFigures();
    void AddGrids();
    void BtnOk_Click();
    // The tables as the boxes and cells give them; false with `why` set if one is not a number.
    bool ReadTables(GovernmentLoanTables& tables, QString& why) const;

    LenderSettings& settings_;
    QTableWidget* fhaGrid_ = nullptr;
    QTableWidget* vaGrid_ = nullptr;
};

}  // namespace dovanel
