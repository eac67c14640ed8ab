// Every control's boundary stands out from what is around it (3 : 1), in the
// light palette, the program's dark palette and a dark desktop theme's,
// measured on the windows as they are drawn.
#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMap>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStyleOptionButton>

#include "shell/looks.h"
#include "tests/ui/looks/drawing.h"
#include "tests/ui/ui_fixture.h"
#include "ui/catalogue.h"

namespace dovanel {
namespace {

using test::Drawing;

// Where a control's boundary is looked at: its place in device pixels, what
// covers parts of it (controls stacked above it: the overlap walk's business),
// and the places of the other controls, which are not its background.
struct Place {
    QRect boundary;
    QVector<QRect> covers;
    QVector<QRect> controls;
};

bool Inside(const QVector<QRect>& rects, int x, int y) {
    return std::any_of(rects.begin(), rects.end(),
                       [&](const QRect& r) { return r.contains(x, y); });
}

// The colour most often found 2 to 4 pixels outside the boundary, where no
// other control stands: what the control stands on.
QColor Background(const Drawing& d, const Place& place) {
    QMap<QRgb, int> count;
    const QRect outer = place.boundary.adjusted(-4, -4, 4, 4);
    const QRect near = place.boundary.adjusted(-1, -1, 1, 1);
    for (int y = outer.top(); y <= outer.bottom(); ++y)
        for (int x = outer.left(); x <= outer.right(); ++x)
            if (!near.contains(x, y) && d.image.rect().contains(x, y) &&
                !Inside(place.controls, x, y) && !Inside(place.covers, x, y))
                ++count[d.image.pixel(x, y)];
    QRgb most = 0;
    int times = 0;
    for (auto it = count.begin(); it != count.end(); ++it)
        if (it.value() > times) std::tie(most, times) = std::pair{it.key(), it.value()};
    return QColor(most);
}

// The share of places along a box's four edges where one of its two outermost
// pixels stands out from the background (places another control covers aside).
double EdgeShare(const Drawing& d, const Place& place, const QColor& background) {
    const QRect r = place.boundary;
    int seen = 0, outlined = 0;
    auto look = [&](int x1, int y1, int x2, int y2) {
        if (Inside(place.covers, x1, y1)) return;
        ++seen;
        if (std::max(d.ContrastAt(x1, y1, background), d.ContrastAt(x2, y2, background)) >=
            kOutlineContrast)
            ++outlined;
    };
    for (int x = r.left(); x <= r.right(); ++x) {
        look(x, r.top(), x, r.top() + 1);
        look(x, r.bottom(), x, r.bottom() - 1);
    }
    for (int y = r.top(); y <= r.bottom(); ++y) {
        look(r.left(), y, r.left() + 1, y);
        look(r.right(), y, r.right() - 1, y);
    }
    return seen ? double(outlined) / seen : 1;
}

// The share of the rows and columns of a check box's or option button's mark
// that cross something standing out from the background (its outline, round
// or square).
double MarkShare(const Drawing& d, const QRect& r, const QColor& background) {
    int seen = 0, crossed = 0;
    auto line = [&](int x, int y, int dx, int dy, int length) {
        double most = 1;
        for (int i = 0; i < length; ++i)
            most = std::max(most, d.ContrastAt(x + i * dx, y + i * dy, background));
        ++seen;
        if (most >= kOutlineContrast) ++crossed;
    };
    for (int y = r.top() + 1; y < r.bottom(); ++y) line(r.left(), y, 1, 0, r.width());
    for (int x = r.left() + 1; x < r.right(); ++x) line(x, r.top(), 0, 1, r.height());
    return seen ? double(crossed) / seen : 0;
}

bool IsMark(const QWidget* w) {
    return qobject_cast<const QCheckBox*>(w) || qobject_cast<const QRadioButton*>(w);
}

// Where the boundary that identifies a control is drawn, in the window's
// pixels: the mark of a check box or option button, the whole box of the others.
QRect Boundary(QWidget* w, QWidget* window) {
    QRect r = w->rect();
    if (IsMark(w)) {
        QStyleOptionButton option;
        option.initFrom(w);
        r = w->style()->subElementRect(qobject_cast<QCheckBox*>(w)
                                           ? QStyle::SE_CheckBoxIndicator
                                           : QStyle::SE_RadioButtonIndicator,
                                       &option, w);
    }
    return r.translated(w->mapTo(window, QPoint()));
}

bool HasBoundary(QWidget* w, QWidget* window) {
    if (!w->isVisibleTo(window) || !w->isEnabled()) return false;
    if (auto* box = qobject_cast<QLineEdit*>(w))  // not the text of a drop-down list or spin box
        return box->hasFrame() && !qobject_cast<QComboBox*>(w->parent()) &&
               !qobject_cast<QAbstractSpinBox*>(w->parent());
    return IsMark(w) || qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractSpinBox*>(w);
}

// The places of the siblings stacked above `w`.
QVector<QRect> Covers(const Drawing& d, QWidget* w, QWidget* window) {
    QVector<QRect> covers;
    const QObjectList& siblings = w->parent()->children();
    for (qsizetype i = siblings.indexOf(w) + 1; i < siblings.size(); ++i)
        if (auto* above = qobject_cast<QWidget*>(siblings[i]);
            above && !above->isWindow() && above->isVisibleTo(window))
            covers << d.DeviceRect(QRect(above->mapTo(window, QPoint()), above->size()));
    return covers;
}

QStringList OutlineProblems(QWidget* window) {
    // Unticked check boxes are the ones that vanish: look at them unticked.
    for (QCheckBox* box : window->findChildren<QCheckBox*>()) {
        const QSignalBlocker quiet(box);
        box->setChecked(false);
    }
    const Drawing drawing = test::Draw(window);
    QList<QWidget*> controls;
    for (QWidget* w : window->findChildren<QWidget*>())
        if (HasBoundary(w, window)) controls << w;
    QStringList problems;
    for (QWidget* w : controls) {
        Place place{drawing.DeviceRect(Boundary(w, window)), Covers(drawing, w, window), {}};
        for (QWidget* other : controls)
            if (other != w)
                place.controls << drawing.DeviceRect(
                    QRect(other->mapTo(window, QPoint()), other->size()));
        const QColor background = Background(drawing, place);
        const double share = IsMark(w) ? MarkShare(drawing, place.boundary, background)
                                       : EdgeShare(drawing, place, background);
        if (share < 0.9)
            problems << QString("%1 %2: %3 % of its outline stands out from %4")
                            .arg(w->metaObject()->className(), w->objectName())
                            .arg(qRound(share * 100))
                            .arg(background.name());
    }
    return problems;
}

// A dark desktop theme's colours: text boxes a shade darker than the window.
QPalette DarkDesktopPalette() {
    QPalette p(QColor(0x32, 0x32, 0x32));
    p.setColor(QPalette::Base, QColor(0x24, 0x24, 0x24));
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(role, QColor(0xee, 0xee, 0xee));
    return p;
}

class Outlines : public test::WindowTest {
  protected:
    Outlines() {
        LoadInstalled(model);
        UseVisibleOutlines(*qApp);
    }
    ~Outlines() override { QApplication::setPalette(LightPalette()); }

    Model model;
};

// The check itself tells a faint outline from a visible one.
TEST_F(Outlines, TheCheckTellsAFaintOutlineFromAVisibleOne) {
    QWidget window;
    window.resize(300, 60);
    window.setAutoFillBackground(true);
    window.setPalette(DarkDesktopPalette());
    auto* faint = new QLineEdit(&window);
    faint->setObjectName("faint");
    faint->setGeometry(20, 20, 120, 22);
    faint->setStyleSheet("QLineEdit { border: 1px solid #2a2a2a; background: #242424; }");
    auto* visible = new QLineEdit(&window);
    visible->setObjectName("visible");
    visible->setGeometry(160, 20, 120, 22);
    visible->setStyleSheet("QLineEdit { border: 1px solid #9a9a9a; background: #242424; }");
    const QStringList problems = OutlineProblems(&window);
    ASSERT_EQ(problems.size(), 1) << problems.join("\n").toStdString();
    EXPECT_TRUE(problems[0].contains("faint"));
}

TEST_F(Outlines, EveryControlStandsOutInLightAndDarkThemes) {
    for (const auto& [theme, palette] :
         {std::pair{"light", LightPalette()}, std::pair{"dark", DarkPalette()},
          std::pair{"dark desktop theme", DarkDesktopPalette()}}) {
        QApplication::setPalette(palette);
        for (const WindowEntry& entry : EveryWindow()) {
            auto window = entry.make(model);
            const QStringList problems = OutlineProblems(window.get());
            EXPECT_TRUE(problems.isEmpty()) << theme << " " << entry.name.toStdString() << ":\n  "
                                            << problems.join("\n  ").toStdString();
        }
    }
}

}  // namespace
}  // namespace dovanel
