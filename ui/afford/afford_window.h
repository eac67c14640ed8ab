#pragma once
// Afford ("What Can I Afford?"): the highest purchase price the buyer's income
// qualifies for, with the loan at that price, the limit that decides it, and a
// table of how the interest rate and the down payment move it. The window only
// reads the model; "&Use This Price" hands the price to the main window's
// purchase-price box.

#include "engine/affordability.h"
#include "shell/form.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace dovanel {

inline constexpr int kAffordHelpTopic = 70;

class AffordWindow : public Screen {
    Q_OBJECT
  public:
    explicit AffordWindow(const Model& model, QWidget* parent = nullptr);

    // The options as the controls set them.
    AffordabilityOptions Options() const;
    // The price "&Use This Price" chose, as it is to be typed; empty until then.
    QString chosenPrice() const { return chosenPrice_; }

  private:
    void BuildAnswer();
    void BuildOptions();
    void BuildTable();
    void BuildButtons();
    void Options_Change();
    void ShowAnswer(const Affordability& answer);
    void ShowTable(const AffordabilityTable& table);
    void BtnUsePrice_Click();

    const Model& model_;
    Affordability answer_;
    QString chosenPrice_;
    QCheckBox* chkScale_ = nullptr;
    QCheckBox* chkConforming_ = nullptr;
    QLineEdit* txtCash_ = nullptr;
    QTableWidget* table_ = nullptr;
    QPushButton* usePrice_ = nullptr;
};

// Opens the window over the main window; a price it hands back is typed into
// the main window's purchase-price box, which stores it and recalculates.
void ShowAfford(const Model& model, QWidget* mainWindow);

}  // namespace dovanel
