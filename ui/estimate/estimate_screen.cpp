#include "ui/estimate/estimate_screen.h"

#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QPushButton>
#include <functional>
#include <string>

#include "engine/format_value.h"
#include "shell/accessibility.h"
#include "shell/platform.h"
#include "ui/estimate/definitions.h"

namespace dovanel {

namespace {

using Figure = std::function<double(const Model&)>;

struct Row {
    int frame;            // index into kFrames
    int top;              // within the frame
    const char* caption;  // the caption label's name
    const char* text;     // its text; empty for a cost item, which shows its name
    int costName;         // 1..7 for a cost item row, else 0
    const char* value;    // the value label's name
    Figure figure;
    const char* pattern;
    bool band = false;         // a grey total line
    bool rightColumn = false;  // the purchase summary's second column
};

struct FrameSpec {
    const char* name;
    const char* caption;
    QRect twips;
};

const FrameSpec kFrames[] = {
    {"FramePurchaseSummary", "PURCHASE SUMMARY", {120, 139, 8595, 1095}},
    {"FrameEstimatedClosingCosts", "ESTIMATED CLOSING COSTS", {120, 1320, 4335, 3015}},
    {"FramePurchaseDetails", "PUCHASE DETAILS", {4560, 1320, 4215, 3015}},
    {"FrameEstimatedPrepaidEscrows", "ESTIMATED PREPAID ESCROWS", {120, 4440, 4335, 2175}},
    {"FrameMonthlyPayment", "MONTHLY PAYMENT", {4560, 4435, 4215, 2175}},
};

const LoanData& D(const Model& m) {
    return m.loanData;
}
const LoanResults& R(const Model& m) {
    return m.loanResults;
}
const EstimateValues& E(const Model& m) {
    return m.estimateValues;
}

// Formed here rather than by Recalculate.
double Subtotal(const Model& m) {
    return static_cast<Single>(D(m).purchasePrice + R(m).totalClosingCosts +
                               R(m).totalPrepaidEscrows);
}
double MonthlyTaxes(const Model& m) {
    return static_cast<Single>(D(m).annualTaxes / 12.0f);
}

// Amount shown beside cost name k: items 5 and 7 take each other's amounts.
Figure Cost(int name) {
    const int amount = name == 5 ? 7 : name == 7 ? 5 : name;
    return [amount](const Model& m) { return E(m).costAmount[amount]; };
}

const std::vector<Row>& Rows() {
    static const std::vector<Row> rows = {
        {0, 240, "lblPurchasePrice", "Purchase Price", 0, "valPurchasePrice",
         [](auto& m) { return D(m).purchasePrice; }, "currency"},
        {0, 480, "lblDownPaymentAmount", "Down Payment (Amount)", 0, "valDownPaymentAmount",
         [](auto& m) { return R(m).downPaymentAmount; }, "$###,##0"},
        {0, 720, "lblLoanAmount", "Loan Amount", 0, "valLoanAmount",
         [](auto& m) { return R(m).loanAmount; }, "currency"},
        {0, 240, "lblLoanToValue", "Loan-To-Value Ratio", 0, "valLoanToValue",
         [](auto& m) { return R(m).ltv; }, "##.00%", false, true},
        {0, 480, "lblDownPaymentPercent", "Down Payment (%)", 0, "valDownPaymentPercent",
         [](auto& m) { return D(m).downPaymentRate; }, "##.000%", false, true},
        {0, 720, "lblInterestRate", "Interest Rate", 0, "valInterestRate",
         [](auto& m) { return D(m).interestRate; }, "##.000%", false, true},

        {1, 240, "lblOriginationFee", "Loan Origination Fee", 0, "valOriginationFee",
         [](auto& m) { return R(m).originationFee; }, "$###,##0"},
        {1, 480, "lblCostItem1", "", 1, "valCostItem1", Cost(1), "$#,##0"},
        {1, 720, "lblCostItem2", "", 2, "valCostItem2", Cost(2), "$#,##0"},
        {1, 960, "lblCostItem3", "", 3, "valCostItem3", Cost(3), "$#,##0"},
        {1, 1200, "lblCostItem4", "", 4, "valCostItem4", Cost(4), "$#,##0"},
        {1, 1440, "lblEscrowFee", "Escrow/Closing Fee", 0, "valEscrowFee",
         [](auto& m) { return R(m).escrowFee; }, "$#,##0"},
        {1, 1680, "lblCostItem5", "", 5, "valCostItem5", Cost(5), "$#,##0"},
        {1, 1920, "lblTitleInsurance", "Title Insurance", 0, "valTitleInsurance",
         [](auto& m) { return R(m).titleFee; }, "$#,##0"},
        {1, 2160, "lblCostItem6", "", 6, "valCostItem6", Cost(6), "$#,##0"},
        {1, 2400, "lblCostItem7", "", 7, "valCostItem7", Cost(7), "$#,##0"},
        {1, 2760, "lblTotalClosingCosts", " Total Closing Costs", 0, "valTotalClosingCosts",
         [](auto& m) { return R(m).totalClosingCosts; }, "$#,##0", true},

        {2, 240, "lblDetailsPurchasePrice", "Purchase Price", 0, "valDetailsPurchasePrice",
         [](auto& m) { return D(m).purchasePrice; }, "currency"},
        {2, 480, "lblPlusClosingCosts", "Plus Total Closing Costs", 0, "valPlusClosingCosts",
         [](auto& m) { return R(m).totalClosingCosts; }, "$#,##0"},
        {2, 720, "lblPlusPrepaidEscrows", "Plus Total Prepaid Escrows", 0, "valPlusPrepaidEscrows",
         [](auto& m) { return R(m).totalPrepaidEscrows; }, "$#,##0"},
        {2, 960, "lblSubtotal", "Subtotal", 0, "valSubtotal", Subtotal, "currency"},
        {2, 1200, "lblLessLoanAmount", "Less Loan Amount", 0, "valLessLoanAmount",
         [](auto& m) { return R(m).loanAmount; }, "($#,###,##0)"},
        {2, 1440, "lblLessEarnestMoney", "Less Earnest Money ", 0, "valLessEarnestMoney",
         [](auto& m) { return D(m).earnestMoney; }, "($#,##0)"},
        {2, 1680, "lblLessApplicationDeposit", "Less Loan Application Deposit", 0,
         "valLessApplicationDeposit", [](auto& m) { return E(m).applicationDeposit; }, "($#,##0)"},
        {2, 2760, "lblTotalDueAtClosing", " Total Due At Closing", 0, "valTotalDueAtClosing",
         [](auto& m) { return R(m).estimateDueAtClosing; }, "currency", true},

        {3, 360, "Label16", "Interim Interest", 0, "valInterimInterest",
         [](auto& m) { return R(m).interimInterest; }, "$#,##0"},
        {3, 600, "lblPmiPremium", "Pvt. Mort. Ins. Premium", 0, "valPmiPremium",
         [](auto& m) { return R(m).pmiPremium; }, "$#,##0"},
        {3, 840, "lblPmiImpounds", "Pvt. Mort. Ins. Impounds", 0, "valPmiImpounds",
         [](auto& m) { return R(m).pmiImpounds; }, "$#,##0"},
        {3, 1080, "lblInsurancePremium", "Homeowner's Ins. Prem.", 0, "valInsurancePremium",
         [](auto& m) { return R(m).insurancePremium; }, "$#,##0"},
        {3, 1320, "lblInsuranceImpounds", "Homeowner's Ins. Imp.", 0, "valInsuranceImpounds",
         [](auto& m) { return R(m).insuranceImpounds; }, "$#,##0"},
        {3, 1560, "lblTaxImpounds", "Property Tax Impounds", 0, "valTaxImpounds",
         [](auto& m) { return R(m).taxImpounds; }, "$#,##0"},
        {3, 1920, "lblTotalPrepaidEscrows", " Total Prepaid Escrows", 0, "valTotalPrepaidEscrows",
         [](auto& m) { return R(m).totalPrepaidEscrows; }, "$#,##0", true},

        {4, 360, "lblPrincipalInterest", "Principal And Interest", 0, "valPrincipalInterest",
         [](auto& m) { return R(m).monthlyPrincipalInterest; }, "$###,##0"},
        {4, 600, "lblMonthlyInsurance", "Homeowner's Insurance", 0, "valMonthlyInsurance",
         [](auto& m) { return D(m).monthlyInsurance; }, "$#,##0"},
        {4, 840, "lblMonthlyTaxes", "Real Estate Taxes", 0, "valMonthlyTaxes", MonthlyTaxes,
         "$#,##0"},
        {4, 1080, "lblMonthlyDues", "Homeowner's Association Dues", 0, "valMonthlyDues",
         [](auto& m) { return D(m).monthlyDues; }, "$#,##0"},
        {4, 1320, "lblMonthlyPmi", "Private Mortgage Insurance", 0, "valMonthlyPmi",
         [](auto& m) { return R(m).monthlyPmi; }, "$#,##0"},
        {4, 1920, "lblTotalMonthlyPayment", " Total Monthly Payment", 0, "valTotalMonthlyPayment",
         [](auto& m) { return R(m).totalMonthlyPayment; }, "$#,##0", true},
    };
    return rows;
}

// The counts between a prepaid line's caption and its amount.
struct Count {
    const char* name;
    int top;
    std::function<QString(const Model&)> text;
    const char* unit;
    int right;  // the count ends here
};

const Count kCounts[] = {
    {"cntInterimInterest", 360, [](auto& m) { return QString::number(E(m).interimInterestDays); },
     "days", 2680},
    {"cntPmiPremium", 600,
     [](auto& m) { return QString::fromStdString(FormatValue(R(m).pmiPremiumRate, "#.000%")); }, "",
     2680},
    {"cntPmiImpounds", 840, [](auto& m) { return QString::number(E(m).pmiImpoundMonths); }, "mos.",
     2670},
    {"cntInsurancePremium", 1080,
     [](auto& m) { return QString::number(E(m).insurancePremiumMonths); }, "mos.", 2670},
    {"cntInsuranceImpounds", 1320,
     [](auto& m) { return QString::number(E(m).insuranceImpoundMonths); }, "mos.", 2670},
    {"cntTaxImpounds", 1560, [](auto& m) { return QString::number(E(m).taxImpoundMonths); }, "mos.",
     2670},
};

// The counts stand a little right of their design place: this font is wider than the design's.
constexpr int kCountShift = 300;
constexpr int kCountWidth = 600;

// Amounts take the end of their line; on the prepaid lines they follow the unit words.
int ValueWidth(int frame) {
    return frame == 3 ? 700 : 1200;
}

// A caption ends where the next text of its line begins, so that a long cost
// name is cut short rather than run under its amount.
int CaptionEnd(const Row& row, int valueLeft) {
    if (row.caption == std::string("lblOriginationFee")) return 2100;
    for (const Count& c : kCounts)
        if (row.frame == 3 && c.top == row.top) return c.right + kCountShift - kCountWidth - 30;
    return valueLeft - 60;
}

const QColor kBandGrey(224, 224, 224);
const QColor kNavy(0, 0, 128);

}  // namespace

EstimateScreen::EstimateScreen(const Model& model, QWidget* parent)
    : Screen(parent, {"PrintScreen", "Financing Estimate", {8910, 7155}, "DOWN"}), model_(model) {
    SetColors(this, Qt::black, Qt::white);
    BuildFrames();
    auto* print = AddButton(this, "btnPrint", "&Print", Twips(120, 6720, 1095, 375));
    auto* ok = AddButton(this, "BtnOk", "&Ok", Twips(3960, 6720, 1095, 375));
    auto* help = AddButton(this, "btnHelp", "Help  [F1]", Twips(7800, 6720, 1095, 375));
    ok->setDefault(true);
    connect(print, &QPushButton::clicked, this, &EstimateScreen::printRequested);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(help, &QPushButton::clicked, this, [this] { btnHelp_Click(); });
    FinishControls(false, false);
    NameValuesForReaders();
    ok->setFocus();
}

// Each amount is read with its line's caption, never with the unit word that
// stands before it on the prepaid lines; each count with its caption and unit:
// "Interim Interest, 30 days", "Pvt. Mort. Ins. Premium, rate 0.500%".
void EstimateScreen::NameValuesForReaders() {
    for (const Row& row : Rows()) {
        // The purchase details repeat the summary's first caption.
        const bool repeated = row.caption == std::string("lblDetailsPurchasePrice");
        NameValueLabel(values_[row.value], findChild<QLabel*>(row.caption),
                       repeated ? ValueWords{"in the details:", ""} : ValueWords{});
    }
    NameValueLabel(values_["valOriginationRate"], findChild<QLabel*>("lblOriginationFee"),
                   {"rate", ""});
    for (const Count& c : kCounts) {
        const QLabel* caption = nullptr;
        for (const Row& row : Rows())
            if (row.frame == 3 && row.top == c.top) caption = findChild<QLabel*>(row.caption);
        const QString unit = c.unit;
        const ValueWords words = unit.isEmpty()   ? ValueWords{"rate", ""}
                                 : unit == "days" ? ValueWords{"", "days"}
                                                  : ValueWords{"", "months"};
        NameValueLabel(values_[c.name], caption, words);
    }
}

void EstimateScreen::BuildFrames() {
    QGroupBox* frames[std::size(kFrames)];
    for (std::size_t i = 0; i < std::size(kFrames); ++i) {
        const QRect t = kFrames[i].twips;
        frames[i] = Place(new QGroupBox(kFrames[i].caption, this), kFrames[i].name,
                          Twips(t.x(), t.y(), t.width(), t.height()));
        SetColors(frames[i], Qt::blue);
    }
    AddVerticalLine(frames[0], "lnSummaryDivider", TwipsToPixels(4400 - 120));
    for (const Row& row : Rows()) {
        QGroupBox* frame = frames[row.frame];
        const int width = kFrames[row.frame].twips.width();
        const int left = row.rightColumn ? 4440 : 120;
        const int valueRight = row.rightColumn || row.frame != 0 ? width - 120 : 4200;
        const int valueLeft = valueRight - ValueWidth(row.frame);
        const QString text =
            row.costName ? QString::fromStdString(model_.estimateValues.costName[row.costName])
                         : row.text;
        QLabel* caption = AddLabel(frame, row.caption, text,
                                   Twips(left, row.top, CaptionEnd(row, valueLeft) - left, 240));
        QLabel* value = AddLabel(
            frame, row.value, QString::fromStdString(FormatValue(row.figure(model_), row.pattern)),
            Twips(valueLeft, row.top, valueRight - valueLeft, 240),
            Qt::AlignRight | Qt::AlignVCenter);
        SetColors(caption, Qt::black);
        SetColors(value, Qt::black);
        if (row.band) {
            caption->setGeometry(Twips(60, row.top, width - 120, 240));
            SetColors(caption, kNavy, kBandGrey);
            SetColors(value, kNavy);
            value->raise();
        }
        caption->installEventFilter(this);
        values_[row.value] = value;
    }
    auto* rate = AddLabel(
        frames[1], "valOriginationRate",
        "(" + QString::fromStdString(FormatValue(model_.loanResults.originationRate, "##.#0%")) +
            ")",
        Twips(2160, 240, 840, 240));  // ends before the fee's cell
    SetColors(rate, Qt::black);
    values_["valOriginationRate"] = rate;
    for (const Count& c : kCounts) {
        values_[c.name] =
            AddLabel(frames[3], c.name, c.text(model_),
                     Twips(c.right + kCountShift - kCountWidth, c.top, kCountWidth, 240),
                     Qt::AlignRight | Qt::AlignVCenter);
        SetColors(values_[c.name], Qt::black);
        if (*c.unit)
            SetColors(AddLabel(frames[3], QString(c.name) + "Unit", c.unit,
                               Twips(c.right + kCountShift + 45, c.top, 450, 240)),
                      Qt::black);
    }
    for (QGroupBox* frame : frames) KeepRowsInside(frame);
}

QString EstimateScreen::ValueText(const QString& name) const {
    const QLabel* label = values_.value(name);
    return label ? label->text() : QString();
}

QString EstimateScreen::HelpText() {
    return "The Real Estate Settlement Procedures Act (RESPA) requires lenders to provide "
           "borrowers with what is called a \"Good Faith Estimate\", which provides "
           "information related to closing costs and other important items to the loan.  "
           "So, although the exact look may differ, the information shown on this "
           "screen provides you with the same information your actual mortgage "
           "paperwork will have.\r\r- ADDED FEATURE -\rDOUBLE CLICK ON ANY LABEL TO SEE A "
           "DEFINITION OF THAT FIELD.";
}

void EstimateScreen::btnHelp_Click() {
    Message(this, HelpText(), "Financing Estimate", MsgIcon::Information);
}

// F1 anywhere in the window runs the help button.
void EstimateScreen::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        btnHelp_Click();
        return;
    }
    Screen::keyPressEvent(event);
}

bool EstimateScreen::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick) {
        LineDefinition definition;
        if (FindLineDefinition(watched->objectName(), definition))
            Message(this, definition.text, definition.title, MsgIcon::Information);
        return true;
    }
    return Screen::eventFilter(watched, event);
}

}  // namespace dovanel
