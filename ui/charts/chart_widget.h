#pragma once
// A small chart drawn with QPainter: dollar amounts over the months of a loan
// as lines, or per year as stacked bars; a dollar axis and a year axis with
// readable ticks, a legend, markers at chosen months, and the values under the
// mouse as a tooltip. Colours follow the window's palette, light or dark.
// The chart takes the focus: the arrow keys step a reading point through the
// years (Home and End go to the ends), which shows its values as the mouse
// does and adds them to the chart's accessible description, after its summary.

#include <QString>
#include <QWidget>
#include <vector>

namespace dovanel {

struct ChartSeries {
    QString name;
    std::vector<double> values;
    Qt::PenStyle style = Qt::SolidLine;
};

struct ChartMarker {
    int month = 0;  // the x position: payments made
    QString label;
};

class ChartWidget : public QWidget {
    Q_OBJECT
  public:
    enum class Kind { Lines, StackedBars };

    explicit ChartWidget(QWidget* parent = nullptr);

    // Lines: value i of a series is the amount after i payments (i = 0: the start).
    void SetLines(std::vector<ChartSeries> series, std::vector<ChartMarker> markers);
    // Bars: value i of each series is stacked in year i + 1, the first series at the bottom.
    void SetStackedBars(std::vector<ChartSeries> series);

    Kind kind() const { return kind_; }
    const std::vector<ChartSeries>& series() const { return series_; }
    const std::vector<ChartMarker>& markers() const { return markers_; }

    // What the tooltip shows at a point of the widget; empty outside the plot.
    QString ValuesAt(QPoint position) const;
    // The same at a position (a month of the lines, a year of the bars); empty outside.
    QString ValuesOf(int position) const;

    // What the chart says as a whole, read before the values at the reading point.
    void SetSummary(const QString& summary);
    // The reading point's position; -1 for none.
    int readingPosition() const { return reading_; }
    // The dollar axis's ticks and the years the year axis labels.
    std::vector<double> DollarTicks() const { return Layout().dollarTicks; }
    std::vector<int> YearTicks() const { return Layout().yearTicks; }

    // "$250k", "$1.5M": a tick of the dollar axis.
    static QString DollarTick(double value);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    // Where things go, worked out once per change of data, size or font.
    struct Geometry {
        QRectF plot;
        double top = 1;     // the dollar axis's upper end
        double months = 1;  // lines: the months the x axis spans
        std::vector<double> dollarTicks;
        std::vector<int> yearTicks;
    };
    const Geometry& Layout() const;
    void Invalidate();

    struct Colors;
    Colors Palette() const;
    QRectF PlotArea() const { return Layout().plot; }
    int Positions() const;  // x positions: months plus the start, or years
    double Top() const;
    std::vector<double> ComputeDollarTicks() const;
    std::vector<int> ComputeYearTicks() const;
    double XOf(double position) const;
    double YOf(double value) const;
    int PositionAt(QPoint point) const;
    QString PositionName(int position) const;

    void DrawAxes(QPainter& p, const Colors& c) const;
    void DrawLines(QPainter& p, const Colors& c) const;
    void DrawBars(QPainter& p, const Colors& c) const;
    void DrawMarkers(QPainter& p, const Colors& c) const;
    void DrawMarkerLabels(QPainter& p, const Colors& c) const;
    void DrawLegend(QPainter& p, const Colors& c) const;
    void DrawHover(QPainter& p, const Colors& c) const;
    void MoveReading(int position);
    void Describe();

    Kind kind_ = Kind::Lines;
    std::vector<ChartSeries> series_;
    std::vector<ChartMarker> markers_;
    int hover_ = -1;
    int reading_ = -1;  // the keyboard's reading point
    QString summary_;
    mutable Geometry geometry_;
    mutable bool geometryValid_ = false;
};

}  // namespace dovanel
