// The main window's File menu for scenario documents: New, Open, Save As, the
// recent files, a file dropped on the window and a file another copy of the
// program was asked to open. Each replaces the document only after asking
// about unsaved changes.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QTimer>

#include "shell/platform.h"
#include "shell/write_failure.h"
#include "ui/document/recent_files.h"
#include "ui/document/scenario_store.h"
#include "ui/document/workspace.h"
#include "ui/main/main_window.h"

namespace dovanel {

namespace {

QString RecentEntry(int index) {
    return QString("MenuFileRecent%1").arg(index + 1);
}

// The local file a drop carries, or none: exactly one file, from this machine.
QString DroppedFile(const QMimeData* data) {
    if (!data || !data->hasUrls() || data->urls().size() != 1) return {};
    const QUrl url = data->urls().front();
    return url.isLocalFile() ? url.toLocalFile() : QString();
}

}  // namespace

void MainWindow::UseWorkspace(Workspace& workspace) {
    workspace_ = &workspace;
    connect(&workspace, &Workspace::currentChanged, this,
            [this](ScenarioDocument* document) { SetDocument(*document); });
    SetMenuAction("MenuFileNew", [this] { MenuFileNew_Click(); });
    SetMenuAction("MenuFileOpen", [this] { MenuFileOpen_Click(); });
    for (int i = 0; i < kRecentFileCount; ++i)
        SetMenuAction(RecentEntry(i), [this, i] { OpenRecentFile(i); });
    ShowRecentFiles();
}

void MainWindow::MenuFileNew_Click() {
    if (!workspace_ || !AgreeToReplace()) return;
    workspace_->Replace(NewScenario(workspace_->desk()));
}

void MainWindow::MenuFileOpen_Click() {
    if (!workspace_ || !AgreeToReplace()) return;
    const QStringList recent = RecentFiles();
    const QString folder = !document_->path().isEmpty()
                               ? QFileInfo(document_->path()).absolutePath()
                           : recent.isEmpty() ? QDir::homePath()
                                              : QFileInfo(recent.front()).absolutePath();
    const QString path =
        ThePlatform().ChooseOpenFile(this, "Open Scenario", folder, kScenarioFilter);
    if (path.isEmpty()) return;
    if (auto document = OpenScenario(this, workspace_->desk(), path))
        workspace_->Replace(std::move(document));
    ShowRecentFiles();
}

bool MainWindow::OpenScenarioFile(const QString& path) {
    if (!workspace_ || !AgreeToReplace()) return false;
    auto document = OpenScenario(this, workspace_->desk(), path);
    const bool opened = document != nullptr;
    if (opened) workspace_->Replace(std::move(document));
    ShowRecentFiles();
    return opened;
}

void MainWindow::OpenWhenFree(const QString& path) {
    if (QApplication::activeModalWidget()) {
        QTimer::singleShot(250, this, [this, path] { OpenWhenFree(path); });
        return;
    }
    OpenScenarioFile(path);
}

void MainWindow::MenuFileSaveAs_Click() {
    SaveDocumentAs(this, *document_);
    ShowRecentFiles();
}

// A file that is gone is offered for removal from the list.
void MainWindow::OpenRecentFile(int index) {
    const QStringList recent = RecentFiles();
    if (index >= recent.size()) return;
    const QString path = recent[index];
    if (!QFileInfo::exists(path)) {
        const QString text = "The scenario file " + path +
                             " is no longer there.\r\rRemove it from the list of recent files?";
        if (Message(this, text, {}, MsgIcon::Question, MsgButtons::YesNo, MsgAnswer::Yes) ==
            MsgAnswer::Yes)
            ReportSettingsWriteFailure(this, RemoveRecentFile(path));
        ShowRecentFiles();
        return;
    }
    OpenScenarioFile(path);
}

// "&1 Smith.dovanel" .. "&8 ...", the full path as status tip and tooltip.
void MainWindow::ShowRecentFiles() {
    const QStringList recent = workspace_ ? RecentFiles() : QStringList();
    for (int i = 0; i < kRecentFileCount; ++i) {
        QAction* entry = actions_.value(RecentEntry(i));
        if (!entry) continue;
        const bool shown = i < recent.size();
        entry->setVisible(shown);
        if (!shown) continue;
        QString name = QFileInfo(recent[i]).fileName();
        name.replace('&', "&&");
        entry->setText(QString("&%1 %2").arg(i + 1).arg(name));
        entry->setStatusTip(recent[i]);
        entry->setToolTip(recent[i]);
    }
    if (QAction* bar = findChild<QAction*>("MenuFileRecentBar")) bar->setVisible(!recent.isEmpty());
}

void MainWindow::dragEnterEvent(QDragEnterEvent* e) {
    if (workspace_ && !DroppedFile(e->mimeData()).isEmpty()) e->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* e) {
    const QString path = DroppedFile(e->mimeData());
    if (path.isEmpty() || !workspace_) return;
    e->acceptProposedAction();
    // The question and the opening wait until the drop is over.
    QTimer::singleShot(0, this, [this, path] { OpenScenarioFile(path); });
}

}  // namespace dovanel
