#include "shell/keys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace dovanel {

void FilterNumericKey(int& keyAscii) {
    const bool digit = keyAscii >= '0' && keyAscii <= '9';
    if (!(digit || keyAscii == 8 || keyAscii == '-' || keyAscii == '.')) keyAscii = 0;
}

namespace {

bool IsEnter(const QKeyEvent* key) {
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

// The character a key types, as a code; 0 for keys that type nothing.
int TypedCode(const QKeyEvent* key) {
    if (key->key() == Qt::Key_Backspace) return 8;
    const QString text = key->text();
    if (text.size() != 1 || !text[0].isPrint()) return 0;
    return text[0].unicode();
}

}  // namespace

bool KeyPreview::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    auto* widget = qobject_cast<QWidget*>(watched);
    if (options_.enterAsTab && IsEnter(key) && widget) {
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QApplication::sendEvent(widget, &tab);
        return true;
    }
    if (options_.numericOnly && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        int code = TypedCode(key);
        if (code != 0) {
            FilterNumericKey(code);
            if (code == 0) return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void InstallKeyPreview(QWidget* window, KeyPreviewOptions options) {
    auto* preview = new KeyPreview(window, options);
    window->installEventFilter(preview);
    for (QWidget* child : window->findChildren<QWidget*>()) child->installEventFilter(preview);
}

}  // namespace dovanel
