#pragma once
// The estimate values editor (Values): the seven cost items with their names,
// the day and month counts and the application deposit. Nothing changes until
// "&Ok", which stores the cells and writes ESTIMATE.DAT.

#include <QMap>

#include "engine/model.h"
#include "shell/form.h"

class QLineEdit;

namespace dovanel {

class ValuesEditor : public Screen {
    Q_OBJECT
  public:
    ValuesEditor(LenderSettings& settings, QWidget* parent = nullptr);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildRows();
    void Fill();
    void BtnOk_Click();

    LenderSettings& settings_;
    QMap<QString, QLineEdit*> cells_;
};

}  // namespace dovanel
