#pragma once
// The financing estimate (PrintScreen): the loan laid out as a lender's Good
// Faith Estimate, every figure as the last Recalculate left it. Double-clicking
// a caption explains its line.

#include <QMap>

#include "engine/model.h"
#include "shell/form.h"

namespace dovanel {

class EstimateScreen : public Screen {
    Q_OBJECT
  public:
    EstimateScreen(const Model& model, QWidget* parent = nullptr);

    // The text a value label shows, by the label's name ("valLoanAmount", ...).
    QString ValueText(const QString& name) const;

    static QString HelpText();

  signals:
    void printRequested();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void BuildFrames();
    void NameValuesForReaders();
    void btnHelp_Click();

    const Model& model_;
    QMap<QString, QLabel*> values_;
};

}  // namespace dovanel
