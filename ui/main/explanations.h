#pragma once
// What the main window's red flags and "i" buttons say. The texts carry the
// guideline values and PMI of the last recalculation.

#include <QString>

#include "engine/model.h"

namespace dovanel {

struct Explanation {
    QString title;
    QString text;
    int helpTopic = 0;  // when not 0: open this help topic instead of a message
};

enum class RedFlag { DownPayment, LoanAmount, FirstRatio, SecondRatio };

Explanation RedFlagAlert(RedFlag flag, const Model& model);

// By the button's name ("infoPurchasePrice", ...); an unknown name gives an empty title.
Explanation FieldExplanation(const QString& button, const Model& model);

}  // namespace dovanel
