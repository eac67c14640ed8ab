// How every window looks: texts whole and apart, readable in light and dark
// themes, the program's icon, windows placed on the right screen.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionGroupBox>
#include <QTextDocument>

#include "engine/recalculate.h"
#include "shell/fitting.h"
#include "shell/looks.h"
#include "tests/ui/looks/drawing.h"
#include "tests/ui/looks/window_walk.h"
#include "tests/ui/ui_fixture.h"
#include "ui/amortization/amortization_windows.h"
#include "ui/catalogue.h"
#include "ui/estimate/estimate_screen.h"

namespace dovanel {
namespace {

using test::Describe;
using test::ShowsText;
using test::TextOf;
using test::TextProblems;

// Cells of a list or table that colour their background or their text.
QStringList CellContrastProblems(QAbstractItemView* view) {
    QStringList problems;
    const QAbstractItemModel* model = view->model();
    if (!model) return problems;
    for (int r = 0; r < model->rowCount(); ++r)
        for (int c = 0; c < model->columnCount(); ++c) {
            const QModelIndex cell = model->index(r, c);
            const QVariant back = cell.data(Qt::BackgroundRole);
            const QVariant fore = cell.data(Qt::ForegroundRole);
            if (!back.isValid() && !fore.isValid()) continue;
            const QColor text = fore.isValid() ? fore.value<QBrush>().color()
                                               : view->palette().color(QPalette::Text);
            const QColor background = back.isValid() ? back.value<QBrush>().color()
                                                     : view->palette().color(QPalette::Base);
            const double contrast = Contrast(text, background);
            if (contrast < kReadableContrast)
                problems << QString("%1 cell %2,%3 \"%4\": %5 on %6, %7 : 1")
                                .arg(Describe(view))
                                .arg(r)
                                .arg(c)
                                .arg(cell.data().toString(), text.name(), background.name())
                                .arg(contrast, 0, 'f', 1);
        }
    return problems;
}

QStringList ContrastProblems(QWidget* window) {
    QStringList problems;
    for (QAbstractItemView* view : window->findChildren<QAbstractItemView*>())
        if (!qobject_cast<QHeaderView*>(view)) problems << CellContrastProblems(view);
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!ShowsText(w, window) || !w->isEnabled()) continue;
        const QColor text = w->palette().color(TextRoleOf(w));
        const QColor background = w->palette().color(BackgroundRoleOf(w));
        const double contrast = Contrast(text, background);
        if (contrast < kReadableContrast)
            problems << QString("%1 \"%2\": %3 on %4, %5 : 1")
                            .arg(Describe(w), TextOf(w).left(30), text.name(), background.name())
                            .arg(contrast, 0, 'f', 1);
    }
    return problems;
}

// Column headings cut by their section: a heading that wraps may take the
// header's height, one that does not must fit its width.
QStringList HeadingProblems(QWidget* window) {
    QStringList problems;
    for (QHeaderView* header : window->findChildren<QHeaderView*>()) {
        if (!header->isVisibleTo(window) || header->orientation() != Qt::Horizontal) continue;
        const QAbstractItemModel* model = header->model();
        const int margin = header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
        const bool wraps = header->defaultAlignment() & Qt::TextWordWrap;
        QFont font = header->font();
        font.setBold(true);  // headings may be drawn bold: measure the wider face
        const QFontMetrics metrics(font);
        for (int c = 0; model && c < model->columnCount(); ++c) {
            const QString text = model->headerData(c, Qt::Horizontal).toString();
            if (header->isSectionHidden(c) || text.isEmpty()) continue;
            const QRect room(0, 0, header->sectionSize(c) - 2 * margin, header->height());
            const QRect need = metrics.boundingRect(room, wraps ? int(Qt::TextWordWrap) : 0, text);
            if (need.width() > room.width() || need.height() > room.height())
                problems << QString("%1 heading \"%2\": needs %3x%4, has %5x%6")
                                .arg(Describe(header), text)
                                .arg(need.width())
                                .arg(need.height())
                                .arg(room.width())
                                .arg(room.height());
        }
    }
    return problems;
}

class LooksTest : public test::WindowTest {
  protected:
    LooksTest() { LoadInstalled(model); }
    ~LooksTest() override { QApplication::setPalette(LightPalette()); }

    Model model;
};

// The checks themselves find the faults they are for.
TEST_F(LooksTest, ChecksFindCutTextsTextsRunningTogetherAndUnreadableColours) {
    QWidget window;
    window.resize(400, 200);
    auto* clipped = new QLabel("Monthly Homeowner's Inurance", &window);
    clipped->setGeometry(0, 0, 60, 17);
    auto* name = new QLabel("Appraisal", &window);
    name->setGeometry(100, 40, 200, 17);
    auto* amount = new QLabel("$12,345", &window);
    amount->setGeometry(120, 40, 80, 17);
    auto* box = new QLineEdit("100000000", &window);
    box->setAlignment(Qt::AlignRight);
    box->setGeometry(0, 80, 40, 19);
    const QString found = TextProblems(&window).join("\n");
    EXPECT_TRUE(found.contains("Monthly Homeowner")) << found.toStdString();
    EXPECT_TRUE(found.contains("\"Appraisal\" runs into")) << found.toStdString();
    EXPECT_TRUE(found.contains("100000000")) << found.toStdString();

    QPalette dark = amount->palette();
    dark.setColor(QPalette::WindowText, QColor(20, 20, 20));
    dark.setColor(QPalette::Window, QColor(40, 40, 40));
    amount->setPalette(dark);
    EXPECT_EQ(ContrastProblems(&window).size(), 1);
}

TEST_F(LooksTest, EveryTextFitsItsPlaceWithTheInstalledValues) {
    for (const WindowEntry& entry : EveryWindow()) {
        auto window = entry.make(model);
        const QStringList problems = TextProblems(window.get());
        EXPECT_TRUE(problems.isEmpty())
            << entry.name.toStdString() << ":\n  " << problems.join("\n  ").toStdString();
    }
}

TEST_F(LooksTest, EveryColumnHeadingIsWhole) {
    for (const WindowEntry& entry : EveryWindow()) {
        auto window = entry.make(model);
        window->show();
        QApplication::processEvents();
        const QStringList problems = HeadingProblems(window.get());
        EXPECT_TRUE(problems.isEmpty())
            << entry.name.toStdString() << ":\n  " << problems.join("\n  ").toStdString();
    }
}

// A caption that labels a control shows its "&" as an access key: one before a
// space would underline the space and hide the ampersand.
TEST_F(LooksTest, NoCaptionUnderlinesASpace) {
    static const QRegularExpression lone("(?<!&)&(?=\\s|$)");
    for (const WindowEntry& entry : EveryWindow()) {
        auto window = entry.make(model);
        for (QLabel* label : window->findChildren<QLabel*>()) {
            if (!label->buddy() || Qt::mightBeRichText(label->text())) continue;
            EXPECT_FALSE(label->text().contains(lone))
                << entry.name.toStdString() << " " << Describe(label).toStdString() << " \""
                << label->text().toStdString() << "\"";
        }
    }
}

TEST_F(LooksTest, EveryTextFitsItsPlaceWithTheLongestValues) {
    for (const WindowEntry& entry : EveryWindow()) {
        auto window = entry.make(model);
        FillLongest(window.get());
        const QStringList problems = TextProblems(window.get());
        EXPECT_TRUE(problems.isEmpty())
            << entry.name.toStdString() << ":\n  " << problems.join("\n  ").toStdString();
    }
}

// A long cost name ends in "…" before its amount and shows in full as a tooltip.
TEST_F(LooksTest, ALongCostNameStopsBeforeItsAmount) {
    model.estimateValues.costName[1] = "Appraisal fee and deposit for the second appraisal";
    EstimateScreen screen(model);
    EXPECT_TRUE(TextProblems(&screen).isEmpty()) << TextProblems(&screen).join("\n").toStdString();
    auto* name = screen.findChild<FittedLabel*>("lblCostItem1");
    ASSERT_TRUE(name);
    EXPECT_TRUE(name->Shown().shortened);
    EXPECT_EQ(name->toolTip(), "Appraisal fee and deposit for the second appraisal");
    EXPECT_LT(name->geometry().right(), screen.findChild<QLabel*>("valCostItem1")->x());
}

TEST_F(LooksTest, TheAmortizationListScrollsOnlyDownwards) {
    AmortizationWindow amort(model);
    amort.grab();
    QCoreApplication::processEvents();
    EXPECT_EQ(amort.list()->horizontalScrollBar()->maximum(), 0);
    EXPECT_GT(amort.list()->verticalScrollBar()->maximum(), 0);
}

// Each value of the amortization table stands under its heading's word, for
// small and large amounts alike (a value narrower than a tab stop must not slide
// one column to the left).
TEST_F(LooksTest, TheAmortizationValuesStandUnderTheirHeadings) {
    const QStringList words = {"Payment", "Beginning", "Interest", "Principal", "Ending", "LTV"};
    for (float price : {425000.0f, 2500000.0f, 90000.0f}) {
        model.loanData.purchasePrice = price;
        Recalculate(model);
        AmortizationWindow amort(model);
        auto* heading = amort.findChild<QLabel*>("Label1");
        // Where the heading draws its names: the runs of ink across it.
        const test::Drawing drawn = test::Draw(heading);
        const auto names = test::InkRuns(
            drawn, drawn.image.rect(),
            qRound(QFontMetricsF(heading->font()).horizontalAdvance("  ") * drawn.ratio));
        ASSERT_EQ(names.size(), words.size());
        const QFontMetricsF listFont(amort.list()->font());
        const int left = amort.list()->x() + amort.list()->viewport()->x() + 3;
        const qreal slack = TwipsToPixels(360);  // half a tab stop
        for (int row : {0, 5, 100, amort.list()->count() - 1}) {
            const QStringList values =
                amort.list()->item(row)->text().split('\t', Qt::SkipEmptyParts);
            ASSERT_EQ(values.size(), words.size());
            const QVector<qreal> starts = AmortizationColumnStarts(values, listFont);
            for (int i = 0; i < words.size(); ++i) {
                const QString value = values[i];
                const qreal ink =
                    left + starts[i] +
                    listFont.horizontalAdvance(value.left(value.size() - value.trimmed().size()));
                const qreal word = heading->x() + names[i].first / drawn.ratio;
                EXPECT_NEAR(ink, word, slack)
                    << price << " row " << row << " " << value.toStdString() << " under "
                    << words[i].toStdString();
            }
        }
    }
}

TEST_F(LooksTest, EveryTextIsReadableInTheLightAndTheDarkTheme) {
    for (const auto& [theme, palette] :
         {std::pair{"light", LightPalette()}, std::pair{"dark", DarkPalette()}}) {
        QApplication::setPalette(palette);
        for (const WindowEntry& entry : EveryWindow()) {
            auto window = entry.make(model);
            const QStringList problems = ContrastProblems(window.get());
            EXPECT_TRUE(problems.isEmpty()) << theme << " " << entry.name.toStdString() << ":\n  "
                                            << problems.join("\n  ").toStdString();
        }
    }
}

}  // namespace
}  // namespace dovanel
