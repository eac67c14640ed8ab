// What a screen reader says: over every window of the catalogue, no two
// controls share a name, a caption labels the control it names, a unit belongs
// to its own value, and no name carries another control's caption or a note of
// the window. Then the names of the controls these rules first caught.
#include <QAbstractButton>
#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QRegularExpression>
#include <QToolButton>

#include "shell/accessibility.h"
#include "tests/ui/ui_fixture.h"
#include "ui/catalogue.h"
#include "ui/editors/origination_editor.h"
#include "ui/editors/pmi_editor.h"
#include "ui/estimate/estimate_screen.h"
#include "ui/income/income_screens.h"
#include "ui/main/main_window.h"

namespace dovanel {
namespace {

// A control as a screen reader meets it.
struct Spoken {
    QString path;   // object names from the window down
    QString name;   // its accessible name
    QString value;  // what it shows, when it is read with its name
    QObject* object = nullptr;
    bool button = false;
    QList<const QLabel*> labels;  // the captions reported as its labels
};

bool Speaks(QAccessibleInterface* node) {
    switch (node->role()) {
        case QAccessible::EditableText:
        case QAccessible::ComboBox:
        case QAccessible::ScrollBar:
        case QAccessible::List:
        case QAccessible::ListItem:
        case QAccessible::Cell:
        case QAccessible::Button:
        case QAccessible::CheckBox:
        case QAccessible::RadioButton:
        case QAccessible::Table:
        case QAccessible::Chart:
            return true;
        case QAccessible::StaticText:
            return !node->text(QAccessible::Value).isEmpty();
        default:
            return node->state().focusable;
    }
}

void Collect(QAccessibleInterface* node, const QString& path, QList<Spoken>& out) {
    if (!node || !node->isValid()) return;
    QObject* object = node->object();
    const QString here = path + "/" + (object ? object->objectName() : QString("item"));
    QString name = node->text(QAccessible::Name).simplified();
    // A drop-down list is read by its caption, then its choice (which is its name
    // where the caption comes as its label).
    if (node->role() == QAccessible::ComboBox) {
        name = static_cast<QWidget*>(object)->accessibleName().simplified();
        if (name.isEmpty())
            for (const auto& [label, relation] : node->relations(QAccessible::Label))
                name += label->text(QAccessible::Name).simplified();
    }
    if (Speaks(node) && !name.isEmpty()) {
        const QString value = node->role() == QAccessible::StaticText
                                  ? node->text(QAccessible::Value).simplified()
                                  : QString();
        QList<const QLabel*> labels;
        for (const auto& [label, relation] : node->relations(QAccessible::Label))
            if (auto* caption = qobject_cast<const QLabel*>(label->object()))
                labels.append(caption);
        out.append({here, name, value, object, node->role() == QAccessible::Button, labels});
    }
    for (int i = 0; i < node->childCount(); ++i) Collect(node->child(i), here, out);
}

// The name without the value it is read with: what the control is.
QString Subject(const Spoken& s) {
    QString subject = s.name;
    if (!s.value.isEmpty()) {
        const int at = subject.lastIndexOf(s.value);
        if (at >= 0) subject.remove(at, s.value.size());
    }
    while (!subject.isEmpty() && QString(",:; ").contains(subject.back())) subject.chop(1);
    return subject.isEmpty() ? s.name : subject;
}

// `part` stands in `text` as whole words.
bool HasWords(const QString& text, const QString& part) {
    if (part.isEmpty()) return false;
    for (int at = text.indexOf(part); at >= 0; at = text.indexOf(part, at + 1)) {
        const int end = at + part.size();
        const bool startOk = at == 0 || !text[at - 1].isLetterOrNumber();
        const bool endOk = end == text.size() || !text[end].isLetterOrNumber();
        if (startOk && endOk) return true;
    }
    return false;
}

// A caption as a name: without dot leaders, a colon or a unit sign at its end.
QString Caption(const QLabel* label) {
    QString caption = CaptionName(label->text());
    while (caption.endsWith('$') || caption.endsWith('%') || caption.endsWith(':'))
        caption = CaptionName(caption.chopped(1));
    return caption;
}

bool HasLetter(const QString& text) {
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.isLetter(); });
}

QRect RectIn(const QWidget* widget, const QWidget* window) {
    return {widget->mapTo(window, QPoint(0, 0)), widget->size()};
}

// A unit ("days", "mos.") stands right after the value it counts, on its row.
const QWidget* UnitOwner(const QLabel* unit, const QWidget* window) {
    static const QRegularExpression word("^[a-z]+\\.?$");
    if (!word.match(unit->text().trimmed()).hasMatch()) return nullptr;
    const QRect u = RectIn(unit, window);
    for (QWidget* other :
         unit->parentWidget()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        const auto* label = qobject_cast<QLabel*>(other);
        const bool number = (label && label->text().contains(QRegularExpression("\\d"))) ||
                            qobject_cast<QLineEdit*>(other);
        const QRect o = RectIn(other, window);
        if (other != unit && number && u.left() - o.right() >= 0 && u.left() - o.right() <= 12 &&
            std::abs(u.center().y() - o.center().y()) <= 4)
            return other;
    }
    return nullptr;
}

class ReaderNamesTest : public test::WindowTest {
  protected:
    ReaderNamesTest() { LoadInstalled(model); }
    Model model;
};

TEST_F(ReaderNamesTest, EveryWindowNamesEachControlOnceAndByItsOwnCaption) {
    for (const WindowEntry& entry : EveryWindow()) {
        SCOPED_TRACE(entry.name.toStdString());
        const std::unique_ptr<QWidget> window = entry.make(model);
        window->show();
        QList<Spoken> spoken;
        Collect(QAccessible::queryAccessibleInterface(window.get()), window->objectName(), spoken);
        ASSERT_FALSE(spoken.isEmpty());

        // No two controls share a name.
        QMap<QString, QString> seen;
        for (const Spoken& s : spoken) {
            const QString subject = Subject(s);
            EXPECT_FALSE(seen.contains(subject))
                << "\"" << subject.toStdString() << "\" names " << seen[subject].toStdString()
                << " and " << s.path.toStdString();
            seen[subject] = s.path;
        }

        for (QLabel* label : window->findChildren<QLabel*>()) {
            if (label->window() != window.get() || !label->isVisibleTo(window.get())) continue;
            const QString caption = Caption(label);
            if (!HasLetter(caption)) continue;
            const QWidget* unitOf = UnitOwner(label, window.get());
            // A note: a text of some length that is read as it is, not as a value
            // with a caption.
            const bool note = caption.split(' ', Qt::SkipEmptyParts).size() >= 12 &&
                              QAccessible::queryAccessibleInterface(label)
                                      ->text(QAccessible::Name)
                                      .simplified() == label->text().simplified();
            QStringList labelled;  // the controls this caption is reported to label
            for (const Spoken& s : spoken) {
                if (s.labels.contains(label)) labelled.append(s.path);
                // A caption reports itself as the label of its buddy: it is part of that
                // control's name.
                if (s.object && s.object == label->buddy() && !note) {
                    EXPECT_TRUE(HasWords(s.name, caption))
                        << "\"" << caption.toStdString() << "\" is the label of "
                        << s.path.toStdString() << " \"" << s.name.toStdString() << "\"";
                }
            }
            // A part of a labelled control (a drop-down's list) goes by its name.
            auto partOfLabelled = [&labelled](const Spoken& s) {
                return std::any_of(labelled.begin(), labelled.end(), [&s](const QString& path) {
                    return s.path.startsWith(path + "/");
                });
            };
            for (const Spoken& s : spoken) {
                if (s.object == label || partOfLabelled(s)) continue;
                const std::string said = s.path.toStdString() + " \"" + s.name.toStdString() + "\"";
                if (s.labels.contains(label)) {
                    // A caption reported as a control's label is part of its name.
                    EXPECT_TRUE(HasWords(s.name, caption) || note)
                        << said << " is labelled by \"" << caption.toStdString() << "\"";
                    continue;
                }
                if (!HasWords(s.name, caption)) continue;
                // A note of the window is no control's caption.
                EXPECT_FALSE(note)
                    << said << " carries the note \"" << caption.left(40).toStdString() << "...\"";
                // A unit says what its own value counts.
                EXPECT_FALSE(unitOf && s.object != unitOf)
                    << said << " carries the unit \"" << caption.toStdString() << "\" of "
                    << unitOf->objectName().toStdString();
                // A caption that labels controls names those only, unless this control
                // has a caption of its own that says the same (a button may say what
                // it acts on).
                const bool sameOwnCaption =
                    std::any_of(s.labels.begin(), s.labels.end(),
                                [&](const QLabel* own) { return HasWords(Caption(own), caption); });
                EXPECT_FALSE(!labelled.isEmpty() && !s.button && !sameOwnCaption)
                    << said << " carries \"" << caption.toStdString() << "\", the caption of "
                    << labelled.join(", ").toStdString();
            }
        }
        window->hide();
    }
}

// The names the rules above first caught, as they now read.
TEST_F(ReaderNamesTest, NamesSayTheirBandUnitAndYear) {
    struct Expected {
        const char* window;
        const char* control;
        const char* name;  // a pattern of the whole name
    };
    const Expected expected[] = {
        {"frmMain", "Text2", "Down Payment, percent"},
        {"frmMain", "Text3", "Interest Rate, percent"},
        {"frmMain", "Label5", "Down Payment, \\$[\\d,.]+"},
        {"frmMain", "infoDownPayment", "Explain Down Payment, percent"},
        {"frmMain", "infoDownPaymentCalc", "Explain Down Payment amount"},
        {"FanieMae", "Text1", "Jumbo loan limit, dollars"},
        {"FanieMae", "Text2", "First qualifying ratio, loan-to-value between 80% and 90%, percent"},
        {"FanieMae", "Text3",
         "Second qualifying ratio, loan-to-value between 80% and 90%, percent"},
        {"FanieMae", "Text5", "First qualifying ratio, loan-to-value between 90% and 95%, percent"},
        {"FanieMae", "Text4",
         "Second qualifying ratio, loan-to-value between 90% and 95%, percent"},
        {"PrintScreen", "valInterimInterest", "Interim Interest, \\$[\\d,]+"},
        {"PrintScreen", "cntInterimInterest", "Interim Interest, \\d+ days"},
        {"PrintScreen", "cntPmiPremium", "Pvt\\. Mort\\. Ins\\. Premium, rate [\\d.]+%"},
        {"PrintScreen", "valPmiImpounds", "Pvt\\. Mort\\. Ins\\. Impounds, \\$[\\d,]*"},
        {"PrintScreen", "cntTaxImpounds", "Property Tax Impounds, \\d+ months"},
        {"PrintScreen", "valOriginationRate", "Loan Origination Fee, rate \\([\\d.]+%\\)"},
        {"Income2", "Label1_22", "Caption of year 2, .*"},
        {"Income2", "Label1_19", "Allowable Income Per Year, year 3: .*"},
        {"Income2", "Label1_20", "Monthly Average, .*"},
        {"PMI", "Text13",
         "Loan-to-Value 95.01% to 100%, PMI Premium: 30 Year Conventional, percent"},
        {"LoanO", "Text1", ".*Loan Amount From.*, dollars"},
        {"LoanO", "Text2", ".*To Loan Amount.*, dollars"},
        {"LoanO", "Text3", ".*Loan Origination Fee.*, percent"},
    };
    QMap<QString, WindowEntry> windows;
    for (const WindowEntry& entry : EveryWindow()) windows[entry.name] = entry;
    for (const Expected& e : expected) {
        SCOPED_TRACE(std::string(e.window) + " " + e.control);
        const std::unique_ptr<QWidget> window = windows[e.window].make(model);
        window->show();
        auto* control = window->findChild<QWidget*>(e.control);
        ASSERT_TRUE(control);
        const QString name =
            QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name);
        EXPECT_TRUE(
            QRegularExpression(QRegularExpression::anchoredPattern(e.name)).match(name).hasMatch())
            << name.toStdString();
    }
}

}  // namespace
}  // namespace dovanel
