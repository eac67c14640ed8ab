// Drives the real program on a real X server: linked beside the program's own
// main(), it starts with the application and then, step by step, checks that
// the splash and the main window are painted on the screen (a grab of the
// window from the server is not uniformly black), opens the PMI editor and
// closes it, and closes the main window. The program's exit status is the
// result; a failed check ends it with status 1, a step that never comes with 2.
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QMetaObject>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kPollMs = 100;
constexpr int kGiveUpMs = 90000;

[[noreturn]] void Fail(int status, const QString& why) {
    std::fprintf(stderr, "smoke: FAILED: %s\n", qPrintable(why));
    std::fflush(stderr);
    std::_Exit(status);
}

QWidget* Visible(const QString& name) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == name && w->isVisible()) return w;
    return nullptr;
}

// The window as the X server holds it: black when it was never painted.
void CheckPainted(QWidget* window, const char* what) {
    const QImage image = window->screen()->grabWindow(window->winId()).toImage();
    if (image.isNull() || image.width() < 10 || image.height() < 10)
        Fail(1, QString("%1: nothing could be grabbed").arg(what));
    qint64 black = 0;
    const QRgb first = image.pixel(0, 0);
    bool uniform = true;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (qRed(p) < 8 && qGreen(p) < 8 && qBlue(p) < 8) ++black;
            uniform = uniform && p == first;
        }
    }
    const double share = static_cast<double>(black) / (image.width() * image.height());
    std::printf("smoke: %s %dx%d, %.1f%% black\n", what, image.width(), image.height(),
                share * 100);
    std::fflush(stdout);
    if (uniform || share > 0.9) Fail(1, QString("%1 is not painted").arg(what));
}

class Driver : public QObject {
  public:
    Driver() {
        clock_.start();
        connect(&poll_, &QTimer::timeout, this, [this] { Step(); });
        poll_.start(kPollMs);
    }

  private:
    enum class Stage { Splash, SplashGone, Editor, EditorGone, Closing };

    void Next(Stage stage) {
        stage_ = stage;
        since_.start();
    }

    void Step() {
        if (clock_.elapsed() > kGiveUpMs) Fail(2, QString("stuck at stage %1").arg(int(stage_)));
        QWidget* main = Visible("frmMain");
        switch (stage_) {
            case Stage::Splash:
                if (QWidget* splash = Visible("frmAbout")) {
                    if (!since_.isValid()) since_.start();
                    if (since_.elapsed() < 1000) return;  // well into its three seconds
                    CheckPainted(splash, "splash");
                    if (!main) Fail(1, "no main window under the splash");
                    CheckPainted(main, "main window under the splash");
                    Next(Stage::SplashGone);
                } else if (since_.isValid()) {
                    Fail(1, "the splash went before it could be seen");
                }
                return;
            case Stage::SplashGone:
                if (Visible("frmAbout") || since_.elapsed() < 500 || !main) return;
                CheckPainted(main, "main window");
                QMetaObject::invokeMethod(main->findChild<QAction*>("mnuFileValues4"), "trigger",
                                          Qt::QueuedConnection);
                Next(Stage::Editor);
                return;
            case Stage::Editor:
                if (QWidget* editor = Visible("PMI")) {
                    if (editor->pos() != lastPos_ || since_.elapsed() < 1000) {
                        lastPos_ = editor->pos();  // still sliding in
                        return;
                    }
                    CheckPainted(editor, "PMI editor");
                    QMetaObject::invokeMethod(editor->findChild<QPushButton*>("BtnCancel"), "click",
                                              Qt::QueuedConnection);
                    Next(Stage::EditorGone);
                }
                return;
            case Stage::EditorGone:
                if (Visible("PMI") || !main) return;
                QMetaObject::invokeMethod(main, "close", Qt::QueuedConnection);
                Next(Stage::Closing);
                std::puts("smoke: editor opened and closed; closing the main window");
                std::fflush(stdout);
                return;
            case Stage::Closing:
                return;  // the program ends by itself
        }
    }

    QTimer poll_;
    QElapsedTimer clock_, since_;
    Stage stage_ = Stage::Splash;
    QPoint lastPos_;
};

void StartDriver() {
    new Driver;  // lives as long as the program
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(StartDriver)
