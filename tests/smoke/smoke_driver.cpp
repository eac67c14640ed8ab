// Drives the real program on a real X server: linked beside the program's own
// main(), it starts with the application and then, step by step, checks that
// Quick Start (when SMOKE_QUICK_START is set) stands with its whole frame at
// its designed place on the screen, that the splash has no frame and the main
// window's frame is centred, that the splash and the main window are painted
// on the screen (a grab of the window from the server is not uniformly black),
// opens the PMI editor and closes it, and closes the main window. Frames are
// measured as the X server and the window manager hold them (xwininfo, xprop).
// The program's exit status is the result; a failed check ends it with status
// 1, a step that never comes with 2.
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QMetaObject>
#include <QPixmap>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>

#include "shell/platform.h"

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

QString Run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(10000) || process.exitCode() != 0)
        Fail(1, QString("%1 %2 failed").arg(program, arguments.join(' ')));
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

int Field(const QString& text, const QString& name) {
    const QRegularExpressionMatch m =
        QRegularExpression(QRegularExpression::escape(name) + R"(:\s*(-?\d+))").match(text);
    if (!m.hasMatch()) Fail(1, "no " + name);
    return m.captured(1).toInt();
}

// The window's frame, title bar included, as the X server and the window
// manager hold it: the window's place from xwininfo, the frame's extents from xprop.
QRect ServerFrame(QWidget* window) {
    const QString id = QString("0x%1").arg(window->winId(), 0, 16);
    const QString info = Run("xwininfo", {"-id", id});
    const QRect inner(Field(info, "Absolute upper-left X"), Field(info, "Absolute upper-left Y"),
                      Field(info, "Width"), Field(info, "Height"));
    const QString extents = Run("xprop", {"-id", id, "_NET_FRAME_EXTENTS"});
    const QRegularExpressionMatch m =
        QRegularExpression(R"(=\s*(\d+),\s*(\d+),\s*(\d+),\s*(\d+))").match(extents);
    if (!m.hasMatch()) Fail(1, "the window manager gave no frame extents: " + extents.trimmed());
    return inner.adjusted(-m.captured(1).toInt(), -m.captured(3).toInt(), m.captured(2).toInt(),
                          m.captured(4).toInt());
}

void Report(const char* what, const QRect& r) {
    std::printf("smoke: %s frame %d,%d %dx%d\n", what, r.x(), r.y(), r.width(), r.height());
    std::fflush(stdout);
}

// Quick Start stands with its whole frame on the screen, at its designed place.
void CheckQuickStartFrame(QWidget* quickStart) {
    const QRect frame = ServerFrame(quickStart);
    Report("Quick Start", frame);
    const QRect area = quickStart->screen()->availableGeometry();
    const QPoint designed =
        area.topLeft() + QPoint(dovanel::TwipsToPixels(100), dovanel::TwipsToPixels(100));
    if (!area.contains(frame)) Fail(1, "Quick Start's frame is not on the screen");
    if ((frame.topLeft() - designed).manhattanLength() > 1)
        Fail(1, QString("Quick Start's frame is at %1,%2, not at %3,%4")
                    .arg(frame.x())
                    .arg(frame.y())
                    .arg(designed.x())
                    .arg(designed.y()));
}

// The splash has no frame; the main window's frame is centred on the screen.
void CheckSplashAndMainFrames(QWidget* splash, QWidget* main) {
    const QRect splashFrame = ServerFrame(splash);
    Report("splash", splashFrame);
    if (splashFrame.size() != splash->size()) Fail(1, "the splash has a frame");
    const QRect frame = ServerFrame(main);
    Report("main window", frame);
    const QPoint offCentre = frame.center() - main->screen()->availableGeometry().center();
    if (std::abs(offCentre.x()) > 1 || std::abs(offCentre.y()) > 1)
        Fail(1, QString("the main window's frame is %1,%2 off the centre")
                    .arg(offCentre.x())
                    .arg(offCentre.y()));
}

class Driver : public QObject {
  public:
    Driver() {
        clock_.start();
        if (stage_ == Stage::QuickStart) since_.start();
        connect(&poll_, &QTimer::timeout, this, [this] { Step(); });
        poll_.start(kPollMs);
    }

  private:
    enum class Stage { QuickStart, Splash, SplashGone, Editor, EditorGone, Closing };

    void Next(Stage stage) {
        stage_ = stage;
        stillPolls_ = 0;
        since_.start();
    }

    void Step() {
        if (clock_.elapsed() > kGiveUpMs) Fail(2, QString("stuck at stage %1").arg(int(stage_)));
        QWidget* main = Visible("frmMain");
        switch (stage_) {
            case Stage::QuickStart:
                if (QWidget* quickStart = Visible("QuickStart")) {
                    if (!Settled(quickStart)) return;
                    CheckQuickStartFrame(quickStart);
                    QMetaObject::invokeMethod(quickStart->findChild<QPushButton*>("btnCloseWindow"),
                                              "click", Qt::QueuedConnection);
                    Next(Stage::Splash);
                    since_.invalidate();
                } else if (Visible("frmAbout")) {
                    Fail(1, "the splash came without Quick Start");
                }
                return;
            case Stage::Splash:
                if (QWidget* splash = Visible("frmAbout")) {
                    if (!since_.isValid()) since_.start();
                    if (since_.elapsed() < 1000) return;  // well into its three seconds
                    CheckPainted(splash, "splash");
                    if (!main) Fail(1, "no main window under the splash");
                    CheckPainted(main, "main window under the splash");
                    CheckSplashAndMainFrames(splash, main);
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
                    if (!Settled(editor)) return;
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

    // The window has stood still for half a second, a second after its stage began.
    bool Settled(QWidget* window) {
        stillPolls_ = window->pos() == lastPos_ ? stillPolls_ + 1 : 0;
        lastPos_ = window->pos();
        return stillPolls_ >= 5 && since_.elapsed() >= 1000;
    }

    QTimer poll_;
    QElapsedTimer clock_, since_;
    Stage stage_ =
        qEnvironmentVariableIsSet("SMOKE_QUICK_START") ? Stage::QuickStart : Stage::Splash;
    QPoint lastPos_;
    int stillPolls_ = 0;
};

void StartDriver() {
    new Driver;  // lives as long as the program
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(StartDriver)
