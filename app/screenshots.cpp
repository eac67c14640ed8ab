// Renders every window of the program to PNG files, for a review of how they
// look: screenshots OUTDIR. The scale comes from QT_SCALE_FACTOR; each window
// is drawn once in the light and once in the dark palette, without sliding.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <cstdio>

#include "engine/model.h"
#include "shell/app_context.h"
#include "shell/looks.h"
#include "shell/platform.h"
#include "shell/qt_platform.h"
#include "ui/catalogue.h"

namespace {

using namespace dovanel;

void Save(QWidget* window, const QString& path) {
    window->ensurePolished();
    if (!window->grab().save(path)) std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

const MessageRequest kMessages[] = {
    {"Your Down Payment can not exceed 100% of the loan.", {}, MsgIcon::Warning},
    {"Save changes made to the Borrower's Loan Data?", "Save Changes", MsgIcon::Question,
     MsgButtons::YesNo, MsgAnswer::Yes},
    {"You must enter a number, and it must be greater than 0.", {}, MsgIcon::None},
};

void RenderAll(const QString& folder, const QString& theme) {
    QApplication::setPalette(theme == "dark" ? DarkPalette() : LightPalette());
    for (const WindowEntry& entry : EveryWindow()) {
        // Every screen opens over the loaded main window, as in the program.
        Model model;
        std::unique_ptr<QWidget> main;
        if (!entry.name.startsWith("frmMain")) main = EveryWindow().front().make(model);
        Save(entry.make(model).get(), QString("%1/%2-%3.png").arg(folder, entry.name, theme));
    }
    int n = 0;
    for (const MessageRequest& request : kMessages) {
        // A message box sizes itself to its text only when it is shown.
        const std::unique_ptr<QMessageBox> box = MakeMessageBox(nullptr, request);
        box->show();
        Save(box.get(), QString("%1/message%2-%3.png").arg(folder).arg(++n).arg(theme));
    }
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
    App().dataFolder = folder;
    App().settingsFile = folder + "DV.INI";
}

// The offscreen platform's own screen is 800 x 600, where a large window
// scrolls its controls: the windows are drawn for a 1920 x 1080 screen, as at
// a desktop (at QT_SCALE_FACTOR 2 that is the 960 x 540 of a laptop at 200 %).
void UseFullHdScreen(const QTemporaryDir& dir) {
    if (qgetenv("QT_QPA_PLATFORM") != "offscreen") return;
    QFile config(dir.filePath("screen.json"));
    if (!config.open(QIODevice::WriteOnly)) return;
    config.write(R"({"screens": [{"name": "screen", "x": 0, "y": 0, "width": 1920,
        "height": 1080, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    config.close();
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config.fileName()).toUtf8());
}

}  // namespace

int main(int argc, char* argv[]) {
    QTemporaryDir screen;
    UseFullHdScreen(screen);
    QApplication application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s OUTDIR PROGRAM_FOLDER\n", argv[0]);
        return 2;
    }
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    SetUpLooks(application);
    QuietPlatform platform;
    ScopedPlatform scope(platform);
    QTemporaryDir data;
    UseInstalledData(QDir(argv[2]).absolutePath() + "/", data.path() + "/");
    const QString folder = argv[1];
    QDir().mkpath(folder);
    for (const char* theme : {"light", "dark"}) RenderAll(folder, theme);
    return 0;
}
