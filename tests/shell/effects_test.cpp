#include "shell/effects.h"

#include <QScreen>
#include <QWidget>
#include <algorithm>

#include "tests/ui/ui_fixture.h"

namespace dovanel {
namespace {

TEST(CountedSteps, RunsLikeACountedLoopOverARealCounter) {
    EXPECT_EQ(CountedSteps(0, 10, 2.5),
              (std::vector<int>{0, 3, 5, 8, 10}));  // 2.5 and 7.5 round to even
    EXPECT_EQ(CountedSteps(10, 0, -4), (std::vector<int>{10, 6, 2}));
    EXPECT_EQ(CountedSteps(700, 100, 15.36).size(), 0u) << "a positive step never walks down";
    EXPECT_EQ(CountedSteps(0, 100, 0).size(), 0u) << "a zero step would never end";
    EXPECT_EQ(CountedSteps(-200, 100, 768 / 50.0).size(), 20u);
}

class Effects : public test::WindowTest {
  protected:
    Effects() {
        window.setGeometry(200, 150, 300, 200);
        window.show();
        QCoreApplication::processEvents();
    }
    QWidget window;
};

TEST_F(Effects, SlideInEndsAtTheDesignPlaceThenClicks) {
    const QPoint home = window.pos();
    for (const char* direction : {"UP", "down", "Left", "RIGHT", "sideways"}) {
        platform.sounds.clear();
        SlideIn(&window, direction);
        EXPECT_EQ(window.pos(), home) << direction;
        EXPECT_EQ(platform.sounds, std::vector<QString>{"ClickBg.wav"}) << direction;
    }
}

// Where the window stood at each step of an effect.
class MoveRecorder : public QObject {
  public:
    std::vector<QPoint> moves;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Move) moves.push_back(static_cast<QWidget*>(watched)->pos());
        return false;
    }
};

TEST_F(Effects, SlideInDownComesFromAboveTheScreenInEvenSteps) {
    const QPoint home = window.pos();
    MoveRecorder recorder;
    window.installEventFilter(&recorder);
    SlideIn(&window, "DOWN");
    ASSERT_FALSE(recorder.moves.empty());
    EXPECT_EQ(recorder.moves.back(), home);
    // Every step of the slide was a place the window stood (the window system
    // may report a place more than once).
    std::vector<int> tops;
    for (const QPoint& p : recorder.moves) tops.push_back(p.y());
    // The whole window, frame included, starts above the screen.
    const int height = window.frameGeometry().height();
    EXPECT_GT(height, window.height()) << "the platform draws a frame";
    const double screen = window.screen()->geometry().height();
    const std::vector<int> steps = CountedSteps(-height, home.y(), screen / 50);
    ASSERT_GE(steps.size(), 10u);
    for (int top : steps) EXPECT_NE(std::find(tops.begin(), tops.end(), top), tops.end()) << top;
    EXPECT_EQ(tops.front(), -height);
}

TEST_F(Effects, SlideOutHidesAndPutsTheWindowBack) {
    const QPoint home = window.pos();
    for (const char* direction : {"UP", "DOWN", "LEFT", "RIGHT"}) {
        window.show();
        platform.sounds.clear();
        SlideOut(&window, direction);
        EXPECT_FALSE(window.isVisible()) << direction;
        EXPECT_EQ(window.pos(), home) << direction;
        EXPECT_EQ(platform.sounds, std::vector<QString>{"message2.wav"});
    }
    window.show();
    EXPECT_EQ(window.pos(), home) << "shown again at its design place";
}

TEST_F(Effects, GrowAndShrinkKeepTheSizeEvenOfAFixedWindow) {
    window.setFixedSize(300, 200);
    GrowIn(&window, "DOWN");
    EXPECT_EQ(window.size(), QSize(300, 200));
    EXPECT_EQ(window.minimumSize(), QSize(300, 200)) << "the fixed size is back";
    ShrinkOut(&window, "UP");
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.size(), QSize(300, 200));
    EXPECT_EQ(platform.sounds, (std::vector<QString>{"ClickBg.wav", "message2.wav"}));
}

}  // namespace
}  // namespace dovanel
