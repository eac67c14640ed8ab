#pragma once
// The lender's information (LenderInfo): the lender's and the loan officer's
// names and NMLS IDs, address, phone and e-mail, printed on the reports.
// Nothing changes until "&Ok", which also writes LENDER.DAT.

#include "engine/model.h"
#include "shell/form.h"

class QLineEdit;
class QPlainTextEdit;

namespace dovanel {

class LenderInfoEditor : public Screen {
    Q_OBJECT
  public:
    explicit LenderInfoEditor(LenderSettings& settings, QWidget* parent = nullptr);

  private:
    void BtnOk_Click();
    void TellUnreadableFile();

    LenderSettings& settings_;
    QPlainTextEdit* address_ = nullptr;
};

}  // namespace dovanel
