#include "app/startup_check.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFileInfo>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <utility>

#include "shell/app_context.h"
#include "shell/help.h"
#include "shell/platform.h"
#include "shell/program_folder.h"
#include "shell/startup.h"

namespace dovanel {

namespace {

void Print(const QString& line) {
    std::fputs((line + "\n").toLocal8Bit().constData(), stdout);
}

// Prints one file and whether it exists; false when it does not.
bool Report(const QString& what, const QString& path) {
    const bool found = QFileInfo::exists(path);
    Print(what + ": " + path + (found ? " (found)" : " (missing)"));
    return found;
}

int ReportFolders() {
    const AppContext& app = App();
    // The class part of the main window's WM_CLASS on X11, which Qt takes from
    // the application's name; the desktop entry's StartupWMClass must match it.
    Print("window class: " + QCoreApplication::applicationName());
    Print("program folder: " + app.programFolder);
    // Where the update check sends the user: a system location's package manager, or the maker.
    Print(QString("installed for the system: ") +
          (IsSystemLocation(app.programFolder) ? "yes" : "no"));
    Print("data folder: " + app.dataFolder);
    bool all = Report("help", HelpTopicPath(app.helpFile, 1));
    all = Report("sound", app.programFolder + "ClickBg.wav") && all;
    all = Report("sound", app.programFolder + "message2.wav") && all;
    for (const QString& name : InstalledFiles())
        all = Report("data file", app.dataFolder + name) && all;
    return all ? 0 : 1;
}

}  // namespace

// The desktop platform, except that message boxes are printed and answered
// with their default button instead of waiting for a user.
class StartupCheck::AnsweringPlatform : public QuietPlatform {
  public:
    explicit AnsweringPlatform(Platform& desktop) : desktop_(desktop) {}

    MsgAnswer ShowMessage(QWidget*, const MessageRequest& request) override {
        QString text = request.text;
        Print("message: " + request.title + ": " + text.replace('\r', ' '));
        return request.defaultButton;
    }
    void SetBusy(bool busy) override { desktop_.SetBusy(busy); }
    void PlaySound(const QString& path) override { desktop_.PlaySound(path); }
    void Pause(double seconds) override { desktop_.Pause(seconds); }
    void EndProgram() override { desktop_.EndProgram(); }

  private:
    Platform& desktop_;
};

StartupCheck::StartupCheck()
    : platform_(std::make_unique<AnsweringPlatform>(ThePlatform())),
      scope_(std::make_unique<ScopedPlatform>(*platform_)) {}

StartupCheck::~StartupCheck() = default;

void AfterFirstPaint(QWidget& window, std::function<void()> then) {
    struct FirstPaint : QObject {
        FirstPaint(QObject* parent, std::function<void()> then)
            : QObject(parent), then_(std::move(then)) {}
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::Paint && then_) {
                QTimer::singleShot(0, std::exchange(then_, nullptr));  // once this paint is done
            }
            return false;
        }
        std::function<void()> then_;
    };
    window.installEventFilter(new FirstPaint(&window, std::move(then)));
}

void StartupCheck::EndAfterFirstPaint(QWidget& window) {
    AfterFirstPaint(window, [] {
        const int status = ReportFolders();
        std::fflush(stdout);
        std::_Exit(status);
    });
}

}  // namespace dovanel
