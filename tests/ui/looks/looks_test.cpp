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
#include <QScrollBar>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionGroupBox>

#include "engine/recalculate.h"
#include "shell/fitting.h"
#include "shell/looks.h"
#include "tests/ui/looks/drawing.h"
#include "tests/ui/ui_fixture.h"
#include "ui/amortization/amortization_windows.h"
#include "ui/catalogue.h"
#include "ui/estimate/estimate_screen.h"

namespace dovanel {
namespace {

QString Describe(const QWidget* w) {
    QString name = w->objectName();
    for (const QWidget* p = w->parentWidget(); name.isEmpty() && p; p = p->parentWidget())
        name = QString("(in %1)").arg(p->objectName());
    return QString("%1 %2").arg(w->metaObject()->className(), name);
}

QString TextOf(const QWidget* w) {
    if (auto* l = qobject_cast<const QLabel*>(w))
        return l->pixmap().isNull() ? l->text() : QString();
    if (auto* b = qobject_cast<const QAbstractButton*>(w)) return QString(b->text()).remove('&');
    if (auto* e = qobject_cast<const QLineEdit*>(w)) return e->text();
    if (auto* c = qobject_cast<const QComboBox*>(w)) return c->currentText();
    if (auto* g = qobject_cast<const QGroupBox*>(w)) return QString(g->title()).remove('&');
    return {};
}

// The room a control has for its text, and the width the text takes there.
struct Room {
    int needed = 0;
    int available = 0;
};

Room RoomOf(QWidget* w) {
    const QString text = TextOf(w);
    const QFontMetrics fm(w->font());
    if (auto* label = qobject_cast<FittedLabel*>(w)) {
        const Fitted shown = label->Shown();
        return {QFontMetrics(shown.font).horizontalAdvance(shown.text),
                label->contentsRect().width() - 2 * label->margin()};
    }
    if (auto* box = qobject_cast<QLineEdit*>(w)) return {fm.horizontalAdvance(text), TextRoom(box)};
    if (auto* combo = qobject_cast<QComboBox*>(w)) {
        QStyleOptionComboBox option;
        option.initFrom(combo);
        const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                           QStyle::SC_ComboBoxEditField, combo);
        int widest = 0;
        for (int i = 0; i < combo->count(); ++i)
            widest = std::max(widest, fm.horizontalAdvance(combo->itemText(i)));
        return {widest, field.width() - 4};
    }
    if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) {
        QStyleOptionButton option;
        option.initFrom(w);
        option.text = text;
        const auto element = qobject_cast<QCheckBox*>(w) ? QStyle::SE_CheckBoxContents
                                                         : QStyle::SE_RadioButtonContents;
        return {fm.horizontalAdvance(text),
                w->style()->subElementRect(element, &option, w).width()};
    }
    if (qobject_cast<QPushButton*>(w)) {
        QStyleOptionButton option;
        option.initFrom(w);
        const QRect r = w->style()->subElementRect(QStyle::SE_PushButtonContents, &option, w);
        return {fm.horizontalAdvance(text), r.width() - 4};
    }
    if (qobject_cast<QGroupBox*>(w)) return {fm.horizontalAdvance(text), w->width() - 16};
    return {fm.horizontalAdvance(text), w->contentsRect().width()};
}

QRect GroupTitle(QGroupBox* box) {
    QStyleOptionGroupBox option;
    option.initFrom(box);
    option.text = box->title();
    option.subControls = QStyle::SC_GroupBoxLabel;
    option.textAlignment = box->alignment();
    option.features = box->isFlat() ? QStyleOptionFrame::Flat : QStyleOptionFrame::None;
    return box->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel,
                                        box);
}

// Where the control's text is drawn, in its parent's coordinates.
QRect InkOf(QWidget* w) {
    if (auto* group = qobject_cast<QGroupBox*>(w)) return GroupTitle(group).translated(w->pos());
    auto* label = qobject_cast<QLabel*>(w);
    if (!label) return w->geometry().adjusted(2, 2, -2, -2);  // boxes of a grid share their edges
    const QRect area = label->contentsRect();
    QSize size;
    if (label->wordWrap()) {
        size = {area.width(), label->heightForWidth(area.width())};
    } else if (auto* fitted = qobject_cast<FittedLabel*>(w)) {
        const Fitted shown = fitted->Shown();
        const QFontMetrics fm(shown.font);
        size = {fm.horizontalAdvance(shown.text), fm.height() * int(shown.text.count('\n') + 1)};
    } else {
        size = label->fontMetrics().size(0, label->text());
    }
    const QRect ink = QStyle::alignedRect(label->layoutDirection(), label->alignment(),
                                          size.boundedTo(area.size()), area);
    return ink.translated(w->pos());
}

bool ShowsText(QWidget* w, QWidget* window) {
    return w->isVisibleTo(window) && !TextOf(w).isEmpty();
}

bool SingleLine(QWidget* w) {
    auto* label = qobject_cast<QLabel*>(w);
    return !label || (!label->wordWrap() && !label->text().contains('\n') &&
                      label->textFormat() != Qt::RichText);
}

// Texts too wide for their place, wrapped texts too tall for it, and texts
// that run into a neighbour's.
QStringList TextProblems(QWidget* window) {
    window->grab();  // texts set without their change signals are fitted when painted
    QStringList problems;
    QList<QWidget*> all = window->findChildren<QWidget*>();
    for (QWidget* w : all) {
        if (!ShowsText(w, window)) continue;
        auto* box = qobject_cast<QLineEdit*>(w);
        if (box && !(box->alignment() & Qt::AlignRight)) continue;  // text boxes scroll their text
        if (SingleLine(w)) {
            const Room room = RoomOf(w);
            if (room.needed > room.available)
                problems << QString("%1 \"%2\": %3 px wide in %4")
                                .arg(Describe(w), TextOf(w))
                                .arg(room.needed)
                                .arg(room.available);
        } else if (auto* label = qobject_cast<QLabel*>(w); label && label->wordWrap()) {
            const QRect area = label->contentsRect();
            if (label->heightForWidth(area.width()) > area.height())
                problems << QString("%1 \"%2\": too tall").arg(Describe(w), TextOf(w).left(30));
        }
    }
    for (QWidget* parent : all + QList<QWidget*>{window}) {
        QList<QWidget*> texts;
        for (QObject* child : parent->children())
            if (auto* w = qobject_cast<QWidget*>(child);
                w && !w->isWindow() && ShowsText(w, window))
                texts << w;
        for (int i = 0; i < texts.size(); ++i)
            for (int j = i + 1; j < texts.size(); ++j)
                if (InkOf(texts[i]).intersects(InkOf(texts[j])))
                    problems << QString("%1 \"%2\" runs into %3 \"%4\"")
                                    .arg(Describe(texts[i]), TextOf(texts[i]), Describe(texts[j]),
                                         TextOf(texts[j]));
    }
    return problems;
}

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
