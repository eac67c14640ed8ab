#pragma once
// Keyboard handling shared by the data-entry windows: the window sees each key
// before its text boxes, turns Enter into Tab and, where its cells are numeric,
// lets only digits, backspace, "-" and "." through, typed or pasted. Menus,
// popups, buttons and other windows never see the preview. Program-wide, a key
// with Ctrl, Alt or Meta held never types.

#include <QObject>
#include <QString>

class QLineEdit;
class QPushButton;
class QWidget;

namespace dovanel {

// Leaves a typed character's code as it is when it is a digit, backspace (8),
// "-" or "."; otherwise makes it 0, which swallows the character.
void FilterNumericKey(int& keyAscii);

// The characters of a text that FilterNumericKey lets through ("$425,000" gives "425000").
QString FilterNumericText(const QString& text);

// A key pressed with Ctrl, Alt or Meta held reaches its control without its
// text: it still moves, selects, copies, pastes or opens a list, but never
// inserts a character or picks an entry by its letter. Such a key with Alt held
// that nothing takes beeps, as a missing access key does. Menus keep the text
// for their own access keys. Every window calls this; it takes effect once for
// the whole program.
void GuardModifiedKeys();

// A numeric box whose value can never be negative (a price, a rate, an extra
// payment) refuses the minus sign, typed or pasted, as it refuses letters.
void RefuseMinusSign(QLineEdit* box);

// Whether a text holds no digit at all ("", ".", "  "): such a box means nothing entered.
bool HoldsNoNumber(const QString& text);
// A box holding no digit shows empty once the user leaves it, as it counts as empty.
void ShowEmptyWithoutNumber(QLineEdit* box);

struct KeyPreviewOptions {
    bool enterAsTab = true;
    bool numericOnly = true;
};

// Installs the key preview on the window's text boxes (and, for Enter, its
// drop-down lists) that exist now.
void InstallKeyPreview(QWidget* window, KeyPreviewOptions options);

// The preview itself, for windows that add controls later.
class KeyPreview : public QObject {
  public:
    KeyPreview(QObject* parent, KeyPreviewOptions options) : QObject(parent), options_(options) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool PasteFiltered(QLineEdit* box, QEvent* event);
    KeyPreviewOptions options_;
};

// The window's push buttons: only `defaultButton` (may be null) is the default,
// none becomes it by taking the focus, and a focused button is pressed by Enter
// as by Space.
void SetUpButtons(QWidget* window, QPushButton* defaultButton);

}  // namespace dovanel
