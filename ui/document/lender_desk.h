#pragma once
// The lender's desk: the schedules every scenario is computed with (estimate
// values, PMI, escrow and title fees, origination, guideline ratios), loaded
// from the data folder at start and changed only by their editors. Every open
// scenario document computes with a copy, refreshed whenever the desk says it
// changed, so that several scenarios can be open over one set of settings.

#include <QObject>

#include "engine/model.h"

namespace dovanel {

class LenderDesk : public QObject {
    Q_OBJECT
  public:
    explicit LenderDesk(QObject* parent = nullptr);

    // The settings as they stand; an editor changes them in place and then
    // calls Changed().
    LenderSettings& settings() { return settings_; }
    const LenderSettings& settings() const { return settings_; }

    // Takes the settings of a model (the start-up load reads every data file
    // into one model) and tells the documents.
    void Take(const LenderSettings& settings);
    // Tells every document that the settings changed.
    void Changed();

  signals:
    void settingsChanged();

  private:
    LenderSettings settings_;
};

}  // namespace dovanel
