#include "shell/shown_value.h"

#include <QLineEdit>
#include <QVariant>

namespace dovanel {

namespace {
const char kShown[] = "dovanelShownText";
}  // namespace

void ShowValue(QLineEdit* cell, const QString& text) {
    cell->setText(text);
    cell->setProperty(kShown, cell->text());
}

bool Edited(const QLineEdit* cell) {
    const QVariant shown = cell->property(kShown);
    return !shown.isValid() || shown.toString() != cell->text();
}

}  // namespace dovanel
