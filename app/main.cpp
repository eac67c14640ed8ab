// Dovanel's start: one copy per user, the folders, the first run's data files,
// the settings, the main window and, over it, the splash.
#include <QApplication>
#include <QStandardPaths>
#include <QTimer>
#include <cstdlib>

#include "engine/model.h"
#include "shell/about_box.h"
#include "shell/app_context.h"
#include "shell/effects.h"
#include "shell/platform.h"
#include "shell/startup.h"
#include "ui/main/main_window.h"
#include "ui/screens.h"

namespace {

using namespace dovanel;

// False when this copy must end because another one runs and the user chose to
// go back to it.
bool CheckSingleInstance(SingleInstance& instance) {
    if (instance.TryLock()) return true;
    const MsgAnswer answer =
        Message(nullptr, AlreadyRunningMessage(App().productName), "ALREADY RUNNING",
                MsgIcon::Question, MsgButtons::YesNo, MsgAnswer::Yes);
    if (answer == MsgAnswer::Yes) return true;
    instance.ActivateRunningCopy();
    return false;
}

void SetUpFolders(AppContext& app) {
    app.programFolder = FindProgramFolder(QCoreApplication::applicationDirPath());
    app.helpFile = app.programFolder + "help/";
    app.dataFolder = MakeDataFolder(
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation), app.productName);
    if (IsFirstRun(app.dataFolder, app.programFolder)) {
        Message(nullptr, FirstRunMessage(app.dataFolder), "INITIALIZING", MsgIcon::Information);
        InstallDataFiles(app.programFolder, app.dataFolder);
    }
    app.settingsFile = app.dataFolder + "DV.INI";
    ReadSettings(app);
}

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
    QApplication application(argc, argv);
    application.setApplicationName("Dovanel");
    application.setApplicationVersion(DOVANEL_VERSION);
    AppContext& app = App();

    SingleInstance instance("dovanel-" + qEnvironmentVariable("USER", "user"));
    if (!CheckSingleInstance(instance)) return 0;
    SetUpFolders(app);

    MainWindow window(TheModel());
    if (window.FormLoad() == LoadOutcome::MissingFile) return 0;
    RegisterScreens(window, TheModel());
    const bool reachable = instance.Listen([&window] {
        window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
        window.show();
        window.raise();
        window.activateWindow();
    });
    if (!reachable) qWarning("Dovanel: a later copy cannot bring this one to the front");
    QObject::connect(&window, &MainWindow::firstActivationFinished, &window,
                     [&window] { ShowSplash(&window); });
    window.show();
#ifdef DOVANEL_QUIT_AFTER_FIRST_PAINT
    // Measuring start-up: end as soon as the main window has been painted once.
    struct FirstPaint : QObject {
        bool eventFilter(QObject* watched, QEvent* event) override {
            if (event->type() == QEvent::Paint && watched->isWidgetType())
                QTimer::singleShot(0, [] { std::_Exit(0); });  // once this paint is done
            return false;
        }
    } firstPaint;
    window.installEventFilter(&firstPaint);
#endif
    return application.exec();
}
