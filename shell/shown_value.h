#pragma once
// A cell that shows a stored value rounded remembers the text it was filled
// with, so that Ok stores only what the user changed and an unedited cell keeps
// the exact value it stands for.

#include <QString>

class QLineEdit;

namespace dovanel {

// Sets the cell's text and remembers it as the value's text.
void ShowValue(QLineEdit* cell, const QString& text);

// Whether the cell's text differs from the one it was filled with.
bool Edited(const QLineEdit* cell);

}  // namespace dovanel
