#include "ui/export/csv_menu.h"

#include <QAbstractItemView>
#include <QAction>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QWidget>

#include "ui/export/export_files.h"

namespace dovanel {

namespace {

// The context menu from the keyboard: Shift+F10, or the Menu key as the window
// system reports it, opens the menu at the current row rather than at the mouse.
class MenuFromKeyboard : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const bool shiftF10 = event->type() == QEvent::KeyPress &&
                              static_cast<QKeyEvent*>(event)->key() == Qt::Key_F10 &&
                              static_cast<QKeyEvent*>(event)->modifiers() == Qt::ShiftModifier;
        const bool menuKey =
            event->type() == QEvent::ContextMenu &&
            static_cast<QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Keyboard;
        if (!shiftF10 && !menuKey) return QObject::eventFilter(watched, event);
        PopUp(static_cast<QWidget*>(watched));
        return true;
    }

  private:
    static void PopUp(QWidget* target) {
        QPoint at = target->rect().center();
        if (auto* view = qobject_cast<QAbstractItemView*>(target);
            view && view->currentIndex().isValid()) {
            const QRect row = view->visualRect(view->currentIndex());
            at = view->viewport()->mapTo(target, QPoint(row.left() + row.height(), row.bottom()));
        }
        auto* menu = new QMenu(target);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->addActions(target->actions());
        menu->popup(target->mapToGlobal(at));
        // Opened by a key, its first entry is ready for Enter.
        if (!menu->actions().isEmpty()) menu->setActiveAction(menu->actions().first());
    }
};

}  // namespace

void AddExportCsvMenu(QWidget* target, std::function<std::vector<PayoffRow>()> rows,
                      const QString& suggestedName) {
    auto* action = new QAction("Export CSV ...", target);
    action->setObjectName("mnuExportCsv");
    QObject::connect(action, &QAction::triggered, target, [target, rows, suggestedName] {
        SaveScheduleCsv(target->window(), rows(), suggestedName);
    });
    target->addAction(action);
    target->setContextMenuPolicy(Qt::ActionsContextMenu);
    target->installEventFilter(new MenuFromKeyboard(target));
}

}  // namespace dovanel
