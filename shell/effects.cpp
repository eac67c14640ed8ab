#include "shell/effects.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <cmath>

#include "shell/app_context.h"
#include "shell/platform.h"

namespace dovanel {

namespace {

QSize ScreenSize(const QWidget* window) {
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize(1024, 768);
}

void Step() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void MoveTop(QWidget* w, int top) {
    w->move(w->x(), top);
    Step();
}

void MoveLeft(QWidget* w, int left) {
    w->move(left, w->y());
    Step();
}

// Size changes must get past a fixed size; the limits come back afterwards.
class SizeFreedom {
  public:
    explicit SizeFreedom(QWidget* w) : w_(w), min_(w->minimumSize()), max_(w->maximumSize()) {
        w->setMinimumSize(0, 0);
        w->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }
    ~SizeFreedom() {
        w_->setMinimumSize(min_);
        w_->setMaximumSize(max_);
    }

  private:
    QWidget* w_;
    QSize min_, max_;
};

void Resize(QWidget* w, int width, int height) {
    w->resize(std::max(width, 1), std::max(height, 1));
    Step();
}

}  // namespace

std::vector<int> CountedSteps(double from, double to, double step) {
    std::vector<int> values;
    if (step == 0 || !std::isfinite(step)) return values;
    for (double t = from; step > 0 ? t <= to : t >= to; t += step)
        values.push_back(static_cast<int>(std::lround(t)));
    return values;
}

void PlaySoundFile(const QString& name) {
    ThePlatform().PlaySound(App().programFolder + name);
}

void Pause(double seconds) {
    ThePlatform().Pause(seconds);
}

void CenterOnScreen(QWidget* window) {
    const QSize screen = ScreenSize(window);
    window->move(screen.width() / 2 - window->width() / 2,
                 screen.height() / 2 - window->height() / 2);
}

void SlideIn(QWidget* w, const QString& direction) {
    const QSize screen = ScreenSize(w);
    const QPoint home = w->pos();
    const QString d = direction.toUpper();
    if (d == "UP") {
        MoveTop(w, screen.height());
        for (int t : CountedSteps(screen.height(), home.y(), -screen.height() / 50.0))
            MoveTop(w, t);
    } else if (d == "DOWN") {
        MoveTop(w, -w->height());
        for (int t : CountedSteps(-w->height(), home.y(), screen.height() / 50.0)) MoveTop(w, t);
    } else if (d == "LEFT") {
        for (int l : CountedSteps(screen.width(), home.x(), -screen.width() / 50.0)) MoveLeft(w, l);
    } else if (d == "RIGHT") {
        for (int l : CountedSteps(-w->width(), home.x(), screen.width() / 50.0)) MoveLeft(w, l);
    }
    w->move(home);
    PlaySoundFile(kArriveSound);
}

void SlideOut(QWidget* w, const QString& direction) {
    PlaySoundFile(kLeaveSound);
    const QSize screen = ScreenSize(w);
    const QPoint home = w->pos();
    const QString d = direction.toUpper();
    if (d == "UP") {
        for (int t : CountedSteps(home.y(), -w->height(), -screen.height() / 25.0)) MoveTop(w, t);
    } else if (d == "DOWN") {
        const int below = screen.height() + TwipsToPixels(300);
        for (int t : CountedSteps(home.y(), below, screen.height() / 25.0)) MoveTop(w, t);
    } else if (d == "LEFT") {
        for (int l : CountedSteps(home.x(), -w->width(), -screen.width() / 25.0)) MoveLeft(w, l);
    } else if (d == "RIGHT") {
        for (int l : CountedSteps(home.x(), screen.width(), screen.width() / 25.0)) MoveLeft(w, l);
    }
    w->hide();
    w->move(home);
}

void GrowIn(QWidget* w, const QString& direction) {
    const QSize size = w->size();
    const QString d = direction.toUpper();
    {
        SizeFreedom freedom(w);
        if (d == "DOWN") {
            for (int h : CountedSteps(0, size.height(), size.height() / 50.0))
                Resize(w, size.width(), h);
        } else if (d == "RIGHT") {
            for (int x : CountedSteps(0, size.width(), size.width() / 1000.0))
                Resize(w, x, size.height());
        }
        w->resize(size);
    }
    PlaySoundFile(kArriveSound);
}

void ShrinkOut(QWidget* w, const QString& direction) {
    const QSize size = w->size();
    const QString d = direction.toUpper();
    {
        SizeFreedom freedom(w);
        if (d == "UP") {
            for (int h : CountedSteps(size.height(), 0, -size.height() / 20.0))
                Resize(w, size.width(), h);
        } else if (d == "LEFT") {
            for (int x : CountedSteps(size.width(), 0, -size.width() / 50.0))
                Resize(w, x, size.height());
        }
        w->hide();
        w->resize(size);
    }
    PlaySoundFile(kLeaveSound);
}

}  // namespace dovanel
