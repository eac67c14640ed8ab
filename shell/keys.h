#pragma once
// Keyboard handling shared by the data-entry windows: the window sees each key
// before its controls, turns Enter into Tab and, where its cells are numeric,
// lets only digits, backspace, "-" and "." through.

#include <QObject>

class QWidget;

namespace dovanel {

// Leaves a typed character's code as it is when it is a digit, backspace (8),
// "-" or "."; otherwise makes it 0, which swallows the character.
void FilterNumericKey(int& keyAscii);

struct KeyPreviewOptions {
    bool enterAsTab = true;
    bool numericOnly = true;
};

// Installs the key preview on the window and every control it holds now.
void InstallKeyPreview(QWidget* window, KeyPreviewOptions options);

// The preview itself, for windows that add controls later.
class KeyPreview : public QObject {
  public:
    KeyPreview(QObject* parent, KeyPreviewOptions options) : QObject(parent), options_(options) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    KeyPreviewOptions options_;
};

}  // namespace dovanel
