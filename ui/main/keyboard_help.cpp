// The main window without a mouse and with a screen reader: the first focus,
// the explanation of the focused field (Shift+F1 and Help, "What's This?"),
// click targets large enough to hit, and names for every control.
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>
#include <vector>

#include "shell/accessibility.h"
#include "shell/form.h"
#include "ui/main/explanations.h"
#include "ui/main/main_window.h"

namespace dovanel {

namespace {

// Each box, the "i" button that explains it and the red flags that mark what it
// decides: the price the loan amount, the down payment its own row, and the
// housing costs (insurance, taxes, dues) the qualifying ratios.
struct FieldHelp {
    const char* box;
    const char* info;
    std::vector<const char*> flags;
};
const std::vector<const char*> kRatioFlags = {"RedFlagFirstRatio", "RedFlagSecondRatio"};
const FieldHelp kFieldHelp[] = {
    {"Text1", "infoPurchasePrice", {"RedFlagLoanAmount"}},
    {"Text2", "infoDownPayment", {"RedFlagDownPayment"}},
    {"Text3", "InfoInterestRate", {}},
    {"Text4", "infoEarnestMoney", {}},
    {"Text7", "infoHomeOwnersInsurance", kRatioFlags},
    {"Text6", "infoTaxes", kRatioFlags},
    {"Text5", "infoDues", kRatioFlags},
    {"cmboMortgageType", "infoMortgageType", {}},
    {"cmdLoanProgram", "infoMortgageType", {}},
    // The results, by their "i" buttons, which take the focus in their place.
    {"infoLoanAmount", "infoLoanAmount", {"RedFlagLoanAmount"}},
    {"infoDownPaymentCalc", "infoDownPaymentCalc", {"RedFlagDownPayment"}},
    {"infoTotalInterest", "infoTotalInterest", {}},
    {"infoTotalDueatClosing", "infoTotalDueatClosing", {}},
    {"infoMonthlyPrincipalPlusInterest", "infoMonthlyPrincipalPlusInterest", {}},
    {"infoLoantoValueRatio", "infoLoantoValueRatio", {"RedFlagDownPayment"}},
    {"infoMonthlyIncomeRequired", "infoMonthlyIncomeRequired", {}},
    {"infoTotalMonthlyPayment", "infoTotalMonthlyPayment", kRatioFlags},
    {"infoQualifyingRatios", "infoQualifyingRatios", kRatioFlags},
};

struct FlagName {
    const char* flag;
    RedFlag which;
    const char* subject;
};
const FlagName kFlagNames[] = {{"RedFlagDownPayment", RedFlag::DownPayment, "Down Payment"},
                               {"RedFlagLoanAmount", RedFlag::LoanAmount, "Loan Amount"},
                               {"RedFlagFirstRatio", RedFlag::FirstRatio, "1st Ratio"},
                               {"RedFlagSecondRatio", RedFlag::SecondRatio, "2nd Ratio"}};

// Value labels whose caption is not a label on their row.
const std::pair<const char*, const char*> kBoxedValues[] = {{"Label23_16", "Monthly Income"},
                                                            {"Label23_0", "Monthly Debt"},
                                                            {"Label23_3", "1st Ratio"},
                                                            {"Label23_1", "2nd Ratio"}};

const char* const kResultLabels[] = {
    "Label8", "Label5", "lblTotalInterest", "Label6",
    "Label2", "Label9", "Label10",          "lblTotalMonthlyPayment"};

constexpr int kTargetSize = 24;
constexpr int kTargetGap = 2;  // buttons closer than this read as one strip

// Where a button may grow: inside its block's line, or within the title row
// of a group box when it stands there.
QRect RoomFor(const QWidget* button) {
    const QWidget* block = button->parentWidget();
    const QRect inner = InnerArea(block);
    if (inner.contains(button->geometry())) return inner;
    return {inner.left(), 0, inner.width(), block->contentsRect().top() - 1};
}

// Grows a small button about its middle to a 24 x 24 target, as far as its
// block and its neighbours leave room (a gap to other buttons); nothing else moves.
void GrowTarget(QWidget* button) {
    const QRect was = button->geometry();
    QRect grown(0, 0, std::max(was.width(), kTargetSize), std::max(was.height(), kTargetSize));
    grown.moveCenter(was.center());
    // Held inside its room: what an edge cuts off is added on the other side.
    const QRect room = RoomFor(button);
    grown.moveTop(std::clamp(grown.top(), room.top(),
                             std::max(room.top(), room.bottom() + 1 - grown.height())));
    grown.moveLeft(std::clamp(grown.left(), room.left(),
                              std::max(room.left(), room.right() + 1 - grown.width())));
    grown = grown.intersected(room);
    for (const QWidget* other :
         button->parentWidget()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        const int gap = qobject_cast<const QAbstractButton*>(other) ? kTargetGap : 0;
        const QRect o = other->geometry().adjusted(-gap, -gap, gap, gap);
        if (other == button || !o.intersects(grown) || other->geometry().intersects(was)) continue;
        if (o.right() < was.left())
            grown.setLeft(o.right() + 1);
        else if (o.left() > was.right())
            grown.setRight(o.left() - 1);
        else if (o.bottom() < was.top())
            grown.setTop(o.bottom() + 1);
        else if (o.top() > was.bottom())
            grown.setBottom(o.top() - 1);
    }
    button->setGeometry(grown.united(was));
}

// The label left of a value label on its row.
const QLabel* CaptionBeside(const QLabel* value) {
    const QLabel* caption = nullptr;
    for (const QLabel* label :
         value->parentWidget()->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly)) {
        const QRect r = label->geometry();
        if (label != value && r.left() < value->x() && r.top() <= value->y() + 2 &&
            r.bottom() >= value->y() && (!caption || r.left() > caption->x()))
            caption = label;
    }
    return caption;
}

}  // namespace

void MainWindow::SetUpKeyboardAndHelp() {
    QAction* whatsThis = findChild<QMenu*>("mnuHelp")->addAction("&What's This?");
    whatsThis->setObjectName("MenuHelpWhatsThis");
    whatsThis->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F1));
    whatsThis->setShortcutContext(Qt::WindowShortcut);
    actions_["MenuHelpWhatsThis"] = whatsThis;
    connect(whatsThis, &QAction::triggered, this, [this] { ExplainFocusedField(); });
    for (QToolButton* button : findChildren<QToolButton*>())
        if (button->text() == "i" || flags_.values().contains(button)) GrowTarget(button);
    NameControlsForReaders();
    text_[1]->setFocus();  // the tab order begins here
}

// What the field with the focus means, then the alerts of the raised red flags that mark it.
void MainWindow::ExplainFocusedField() {
    const QWidget* focused = focusWidget();
    for (const FieldHelp& field : kFieldHelp) {
        if (!focused || focused->objectName() != field.box) continue;
        findChild<QToolButton*>(field.info)->click();
        for (const char* name : field.flags)
            if (QToolButton* flag = flags_.value(name); flag && flag->isVisibleTo(this))
                flag->click();
        return;
    }
    QApplication::beep();
}

void MainWindow::NameControlsForReaders() {
    // The mortgage type is named by its own caption before the boxes are named
    // by theirs, so that no caption on its row elsewhere labels it.
    cmboMortgageType_->setAccessibleName("Mortgage Type");
    cmboMortgageType_->view()->setAccessibleName("Mortgage Types");
    if (auto* caption = findChild<QLabel*>("lblMortgageType")) caption->setBuddy(cmboMortgageType_);
    NameControls(this);
    // The two rates are percentages: the down payment box is not the Down
    // Payment result, which is in dollars.
    for (QLineEdit* rate : {text_[2], text_[3]})
        rate->setAccessibleName(rate->accessibleName() + ", percent");
    for (QToolButton* button : findChildren<QToolButton*>()) {
        if (button->text() != "i") continue;
        QString subject = FieldExplanation(button->objectName(), *model_).title;
        if (subject.isEmpty())
            subject =
                button->objectName() == "infoMortgageType" ? "Mortgage Type" : "Qualifying Ratios";
        if (button->objectName() == "infoDownPayment") subject += ", percent";
        if (button->objectName() == "infoDownPaymentCalc") subject += " amount";
        button->setAccessibleName("Explain " + subject);
        DescribeLive(button, [this, name = button->objectName()] {
            return FieldExplanation(name, *model_).text.replace('\r', '\n');
        });
    }
    for (const FlagName& f : kFlagNames) {
        QToolButton* flag = flags_[f.flag];
        flag->setAccessibleName(QString("Alert: ") + f.subject);
        DescribeLive(flag, [this, which = f.which] {
            return RedFlagAlert(which, *model_).text.replace('\r', '\n');
        });
    }
    findChild<QToolButton*>("btnChangeMonthlyIncome")->setAccessibleName("Change Monthly Income");
    findChild<QToolButton*>("btnChangeMonthlyDebt")->setAccessibleName("Change Monthly Debt");
    for (const char* name : kResultLabels)
        if (const QLabel* caption = CaptionBeside(labels_[name]))
            NameValueLabel(labels_[name], caption);
    for (const auto& [name, caption] : kBoxedValues) NameValueLabel(labels_[name], caption);
}

}  // namespace dovanel
