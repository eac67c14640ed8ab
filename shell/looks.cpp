#include "shell/looks.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QPointer>
#include <QStyleFactory>
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

}  // namespace

double Contrast(const QColor& a, const QColor& b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor Readable(const QColor& wanted, const QColor& background) {
    if (Contrast(wanted, background) >= kReadableContrast) return wanted;
    const QColor end = Luminance(background) > 0.18 ? QColor(Qt::black) : QColor(Qt::white);
    for (int step = 1; step <= 20; ++step) {
        const QColor c = Mix(wanted, end, step / 20.0);
        if (Contrast(c, background) >= kReadableContrast) return c;
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
