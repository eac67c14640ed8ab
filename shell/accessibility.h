#pragma once
// Names for screen readers: every box is named by its caption, every value by
// its caption and value, and the captions are the boxes' buddies.

#include <QString>
#include <functional>

class QLabel;
class QWidget;

namespace dovanel {

// A caption as a name: without dot leaders, access-key marks and extra blanks
// ("Purchase Price . . . ." gives "Purchase Price").
QString CaptionName(const QString& caption);

// Names each of the window's boxes, lists and scroll bars that has no name yet
// after the caption beside it on its row (the row's heading above is added when
// several boxes share a caption), and makes that caption the box's buddy.
void NameControls(QWidget* window);

// The label's accessible name is "caption, value", with the value it shows at the moment.
void NameValueLabel(QLabel* label, const QString& caption);
// Words read around a value: "rate" before "0.500%", "days" after "30".
struct ValueWords {
    QString before;
    QString after;
};

// The same, with the caption as the other label shows it at the moment; that
// label is reported as the value's label.
void NameValueLabel(QLabel* label, const QLabel* caption, ValueWords words = {});
// The same, with a caption worked out whenever the name is asked for.
void NameValueLabel(QLabel* label, std::function<QString()> caption);

// The control's accessible description is worked out whenever it is asked for.
void DescribeLive(QWidget* control, std::function<QString()> description);

}  // namespace dovanel
