#pragma once
// The government loan tables (GovernmentLoanTables): the year they apply to, the
// FHA, VA and USDA rates and the loan limits. Rates are shown in percent.
// Rows are added below the current row (a copy of it to edit) and the current
// row removed, down to one row per table. Nothing changes until "&Ok", which
// checks every box and cell and that the tables make sense, takes the tables
// and writes GOVLOANS.DAT; the first problem is named and nothing is taken.
// A GOVLOANS.DAT that cannot be read is told on opening: Ok replaces it.

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
    void AddRowButtons(QTableWidget* grid, const char* const* heads, int top);
    void RemoveRow(QTableWidget* grid, const char* const* heads);
    void TellUnreadableFile();
    void BtnOk_Click();
    // The tables as the boxes and cells give them; false with `why` set if one is not a number
    // or the tables make no sense.
    bool ReadTables(GovernmentLoanTables& tables, QString& why) const;

    LenderSettings& settings_;
    QTableWidget* fhaGrid_ = nullptr;
    QTableWidget* vaGrid_ = nullptr;
};

}  // namespace dovanel
