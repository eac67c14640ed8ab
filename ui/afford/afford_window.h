#pragma once
// Afford ("What Can I Afford?"): the highest purchase price the buyer's income
// qualifies for, with the loan at that price, the limit that decides it, and a
// table of how the interest rate and the down payment move it. The window only
// reads the model; "&Use This Price" hands the price to the main window's
// purchase-price box.

#include "engine/affordability.h"
#include "shell/form.h"
#include "ui/document/scenario_document.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QLabel;
class QTableWidget;
class QTableWidgetItem;

namespace dovanel {

inline constexpr int kAffordHelpTopic = 70;

class AffordWindow : public Screen {
    Q_OBJECT
  public:
    explicit AffordWindow(const ScenarioDocument& document, QWidget* parent = nullptr);

    // The options as the controls set them.
    AffordabilityOptions Options() const;
    // What "&Use This Price" hands to the main window's boxes, as it is to be
    // typed: the price, and the taxes and insurance at that price when they
    // grow with it (else empty). All empty until the button is pressed.
    struct Carried {
        QString price;
        QString annualTaxes;
        QString monthlyInsurance;
    };
    const Carried& carried() const { return carried_; }
    QString chosenPrice() const { return carried_.price; }

  private:
    void BuildAnswer();
    void BuildOptions();
    void BuildTable();
    void BuildButtons();
    void Options_Change();
    void ShowAnswer(const Affordability& answer);
    void ShowTable(const AffordabilityTable& table);
    QTableWidgetItem* CellItem(const AffordabilityTable& table, int row, int column) const;
    void ShowCellDetail();
    void BtnUsePrice_Click();

    const Model& model_;
    Affordability answer_;
    Carried carried_;
    QCheckBox* chkScale_ = nullptr;
    QCheckBox* chkConforming_ = nullptr;
    QLineEdit* txtCash_ = nullptr;
    QTableWidget* table_ = nullptr;
    AffordabilityTable tableData_;
    QLabel* cellDetail_ = nullptr;
    QPushButton* usePrice_ = nullptr;
};

// Opens the window over the document the main window shows; the values it hands back are typed
// into the main window's boxes, which store them and recalculate, so the main
// window shows the payment and ratios the window promised.
void ShowAfford(ScenarioDocument& document, QWidget* mainWindow);

}  // namespace dovanel
