// Dovanel's start: one copy per user, the folders, the first run's data files,
// the settings, the main window and, over it, the splash.
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/startup_check.h"

#include "shell/app_context.h"
#include "shell/effects.h"
#include "shell/looks.h"
#include "shell/platform.h"
#include "shell/startup.h"
#include "ui/about/about_box.h"
#include "ui/document/recovery_session.h"
#include "ui/document/workspace.h"
#include "ui/help/help_viewer.h"
#include "ui/main/main_window.h"
#include "ui/screens.h"

namespace {

using namespace dovanel;

// False when this copy must end because another one runs: it took the file to
// open, or the user chose to go back to it.
bool CheckSingleInstance(SingleInstance& instance, const QString& file) {
    if (instance.TryLock()) return true;
    if (!file.isEmpty() && instance.AskRunningCopyToOpen(file)) return false;
    if (AskToRunAnotherCopy(App().productName)) return true;
    instance.ActivateRunningCopy();
    return false;
}

void BringToFront(QWidget& window) {
    window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.show();
    window.raise();
    window.activateWindow();
}

// False when the program cannot go on without a data folder (the user was told).
bool SetUpFolders(AppContext& app, const QString& location, bool onlyCopy) {
    app.programFolder = FindProgramFolder(QCoreApplication::applicationDirPath());
    app.helpFile = app.programFolder + "help/";
    if (!SetUpDataFolder(app, location, onlyCopy)) return false;
    app.settingsFile = app.dataFolder + "DV.INI";
    ReadSettings(app);
    return true;
}

// Qt ends the process with a core dump when its window system plugin cannot
// start (a display that does not answer). While the application is made, the
// plugins' messages are held back; such an end prints one line and exits with 1.
class WindowSystemGuard {
  public:
    WindowSystemGuard() { previous_ = qInstallMessageHandler(&Handle); }
    ~WindowSystemGuard() {
        qInstallMessageHandler(previous_);
        for (const Held& message : held_) {
            const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
            if (previous_) previous_(message.type, context, message.text);
        }
        held_.clear();
    }
    WindowSystemGuard(const WindowSystemGuard&) = delete;
    WindowSystemGuard& operator=(const WindowSystemGuard&) = delete;

  private:
    struct Held {
        QtMsgType type;
        QByteArray category;
        QString text;
    };

    static void Handle(QtMsgType type, const QMessageLogContext& context, const QString& text) {
        const QByteArray category(context.category ? context.category : "");
        if (type == QtFatalMsg) EndWithoutWindowSystem();
        if (category.startsWith("qt.qpa"))
            held_.push_back({type, category, text});
        else if (previous_)
            previous_(type, context, text);
    }

    // The first thing the plugins said that is not about loading a plugin.
    [[noreturn]] static void EndWithoutWindowSystem() {
        QString reason = "no window system plugin could start";
        for (const Held& message : held_) {
            if (message.category.startsWith("qt.qpa.plugin")) continue;
            reason = message.text;
            break;
        }
        std::fprintf(stderr, "dovanel: cannot open a window: %s\n", qPrintable(reason));
        std::fflush(stderr);
        std::_Exit(1);
    }

    static inline QtMessageHandler previous_ = nullptr;
    static inline std::vector<Held> held_;
};

void ShowSplash(QWidget* mainWindow) {
    auto* splash = new AboutBox(mainWindow);
    splash->MakeSplash();
    splash->show();
    Pause(3);
    splash->close();
    splash->deleteLater();
    mainWindow->activateWindow();
}

}  // namespace

int main(int argc, char* argv[]) {
    const CommandLine options =
        ReadCommandLine({argv + 1, argv + argc}, DOVANEL_VERSION, std::cout, std::cerr);
    if (options.exitStatus) return *options.exitStatus;
    const std::string noDisplay = NoDisplayProblem(options, ProcessDisplayEnvironment());
    if (!noDisplay.empty()) {
        std::cerr << noDisplay << '\n';
        return 1;
    }
    auto guard = std::make_unique<WindowSystemGuard>();
    QApplication application(argc, argv);
    guard.reset();
    application.setApplicationName("Dovanel");
    application.setDesktopFileName("dovanel");
    std::unique_ptr<StartupCheck> check;
    if (options.startupCheck) check = std::make_unique<StartupCheck>();
    application.setApplicationVersion(DOVANEL_VERSION);
    SetUpLooks(application);
    InstallHelpViewer();
    AppContext& app = App();

    const QString location = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    SingleInstance instance("dovanel-" + qEnvironmentVariable("USER", "user"),
                            InstanceFallbackFolder(location, app.productName));
    const QString file =
        options.file ? QFileInfo(QString::fromStdString(*options.file)).absoluteFilePath() : "";
    if (!CheckSingleInstance(instance, file)) return 0;
    if (!SetUpFolders(app, location, instance.Protected())) return 1;

    // Declared before the workspace: its copies outlive every document.
    RecoveryFolder recovery(QFile::encodeName(app.dataFolder).toStdString());
    Workspace workspace;
    MainWindow window(workspace.current());
    if (window.FormLoad() == LoadOutcome::MissingFile) return 0;
    RegisterScreens(window);
    window.UseWorkspace(workspace);
    RecoverySession recoverySession(workspace, recovery, &window);
    // A file named on the command line replaces the default loan, which has no
    // changes yet; a bad one is told and the default loan stays.
    if (!file.isEmpty()) window.OpenScenarioFile(file);
    const bool reachable = instance.Listen([&window] { BringToFront(window); },
                                           [&window](const QString& path) {
                                               BringToFront(window);
                                               window.OpenWhenFree(path);
                                           });
    if (!reachable) qWarning("Dovanel: a later copy cannot bring this one to the front");
    // After the splash, what a crash or a kill left behind is offered back.
    QObject::connect(&window, &MainWindow::firstActivationFinished, &window,
                     [&window, &recoverySession] {
                         ShowSplash(&window);
                         recoverySession.OfferOrphans();
                     });
    window.show();
    if (check) check->EndAfterFirstPaint(window);
#ifdef DOVANEL_QUIT_AFTER_FIRST_PAINT
    // Measuring start-up: end as soon as the main window has been painted once.
    AfterFirstPaint(window, [] { std::_Exit(0); });
#endif
    return application.exec();
}
