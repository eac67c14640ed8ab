#include "shell/help.h"

#include <QApplication>
#include <QDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "shell/app_context.h"

namespace dovanel {

namespace {

HelpRecorder* recorder = nullptr;

// One viewer at a time. It belongs to the window that is modal at the moment, so
// that it can be used while that window is open.
QDialog* Viewer() {
    static QPointer<QDialog> viewer;
    QWidget* owner = QApplication::activeModalWidget();
    if (!owner) owner = QApplication::activeWindow();
    if (viewer && viewer->parentWidget() != owner) delete viewer;
    if (!viewer) {
        viewer = new QDialog(owner, Qt::Window);
        viewer->setObjectName("HelpViewer");
        viewer->setAttribute(Qt::WA_DeleteOnClose);
        viewer->resize(640, 560);
        auto* browser = new QTextBrowser(viewer);
        browser->setObjectName("HelpBrowser");
        browser->setOpenExternalLinks(true);
        auto* layout = new QVBoxLayout(viewer);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(browser);
        QObject::connect(browser, &QTextBrowser::sourceChanged, viewer, [browser] {
            browser->window()->setWindowTitle(QString(App().productName) + " Help - " +
                                              browser->documentTitle());
        });
    }
    return viewer;
}

}  // namespace

QString HelpTopicPath(const QString& helpFolder, int topic) {
    return helpFolder + "topic" + QString::number(topic) + ".html";
}

void OpenHelpTopic(int topic) {
    if (recorder) {
        recorder->topics.append(topic);
        return;
    }
    const QString page = HelpTopicPath(App().helpFile, topic);
    if (!QFileInfo::exists(page)) return;
    QDialog* viewer = Viewer();
    viewer->findChild<QTextBrowser*>("HelpBrowser")->setSource(QUrl::fromLocalFile(page));
    viewer->show();
    viewer->raise();
    viewer->activateWindow();
}

namespace {
// The window sees F1 before any of its controls does.
class HelpKey : public QObject {
  public:
    HelpKey(QObject* parent, int topic) : QObject(parent), topic_(topic) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
            OpenHelpTopic(topic_);
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    int topic_;
};
}  // namespace

void InstallHelpKey(QWidget* window, int topic) {
    auto* filter = new HelpKey(window, topic);
    window->installEventFilter(filter);
    for (QWidget* child : window->findChildren<QWidget*>()) child->installEventFilter(filter);
}

HelpRecorder::HelpRecorder() {
    recorder = this;
}
HelpRecorder::~HelpRecorder() {
    recorder = nullptr;
}

}  // namespace dovanel
