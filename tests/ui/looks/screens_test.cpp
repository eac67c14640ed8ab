// Windows on a desktop of two screens: the primary one, at twice the pixel
// density, right of the other (at x = 1920). The offscreen platform draws
// window frames 2 pixels wide.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMainWindow>
#include <QMoveEvent>
#include <QScreen>
#include <QTemporaryDir>

#include "shell/artwork.h"
#include "shell/effects.h"
#include "shell/platform.h"
#include "ui/about/about_box.h"
#include "ui/help/quick_start.h"

namespace dovanel {
namespace {

QScreen* Screen(const char* name) {
    for (QScreen* s : QGuiApplication::screens())
        if (s->name() == name) return s;
    return nullptr;
}

QPoint CentreOf(const QRect& r) {
    return {r.x() + r.width() / 2, r.y() + r.height() / 2};
}

TEST(TwoScreens, TheFirstWindowCentresOnThePrimaryScreen) {
    ASSERT_EQ(QGuiApplication::primaryScreen()->name(), "a-right");
    QMainWindow main;
    main.resize(640, 480);
    CenterOnScreen(&main);
    const QRect area = Screen("a-right")->availableGeometry();
    EXPECT_LE(std::abs(CentreOf(main.frameGeometry()).x() - CentreOf(area).x()), 1);
    EXPECT_LE(std::abs(CentreOf(main.frameGeometry()).y() - CentreOf(area).y()), 1);
}

TEST(TwoScreens, LaterWindowsCentreOnTheScreenOfTheMainWindow) {
    QMainWindow main;
    main.resize(640, 480);
    main.move(100, 100);  // on the left screen
    main.show();
    AboutBox about(&main);
    const QRect area = Screen("b-left")->availableGeometry();
    EXPECT_TRUE(area.contains(about.frameGeometry()));
    EXPECT_LE(std::abs(CentreOf(about.frameGeometry()).x() - CentreOf(area).x()), 1);
}

TEST(TwoScreens, QuickStartPlacesItsFrameAtItsDesignedPlaceOnTheMainWindowsScreen) {
    QuickStart quickStart;
    const QPoint designed = Screen("a-right")->availableGeometry().topLeft() +
                            QPoint(TwipsToPixels(100), TwipsToPixels(100));
    quickStart.show();
    EXPECT_EQ(quickStart.frameGeometry().topLeft(), designed);
    EXPECT_GE(quickStart.geometry().top(), designed.y());  // the title bar is on the screen
    quickStart.hide();
}

// Windows slide in from the edge of their own screen, not from the desktop's origin.
TEST(TwoScreens, WindowsSlideFromTheEdgeOfTheirScreen) {
    struct FirstMove : QObject {
        QPoint at{-99999, -99999};
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::Move && at.x() == -99999)
                at = static_cast<QMoveEvent*>(e)->pos();
            return false;
        }
    } first;
    QWidget window;
    window.resize(300, 200);
    window.move(2400, 300);
    window.show();
    window.installEventFilter(&first);
    SlideIn(&window, "RIGHT");
    // The whole window, frame included, starts just left of its screen.
    EXPECT_GE(first.at.x(), 1920 - window.frameGeometry().width() - 1);
    EXPECT_EQ(window.pos(), QPoint(2400, 300));
}

TEST(TwoScreens, PicturesHaveAPixelForEveryDevicePixel) {
    const QPixmap icon = ProgramIcon(48);
    EXPECT_EQ(icon.devicePixelRatio(), 2.0);
    EXPECT_EQ(icon.width(), 96);
    EXPECT_EQ(RedFlagPicture(16).devicePixelRatio(), 2.0);
}

}  // namespace
}  // namespace dovanel

int main(int argc, char** argv) {
    QTemporaryDir dir;
    QFile config(dir.filePath("screens.json"));
    config.open(QIODevice::WriteOnly);
    config.write(R"({"screens": [
        {"name": "a-right", "x": 1920, "y": 0, "width": 1920, "height": 1080,
         "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 2},
        {"name": "b-left", "x": 0, "y": 0, "width": 1920, "height": 1080,
         "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    config.close();
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config.fileName()).toUtf8());
    qputenv("XDG_RUNTIME_DIR", dir.path().toUtf8());
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
