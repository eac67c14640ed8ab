#include "ui/document/lender_desk.h"

namespace dovanel {

LenderDesk::LenderDesk(QObject* parent) : QObject(parent) {}

void LenderDesk::Take(const LenderSettings& settings) {
    settings_ = settings;
    Changed();
}

void LenderDesk::Changed() {
    emit settingsChanged();
}

}  // namespace dovanel
