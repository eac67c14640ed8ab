#pragma once
// The origination fee schedule editor (LoanO): five loan-amount bands with their
// fee percentages. Every keystroke changes the schedule in memory; "&Ok" also
// writes LOANORIG.DAT, Cancel puts back the schedule as it was opened.

#include "engine/model.h"
#include "shell/form.h"

namespace dovanel {

class OriginationEditor : public Screen {
    Q_OBJECT
  public:
    OriginationEditor(LenderSettings& settings, QWidget* parent = nullptr);

  private:
    LenderSettings& settings_;
};

// The guideline ratios editor (FanieMae): the jumbo limit and the two pairs of
// qualifying ratios. Nothing changes until "&Ok", which also writes FANMAE.DAT.
class GuidelineEditor : public Screen {
    Q_OBJECT
  public:
    GuidelineEditor(LenderSettings& settings, QWidget* parent = nullptr);

  private:
    void BuildReferencePanel();
    void BtnOk_Click();

    LenderSettings& settings_;
};

}  // namespace dovanel
