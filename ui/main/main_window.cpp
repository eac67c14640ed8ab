#include "ui/main/main_window.h"

#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QFocusEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include <cmath>

#include "engine/format_value.h"
#include "shell/app_context.h"
#include "shell/artwork.h"
#include "shell/effects.h"
#include "shell/fitting.h"
#include "shell/form.h"
#include "shell/help.h"
#include "shell/keys.h"
#include "shell/platform.h"
#include "shell/typing_limit.h"
#include "ui/document/scenario_store.h"
#include "ui/main/explanations.h"

namespace dovanel {

namespace {

struct InputRow {
    int top;
    const char* caption;
    bool dollar;  // "$" before the box, else "%" after it
    int box;      // TextN
    int maxLength;
    const char* info;
};

// Screen order; the boxes' numbers are not in it (insurance 7 above taxes 6 above dues 5).
const InputRow kInputRows[] = {
    {600, "Purchase Price . . . . . . . . . . . . .", true, 1, 8, "infoPurchasePrice"},
    {960, "Down Payment . . . . . . . . . . . . . . .", false, 2, 0, "infoDownPayment"},
    {1320, "Interest Rate . . . . . . . . . . . . . . . .", false, 3, 6, "InfoInterestRate"},
    {1680, "Earnest Money Deposit . . . . . . . ", true, 4, 6, "infoEarnestMoney"},
    {2040, "Monthly Homeowner's Inurance . .", true, 7, 6, "infoHomeOwnersInsurance"},
    {2400, "Annual Real Estate Taxes . . . . . .", true, 6, 7, "infoTaxes"},
    {2760, "Monthly Homeowner Assoc Dues .", true, 5, 6, "infoDues"},
};

struct ResultRow {
    int top;
    const char* caption;
    const char* label;
    const char* info;
};

const ResultRow kResultRows[] = {
    {240, "Loan Amount . . . . . . . . . . . . . ", "Label8", "infoLoanAmount"},
    {600, "Down Payment . . . . . . . . . . . . ", "Label5", "infoDownPaymentCalc"},
    {960, "Total Interest that will be paid . .", "lblTotalInterest", "infoTotalInterest"},
    {1320, "Total Due At Closing . . . . . . . . .", "Label6", "infoTotalDueatClosing"},
    {1680, "Monthly Principal + Interest . . . .", "Label2", "infoMonthlyPrincipalPlusInterest"},
    {2040, "Loan-to-Value Ratio . . . . . . . . .", "Label9", "infoLoantoValueRatio"},
    {2400, "Min. Monthly Income Required . . . . . . . . . . . . . . .", "Label10",
     "infoMonthlyIncomeRequired"},
    {2760, "Total Monthly Payment . . . . . . . ", "lblTotalMonthlyPayment",
     "infoTotalMonthlyPayment"},
};

// The "i" buttons of the results and the ratios, in tab order.
const char* const kResultInfoButtons[] = {"infoLoanAmount",
                                          "infoDownPaymentCalc",
                                          "infoTotalInterest",
                                          "infoTotalDueatClosing",
                                          "infoMonthlyPrincipalPlusInterest",
                                          "infoLoantoValueRatio",
                                          "infoMonthlyIncomeRequired",
                                          "infoTotalMonthlyPayment",
                                          "infoQualifyingRatios"};

struct FlagSpec {
    const char* name;
    RedFlag flag;
};
const FlagSpec kFlags[] = {{"RedFlagDownPayment", RedFlag::DownPayment},
                           {"RedFlagLoanAmount", RedFlag::LoanAmount},
                           {"RedFlagFirstRatio", RedFlag::FirstRatio},
                           {"RedFlagSecondRatio", RedFlag::SecondRatio}};

QFrame* Block(QWidget* parent, const char* name, QRect where) {
    auto* frame = Place(new QFrame(parent), name, where);
    frame->setFrameShape(QFrame::Box);
    frame->setFrameShadow(QFrame::Sunken);
    return frame;
}

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

// The boxes whose number is stored as it is: earnest money, dues, taxes, insurance.
Single* PlainFieldOf(LoanData& d, int box) {
    switch (box) {
        case 4:
            return &d.earnestMoney;
        case 5:
            return &d.monthlyDues;
        case 6:
            return &d.annualTaxes;
        default:
            return &d.monthlyInsurance;
    }
}

bool IsEnterKey(const QEvent* e) {
    if (e->type() != QEvent::KeyPress) return false;
    const int key = static_cast<const QKeyEvent*>(e)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// The "Income and Debt" and "Qualifying Ratios" sub-blocks begin right below
// the last row (the design's 3180 left their boxes too little room for a
// desktop font's titles) and end a pixel above their block's lower line.
constexpr int kSubBlockTop = 3090;
constexpr int kSubBlockHeight = 1170;

const char kZeroMessage[] = "You must enter a number, and it must be greater than 0.";

}  // namespace

MainWindow::MainWindow(ScenarioDocument& document, QWidget* parent)
    : QMainWindow(parent), document_(&document), model_(&document.model()) {
    setObjectName("frmMain");
    BuildControls();
    BuildMenus();
    FollowDocument();
    setAcceptDrops(true);
    InstallKeyPreview(this, {});
    GuardModifiedKeys();
    WatchSessionEnd();
    SetUpKeyboardAndHelp();
    for (QLineEdit* box : text_) box->installEventFilter(this);
    cmboMortgageType_->installEventFilter(this);
    const QSize client = centralWidget()->size();
    setFixedSize(client.width(), client.height() + menuBar()->sizeHint().height());
    FitOnScreen(this);
    CenterOnScreen(this);
}

void MainWindow::BuildControls() {
    auto* central = new QWidget(this);
    central->setObjectName("frmMainClient");
    central->setFixedSize(TwipsToPixels(9780), TwipsToPixels(6420));
    central->setFont(WindowFont());
    setCentralWidget(central);

    AddLabel(central, "lblLoanDataHeading", "BORROWER'S LOAN DATA", Twips(360, 480, 4200, 300));
    AddLabel(central, "lblResultsHeading", "CALCULATED RESULTS", Twips(5280, 480, 4200, 300));
    BuildLoanData(Block(central, "fraPurchaseData", Twips(300, 1100, 4335, 4335)));
    BuildResults(Block(central, "fraResults", Twips(5160, 1100, 4305, 4335)));
    QLabel* hint =
        AddLabel(central, "lblClickRedFlag", "Click \"red flag(s)\" to view alert message(s)",
                 Twips(2520, 5880, 5000, 300));
    SetColors(hint, QColor(192, 0, 0));
    hint->hide();
    labels_["lblClickRedFlag"] = hint;

    const int order[] = {1, 2, 3, 4, 7, 6, 5};
    for (int i = 0; i + 1 < 7; ++i) setTabOrder(text_[order[i]], text_[order[i + 1]]);
    setTabOrder(text_[5], cmboMortgageType_);
    setTabOrder(cmboMortgageType_, program_);
    // Tab goes on from the mortgage type (and its "Program..." button while it
    // shows) through the results' "i" buttons.
    QWidget* previous = program_;
    for (const char* name : kResultInfoButtons) {
        auto* button = findChild<QToolButton*>(name);
        button->setFocusPolicy(Qt::TabFocus);  // a click leaves the focus in the box being typed
        button->installEventFilter(this);      // Enter presses it, as Space does
        setTabOrder(previous, button);
        previous = button;
    }
    connect(cmboMortgageType_, qOverload<int>(&QComboBox::currentIndexChanged), this,
            [this] { cmboMortgageType_Click(); });
}

// An "i" button: it explains its field. Those of the inputs are never in the
// tab order (What's This explains the focused box); those of the results and
// the ratios are, as the results themselves cannot take the focus.
void MainWindow::AddInfoButton(QWidget* parent, const char* name, int left, int top) {
    QFont font("Times New Roman");
    font.setBold(true);
    font.setItalic(true);
    auto* button = Place(new QToolButton(parent), name, Twips(left, top + 15, 240, 255));
    button->setText("i");
    button->setFont(font);
    button->setFocusPolicy(Qt::NoFocus);
    connect(button, &QToolButton::clicked, this, [this, name] {
        const Explanation e = FieldExplanation(name, *model_);
        ShowExplanation(e.title, e.text, e.helpTopic);
    });
}

// A red flag, hidden until Recalculate raises it; clicking it tells why.
void MainWindow::AddRedFlag(QWidget* parent, int flag, QRect where) {
    const FlagSpec& spec = kFlags[flag];
    auto* button = Place(new QToolButton(parent), spec.name, where);
    button->setIcon(QIcon(RedFlagPicture(64)));
    button->setIconSize(where.size());
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setToolTip("Click to see why this is flagged");
    button->hide();
    flags_[spec.name] = button;
    connect(button, &QToolButton::clicked, this, [this, f = spec.flag] {
        const Explanation e = RedFlagAlert(f, *model_);
        Message(this, e.text, e.title, MsgIcon::Warning);
    });
}

// The mortgage type, the seven inputs, and the income and debt boxes.
void MainWindow::BuildLoanData(QWidget* block) {
    AddInfoButton(block, "infoMortgageType", 120, 225);
    // The caption clear of the block's line, the list a little lower to make room.
    AddLabel(block, "lblMortgageType", "Mortgage Type", Twips(420, 45, 2000, 210));
    cmboMortgageType_ = Place(new QComboBox(block), "cmboMortgageType", Twips(420, 255, 3795, 315));
    for (const InputRow& row : kInputRows) {
        AddInfoButton(block, row.info, 120, row.top);
        AddLabel(block, "", row.caption, Twips(420, row.top + 30, 2385, 255));
        AddLabel(block, "", row.dollar ? "$" : "%",
                 Twips(row.dollar ? 2820 : 3960, row.top + 30, 150, 255));
        QLineEdit* box =
            AddCell(block, QString("Text%1").arg(row.box), Twips(2970, row.top, 975, 300));
        if (row.maxLength > 0) TypingLimit::Install(box, row.maxLength);
        // A price or a rate below zero means nothing; the other amounts may be negative.
        if (row.box <= 3) RefuseMinusSign(box);
        text_[row.box] = box;
        connect(box, &QLineEdit::textChanged, this, [this, b = row.box] { TextChange(b); });
    }
    // Between the "%" and the block's line: narrower than the design's flag,
    // which stood on both.
    AddRedFlag(block, 0, Twips(4110, 960, 180, 300));

    auto* incomeDebt = Place(new QGroupBox("Income and Debt", block), "fraIncomeDebt",
                             Twips(120, kSubBlockTop, 4095, kSubBlockHeight));
    incomeDebt->setFlat(true);
    struct Money {
        const char* title;
        const char* label;
        const char* button;
        const char* entry;  // the menu entry the "..." button runs
        int left;
    };
    for (const Money& m :
         {Money{"Monthly Income", "Label23_16", "btnChangeMonthlyIncome", "mnuIncome2", 120},
          Money{"Monthly Debt", "Label23_0", "btnChangeMonthlyDebt", "mnuDebt2", 2100}}) {
        auto* box = Place(new QGroupBox(m.title, incomeDebt), "", Twips(m.left, 195, 1875, 810));
        labels_[m.label] = AddLabel(box, m.label, "", Twips(90, 480, 1260, 255),
                                    Qt::AlignRight | Qt::AlignVCenter);
        auto* more = Place(new QToolButton(box), m.button, Twips(1410, 450, 375, 300));
        more->setText("...");
        more->setFocusPolicy(Qt::NoFocus);
        connect(more, &QToolButton::clicked, this,
                [this, entry = QString(m.entry)] { RunMenuEntry(entry); });
    }
    KeepRowsInsideAll(block);
    AddLoanProgramButton(block);
}

// The eight results and the qualifying ratios.
void MainWindow::BuildResults(QWidget* block) {
    for (const ResultRow& row : kResultRows) {
        const bool totalPayment = row.label == QString("lblTotalMonthlyPayment");
        AddInfoButton(block, row.info, 120, row.top);
        QLabel* caption = AddLabel(block, totalPayment ? "Label22" : "", row.caption,
                                   Twips(420, row.top + 30, 2520, 255));
        if (totalPayment) labels_["Label22"] = caption;
        labels_[row.label] = AddLabel(block, row.label, "", Twips(2940, row.top + 30, 1095, 255),
                                      Qt::AlignRight | Qt::AlignVCenter);
    }
    // Inside the block's line, beside the amount (the design's flag touched the line).
    AddRedFlag(block, 1, Twips(4035, 240, 210, 300));

    auto* ratios = Place(new QGroupBox("Qualifying Ratios", block), "fraQualifyingRatios",
                         Twips(120, kSubBlockTop, 4065, kSubBlockHeight));
    ratios->setFlat(true);
    struct Ratio {
        const char* title;
        const char* caption;
        const char* value;
        int flag;
        int left;
    };
    for (const Ratio& r : {Ratio{"1st Ratio", "lblFirstRatio", "Label23_3", 2, 120},
                           Ratio{"2nd Ratio ", "lblSecondRatio", "Label23_1", 3, 2070}}) {
        auto* box = Place(new QGroupBox(r.title, ratios), "", Twips(r.left, 195, 1875, 810));
        // The caption stands above the value and left of the flag.
        labels_[r.caption] = AddLabel(box, r.caption, "", Twips(90, 270, 1395, 210));
        labels_[r.value] = AddLabel(box, r.value, "", Twips(90, 480, 1320, 255),
                                    Qt::AlignRight | Qt::AlignVCenter);
        AddRedFlag(box, r.flag, Twips(1500, 450, 225, 300));
    }
    KeepRowsInsideAll(block);
    // The "i" button stands in the sub-block's title row, at its right end.
    AddInfoButton(ratios, "infoQualifyingRatios", 3720, 0);
    auto* info = ratios->findChild<QToolButton*>("infoQualifyingRatios");
    info->setGeometry(info->x(), 0, info->width(),
                      std::min(info->height(), ratios->contentsRect().top() - 1));
}

LoadOutcome MainWindow::FormLoad() {
    const LoadOutcome outcome = LoadDefaultLoan(this, *document_);
    if (outcome == LoadOutcome::Complete) SetUpControls();
    if (outcome == LoadOutcome::Aborted) BlockLoanSaving();
    return outcome;
}

// Filling the boxes runs their change handlers, which store the values as the
// boxes show them and recalculate.
void MainWindow::SetUpControls() {
    const LoanData& d = model_->loanData;
    text_[1]->setText(Q(PlainNumber(d.purchasePrice)));
    text_[2]->setText(Q(FormatValue(static_cast<double>(d.downPaymentRate) * 100, "#.00")));
    text_[3]->setText(Q(FormatValue(static_cast<double>(d.interestRate) * 100, "#.0##")));
    text_[4]->setText(Q(PlainNumber(d.earnestMoney)));
    text_[5]->setText(Q(PlainNumber(d.monthlyDues)));
    text_[6]->setText(Q(PlainNumber(d.annualTaxes)));
    text_[7]->setText(Q(PlainNumber(d.monthlyInsurance)));
    RefreshRatioCaptions();
    RefreshIncomeAndDebt("$#,###");
    {
        const QSignalBlocker quiet(cmboMortgageType_);
        cmboMortgageType_->clear();
        for (const char* type : kOfferedMortgageTypes) cmboMortgageType_->addItem(type);
    }
    ShowLoadedMortgageType();
    document_->SetModified(false);
    ShowSavedState();
}

void MainWindow::TextChange(int box) {
    MarkLoanDataChanged();
    double number = LeadingNumber(text_[box]->text().toStdString());
    LoanData& d = model_->loanData;
    switch (box) {
        case 1:
            StoreNumber(d.purchasePrice, number);
            if (d.purchasePrice == 0) d.purchasePrice = 1;
            break;
        case 2:
            if (number > 99.999) {
                number = 99.999;
                Message(this, "Your Down Payment can not exceed 100% of the loan.", {},
                        MsgIcon::Warning);
            }
            StoreNumber(d.downPaymentRate, number * 0.01);
            break;
        case 3:
            StoreNumber(d.interestRate, number * 0.01);
            if (d.interestRate == 0) d.interestRate = 1;  // 100 % a year until the box is left
            break;
        default:
            StoreNumber(*PlainFieldOf(d, box), number);
            break;
    }
    ShowResults(Recalculate(*model_));
}

void MainWindow::TextLostFocus(int box) {
    const double number = LeadingNumber(text_[box]->text().toStdString());
    LoanData& d = model_->loanData;
    bool zero = false;
    switch (box) {
        case 1:
            StoreNumber(d.purchasePrice, number);
            zero = d.purchasePrice == 0;
            if (zero) d.purchasePrice = 1;
            break;
        case 2:
            StoreNumber(d.downPaymentRate, std::min(number, 99.999));
            d.downPaymentRate = static_cast<Single>(static_cast<double>(d.downPaymentRate) * 0.01);
            break;
        case 3: {
            Single rate = d.interestRate * 100;
            StoreNumber(rate, number);
            zero = rate == 0;
            if (zero) rate = 1;
            d.interestRate = static_cast<Single>(static_cast<double>(rate) * 0.01);
            break;
        }
        default:
            StoreNumber(*PlainFieldOf(d, box), number);
            break;
    }
    ShowResults(Recalculate(*model_));
    if (zero) {
        // After the focus has settled: the message, then the focus back into the box.
        QTimer::singleShot(0, this, [this, box] {
            Message(this, kZeroMessage);
            text_[box]->setFocus(Qt::OtherFocusReason);
        });
    }
}

void MainWindow::cmboMortgageType_Click() {
    MarkLoanDataChanged();
    LoanData& d = model_->loanData;
    d.mortgageTypeName = cmboMortgageType_->currentText().toStdString();
    d.termYears = TermYearsOf(d.mortgageTypeName);
    d.isArm = IsArmOf(d.mortgageTypeName);
    ShowLoanProgram();
    ShowResults(Recalculate(*model_));
}

void MainWindow::ShowResults(const ResultsDisplay& shown) {
    const std::pair<const char*, const std::string*> texts[] = {
        {"Label2", &shown.label2},
        {"Label22", &shown.label22},
        {"lblTotalMonthlyPayment", &shown.lblTotalMonthlyPayment},
        {"Label6", &shown.label6},
        {"Label8", &shown.label8},
        {"Label9", &shown.label9},
        {"Label5", &shown.label5},
        {"Label10", &shown.label10},
        {"lblFirstRatio", &shown.lblFirstRatio},
        {"lblSecondRatio", &shown.lblSecondRatio},
        {"Label23_3", &shown.label23_3},
        {"Label23_1", &shown.label23_1},
        {"lblTotalInterest", &shown.lblTotalInterest}};
    for (const auto& [name, text] : texts) labels_[name]->setText(Q(*text));
    flags_["RedFlagDownPayment"]->setVisible(shown.redFlagDownPayment);
    flags_["RedFlagLoanAmount"]->setVisible(shown.redFlagLoanAmount);
    flags_["RedFlagFirstRatio"]->setVisible(shown.redFlagFirstRatio);
    flags_["RedFlagSecondRatio"]->setVisible(shown.redFlagSecondRatio);
    labels_["lblClickRedFlag"]->setVisible(shown.lblClickRedFlag);
}

void MainWindow::RefreshRatioCaptions() {
    labels_["lblFirstRatio"]->setText("First  <" +
                                      Q(FormatValue(model_->loanResults.firstRatioLimit, "#%")));
    labels_["lblSecondRatio"]->setText("Second  <" +
                                       Q(FormatValue(model_->loanResults.secondRatioLimit, "#%")));
}

void MainWindow::RefreshIncomeAndDebt(const char* pattern) {
    labels_["Label23_16"]->setText(Q(FormatValue(model_->loanData.monthlyIncome, pattern)));
    labels_["Label23_0"]->setText(Q(FormatValue(model_->loanData.monthlyDebt, pattern)));
}

void MainWindow::Refresh() {
    RefreshRatioCaptions();
    RefreshIncomeAndDebt("$#,##0");
    ShowResults(Recalculate(*model_));
}

void MainWindow::Form_Activate() {
    Refresh();
    if (!firstActivationDone_ && !firstActivationScheduled_) {
        firstActivationScheduled_ = true;
        QTimer::singleShot(0, this, [this] { FirstActivation(); });
    }
}

void MainWindow::FirstActivation() {
    SlideIn(this, "RIGHT");
    Pause(0.5);
    if (const auto quickStart = menuActions_.value("MenuHelpShowQuickStart");
        quickStart && App().showQuickStart)
        quickStart();
    firstActivationDone_ = true;
    emit firstActivationFinished();
}

// Showing the window counts as its first activation, where the window system
// does not activate new windows by itself.
bool MainWindow::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate || (e->type() == QEvent::Show && !firstActivationDone_))
        Form_Activate();
    return QMainWindow::event(e);
}

// Enter moves on to the next box (or the mortgage type) as Tab would, passing
// over the "i" buttons that Tab also stops at.
bool MainWindow::EnterMovesOn(QObject* watched, QEvent* e) {
    if (!IsEnterKey(e)) return false;
    auto* from = static_cast<QWidget*>(watched);
    QWidget* next = from->nextInFocusChain();
    auto takesEnter = [this](QWidget* w) {
        return (text_.values().contains(w) || w == cmboMortgageType_) && w->isEnabled() &&
               w->isVisibleTo(this);
    };
    while (next != from && !takesEnter(next)) next = next->nextInFocusChain();
    next->setFocus(Qt::TabFocusReason);
    return true;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* e) {
    auto* box = qobject_cast<QLineEdit*>(watched);
    if ((watched == cmboMortgageType_ || (box && text_.values().contains(box))) &&
        EnterMovesOn(watched, e))
        return true;
    if (auto* info = qobject_cast<QAbstractButton*>(watched); info && IsEnterKey(e)) {
        info->click();
        return true;
    }
    if (box && e->type() == QEvent::FocusOut && !inLostFocus_) {
        const auto reason = static_cast<QFocusEvent*>(e)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            inLostFocus_ = true;
            TextLostFocus(text_.key(box));
            inLostFocus_ = false;
        }
    }
    // The menu's Ctrl shortcuts win over the boxes' own (Ctrl+A selects all there).
    if (box && e->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(e);
        const QKeySequence pressed(key->modifiers() | key->key());
        for (QAction* action : actions_)
            if (!action->shortcut().isEmpty() && action->shortcut() == pressed) return true;
    }
    return QMainWindow::eventFilter(watched, e);
}

void MainWindow::resizeEvent(QResizeEvent* e) {
    QMainWindow::resizeEvent(e);
    if (!(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized)) && size() != minimumSize())
        resize(minimumSize());
}

void MainWindow::ShowExplanation(const QString& title, const QString& text, int helpTopic) {
    if (helpTopic != 0) {
        OpenHelpTopic(helpTopic);
        return;
    }
    Message(this, text, title, MsgIcon::Information);
}

}  // namespace dovanel
