// The window walk over every window of the catalogue: controls apart and
// inside their frames, numbers at a readable size, captions clear of their
// bands' edges, every window usable on a small screen; and all of it again
// under each common desktop font family at desktop sizes 9 to 12 pt.
#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QToolButton>

#include "engine/recalculate.h"
#include "shell/effects.h"
#include "shell/fitting.h"
#include "shell/form.h"
#include "tests/ui/looks/window_walk.h"
#include "tests/ui/ui_fixture.h"
#include "ui/about/about_box.h"
#include "ui/catalogue.h"
#include "ui/help/quick_start.h"

namespace dovanel {
namespace {

using test::EdgeProblems;
using test::LayoutProblems;
using test::OverlapProblems;
using test::ScreenProblems;
using test::ShrinkProblems;

// A laptop's 1920 x 1080 screen at 200 %.
const QRect kSmallScreen(0, 0, 960, 540);

QString Report(const QString& name, const QStringList& problems) {
    return name + ":\n  " + problems.join("\n  ");
}

// The checks find the faults they are for, and pass what is right.
TEST(WindowWalkChecks, FindOverlapsTouchingButtonsAndControlsOnAFramesLine) {
    QWidget window;
    window.resize(400, 300);
    auto* percent = new QLabel("%", &window);
    percent->setGeometry(284, 10, 10, 17);
    auto* flag = new QToolButton(&window);
    flag->setGeometry(285, 8, 24, 24);
    auto* first = new QToolButton(&window);
    first->setGeometry(10, 40, 24, 24);
    auto* second = new QToolButton(&window);
    second->setGeometry(10, 64, 24, 24);
    auto* frame = new QFrame(&window);
    frame->setFrameShape(QFrame::Box);
    frame->setGeometry(100, 100, 200, 100);
    auto* flush = new QToolButton(frame);
    flush->setGeometry(177, 10, 22, 22);  // ends on the frame's inner edge
    auto* onFrame = new QLabel("on the panel", &window);
    onFrame->setGeometry(110, 110, 100, 17);  // a sibling lying wholly on the frame
    auto* grid1 = new QLineEdit(&window);
    grid1->setGeometry(10, 250, 90, 16);
    auto* grid2 = new QLineEdit(&window);
    grid2->setGeometry(99, 250, 90, 16);  // a grid's shared edge line
    const QString found = OverlapProblems(&window).join("\n");
    EXPECT_TRUE(found.contains("(284,10 10x17) overlaps QToolButton (in ) (285,8 24x24)"))
        << found.toStdString();
    EXPECT_TRUE(found.contains("touches")) << found.toStdString();
    EXPECT_TRUE(found.contains("on the line of")) << found.toStdString();
    EXPECT_EQ(found.count('\n') + 1, 3) << found.toStdString();
}

TEST(WindowWalkChecks, FindShrunkenNumbersFlushBandsAndStraddlingHeadings) {
    QWidget window;
    window.setFont(WindowFont());
    window.resize(400, 300);
    // A number takes a smaller size to fit, but no more than 1.5 pt smaller.
    QLabel* narrow = AddLabel(&window, "valNarrow", "$1,234,567", QRect(0, 0, 30, 16),
                              Qt::AlignRight | Qt::AlignVCenter);
    QLineEdit* box = AddCell(&window, "txtNarrow", QRect(0, 20, 30, 19));
    box->setText("1234567890");
    EXPECT_TRUE(ShrinkProblems(&window).isEmpty());
    EXPECT_EQ(box->font().pointSizeF(), WindowFont().pointSizeF() - 1.5);
    EXPECT_EQ(static_cast<FittedLabel*>(narrow)->Shown().font.pointSizeF(),
              WindowFont().pointSizeF() - 1.5);
    QFont tiny = WindowFont();
    tiny.setPointSizeF(4.5);
    narrow->setFont(tiny);
    auto* plain = new QLineEdit("12", &window);  // a number box that fits nothing to itself
    plain->setAlignment(Qt::AlignRight);
    plain->setGeometry(0, 40, 60, 19);
    plain->setFont(tiny);
    EXPECT_EQ(ShrinkProblems(&window).size(), 2)
        << ShrinkProblems(&window).join("\n").toStdString();
    narrow->setFont(WindowFont());
    delete plain;

    QLabel* band =
        AddLabel(&window, "lblBand", "Loan-to-Value 80.01% to 85.01%", QRect(0, 60, 300, 20));
    SetColors(band, Qt::white, QColor(64, 0, 64));
    EXPECT_EQ(band->indent(), BandIndent());
    band->setIndent(0);
    QLabel* heading =
        AddLabel(&window, "lblHeading", "Purchase Price   Escrow Fee", QRect(100, 100, 200, 20));
    const int split = 100 + QFontMetrics(heading->font()).horizontalAdvance("Purchase");
    AddCell(&window, "colAmount", QRect(100, 124, split - 100, 16));
    AddCell(&window, "colFee", QRect(split, 124, 300 - split, 16));
    QStringList found = EdgeProblems(&window);
    ASSERT_EQ(found.size(), 2) << found.join("\n").toStdString();
    EXPECT_TRUE(found[0].contains("lblBand") || found[1].contains("lblBand"));
    EXPECT_TRUE(found.join("").contains("\"Purchase Price\" ("));
    band->setIndent(BandIndent());
    heading->setText("Purchase");
    EXPECT_TRUE(EdgeProblems(&window).isEmpty()) << EdgeProblems(&window).join("\n").toStdString();
}

TEST(WindowWalkChecks, AWindowTallerThanTheScreenScrollsItsControlsIntoReach) {
    QWidget window;
    window.setObjectName("tall");
    window.setFixedSize(800, 616);
    auto* ok = new QPushButton("Ok", &window);
    ok->setGeometry(700, 580, 80, 25);
    auto* hidden = new QPushButton("Hidden", &window);
    hidden->hide();
    EXPECT_TRUE(ScreenProblems(&window, kSmallScreen).isEmpty())
        << ScreenProblems(&window, kSmallScreen).join("\n").toStdString();
    EXPECT_LE(window.height() + 32, kSmallScreen.height());
    auto* scroll = window.findChild<QScrollArea*>();
    ASSERT_TRUE(scroll);
    EXPECT_EQ(ok->parentWidget(), scroll->widget());
    EXPECT_EQ(ok->geometry(), QRect(700, 580, 80, 25));  // the controls keep their places
    EXPECT_TRUE(hidden->isHidden());
    EXPECT_EQ(scroll->widget()->size(), QSize(800, 616));

    QWidget small;
    small.setFixedSize(300, 200);
    FitIntoArea(&small, kSmallScreen);
    EXPECT_EQ(small.size(), QSize(300, 200));
    EXPECT_FALSE(small.findChild<QScrollArea*>());
}

class WalkTest : public test::WindowTest {
  protected:
    WalkTest() { LoadInstalled(model); }

    // Every check over every window, with the values installed, with the longest
    // values in its boxes, and over the largest loan the main window takes.
    QStringList WalkProblems() {
        Model large = model;  // every box of the main window at its typing limit
        LoanData& loan = large.loanData;
        loan.purchasePrice = 99999999;
        loan.earnestMoney = loan.monthlyInsurance = loan.monthlyDues = 999999;
        loan.annualTaxes = 9999999;
        Recalculate(large);
        QStringList all;
        for (const WindowEntry& entry : EveryWindow()) {
            auto window = entry.make(model);
            QStringList problems = LayoutProblems(window.get());
            FillLongest(window.get());
            problems << LayoutProblems(window.get());
            problems << LayoutProblems(entry.make(large).get());
            problems << ScreenProblems(entry.make(model).get(), kSmallScreen);
            problems.removeDuplicates();
            if (!problems.isEmpty()) all << Report(entry.name, problems);
        }
        return all;
    }

    Model model;
};

TEST_F(WalkTest, EveryWindowPassesTheWalkWithTheDesktopsFont) {
    const QStringList problems = WalkProblems();
    EXPECT_TRUE(problems.isEmpty()) << problems.join("\n").toStdString();
}

// The desktop's font family and size, as a desktop's theme sets them, for the
// windows made while it lives.
class DesktopFont {
  public:
    DesktopFont(const QString& family, int points) : saved_(QApplication::font()) {
        QFont font(family);
        font.setPointSize(points);
        QApplication::setFont(font);
    }
    ~DesktopFont() { QApplication::setFont(saved_); }

  private:
    QFont saved_;
};

// The common default families of Linux desktops; a family not installed here is
// skipped with a note (CI installs them all, scripts/install-deps.sh).
class DesktopFamilyTest : public WalkTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(DesktopFamilyTest, EveryWindowPassesTheWalkAtDesktopFonts9To12) {
    const QString family = GetParam();
    if (!QFontDatabase::families().contains(family))
        GTEST_SKIP() << family.toStdString() << " is not installed";
    for (int points : {9, 10, 11, 12}) {
        const DesktopFont desktop(family, points);
        ASSERT_EQ(QFontInfo(QApplication::font()).family(), family);
        ASSERT_EQ(QFontInfo(WindowFont()).family(), family);
        const QStringList problems = WalkProblems();
        EXPECT_TRUE(problems.isEmpty()) << family.toStdString() << " " << points << " pt:\n"
                                        << problems.join("\n").toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(CommonFamilies, DesktopFamilyTest,
                         ::testing::Values("DejaVu Sans", "Noto Sans", "Liberation Sans",
                                           "Cantarell"),
                         [](const auto& info) {
                             return QString(info.param).remove(' ').toStdString();
                         });

// One policy: the designed windows keep the size fitted to their design, while
// the free-text windows follow the desktop's size.
TEST_F(WalkTest, DesignedWindowsKeepTheirFittedSizeAndFreeTextGrowsWithTheDesktop) {
    const QString family = QFontInfo(QApplication::font()).family();
    const DesktopFont at9(family, 9);
    const QFont designed = WindowFont();
    const AboutBox about9;
    const QuickStart quickStart9;
    const DesktopFont at12(family, 12);
    EXPECT_EQ(WindowFont(), designed);
    const AboutBox about12;
    const QuickStart quickStart12;
    EXPECT_EQ(about12.findChild<QLabel*>("lblLegal")->font().pointSize(), 12);
    EXPECT_EQ(quickStart12.findChild<QLabel*>("Label1")->font().pointSize(), 12);
    EXPECT_GT(about12.height(), about9.height());
    EXPECT_GT(quickStart12.height(), quickStart9.height());
}

}  // namespace
}  // namespace dovanel
