#pragma once
// The income analysis: page 1 (Income) holds Form 1040 and Schedule A, page 2
// (Income2) Forms 2106 and Schedules C, D and E with the results. Every cell
// writes into the analysis at once; "&Ok" makes its monthly average the
// borrower's monthly income and writes INCOME.DAT (for the default loan; another scenario is
// written by its next Save), Cancel on page 1 puts back
// the analysis as it was opened.

#include <QMap>

#include "engine/income.h"
#include "engine/model.h"
#include "shell/form.h"
#include "ui/document/scenario_document.h"

class QGroupBox;
class QLineEdit;

namespace dovanel {

class IncomePage2;

// Opening the analysis makes page 2 first, hidden, then shows page 1 modally.
class IncomePage1 : public Screen {
    Q_OBJECT
  public:
    IncomePage1(ScenarioDocument& document, IncomePage2& page2, QWidget* parent = nullptr);

    // Recomputes the analysis and shows the results on both pages.
    void Compute();
    void ShowPage2();
    QLineEdit* Cell(int line, int year) const { return cells_.value(line * 10 + year); }

  signals:
    void printRequested();

  private:
    void BuildLines();
    void BtnOk_Click();

    ScenarioDocument& document_;
    Model& model_;
    IncomePage2& page2_;
    QMap<int, QLineEdit*> cells_;  // line * 10 + year
    QLabel* monthlyAverage_ = nullptr;
};

class IncomePage2 : public Screen {
    Q_OBJECT
  public:
    explicit IncomePage2(ScenarioDocument& document, QWidget* parent = nullptr);

    void SetPage1(IncomePage1* page1) { page1_ = page1; }
    void ShowResults(const IncomeDisplay& shown);
    void ShowYearCaptions();
    QLineEdit* Cell(int line, int year) const { return cells_.value(line * 10 + year); }

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void NameValuesForReaders(const QLabel* allowable);

    Model& model_;
    IncomePage1* page1_ = nullptr;
    QMap<int, QLineEdit*> cells_;
    QMap<QString, QLabel*> labels_;
    QGroupBox* frame1_ = nullptr;
};

}  // namespace dovanel
