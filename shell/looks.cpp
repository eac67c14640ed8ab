#include "shell/looks.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>
#include <QWidget>

#include <cmath>

#include "shell/fitting.h"

namespace dovanel {

namespace {

double Linear(double channel) {
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

double Luminance(const QColor& c) {
    return 0.2126 * Linear(c.redF()) + 0.7152 * Linear(c.greenF()) + 0.0722 * Linear(c.blueF());
}

QColor Mix(const QColor& from, const QColor& to, double share) {
    auto blend = [share](int a, int b) {
        return static_cast<int>(std::lround(a + (b - a) * share));
    };
    return QColor(blend(from.red(), to.red()), blend(from.green(), to.green()),
                  blend(from.blue(), to.blue()));
}

// Keeps a control's designed text colour readable on the background its
// parent or the theme gives it, whenever that background changes.
class ReadableText : public QObject {
  public:
    ReadableText(QWidget* widget, const QColor& wanted) : QObject(widget), wanted_(wanted) {
        setObjectName(kName);
        widget->installEventFilter(this);
        Apply(widget);
    }
    static constexpr char kName[] = "readableText";

    void Want(QWidget* widget, const QColor& wanted) {
        wanted_ = wanted;
        Apply(widget);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!applying_ &&
            (event->type() == QEvent::PaletteChange || event->type() == QEvent::ParentChange))
            Apply(static_cast<QWidget*>(watched));
        return false;
    }

  private:
    void Apply(QWidget* widget) {
        applying_ = true;
        QPalette palette = widget->palette();
        const QColor shown = Readable(wanted_, palette.color(BackgroundRoleOf(widget)));
        for (auto group : {QPalette::Active, QPalette::Inactive})
            palette.setColor(group, TextRoleOf(widget), shown);
        if (widget->palette().color(TextRoleOf(widget)) != shown) widget->setPalette(palette);
        applying_ = false;
    }
    QColor wanted_;
    bool applying_ = false;
};

// A panel stacked under the control among its parent's children, painting
// its background all around the control.
const QWidget* PanelUnder(const QWidget* control) {
    const QWidget* parent = control->parentWidget();
    const QWidget* panel = nullptr;
    for (const QObject* child : parent->children()) {
        if (child == control) break;
        const auto* sibling = qobject_cast<const QWidget*>(child);
        if (sibling && !sibling->isWindow() && sibling->isVisibleTo(parent) &&
            sibling->autoFillBackground() && sibling->geometry().contains(control->geometry()))
            panel = sibling;
    }
    return panel;
}

// What a control stands on: a panel under it, or the background of the
// nearest parent that paints one.
QColor BackgroundBehind(const QStyleOption* option, const QWidget* widget) {
    for (const QWidget* w = widget; w && !w->isWindow(); w = w->parentWidget()) {
        const QWidget* parent = w->parentWidget();
        if (const QWidget* panel = PanelUnder(w))
            return panel->palette().color(panel->backgroundRole());
        if (parent->autoFillBackground() || parent->isWindow())
            return parent->palette().color(parent->backgroundRole());
    }
    return option->palette.color(QPalette::Window);
}

// The desktop's style, with each control's outline drawn again over it in a
// colour that stands out from the background: the style's own outline is
// often a shade of the background (1.2 : 1 in dark themes). The outline is a
// whole number of device pixels wide and lies on the control's outermost pixels.
class OutlinedStyle : public QProxyStyle {
  public:
    using QProxyStyle::QProxyStyle;

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        switch (element) {
            case PE_FrameLineEdit:
            case PE_IndicatorCheckBox:
                Outline(option, painter, widget, false);
                break;
            case PE_IndicatorRadioButton:
                Outline(option, painter, widget, true);
                break;
            default:
                break;
        }
    }

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget) const override {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        if (control == CC_ComboBox || control == CC_SpinBox)
            Outline(option, painter, widget, false);
    }

  private:
    // A disabled control keeps its dim look; the focused one's outline has the
    // highlight's colour.
    static void Outline(const QStyleOption* option, QPainter* painter, const QWidget* widget,
                        bool round) {
        if (!(option->state & State_Enabled)) return;
        // A little above the least contrast, for the tints styles give frames'
        // insides; more for a round outline, whose smoothed edge pixels are paler.
        const double contrast = round ? kReadableContrast : kOutlineContrast * 1.15;
        const QPalette::ColorRole role =
            option->state & State_HasFocus ? QPalette::Highlight : QPalette::Mid;
        const QColor colour =
            Readable(option->palette.color(role), BackgroundBehind(option, widget), contrast);
        painter->save();
        const qreal ratio = painter->deviceTransform().m11();
        const QRect area = ToDevicePixels(*painter, option->rect).toAlignedRect();
        const int width = std::max(1, qRound(ratio));
        if (round) {
            painter->setRenderHint(QPainter::Antialiasing, true);
            // A little wider: a smoothed circle covers few of its pixels wholly.
            const qreal pen = 1.5 * width;
            painter->setPen(QPen(colour, pen));
            painter->setBrush(Qt::NoBrush);
            painter->drawEllipse(QRectF(area).adjusted(pen / 2, pen / 2, -pen / 2, -pen / 2));
        } else {
            painter->fillRect(QRect(area.left(), area.top(), area.width(), width), colour);
            painter->fillRect(QRect(area.left(), area.bottom() - width + 1, area.width(), width),
                              colour);
            painter->fillRect(QRect(area.left(), area.top(), width, area.height()), colour);
            painter->fillRect(QRect(area.right() - width + 1, area.top(), width, area.height()),
                              colour);
        }
        painter->restore();
    }
};

}  // namespace

double Contrast(const QColor& a, const QColor& b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor Readable(const QColor& wanted, const QColor& background, double contrast) {
    if (Contrast(wanted, background) >= contrast) return wanted;
    const QColor end = Luminance(background) > 0.18 ? QColor(Qt::black) : QColor(Qt::white);
    for (int step = 1; step <= 20; ++step) {
        const QColor c = Mix(wanted, end, step / 20.0);
        if (Contrast(c, background) >= contrast) return c;
    }
    return end;
}

QPalette LightPalette() {
    QStyle* fusion = QStyleFactory::create("Fusion");
    const QPalette palette = fusion ? fusion->standardPalette() : QPalette();
    delete fusion;
    return palette;
}

QPalette DarkPalette() {
    const QColor window(53, 53, 53), base(35, 35, 35), text(240, 240, 240);
    const QColor disabled(128, 128, 128);
    QPalette p(window);
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, window);
    p.setColor(QPalette::ToolTipBase, QColor(25, 25, 25));
    p.setColor(QPalette::ToolTipText, text);
    p.setColor(QPalette::PlaceholderText, disabled);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, window);
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::BrightText, Qt::red);
    p.setColor(QPalette::Link, QColor(110, 170, 255));
    p.setColor(QPalette::Highlight, QColor(42, 130, 218));
    p.setColor(QPalette::HighlightedText, Qt::white);
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, disabled);
    return p;
}

QIcon ProgramIconSet() {
    static const QIcon icon = QIcon::fromTheme("dovanel", QIcon(":/dovanel/dovanel.svg"));
    return icon;
}

void SetUpLooks(QApplication& application) {
    application.setWindowIcon(ProgramIconSet());
    WindowFont();
    UseVisibleOutlines(application);
}

void UseVisibleOutlines(QApplication& application) {
    if (!dynamic_cast<OutlinedStyle*>(application.style()))
        application.setStyle(new OutlinedStyle(application.style()->name()));
}

QRectF ToDevicePixels(QPainter& painter, const QRectF& logical) {
    const QTransform toDevice = painter.deviceTransform();
    painter.setWorldTransform(toDevice.inverted() * painter.worldTransform());
    return toDevice.mapRect(logical);
}

QPalette::ColorRole TextRoleOf(const QWidget* widget) {
    if (qobject_cast<const QLineEdit*>(widget) || qobject_cast<const QAbstractItemView*>(widget))
        return QPalette::Text;
    if (qobject_cast<const QComboBox*>(widget) ||
        (qobject_cast<const QAbstractButton*>(widget) && !widget->inherits("QCheckBox") &&
         !widget->inherits("QRadioButton")))
        return QPalette::ButtonText;
    return widget->foregroundRole();
}

QPalette::ColorRole BackgroundRoleOf(const QWidget* widget) {
    switch (TextRoleOf(widget)) {
        case QPalette::Text:
            return QPalette::Base;
        case QPalette::ButtonText:
            return QPalette::Button;
        default:
            return widget->backgroundRole();
    }
}

void SetTextColor(QWidget* widget, const QColor& text) {
    if (QObject* keeper =
            widget->findChild<QObject*>(ReadableText::kName, Qt::FindDirectChildrenOnly))
        static_cast<ReadableText*>(keeper)->Want(widget, text);
    else
        new ReadableText(widget, text);
}

void SetTextAndBackground(QWidget* widget, const QColor& text, const QColor& background) {
    QPalette palette = widget->palette();
    palette.setColor(BackgroundRoleOf(widget), background);
    widget->setPalette(palette);
    if (!qobject_cast<QLineEdit*>(widget) && !qobject_cast<QAbstractItemView*>(widget))
        widget->setAutoFillBackground(true);
    SetTextColor(widget, text);
}

}  // namespace dovanel
