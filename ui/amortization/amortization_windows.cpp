#include "ui/amortization/amortization_windows.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <cmath>

#include "shell/fitting.h"
#include "shell/help.h"
#include "shell/platform.h"
#include "ui/export/csv_menu.h"

namespace dovanel {

namespace {

// A list line's values start this far in from the list's edge.
constexpr int kLineIndent = 3;

qreal kTabStop() {
    return TwipsToPixels(720);
}

// Draws a list line with its values in the columns its heading's words stand
// over, so that they line up whatever the width of the desktop's font.
class TabStopDelegate : public QStyledItemDelegate {
  public:
    explicit TabStopDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        const QStringList values = opt.text.split('\t', Qt::SkipEmptyParts);
        opt.text.clear();
        opt.widget->style()->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);
        const QVector<qreal> starts = AmortizationColumnStarts(values, QFontMetricsF(opt.font));
        painter->save();
        painter->setFont(opt.font);
        painter->setPen(opt.palette.color(
            opt.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text));
        for (int i = 0; i < values.size(); ++i) {
            const QRectF place = QRectF(opt.rect).adjusted(kLineIndent + starts[i], 0, 0, 0);
            painter->drawText(place, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                              values[i]);
        }
        painter->restore();
    }

    // As wide as the line drawn in its columns, so that no scroll bar appears
    // for lines that fit.
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        const QStringList values = index.data().toString().split('\t', Qt::SkipEmptyParts);
        const QFontMetricsF fm(option.font);
        const QVector<qreal> starts = AmortizationColumnStarts(values, fm);
        const qreal end =
            values.isEmpty() ? 0 : starts.last() + fm.horizontalAdvance(values.last());
        size.setWidth(static_cast<int>(std::ceil(end)) + 2 * kLineIndent);
        return size;
    }
};

QFont ListFont() {
    QFont font("Arial");
    font.setPointSizeF(8.25);
    font.setBold(false);
    return font;
}

// The list's heading: each column's name (the caption's words between runs of
// blanks) drawn where that column's values begin in the list's first line, so
// that the names stand over their columns at any font and any scale. The text
// stays the designed caption.
class ListHeading : public FittedLabel {
  public:
    using FittedLabel::FittedLabel;

    void ShowOver(const QListWidget* list) {
        list_ = list;
        update();
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setFont(font());
        painter.setPen(palette().color(QPalette::WindowText));
        const QStringList names = text().split(QRegularExpression(" {2,}"), Qt::SkipEmptyParts);
        const QVector<qreal> starts = NameStarts(names.size());
        const QRectF area = contentsRect();
        for (int i = 0; i < names.size(); ++i)
            painter.drawText(area.adjusted(starts[i], 0, 0, 0),
                             Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, names[i]);
    }

  private:
    // Where each column's first line begins to show, in the heading's own pixels.
    QVector<qreal> NameStarts(int count) const {
        QStringList values;
        if (list_ && list_->count() > 0)
            values = list_->item(0)->text().split('\t', Qt::SkipEmptyParts);
        while (values.size() < count) values.append(QString());  // the columns' own stops
        const QFontMetricsF fm(font());
        const QVector<qreal> columns = AmortizationColumnStarts(values, fm);
        const qreal origin = list_ ? list_->viewport()->mapTo(window(), QPoint()).x() -
                                         mapTo(window(), contentsRect().topLeft()).x() + kLineIndent
                                   : 0;
        QVector<qreal> starts;
        for (int i = 0; i < count; ++i) {
            const QString& value = values[i];
            starts.append(origin + columns[i] +
                          fm.horizontalAdvance(value.left(value.size() - value.trimmed().size())));
        }
        return starts;
    }

    const QListWidget* list_ = nullptr;
};

// A row as a screen reader says it: each value after its column's name.
QString SpokenRow(const QString& line) {
    static const char* const columns[] = {"Payment Period", "Beginning Balance", "Interest",
                                          "Principal",      "Ending Balance",    "LTV"};
    QStringList spoken;
    int column = 0;
    for (const QString& part : line.split('\t')) {
        if (part.trimmed().isEmpty()) continue;
        spoken.append(column < 6 ? QString(columns[column++]) + " " + part.trimmed()
                                 : part.trimmed());
    }
    return spoken.join(", ");
}

}  // namespace

QVector<qreal> AmortizationColumnStarts(const QStringList& values, const QFontMetricsF& fm) {
    // The line's tabs are built for half-inch tab stops and values of eight or
    // more characters wider than one stop: each money column is two stops wide.
    static const int kColumnStops[] = {0, 2, 5, 7, 9, 11};
    const qreal stop = kTabStop();
    QVector<qreal> starts;
    qreal end = 0;
    for (int i = 0; i < values.size(); ++i) {
        qreal x = i < 6 ? kColumnStops[i] * stop : 0;
        if (i > 0 && end >= x) x = (std::floor(end / stop) + 1) * stop;  // pushed by a wide value
        starts.append(x);
        end = x + fm.horizontalAdvance(values[i]);
    }
    return starts;
}

AmortizationWindow::AmortizationWindow(const Model& model, QWidget* parent)
    : Screen(parent, ScreenDesign("Amort", "Amortization Table", {9135, 6720}, "DOWN",
                                  help_topic::kContents)
                         .Leaving(Effect::SlideOut, "LEFT")) {
    auto* heading = Place(
        new ListHeading(
            "Payment Period      Beginning Balance      Interest             Principal          "
            "Ending Balance    LTV",
            this),
        "Label1", Twips(120, 240, 9615, 240));
    heading->setFont(ListFont());
    list_ = Place(new QListWidget(this), "List1", Twips(120, 480, 8895, 5100));
    list_->setFont(ListFont());
    list_->setItemDelegate(new TabStopDelegate(list_));
    heading->ShowOver(list_);
    list_->setUniformItemSizes(true);
    AddExportCsvMenu(
        list_, [&model] { return RowsOf(ComputeAmortization(model)); }, "amortization.csv");
    list_->setAccessibleName("Amortization Table");
    QLabel* message = AddLabel(this, "lblRemovePMI", "", Twips(240, 5640, 8655, 495));
    message->setWordWrap(true);
    message->hide();

    ThePlatform().SetBusy(true);
    const Amortization table = ComputeAmortization(model);
    QStringList lines;
    lines.reserve(static_cast<int>(table.rows.size()));
    for (const AmortizationRow& row : table.rows) lines.append(QString::fromStdString(row.line));
    list_->addItems(lines);
    for (int i = 0; i < list_->count(); ++i)
        list_->item(i)->setData(Qt::AccessibleTextRole, SpokenRow(lines[i]));
    QString text = QString::fromStdString(table.removePmiMessage);
    message->setText(text.replace('\r', '\n'));
    message->show();
    ThePlatform().SetBusy(false);

    auto* print = AddButton(this, "btnPrint", "&Print", Twips(240, 6240, 1095, 375));
    auto* ok = AddButton(this, "BtnOk", "&Ok", Twips(4080, 6240, 1095, 375));
    auto* help = AddButton(this, "btnHelp", "Help  [F1]", Twips(7920, 6240, 1095, 375));
    connect(print, &QPushButton::clicked, this, &AmortizationWindow::printRequested);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(help, &QPushButton::clicked, this, [] { OpenHelpTopic(help_topic::kAmortization); });
    FinishControls(false, false);
    list_->setFocus();
}

namespace {
// A scroll bar that is a Tab stop and shows when it has the focus: the style's
// focus frame around it.
class FocusMarkedScrollBar : public QScrollBar {
  public:
    explicit FocusMarkedScrollBar(QWidget* parent) : QScrollBar(Qt::Vertical, parent) {
        setFocusPolicy(Qt::StrongFocus);
    }

  protected:
    void paintEvent(QPaintEvent* event) override {
        QScrollBar::paintEvent(event);
        QPainter painter(this);
        DrawFocusMark(painter, this);
    }
};
}  // namespace

PartialTermWindow::PartialTermWindow(const Model& model, QPoint corner, QWidget* parent)
    : Screen(parent, ScreenDesign("PartTerm", "Total Interest For Partial Term", {6240, 3840},
                                  "DOWN", help_topic::kSchedules)
                         .Arriving(Effect::GrowIn, "DOWN")
                         .Leaving(Effect::ShrinkOut, "UP")),
      model_(model) {
    move(corner + QPoint(TwipsToPixels(999), TwipsToPixels(999)));
    AddLabel(this, "Label2",
             "Click the adjustment arrows or use the Up and Down Arrow keys on your keyboard to "
             "adjust the years.",
             Twips(600, 240, 5160, 720))
        ->setWordWrap(true);
    years_ = Place(new FocusMarkedScrollBar(this), "VScroll2", Twips(480, 1320, 255, 600));
    years_->setRange(1, 30);
    years_->setAccessibleName("Years");
    // More years stand at the top: the upper arrow gives more years, as the Up key
    // does (see keyPressEvent). An inverted look alone leaves the arrows stepping
    // the other way, so their steps are turned round here.
    years_->setInvertedAppearance(true);
    connect(years_, &QAbstractSlider::actionTriggered, this, [this](int action) {
        if (action == QAbstractSlider::SliderSingleStepAdd ||
            action == QAbstractSlider::SliderSingleStepSub)
            years_->setSliderPosition(years_->value() +
                                      (action == QAbstractSlider::SliderSingleStepSub ? 1 : -1));
    });
    years_->installEventFilter(this);
    sentence_ = AddLabel(this, "Label4", "", Twips(840, 1440, 5280, 300));
    total_ =
        AddLabel(this, "Label1", "Total interest that will be paid: ", Twips(480, 2160, 5640, 300));
    auto* ok = AddButton(this, "BtnOk", "&Ok", Twips(2760, 3240, 1095, 375));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    // Up and Down adjust the years wherever the focus is, as the window says.
    ok->installEventFilter(this);
    setTabOrder(years_, ok);
    years_->setValue(5);
    VScroll2_Change();
    connect(years_, &QScrollBar::valueChanged, this, [this] { VScroll2_Change(); });
    years_->setFocus();
    FinishControls(false, false);
}

void PartialTermWindow::VScroll2_Change() {
    const PartialTerm result = PartialTermInterest(model_, years_->value());
    sentence_->setText(QString::fromStdString(result.sentence));
    total_->setText(QString::fromStdString(result.label));
}

namespace {
bool StepYears(QScrollBar* years, const QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    if (key != Qt::Key_Up && key != Qt::Key_Down) return false;
    years->setValue(years->value() + (key == Qt::Key_Up ? 1 : -1));
    return true;
}
}  // namespace

void PartialTermWindow::keyPressEvent(QKeyEvent* event) {
    if (!StepYears(years_, event)) Screen::keyPressEvent(event);
}

bool PartialTermWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched->isWidgetType() && StepYears(years_, event)) return true;
    return Screen::eventFilter(watched, event);
}

const char* const DateTypeDialog::kMonthNames[12] = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};

DateTypeDialog::DateTypeDialog(LoanData& loan, int currentYear, QWidget* parent)
    : Screen(parent, {"DateType", "Select Date Type", {5520, 3600}, "UP", help_topic::kContents}),
      loan_(loan) {
    specific_ =
        Place(new QRadioButton("SPECIFIC  (e.g. July " + QString::number(currentYear) + ")", this),
              "Option1", Twips(600, 840, 4200, 300));
    auto* generic = Place(new QRadioButton("  GENERIC   (e.g. Year 1 / Month 1)", this), "Option2",
                          Twips(600, 480, 4200, 300));
    auto* frame = Place(new QGroupBox("Choose Start Date  /  First Payment", this), "Frame1",
                        Twips(480, 1320, 4575, 1335));
    AddLabel(frame, "Label5", "Date of 1st Payment:", Twips(120, 600, 1800, 285));
    AddLabel(frame, "Label1", "Month", Twips(2040, 240, 1200, 285));
    AddLabel(frame, "Label2", "Year", Twips(3480, 240, 900, 285));
    QLabel* monthName = AddLabel(frame, "Label3", "", Twips(2040, 600, 1200, 285));
    QLabel* yearText = AddLabel(frame, "Label4", "", Twips(3480, 600, 700, 285));
    auto* months =
        Place(new QScrollBar(Qt::Vertical, frame), "VScroll1", Twips(3240, 480, 240, 600));
    auto* years =
        Place(new QScrollBar(Qt::Vertical, frame), "VScroll2", Twips(4200, 480, 240, 600));
    months->setRange(1, 12);
    months->setAccessibleName("Month of 1st Payment");
    years->setAccessibleName("Year of 1st Payment");
    years->setRange(1950, 2050);
    connect(specific_, &QRadioButton::toggled, frame, &QWidget::setVisible);
    connect(months, &QScrollBar::valueChanged, this, [this, monthName](int value) {
        month_ = value;
        monthName->setText(kMonthNames[value - 1]);
    });
    connect(years, &QScrollBar::valueChanged, this, [this, yearText](int value) {
        yearText->setText(QString::number(value));
        year_ = value;
    });
    generic->setChecked(true);
    frame->hide();
    years->setValue(1994);
    monthName->setText(kMonthNames[0]);
    month_ = 1;
    year_ = 1994;
    yearText->setText(QString::number(years->value()));

    auto* ok = AddButton(this, "BtnOk", "&Ok", Twips(1440, 2880, 1095, 375));
    auto* cancel = AddButton(this, "BtnCancel", "&Cancel", Twips(2880, 2880, 1095, 375));
    connect(ok, &QPushButton::clicked, this, [this] {
        loan_.startDateSpecific = specific_->isChecked() ? 1 : 0;
        loan_.startDate = std::to_string(month_) + "-" + std::to_string(year_);
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    FinishControls(false, false);
    generic->setFocus();
}

}  // namespace dovanel
