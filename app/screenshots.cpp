// Renders every window of the program to PNG files as users see them, for a
// review of how they look: screenshots OUTDIR PROGRAM_FOLDER [DESKTOP_FONT_POINTS].
// The screen is a desktop of 1920 x 1080 at the scale QT_SCALE_FACTOR gives (a
// message box wraps its text by its screen's width); the desktop's font is the
// platform's own, or that size (GNOME and Ubuntu use 11 pt). Each window is
// drawn once in the light and once in the dark palette, without sliding,
// filled as its first showing fills it; message boxes are drawn as the
// program's own steps show them: the first run's, a second copy's question,
// a failed save, every red flag and "i" button, and a few input checks.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <cstdio>
#include <map>

#include "engine/model.h"
#include "shell/app_context.h"
#include "shell/help.h"
#include "shell/looks.h"
#include "shell/platform.h"
#include "shell/qt_platform.h"
#include "shell/startup.h"
#include "ui/catalogue.h"
#include "ui/help/help_viewer.h"

namespace {

using namespace dovanel;

void Save(QWidget* window, const QString& path) {
    window->ensurePolished();
    if (!window->grab().save(path)) std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

// Draws every message box the program asks for, under the name given for the
// step that asks (a step that asks twice gets "-2" after its second one), and
// answers with its default button.
class Photographer : public QuietPlatform {
  public:
    QString folder, theme;

    void Start(const QString& outFolder, const QString& paletteName) {
        folder = outFolder;
        theme = paletteName;
        asked_.clear();
    }
    void Next(const QString& name) { next_ = name; }
    QString Path(const QString& name) const {
        return QString("%1/%2-%3.png").arg(folder, name, theme);
    }

    MsgAnswer ShowMessage(QWidget* parent, const MessageRequest& request) override {
        const int seen = ++asked_[next_];
        const std::unique_ptr<QMessageBox> box = MakeMessageBox(parent, request);
        box->show();  // a message box sizes itself to its text only when shown
        Save(box.get(), Path(seen > 1 ? QString("%1-%2").arg(next_).arg(seen) : next_));
        return request.defaultButton;
    }

  private:
    QString next_ = "message";
    std::map<QString, int> asked_;
};

Photographer* photographer = nullptr;

// Input checks of the main window, shown as the program words them.
const std::pair<const char*, MessageRequest> kInputChecks[] = {
    {"message-down-payment-over-100",
     {"Your Down Payment can not exceed 100% of the loan.", {}, MsgIcon::Warning}},
    {"message-save-changes",
     {"Save changes made to the Borrower's Loan Data?", "Save Changes", MsgIcon::Question,
      MsgButtons::YesNo, MsgAnswer::Yes}},
    {"message-zero",
     {"You must enter a number, and it must be greater than 0.", {}, MsgIcon::None}},
};

// The first run's message: a data folder made anew under a data location of its own.
void FirstRun() {
    const AppContext kept = App();
    QTemporaryDir location;
    photographer->Next("message-first-run");
    SetUpDataFolder(App(), location.path(), true);
    App() = kept;
}

// Every "i" button and red flag of the main window, clicked; an "i" button
// that opens a help topic shows the help viewer.
void ClickExplanations(QWidget* main, const QString& prefix) {
    for (QAbstractButton* button : main->findChildren<QAbstractButton*>()) {
        const QString name = button->objectName();
        if (!name.startsWith(prefix) || !button->isVisibleTo(main)) continue;
        photographer->Next("message-" + name);
        button->click();
        if (QWidget* viewer = HelpViewerWindow(); viewer && viewer->isVisible()) {
            Save(viewer, photographer->Path("HelpViewer-" + name));
            delete viewer;
        }
    }
}

// A save of the loan data into a data folder that has gone.
void FailedSave(QWidget* main) {
    const AppContext kept = App();
    const QTemporaryDir gone;
    App().dataFolder = gone.path() + "/Dovanel/";
    main->findChild<QLineEdit*>("Text1")->setText("250000");  // a change to save
    photographer->Next("message-save-failure");
    main->findChild<QAction*>("MenuFileSave")->trigger();
    App() = kept;
}

void RenderMessages() {
    for (const auto& [name, request] : kInputChecks) {
        photographer->Next(name);
        ThePlatform().ShowMessage(nullptr, request);
    }
    FirstRun();
    photographer->Next("message-already-running");
    AskToRunAnotherCopy(App().productName);
    Model model;
    for (const WindowEntry& entry : EveryWindow()) {
        if (entry.name == "frmMain") {
            const std::unique_ptr<QWidget> main = entry.make(model);
            ClickExplanations(main.get(), "info");
            FailedSave(main.get());
        } else if (entry.name == "frmMain-flags") {
            ClickExplanations(entry.make(model).get(), "RedFlag");
        }
    }
}

void RenderAll(const QString& folder, const QString& theme) {
    QApplication::setPalette(theme == "dark" ? DarkPalette() : LightPalette());
    photographer->Start(folder, theme);
    for (const WindowEntry& entry : EveryWindow()) {
        // Every screen opens over the loaded main window, as in the program.
        Model model;
        std::unique_ptr<QWidget> main;
        if (!entry.name.startsWith("frmMain")) main = EveryWindow().front().make(model);
        Save(entry.make(model).get(), photographer->Path(entry.name));
    }
    OpenHelpTopic(help_topic::kContents);
    if (QWidget* viewer = HelpViewerWindow()) {
        Save(viewer, photographer->Path("HelpViewer"));
        delete viewer;
    }
    RenderMessages();
}

// A data folder of its own, filled with the installed data files.
void UseInstalledData(const QString& installed, const QString& folder) {
    for (const QString& name : QDir(installed).entryList(QDir::Files)) {
        QFile::copy(installed + name, folder + name);
        QFile::setPermissions(folder + name, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }
    App().productName = "Dovanel";
    App().versionText = DOVANEL_VERSION;
    App().programFolder = installed;
    App().helpFile = installed + "help/";
    App().dataFolder = folder;
    App().settingsFile = folder + "DV.INI";
}

// The offscreen platform's own screen is 800 x 600: a desktop's is larger, and
// message boxes and the help viewer size themselves by it.
void UseDesktopScreen(const QTemporaryDir& folder) {
    const QString platform = qEnvironmentVariable("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && platform != "offscreen") return;
    const double scale = qEnvironmentVariable("QT_SCALE_FACTOR", "1").toDouble();
    QFile config(folder.filePath("screen.json"));
    if (!config.open(QIODevice::WriteOnly)) return;
    config.write(QString(R"({"screens": [{"name": "desktop", "x": 0, "y": 0, "width": %1,
        "height": %2, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})")
                     .arg(qRound(1920 * (scale > 0 ? scale : 1)))
                     .arg(qRound(1080 * (scale > 0 ? scale : 1)))
                     .toUtf8());
    config.close();
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config.fileName()).toUtf8());
}

// The offscreen platform's notes about what it cannot do are noise here.
void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith("This plugin does not support")) return;
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: %s OUTDIR PROGRAM_FOLDER [DESKTOP_FONT_POINTS]\n", argv[0]);
        return 2;
    }
    qInstallMessageHandler(QuietHandler);
    const QTemporaryDir screen;
    UseDesktopScreen(screen);
    QApplication application(argc, argv);
    if (argc == 4) {
        QFont desktop = QApplication::font();
        desktop.setPointSizeF(QString(argv[3]).toDouble());
        QApplication::setFont(desktop);
    }
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    SetUpLooks(application);
    InstallHelpViewer();
    Photographer platform;
    photographer = &platform;
    ScopedPlatform scope(platform);
    QTemporaryDir data;
    UseInstalledData(QDir(argv[2]).absolutePath() + "/", data.path() + "/");
    const QString folder = argv[1];
    QDir().mkpath(folder);
    for (const char* theme : {"light", "dark"}) RenderAll(folder, theme);
    return 0;
}
