#pragma once
// The PMI schedule editor (PMI): sixteen rates in four panels. Every keystroke
// changes the schedule in memory; "&Ok" also writes PMI.DAT, Cancel puts back
// the schedule as it was opened.

#include "engine/model.h"
#include "shell/form.h"

namespace dovanel {

class PmiEditor : public Screen {
    Q_OBJECT
  public:
    PmiEditor(LenderSettings& settings, QWidget* parent = nullptr);

  private:
    LenderSettings& settings_;
};

}  // namespace dovanel
