#pragma once
// "Export CSV ..." in a widget's context menu, which the keyboard opens too.

#include <QString>
#include <functional>
#include <vector>

#include "engine/payoff.h"

class QWidget;

namespace dovanel {

// "Export CSV ..." in the context menu of a widget, exporting what `rows` gives.
void AddExportCsvMenu(QWidget* target, std::function<std::vector<PayoffRow>()> rows,
                      const QString& suggestedName);

}  // namespace dovanel
