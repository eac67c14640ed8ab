#include "ui/charts/chart_widget.h"

#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>
#include <cmath>

#include "engine/format_value.h"
#include "shell/form.h"

namespace dovanel {

namespace {

// 1, 2, 2.5 or 5 times a power of ten: about `count` steps up to `top`.
double NiceStep(double top, int count) {
    if (!(top > 0) || !std::isfinite(top)) return 1;
    const double raw = top / count;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    const double norm = raw / magnitude;
    const double nice = norm <= 1 ? 1 : norm <= 2 ? 2 : norm <= 2.5 ? 2.5 : norm <= 5 ? 5 : 10;
    return nice * magnitude;
}

int YearStep(int years) {
    return years <= 8 ? 1 : years <= 16 ? 2 : years <= 40 ? 5 : 10;
}

QString Trimmed(double value) {
    QString text = QString::number(value, 'f', 2);
    while (text.endsWith('0')) text.chop(1);
    if (text.endsWith('.')) text.chop(1);
    return text;
}

QString Money(double value) {
    return QString::fromStdString(FormatValue(value, "$#,##0.00"));
}

bool IsDark(const QPalette& palette) {
    return palette.color(QPalette::Base).lightness() < 128;
}

}  // namespace

struct ChartWidget::Colors {
    QColor background, text, grid, axis;
    std::vector<QColor> series;
    QColor marker;
};

ChartWidget::ChartWidget(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

void ChartWidget::SetSummary(const QString& summary) {
    summary_ = summary;
    Describe();
}

// The summary, then what the reading point shows.
void ChartWidget::Describe() {
    QString description = summary_;
    if (const QString values = ValuesOf(reading_); !values.isEmpty())
        description += (description.isEmpty() ? "" : "\n") + values;
    setAccessibleDescription(description);
}

void ChartWidget::MoveReading(int position) {
    if (Positions() == 0) return;
    reading_ = std::clamp(position, 0, Positions() - 1);
    hover_ = reading_;
    update();
    Describe();
    // Shown where the mouse would show it: at the reading point, halfway up the plot.
    const QPoint at(static_cast<int>(XOf(reading_)), static_cast<int>(PlotArea().center().y()));
    if (isVisible()) QToolTip::showText(mapToGlobal(at), ValuesOf(reading_), this);
}

void ChartWidget::keyPressEvent(QKeyEvent* event) {
    // A year is a step: twelve months of the lines, one bar.
    const int year = kind_ == Kind::Lines ? 12 : 1;
    const int at = reading_;
    const bool plain = !(event->modifiers() & ~Qt::KeypadModifier);
    switch (plain ? event->key() : 0) {
        case Qt::Key_Right:
        case Qt::Key_Down:
            MoveReading(at < 0 ? 0 : at + year);
            return;
        case Qt::Key_Left:
        case Qt::Key_Up:
            MoveReading(at < 0 ? 0 : at - year);
            return;
        case Qt::Key_Home:
            MoveReading(0);
            return;
        case Qt::Key_End:
            MoveReading(Positions() - 1);
            return;
        default:
            QWidget::keyPressEvent(event);
    }
}

void ChartWidget::focusInEvent(QFocusEvent* event) {
    update();
    QWidget::focusInEvent(event);
}

void ChartWidget::focusOutEvent(QFocusEvent* event) {
    QToolTip::hideText();
    update();
    QWidget::focusOutEvent(event);
}

void ChartWidget::SetLines(std::vector<ChartSeries> series, std::vector<ChartMarker> markers) {
    kind_ = Kind::Lines;
    series_ = std::move(series);
    markers_ = std::move(markers);
    Invalidate();
}

void ChartWidget::SetStackedBars(std::vector<ChartSeries> series) {
    kind_ = Kind::StackedBars;
    series_ = std::move(series);
    markers_.clear();
    Invalidate();
}

QString ChartWidget::DollarTick(double value) {
    if (std::fabs(value) >= 1e6) return "$" + Trimmed(value / 1e6) + "M";
    if (std::fabs(value) >= 1e3) return "$" + Trimmed(value / 1e3) + "k";
    return "$" + Trimmed(value);
}

ChartWidget::Colors ChartWidget::Palette() const {
    const QPalette& pal = palette();
    Colors c;
    c.background = pal.color(QPalette::Base);
    c.text = pal.color(QPalette::Text);
    c.grid = pal.color(QPalette::Mid);
    c.grid.setAlpha(110);
    c.axis = pal.color(QPalette::Text);
    if (IsDark(pal)) {
        c.series = {QColor(0x6c, 0xb4, 0xff), QColor(0xff, 0xb3, 0x66), QColor(0x7f, 0xd8, 0x7f)};
        c.marker = QColor(0xe0, 0x8c, 0xff);
    } else {
        c.series = {QColor(0x1f, 0x5f, 0xbf), QColor(0xd9, 0x6a, 0x00), QColor(0x2e, 0x8b, 0x2e)};
        c.marker = QColor(0x80, 0x20, 0xa0);
    }
    return c;
}

int ChartWidget::Positions() const {
    std::size_t count = 0;
    for (const ChartSeries& s : series_) count = std::max(count, s.values.size());
    return static_cast<int>(count);
}

double ChartWidget::Top() const {
    double top = 0;
    if (kind_ == Kind::Lines) {
        for (const ChartSeries& s : series_)
            for (double v : s.values)
                if (std::isfinite(v)) top = std::max(top, v);
    } else {
        for (int i = 0; i < Positions(); ++i) {
            double sum = 0;
            for (const ChartSeries& s : series_)
                if (i < static_cast<int>(s.values.size()) && std::isfinite(s.values[i]))
                    sum += std::max(s.values[i], 0.0);
            top = std::max(top, sum);
        }
    }
    const double step = NiceStep(top, 5);
    return std::max(step, std::ceil(top / step) * step);
}

std::vector<double> ChartWidget::ComputeDollarTicks() const {
    std::vector<double> ticks;
    const double top = Top();
    const double step = NiceStep(top, 5);
    for (int i = 0; i * step <= top * (1 + 1e-9) && i <= 20; ++i) ticks.push_back(i * step);
    return ticks;
}

std::vector<int> ChartWidget::ComputeYearTicks() const {
    const int years = kind_ == Kind::Lines ? (Positions() - 1 + 11) / 12 : Positions();
    std::vector<int> ticks;
    if (years <= 0) return ticks;
    const int step = YearStep(years);
    // A step is never more than the years (one up to 8), so bars always get a tick.
    for (int y = kind_ == Kind::Lines ? 0 : step; y <= years; y += step) ticks.push_back(y);
    return ticks;
}

// New data keeps the reading point where it still has something to read.
void ChartWidget::Invalidate() {
    geometryValid_ = false;
    if (reading_ >= Positions()) reading_ = Positions() - 1;
    if (hover_ >= Positions()) hover_ = -1;
    Describe();
    update();
}

void ChartWidget::resizeEvent(QResizeEvent* event) {
    geometryValid_ = false;
    QWidget::resizeEvent(event);
}

void ChartWidget::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) geometryValid_ = false;
    QWidget::changeEvent(event);
}

const ChartWidget::Geometry& ChartWidget::Layout() const {
    if (geometryValid_) return geometry_;
    Geometry& g = geometry_;
    g.top = Top();
    g.dollarTicks = ComputeDollarTicks();
    g.yearTicks = ComputeYearTicks();
    const QFontMetricsF fm(font());
    double left = 0;
    for (double tick : g.dollarTicks) left = std::max(left, fm.horizontalAdvance(DollarTick(tick)));
    const double line = fm.height();
    g.plot = QRectF(QPointF(left + 10, line * 1.6), QPointF(width() - 12, height() - line * 2.5));
    const int last = std::max(Positions() - 1, 1);
    g.months = g.yearTicks.empty() ? last : std::max(12.0 * g.yearTicks.back(), double(last));
    geometryValid_ = true;
    return g;
}

double ChartWidget::XOf(double position) const {
    const Geometry& g = Layout();
    if (kind_ == Kind::Lines) return g.plot.left() + g.plot.width() * position / g.months;
    const int years = std::max(Positions(), 1);
    return g.plot.left() + g.plot.width() * (position + 0.5) / years;
}

double ChartWidget::YOf(double value) const {
    const Geometry& g = Layout();
    return g.plot.bottom() - g.plot.height() * value / g.top;
}

void ChartWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const Colors c = Palette();
    p.fillRect(rect(), c.background);
    if (Positions() == 0) {
        DrawFocusMark(p, this);
        return;
    }
    DrawAxes(p, c);
    if (kind_ == Kind::Lines) {
        DrawLines(p, c);
        DrawMarkers(p, c);
    } else {
        DrawBars(p, c);
    }
    DrawHover(p, c);
    DrawLegend(p, c);
    DrawFocusMark(p, this);
}

void ChartWidget::DrawAxes(QPainter& p, const Colors& c) const {
    const QRectF plot = PlotArea();
    const QFontMetricsF fm(font());
    p.setFont(font());
    for (double tick : DollarTicks()) {
        const double y = std::round(YOf(tick)) + 0.5;
        p.setPen(QPen(c.grid, 0));
        p.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        p.setPen(c.text);
        const QString label = DollarTick(tick);
        p.drawText(QPointF(plot.left() - 6 - fm.horizontalAdvance(label), y + fm.ascent() / 2 - 1),
                   label);
    }
    for (int year : YearTicks()) {
        const double x = XOf(kind_ == Kind::Lines ? 12.0 * year : year - 1.0);
        const QString label = QString::number(year);
        p.setPen(QPen(c.axis, 0));
        p.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + 4));
        p.setPen(c.text);
        p.drawText(QPointF(x - fm.horizontalAdvance(label) / 2, plot.bottom() + 4 + fm.ascent()),
                   label);
    }
    p.drawText(QPointF(plot.right() - fm.horizontalAdvance("Year"),
                       plot.bottom() + 4 + fm.height() + fm.ascent()),
               "Year");
    p.setPen(QPen(c.axis, 0));
    p.drawLine(plot.bottomLeft(), plot.bottomRight());
    p.drawLine(plot.bottomLeft(), plot.topLeft());
}

void ChartWidget::DrawLines(QPainter& p, const Colors& c) const {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setClipRect(PlotArea().adjusted(-2, -2, 2, 2));
    for (std::size_t s = 0; s < series_.size(); ++s) {
        const std::vector<double>& v = series_[s].values;
        if (v.empty()) continue;
        p.setPen(QPen(c.series[s % c.series.size()], 2, series_[s].style, Qt::RoundCap));
        // An amount that cannot be drawn breaks the line.
        QPolygonF line;
        line.reserve(static_cast<int>(v.size()));
        for (std::size_t i = 0; i <= v.size(); ++i) {
            if (i < v.size() && std::isfinite(v[i])) {
                line.append(QPointF(XOf(double(i)), YOf(v[i])));
                continue;
            }
            if (line.size() > 1) p.drawPolyline(line);
            line.clear();
        }
    }
    p.restore();
}

void ChartWidget::DrawBars(QPainter& p, const Colors& c) const {
    const double slot = PlotArea().width() / std::max(Positions(), 1);
    // A few years' bars stay bars, not blocks filling the plot.
    const double barWidth = std::clamp(slot * 0.7, 1.0, QFontMetricsF(font()).height() * 2.5);
    for (int i = 0; i < Positions(); ++i) {
        double base = 0;
        for (std::size_t s = 0; s < series_.size(); ++s) {
            const std::vector<double>& v = series_[s].values;
            const double value =
                i < static_cast<int>(v.size()) && std::isfinite(v[i]) ? std::max(v[i], 0.0) : 0.0;
            const QRectF bar(QPointF(XOf(i) - barWidth / 2, YOf(base + value)),
                             QPointF(XOf(i) + barWidth / 2, YOf(base)));
            p.fillRect(bar, c.series[s % c.series.size()]);
            base += value;
        }
    }
}

void ChartWidget::DrawMarkers(QPainter& p, const Colors& c) const {
    const QRectF plot = PlotArea();
    const std::vector<double>& first = series_.front().values;
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    for (const ChartMarker& marker : markers_) {
        const double x = XOf(marker.month);
        p.setPen(QPen(c.marker, 1, Qt::DotLine));
        p.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        if (marker.month >= 0 && marker.month < static_cast<int>(first.size()) &&
            std::isfinite(first[marker.month])) {
            p.setPen(Qt::NoPen);
            p.setBrush(c.marker);
            p.drawEllipse(QPointF(x, YOf(first[marker.month])), 3.5, 3.5);
        }
    }
    p.restore();
    DrawMarkerLabels(p, c);
}

// Labels step down so that neighbouring markers stay readable, each on the
// chart's background so that no line runs through it.
void ChartWidget::DrawMarkerLabels(QPainter& p, const Colors& c) const {
    const QRectF plot = PlotArea();
    const QFontMetricsF fm(font());
    for (std::size_t m = 0; m < markers_.size(); ++m) {
        const QString& label = markers_[m].label;
        const double width = fm.horizontalAdvance(label);
        const double x = XOf(markers_[m].month);
        const double left = std::min(std::max(x + 3, plot.left()), plot.right() - width);
        const QRectF box(left - 1, plot.top() + 1 + (m % 4) * fm.height(), width + 2, fm.height());
        p.fillRect(box, c.background);
        p.setPen(c.marker);
        p.drawText(QPointF(left, box.top() + fm.ascent()), label);
    }
}

void ChartWidget::DrawLegend(QPainter& p, const Colors& c) const {
    const QFontMetricsF fm(font());
    double x = PlotArea().left();
    const double y = fm.height() * 0.8;
    for (std::size_t s = 0; s < series_.size(); ++s) {
        const QColor colour = c.series[s % c.series.size()];
        if (kind_ == Kind::Lines) {
            p.setPen(QPen(colour, 2, series_[s].style));
            p.drawLine(QPointF(x, y), QPointF(x + 22, y));
        } else {
            p.fillRect(QRectF(x + 6, y - 5, 10, 10), colour);
        }
        p.setPen(c.text);
        p.drawText(QPointF(x + 28, y + fm.ascent() / 2 - 1), series_[s].name);
        x += 28 + fm.horizontalAdvance(series_[s].name) + 18;
    }
}

void ChartWidget::DrawHover(QPainter& p, const Colors& c) const {
    if (hover_ < 0) return;
    const QRectF plot = PlotArea();
    QColor line = c.text;
    line.setAlpha(90);
    p.setPen(QPen(line, 0));
    const double x = XOf(hover_);
    p.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
}

int ChartWidget::PositionAt(QPoint point) const {
    const QRectF plot = PlotArea();
    const int count = Positions();
    if (count == 0 || !plot.adjusted(-4, -4, 4, 4).contains(point)) return -1;
    const double span = XOf(1) - XOf(0);
    const double at =
        kind_ == Kind::Lines ? (point.x() - XOf(0)) / span : (point.x() - plot.left()) / span - 0.0;
    const int position = kind_ == Kind::Lines ? int(std::lround(at)) : int(std::floor(at));
    return std::clamp(position, 0, count - 1);
}

QString ChartWidget::PositionName(int position) const {
    if (kind_ == Kind::StackedBars) return "Year " + QString::number(position + 1);
    if (position == 0) return "At the start";
    return "Year " + QString::number((position - 1) / 12 + 1) + " / Month " +
           QString::number((position - 1) % 12 + 1);
}

QString ChartWidget::ValuesAt(QPoint point) const {
    return ValuesOf(PositionAt(point));
}

QString ChartWidget::ValuesOf(int position) const {
    if (position < 0 || position >= Positions()) return QString();
    QString text = PositionName(position);
    for (const ChartSeries& s : series_)
        if (position < static_cast<int>(s.values.size()))
            text += "\n" + s.name + ": " + Money(s.values[position]);
    for (const ChartMarker& m : markers_)
        if (m.month == position) text += "\n" + m.label;
    return text;
}

void ChartWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    const int position = PositionAt(point);
    if (position != hover_) {
        hover_ = position;
        update();
    }
    if (position < 0)
        QToolTip::hideText();
    else
        QToolTip::showText(event->globalPosition().toPoint(), ValuesAt(point), this);
}

void ChartWidget::leaveEvent(QEvent* event) {
    hover_ = reading_;  // the keyboard's reading point stays shown
    update();
    QWidget::leaveEvent(event);
}

}  // namespace dovanel
