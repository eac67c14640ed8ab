#include "shell/accessibility.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QPointer>
#include <QRegularExpression>
#include <QTextDocument>
#include <algorithm>

namespace dovanel {

namespace {

// A value label reads as "caption, value", and is labelled by its caption label when it has one.
class ValueLabelInterface : public QAccessibleWidget {
  public:
    ValueLabelInterface(QLabel* label, std::function<QString()> caption,
                        const QLabel* captionLabel = nullptr, ValueWords words = {})
        : QAccessibleWidget(label, QAccessible::StaticText),
          caption_(std::move(caption)),
          captionLabel_(captionLabel),
          words_(std::move(words)) {}
    QVector<QPair<QAccessibleInterface*, QAccessible::Relation>> relations(
        QAccessible::Relation match) const override {
        auto found = QAccessibleWidget::relations(match);
        if (captionLabel_ && (match & QAccessible::Label))
            if (QAccessibleInterface* caption = QAccessible::queryAccessibleInterface(
                    const_cast<QLabel*>(captionLabel_.data())))
                found.append({caption, QAccessible::Label});
        return found;
    }
    QString text(QAccessible::Text t) const override {
        const auto* label = static_cast<const QLabel*>(object());
        if (t == QAccessible::Name) {
            QString value = label->text().simplified();
            if (!value.isEmpty()) {
                if (!words_.before.isEmpty()) value.prepend(words_.before + " ");
                if (!words_.after.isEmpty()) value.append(" " + words_.after);
            }
            const QString caption = caption_();
            if (caption.isEmpty() || value.isEmpty()) return caption + value;
            return caption + ", " + value;
        }
        if (t == QAccessible::Value) return label->text();
        return QAccessibleWidget::text(t);
    }

  private:
    std::function<QString()> caption_;
    QPointer<const QLabel> captionLabel_;
    ValueWords words_;
};

// A button whose description follows what it would say when pressed.
class LiveButtonInterface : public QAccessibleWidget {
  public:
    LiveButtonInterface(QWidget* button, std::function<QString()> description)
        : QAccessibleWidget(button, QAccessible::Button), description_(std::move(description)) {}
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Description ? description_() : QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override {
        return QStringList(pressAction()) + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        if (action != pressAction()) return QAccessibleWidget::doAction(action);
        if (auto* button = qobject_cast<QAbstractButton*>(object())) button->click();
    }

  private:
    std::function<QString()> description_;
};

// The interface stands for the object from now on, in place of the standard one.
void Replace(QAccessibleInterface* mine) {
    if (QAccessibleInterface* standard = QAccessible::queryAccessibleInterface(mine->object()))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(standard));
    QAccessible::registerAccessibleInterface(mine);
}

bool HasLetter(const QString& text) {
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.isLetter(); });
}

QRect RectIn(const QWidget* widget, const QWidget* window) {
    return {widget->mapTo(window, QPoint(0, 0)), widget->size()};
}

bool NeedsName(const QWidget* w) {
    return w->accessibleName().isEmpty() &&
           (qobject_cast<const QLineEdit*>(w) || qobject_cast<const QComboBox*>(w) ||
            qobject_cast<const QAbstractSlider*>(w) || qobject_cast<const QAbstractItemView*>(w));
}

struct Caption {
    QLabel* label = nullptr;
    QString name;
};

// The caption on the control's row: the nearest starting on its left (a caption
// may run on under it), else the longest on its right.
Caption RowCaption(const QRect& box, const QList<QPair<QLabel*, QRect>>& labels) {
    Caption left, right;
    int leftEdge = -1;
    for (const auto& [label, r] : labels) {
        if (r.top() > box.center().y() || r.bottom() < box.center().y() || r == box) continue;
        const QString name = CaptionName(label->text());
        if (!HasLetter(name)) continue;
        if (r.left() < box.left() && r.center().x() < box.left() && r.left() > leftEdge) {
            leftEdge = r.left();
            left = {label, name};
        } else if (r.left() >= box.right() - 2 && name.size() > right.name.size()) {
            right = {label, name};
        }
    }
    return left.label ? left : right;
}

// The heading above the control: the nearest label over its middle.
QString HeadingAbove(const QRect& box, const QList<QPair<QLabel*, QRect>>& labels) {
    QString heading;
    int nearest = -1;
    for (const auto& [label, r] : labels) {
        if (r.bottom() > box.top() + 2 || r.left() > box.center().x() ||
            r.right() < box.center().x() || r.bottom() <= nearest)
            continue;
        const QString name = CaptionName(label->text());
        if (!HasLetter(name)) continue;
        nearest = r.bottom();
        heading = name;
    }
    return heading;
}

// A caption that becomes a control's buddy reads its "&" as an access key: an
// ampersand before a space is text ("Taxes & Insurance") and is kept as text.
void KeepLoneAmpersands(QLabel* label) {
    if (label->textFormat() == Qt::RichText || Qt::mightBeRichText(label->text())) return;
    static const QRegularExpression lone("(?<!&)&(?=\\s|$)");
    QString text = label->text();
    if (text.contains(lone)) label->setText(text.replace(lone, "&&"));
}

}  // namespace

QString CaptionName(const QString& caption) {
    QString name = caption;
    name.replace("&&", "\x01").remove('&').replace("\x01", "&");
    static const QRegularExpression leaders("((\\s+\\.)+|:)\\s*$");
    name.remove(leaders);
    return name.simplified();
}

void NameControls(QWidget* window) {
    QList<QPair<QLabel*, QRect>> labels;
    for (QLabel* label : window->findChildren<QLabel*>())
        if (label->window() == window) labels.append({label, RectIn(label, window)});
    QMap<QString, QList<QWidget*>> byName;
    for (QWidget* control : window->findChildren<QWidget*>()) {
        if (control->window() != window || !NeedsName(control)) continue;
        const Caption caption = RowCaption(RectIn(control, window), labels);
        if (!caption.label) continue;
        KeepLoneAmpersands(caption.label);
        caption.label->setBuddy(control);
        byName[caption.name].append(control);
    }
    for (auto it = byName.begin(); it != byName.end(); ++it) {
        QList<QWidget*>& shared = it.value();
        std::sort(shared.begin(), shared.end(), [window](QWidget* a, QWidget* b) {
            return RectIn(a, window).top() < RectIn(b, window).top();
        });
        for (int i = 0; i < shared.size(); ++i) {
            QString name = it.key();
            if (shared.size() > 1) {
                const QString heading = HeadingAbove(RectIn(shared[i], window), labels);
                name += heading.isEmpty() ? QString(", row %1").arg(i + 1) : ", " + heading;
            }
            shared[i]->setAccessibleName(name);
        }
    }
    // A drop-down's open list is read as the drop-down's choices.
    for (QComboBox* combo : window->findChildren<QComboBox*>())
        if (combo->view()->accessibleName().isEmpty() && !combo->accessibleName().isEmpty())
            combo->view()->setAccessibleName(combo->accessibleName() + ", choices");
    // A value is read with its caption: "Loan Amount, $382,500".
    for (const auto& [label, r] : labels) {
        const QString text = label->text();
        const bool number =
            std::any_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); });
        if (label->objectName().isEmpty() || HasLetter(text) || !(number || text.isEmpty()))
            continue;
        if (const Caption caption = RowCaption(r, labels); caption.label)
            NameValueLabel(label, caption.label);
    }
}

void NameValueLabel(QLabel* label, const QString& caption) {
    Replace(new ValueLabelInterface(label, [name = CaptionName(caption)] { return name; }));
}

void NameValueLabel(QLabel* label, const QLabel* caption, ValueWords words) {
    Replace(new ValueLabelInterface(
        label,
        [caption = QPointer<const QLabel>(caption)] {
            // A caption the window hid names nothing: the value then speaks for itself.
            const bool hidden = caption && caption->testAttribute(Qt::WA_WState_ExplicitShowHide) &&
                                caption->isHidden();
            return caption && !hidden ? CaptionName(caption->text()) : QString();
        },
        caption, std::move(words)));
}

void NameValueLabel(QLabel* label, std::function<QString()> caption) {
    Replace(new ValueLabelInterface(label, std::move(caption)));
}

void DescribeLive(QWidget* control, std::function<QString()> description) {
    Replace(new LiveButtonInterface(control, std::move(description)));
}

}  // namespace dovanel
