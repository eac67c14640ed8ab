#pragma once
// What each line of the financing estimate means, with the HUD-1 settlement
// statement line where its charge is entered. A definition belongs to the row
// (its caption's name), not to the text the row shows.

#include <QString>

namespace dovanel {

struct LineDefinition {
    QString title;
    QString text;  // the HUD-1 line, the paragraphs, separated by blank lines
};

// False for captions without a definition (the totals, "Subtotal", the summary's "Loan Amount").
bool FindLineDefinition(const QString& caption, LineDefinition& definition);

}  // namespace dovanel
