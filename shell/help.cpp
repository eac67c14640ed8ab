#include "shell/help.h"

#include <QFileInfo>
#include <QKeyEvent>
#include <QWidget>

#include "shell/app_context.h"

namespace dovanel {

namespace {

HelpRecorder* recorder = nullptr;
HelpPageViewer viewer = nullptr;

}  // namespace

QString HelpTopicPath(const QString& helpFolder, int topic) {
    return helpFolder + "topic" + QString::number(topic) + ".html";
}

void OpenHelpTopic(int topic) {
    if (recorder) {
        recorder->topics.append(topic);
        if (!recorder->showViewer) return;
    }
    const QString page = HelpTopicPath(App().helpFile, topic);
    if (!viewer || !QFileInfo::exists(page)) return;
    viewer(page);
}

void SetHelpViewer(HelpPageViewer show) {
    viewer = show;
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
