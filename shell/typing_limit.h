#pragma once
// A limit on what typing may put into a box that leaves the values the program
// puts there whole: QLineEdit::setMaxLength would cut a longer value loaded
// from a file. A refused keystroke leaves the box as it was and beeps.

#include <QValidator>
#include <functional>

class QLineEdit;

namespace dovanel {

class TypingLimit : public QValidator {
  public:
    // Whether a text the user typed may stand (for example, that a total stays finite).
    using Check = std::function<bool(const QString& text)>;

    // A `maxLength` of 0 limits nothing but what `check` refuses.
    static TypingLimit* Install(QLineEdit* box, int maxLength, Check check = {});
    // The limit installed on `box`, or 0.
    static int MaxLengthOf(const QLineEdit* box);

    State validate(QString& input, int& pos) const override;

  private:
    TypingLimit(QLineEdit* box, int maxLength, Check check);

    QLineEdit* box_;
    int maxLength_;
    Check check_;
    int shownLength_ = 0;  // the length of the text before the edit being checked
};

}  // namespace dovanel
