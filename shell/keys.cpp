#include "shell/keys.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QWidget>

#include "shell/platform.h"

namespace dovanel {

void FilterNumericKey(int& keyAscii) {
    const bool digit = keyAscii >= '0' && keyAscii <= '9';
    if (!(digit || keyAscii == 8 || keyAscii == '-' || keyAscii == '.')) keyAscii = 0;
}

QString FilterNumericText(const QString& text) {
    QString kept;
    for (const QChar c : text) {
        int code = c.unicode();
        FilterNumericKey(code);
        if (code != 0 && code != 8) kept.append(c);
    }
    return kept;
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

// The preview belongs to the form's own data controls: its text boxes, its
// drop-down lists and its spin boxes (Enter only; a spin box checks its own
// characters), never a popup, a menu, a button or another window.
bool IsTextBox(const QObject* watched) {
    return qobject_cast<const QLineEdit*>(watched) != nullptr;
}
bool IsFormList(const QObject* watched) {
    return qobject_cast<const QComboBox*>(watched) != nullptr ||
           qobject_cast<const QAbstractSpinBox*>(watched) != nullptr;
}

const char kRefusesMinus[] = "dovanelRefusesMinus";

bool RefusesMinus(const QObject* box) {
    return box->property(kRefusesMinus).toBool();
}

void InsertFiltered(QLineEdit* box, const QString& text) {
    if (box->isReadOnly()) return;
    QString kept = FilterNumericText(text);
    if (RefusesMinus(box)) kept.remove('-');
    box->insert(kept);
}

// The box's own "Paste" entry of its context menu.
QAction* PasteEntry(QMenu* menu) {
    for (QAction* action : menu->actions())
        if (action->objectName() == "edit-paste" ||
            action->text().section('\t', 0, 0) == QLineEdit::tr("&Paste"))
            return action;
    return nullptr;
}

}  // namespace

namespace {

// Ctrl+V, Shift+Insert: the box takes the key (no shortcut may) and pastes it here.
bool PasteByKey(QLineEdit* box, QKeyEvent* key) {
    if (!key->matches(QKeySequence::Paste)) return false;
    if (key->type() == QEvent::ShortcutOverride)
        key->accept();
    else
        InsertFiltered(box, QApplication::clipboard()->text());
    return true;
}

// The box's own context menu, with its "Paste" entry going through the filter.
bool PasteByMenu(QLineEdit* box, const QContextMenuEvent* event) {
    QMenu* menu = box->createStandardContextMenu();
    if (QAction* paste = PasteEntry(menu)) {
        paste->disconnect();
        QObject::connect(paste, &QAction::triggered, box,
                         [box] { InsertFiltered(box, QApplication::clipboard()->text()); });
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
    return true;
}

// The middle button pastes the selection where it is released.
bool PasteSelection(QLineEdit* box, const QMouseEvent* mouse) {
    if (mouse->button() != Qt::MiddleButton || !QApplication::clipboard()->supportsSelection())
        return false;
    box->setCursorPosition(box->cursorPositionAt(mouse->position().toPoint()));
    InsertFiltered(box, QApplication::clipboard()->text(QClipboard::Selection));
    return true;
}

bool PasteDropped(QLineEdit* box, QDropEvent* drop) {
    if (!drop->mimeData()->hasText()) return false;
    box->setCursorPosition(box->cursorPositionAt(drop->position().toPoint()));
    InsertFiltered(box, drop->mimeData()->text());
    drop->acceptProposedAction();
    return true;
}

}  // namespace

// Pasting by key, by the context menu, by the middle button or by dropping
// inserts only what typing the same characters would have.
bool KeyPreview::PasteFiltered(QLineEdit* box, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::ShortcutOverride:
            return PasteByKey(box, static_cast<QKeyEvent*>(event));
        case QEvent::ContextMenu:
            return PasteByMenu(box, static_cast<QContextMenuEvent*>(event));
        case QEvent::MouseButtonRelease:
            return PasteSelection(box, static_cast<QMouseEvent*>(event));
        case QEvent::Drop:
            return PasteDropped(box, static_cast<QDropEvent*>(event));
        default:
            return false;
    }
}

bool KeyPreview::eventFilter(QObject* watched, QEvent* event) {
    const bool textBox = IsTextBox(watched);
    if (!textBox && !IsFormList(watched)) return QObject::eventFilter(watched, event);
    if (textBox && options_.numericOnly && PasteFiltered(static_cast<QLineEdit*>(watched), event))
        return true;
    if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    auto* widget = static_cast<QWidget*>(watched);
    if (options_.enterAsTab && IsEnter(key)) {
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QApplication::sendEvent(widget, &tab);
        return true;
    }
    if (textBox && options_.numericOnly &&
        !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        int code = TypedCode(key);
        if (code != 0) {
            FilterNumericKey(code);
            if (code == '-' && RefusesMinus(watched)) code = 0;
            if (code == 0) return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void RefuseMinusSign(QLineEdit* box) {
    box->setProperty(kRefusesMinus, true);
}

bool HoldsNoNumber(const QString& text) {
    for (const QChar c : text)
        if (c.isDigit()) return false;
    return true;
}

void ShowEmptyWithoutNumber(QLineEdit* box) {
    QObject::connect(box, &QLineEdit::editingFinished, box, [box] {
        if (!box->text().isEmpty() && HoldsNoNumber(box->text())) box->clear();
    });
}

namespace {

const char kGuardName[] = "dovanelModifiedKeyGuard";

bool CtrlAltOrMetaHeld(const QKeyEvent* key) {
    return key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
}

// Menus find their entries by the typed letter, Alt held or not.
bool ReadsAccessKeys(const QObject* watched) {
    return qobject_cast<const QMenu*>(watched) || qobject_cast<const QMenuBar*>(watched);
}

// Sees every key before its control does; a key with Ctrl, Alt or Meta held is
// handed on without its text. (AltGr arrives without those modifiers, so the
// characters it types still type.)
class ModifiedKeyGuard : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
        auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        if (text.isEmpty() || !text[0].isPrint() || !CtrlAltOrMetaHeld(key) ||
            ReadsAccessKeys(watched))
            return false;
        QKeyEvent bare(QEvent::KeyPress, key->key(), key->modifiers(), key->nativeScanCode(),
                       key->nativeVirtualKey(), key->nativeModifiers(), QString(),
                       key->isAutoRepeat(), key->count(), key->device());
        QApplication::sendEvent(watched, &bare);  // goes up to the window as the key would
        if (!bare.isAccepted() && (key->modifiers() & Qt::AltModifier)) ThePlatform().Beep();
        key->accept();  // handled: it goes no further up
        return true;
    }
};

}  // namespace

void GuardModifiedKeys() {
    QCoreApplication* application = QCoreApplication::instance();
    if (!application ||
        application->findChild<QObject*>(kGuardName, Qt::FindDirectChildrenOnly) != nullptr)
        return;
    auto* guard = new ModifiedKeyGuard(application);
    guard->setObjectName(kGuardName);
    application->installEventFilter(guard);
}

void InstallKeyPreview(QWidget* window, KeyPreviewOptions options) {
    auto* preview = new KeyPreview(window, options);
    for (QWidget* child : window->findChildren<QWidget*>())
        if (child->window() == window && (IsTextBox(child) || IsFormList(child)))
            child->installEventFilter(preview);
}

namespace {
// Enter on a focused push button presses it, as Space does.
class ButtonKeys : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress || !IsEnter(static_cast<QKeyEvent*>(event)))
            return QObject::eventFilter(watched, event);
        auto* button = static_cast<QPushButton*>(watched);
        if (button->isEnabled()) button->click();  // keys reach the focused control only
        return true;
    }
};
}  // namespace

void SetUpButtons(QWidget* window, QPushButton* defaultButton) {
    auto* keys = new ButtonKeys(window);
    for (QPushButton* button : window->findChildren<QPushButton*>()) {
        if (button->window() != window) continue;
        button->setAutoDefault(false);
        button->setDefault(button == defaultButton);
        button->installEventFilter(keys);
    }
}

}  // namespace dovanel
