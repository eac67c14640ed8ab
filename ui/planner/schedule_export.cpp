#include "ui/planner/schedule_export.h"

#include <QAbstractItemView>
#include <QAction>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QPrinter>
#include <QStandardPaths>
#include <QWidget>

#include "data/data_files.h"
#include "shell/page_printer.h"
#include "shell/platform.h"
#include "shell/write_failure.h"
#include "ui/amortization/printing.h"

namespace dovanel {

namespace {

std::string NativePath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QString AskForFile(QWidget* window, const QString& caption, const QString& name,
                   const QString& filter) {
    const QString path = ThePlatform().ChooseSaveFile(
        window, caption, QDir(LastExportFolder()).filePath(name), filter);
    if (!path.isEmpty()) LastExportFolder() = QFileInfo(path).absolutePath();
    return path;
}

}  // namespace

QString& LastExportFolder() {
    static QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return folder;
}

bool SaveScheduleCsv(QWidget* window, const std::vector<PayoffRow>& rows,
                     const QString& suggestedName) {
    const QString path =
        AskForFile(window, "Export CSV", suggestedName, "CSV files (*.csv);;All files (*)");
    if (path.isEmpty()) return false;
    const WriteResult written = WriteNamedFile(NativePath(path), ScheduleCsv(rows));
    if (!written) ReportWriteFailure(window, path, written, {});
    return written.ok;
}

bool SaveReportPdf(QWidget* window, const std::function<void(ReportWriter&)>& body,
                   const QString& suggestedName) {
    const QString path =
        AskForFile(window, "Save as PDF", suggestedName, "PDF files (*.pdf);;All files (*)");
    if (path.isEmpty()) return false;
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setPageSize(QPageSize(QPageSize::Letter));
    printer->setOutputFileName(path);
    QtPagePrinter pages(std::move(printer));
    return PrintReport(pages, {window, FormFont(), true, true}, body);
}

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
