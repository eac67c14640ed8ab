// Lines and columns drawn at the screen's scale (this program runs at 100 %,
// 150 %, 200 % and at 144 dpi): a line lands on whole device pixels and stays
// inside its frame; the amortization heading's names stand over their columns.
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>

#include "engine/recalculate.h"
#include "tests/ui/looks/drawing.h"
#include "tests/ui/ui_fixture.h"
#include "ui/amortization/amortization_windows.h"
#include "ui/estimate/estimate_screen.h"

namespace dovanel {
namespace {

using test::Drawing;

class ScaledLines : public test::WindowTest {
  protected:
    ScaledLines() { LoadInstalled(model); }
    Model model;
};

// The purchase summary's two columns are divided by a line: one colour, whole
// device pixels wide, from under the frame's top line to above its bottom one.
TEST_F(ScaledLines, TheSummaryDividerLandsOnWholeDevicePixelsInsideItsFrame) {
    EstimateScreen screen(model);
    auto* frame = screen.findChild<QGroupBox*>("FramePurchaseSummary");
    auto* divider = frame->findChild<QWidget*>("lnSummaryDivider");
    ASSERT_TRUE(frame && divider);
    const Drawing d = test::Draw(&screen);
    const QPoint origin = frame->mapTo(&screen, QPoint());
    const QRect box = d.DeviceRect(QRect(origin, frame->size()));
    const QRect around = d.DeviceRect(divider->geometry().adjusted(-4, 0, 4, 0).translated(origin));
    const QColor paper = test::MostCommon(d, around);
    // The frame's top and bottom lines, found beside the divider where no text stands.
    const int beside = d.DeviceRect(QRect(divider->geometry().center() + origin, QSize(1, 1))).x() +
                       qRound(5 * d.ratio);
    int frameTop = box.top(), frameBottom = box.bottom();
    while (frameTop < box.bottom() && d.ContrastAt(beside, frameTop, paper) < 1.1) ++frameTop;
    while (frameBottom > frameTop && d.ContrastAt(beside, frameBottom, paper) < 1.1) --frameBottom;
    ASSERT_LT(frameTop + 10, frameBottom) << "no frame found at " << d.ratio;
    // The columns where the line is drawn, and how far up and down it reaches.
    QVector<int> columns;
    int top = INT_MAX, bottom = -1;
    for (int x = around.left(); x <= around.right(); ++x) {
        int inked = 0;
        for (int y = box.top(); y <= box.bottom(); ++y) {
            // Ink here and not beside it (not the frame's own lines crossing).
            if (d.ContrastAt(x, y, paper) < 1.5 || d.ContrastAt(beside, y, paper) >= 1.1) continue;
            ++inked;
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
        if (inked > around.height() / 2) columns.append(x);
    }
    ASSERT_FALSE(columns.isEmpty()) << "the divider is not drawn at " << d.ratio;
    EXPECT_EQ(columns.size(), std::max(1, qRound(d.ratio))) << "scale " << d.ratio;
    EXPECT_EQ(columns.last() - columns.first() + 1, columns.size()) << "one line";
    // Every pixel of the line has the line's colour: no half-covered column.
    const QColor line = d.image.pixelColor(columns.first(), (top + bottom) / 2);
    for (int x : columns)
        for (int y = top; y <= bottom; ++y)
            ASSERT_EQ(d.image.pixelColor(x, y), line) << x << "," << y << " at " << d.ratio;
    for (int x : {columns.first() - 1, columns.last() + 1})
        EXPECT_LT(d.ContrastAt(x, (top + bottom) / 2, paper), 1.5)
            << "a blurred edge at " << d.ratio;
    EXPECT_GT(top, frameTop) << "above the frame at " << d.ratio;
    EXPECT_LT(bottom, frameBottom) << "below the frame at " << d.ratio;
}

// Each name of the heading begins where its column's values begin, and keeps
// its letters together, for small and large amounts.
TEST_F(ScaledLines, TheAmortizationHeadingStandsOverItsColumns) {
    for (float price : {425000.0f, 2500000.0f, 90000.0f}) {
        model.loanData.purchasePrice = price;
        Recalculate(model);
        AmortizationWindow amort(model);
        auto* heading = amort.findChild<QLabel*>("Label1");
        QListWidget* list = amort.list();
        const Drawing d = test::Draw(&amort);
        const QFontMetricsF fm(list->font());
        const int gap = qRound(fm.horizontalAdvance("  ") * d.ratio);
        const QRect headingArea =
            d.DeviceRect(QRect(heading->mapTo(&amort, QPoint()), heading->size()));
        QRect first = list->visualItemRect(list->item(0));
        first.moveTopLeft(list->viewport()->mapTo(&amort, first.topLeft()));
        const auto names = test::InkRuns(d, headingArea, gap);
        const auto values = test::InkRuns(d, d.DeviceRect(first), gap);
        const QStringList words = {"Payment Period", "Beginning Balance", "Interest",
                                   "Principal",      "Ending Balance",    "LTV"};
        ASSERT_EQ(names.size(), words.size()) << price << " at " << d.ratio;
        ASSERT_EQ(values.size(), words.size()) << price << " at " << d.ratio;
        const int slack = qCeil(2 * d.ratio);  // the letters' own side bearings
        for (int i = 0; i < words.size(); ++i) {
            EXPECT_NEAR(names[i].first, values[i].first, slack)
                << words[i].toStdString() << " over its column, " << price << " at " << d.ratio;
            const qreal width =
                QFontMetricsF(heading->font()).horizontalAdvance(words[i]) * d.ratio;
            EXPECT_NEAR(names[i].second - names[i].first + 1, width, 2 * slack)
                << words[i].toStdString() << " is not spread letter by letter, at " << d.ratio;
        }
    }
}

}  // namespace
}  // namespace dovanel
