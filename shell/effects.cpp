#include "shell/effects.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QThread>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <cmath>

#include "shell/app_context.h"
#include "shell/platform.h"

namespace dovanel {

namespace {

// The screen the window stands on: its edges are where windows slide from and to.
QRect ScreenArea(const QWidget* window) {
    const QScreen* screen = QGuiApplication::screenAt(window->frameGeometry().center());
    if (!screen) screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect(0, 0, 1024, 768);
}

void Step() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

// The designed place of a window's frame, kept for its effects: a window just
// shown may not be framed yet, and its place read then would be its inner area's.
constexpr char kPlaceProperty[] = "dovanelFramePlace";
constexpr char kCentredProperty[] = "dovanelCentred";

bool Decorated(const QWidget* w) {
    const Qt::WindowType type = w->windowType();
    return !(w->windowFlags() & Qt::FramelessWindowHint) && type != Qt::SplashScreen &&
           type != Qt::Popup && type != Qt::ToolTip;
}

// The frame's margins as last seen around a framed window: a window not yet
// framed is measured with them.
QMargins& SeenMargins() {
    static QMargins margins;
    return margins;
}

QMargins FrameMargins(const QWidget* w) {
    if (!Decorated(w)) return {};
    const QRect frame = w->frameGeometry(), inner = w->geometry();
    const QMargins margins(inner.left() - frame.left(), inner.top() - frame.top(),
                           frame.right() - inner.right(), frame.bottom() - inner.bottom());
    if (margins.isNull()) return SeenMargins();
    SeenMargins() = margins;
    return margins;
}

bool Framed(const QWidget* w) {
    return !Decorated(w) || w->frameGeometry() != w->geometry();
}

// Waits a moment, at most a second, until the window manager has put its frame
// around a window just shown (on X11 that comes after the window is mapped).
void AwaitFrame(QWidget* w) {
    if (!w->isVisible() || QGuiApplication::platformName() != "xcb") return;
    QElapsedTimer clock;
    clock.start();
    while (!Framed(w) && clock.elapsed() < 1000) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
        QThread::msleep(10);
    }
}

// Moves the frame, title bar included: the window system applies the frame's
// size itself, whether or not the program knows it yet.
void MoveFrame(QWidget* w, QPoint topLeft) {
    if (w->isVisible() && w->windowHandle()) {
        w->windowHandle()->setFramePosition(topLeft);
        Step();  // the window is drawn where it now stands
        return;
    }
    // A hidden window takes a position for its inner area until its platform
    // window is told that the position is the frame's.
    w->move(topLeft);
    w->winId();
    if (QWindow* handle = w->windowHandle()) handle->setFramePosition(topLeft);
}

void MoveTop(QWidget* w, QPoint home, int top) {
    MoveFrame(w, {home.x(), top});
}

void MoveLeft(QWidget* w, QPoint home, int left) {
    MoveFrame(w, {left, home.y()});
}

QPoint CentredFrame(const QWidget* window) {
    const QScreen* screen = ScreenOfMainWindow(window);
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const QSize size = window->size().grownBy(FrameMargins(window));
    return {area.x() + (area.width() - size.width()) / 2,
            area.y() + (area.height() - size.height()) / 2};
}

// Where a window slides in to: its designed place (a centred window is centred
// again now that its frame is known), or else where it stands.
QPoint Home(QWidget* w) {
    AwaitFrame(w);
    if (w->property(kCentredProperty).toBool()) {
        const QPoint centred = CentredFrame(w);
        w->setProperty(kPlaceProperty, centred);
    }
    const QVariant place = w->property(kPlaceProperty);
    return place.isValid() ? place.toPoint() : w->pos();
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

QScreen* ScreenOfMainWindow(const QWidget* except) {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w == except || !qobject_cast<QMainWindow*>(w)) continue;
        if (QScreen* screen = QGuiApplication::screenAt(w->frameGeometry().center())) return screen;
        if (w->screen()) return w->screen();
    }
    return QGuiApplication::primaryScreen();
}

void PlaceFrame(QWidget* window, QPoint topLeft) {
    window->setProperty(kPlaceProperty, topLeft);
    window->setProperty(kCentredProperty, false);
    MoveFrame(window, topLeft);
}

void CenterOnScreen(QWidget* window) {
    PlaceFrame(window, CentredFrame(window));
    window->setProperty(kCentredProperty, true);
}

namespace {

// The window frame's share of the screen: borders and a title bar (the window
// is fitted before it is shown, when its frame is not known yet).
const QSize kFrameRoom(16, 48);

// The scrolling view takes the place of the window's contents: a main window's
// central widget, or every control of another window. The window stays the
// controls' top level throughout, so the focus order is kept.
QScrollArea* ScrollContents(QWidget* window) {
    QWidget* focus = window->focusWidget();
    auto* scroll = new QScrollArea(window);
    scroll->setObjectName(window->objectName() + "Scroll");
    scroll->setAccessibleName(window->windowTitle());
    scroll->horizontalScrollBar()->setAccessibleName("Scroll the window across");
    scroll->verticalScrollBar()->setAccessibleName("Scroll the window up and down");
    scroll->setFrameShape(QFrame::NoFrame);
    if (auto* main = qobject_cast<QMainWindow*>(window)) {
        scroll->setWidget(main->takeCentralWidget());
        main->setCentralWidget(scroll);  // the main window lays it out
        if (focus) focus->setFocus();
        return scroll;
    }
    auto* contents = new QWidget(scroll);
    contents->setObjectName(window->objectName() + "Contents");
    contents->setFixedSize(window->size());
    const QObjectList children = window->children();
    scroll->setWidget(contents);
    for (QObject* child : children) {
        auto* w = qobject_cast<QWidget*>(child);
        if (!w || w->isWindow() || w == scroll) continue;
        const bool hidden = w->isHidden();
        w->setParent(contents);
        w->setHidden(hidden);
    }
    if (focus) focus->setFocus();  // moving a control takes its focus away
    return scroll;
}

}  // namespace

void FitIntoArea(QWidget* window, const QRect& area) {
    const QSize room = area.size() - kFrameRoom;
    const QSize size = window->size();
    if (size.width() > room.width() || size.height() > room.height()) {
        QScrollArea* scroll = ScrollContents(window);
        window->setFixedSize(size.boundedTo(room));
        if (!qobject_cast<QMainWindow*>(window)) scroll->setGeometry(window->rect());
    }
    const QRect frame(window->pos(), window->size() + kFrameRoom);
    if (!area.contains(frame))
        window->move(std::clamp(frame.x(), area.x(), area.right() + 1 - frame.width()),
                     std::clamp(frame.y(), area.y(), area.bottom() + 1 - frame.height()));
}

void FitOnScreen(QWidget* window) {
    if (const QScreen* screen = ScreenOfMainWindow(window))
        FitIntoArea(window, screen->availableGeometry());
}

void SlideIn(QWidget* w, const QString& direction) {
    const QPoint home = Home(w);
    const QRect screen = ScreenArea(w);
    const QSize frame = w->size().grownBy(FrameMargins(w));
    const QString d = direction.toUpper();
    const int bottom = screen.y() + screen.height(), right = screen.x() + screen.width();
    if (d == "UP") {
        MoveTop(w, home, bottom);
        for (int t : CountedSteps(bottom, home.y(), -screen.height() / 50.0)) MoveTop(w, home, t);
    } else if (d == "DOWN") {
        const int above = screen.y() - frame.height();
        MoveTop(w, home, above);
        for (int t : CountedSteps(above, home.y(), screen.height() / 50.0)) MoveTop(w, home, t);
    } else if (d == "LEFT") {
        for (int l : CountedSteps(right, home.x(), -screen.width() / 50.0)) MoveLeft(w, home, l);
    } else if (d == "RIGHT") {
        for (int l : CountedSteps(screen.x() - frame.width(), home.x(), screen.width() / 50.0))
            MoveLeft(w, home, l);
    }
    MoveFrame(w, home);
    PlaySoundFile(kArriveSound);
}

void SlideOut(QWidget* w, const QString& direction) {
    PlaySoundFile(kLeaveSound);
    AwaitFrame(w);
    const QRect screen = ScreenArea(w);
    const QPoint home = w->pos();
    const QSize frame = w->size().grownBy(FrameMargins(w));
    const QString d = direction.toUpper();
    if (d == "UP") {
        for (int t : CountedSteps(home.y(), screen.y() - frame.height(), -screen.height() / 25.0))
            MoveTop(w, home, t);
    } else if (d == "DOWN") {
        const int below = screen.y() + screen.height() + TwipsToPixels(300);
        for (int t : CountedSteps(home.y(), below, screen.height() / 25.0)) MoveTop(w, home, t);
    } else if (d == "LEFT") {
        for (int l : CountedSteps(home.x(), screen.x() - frame.width(), -screen.width() / 25.0))
            MoveLeft(w, home, l);
    } else if (d == "RIGHT") {
        const int right = screen.x() + screen.width();
        for (int l : CountedSteps(home.x(), right, screen.width() / 25.0)) MoveLeft(w, home, l);
    }
    w->hide();
    MoveFrame(w, home);
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
