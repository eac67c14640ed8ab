#include "ui/planner/planner.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include "engine/format_value.h"
#include "engine/recalculate.h"
#include "shell/accessibility.h"
#include "shell/help.h"
#include "shell/keys.h"
#include "shell/typing_limit.h"
#include "ui/charts/chart_widget.h"
#include "ui/export/export_files.h"
#include "ui/planner/planner_report.h"
#include "ui/printing/report_pdf.h"

namespace dovanel {

namespace {

struct Field {
    const char* name;
    const char* caption;  // also the control's accessible name, without "&" and ":"
    int top;
};

// The extra payments, inside their frame: captions at the left, controls beside them.
const Field kInputs[] = {
    {"txtExtraMonthly", "Extra every &month:", 360},
    {"txtExtraYearly", "Extra once a &year:", 720},
    {"cmbExtraYearlyMonth", "   i&n month:", 1080},
    {"txtLumpSum", "One-time &lump sum:", 1440},
    {"spnLumpSumAt", "   &at payment number:", 1800},
};

const Field kResults[] = {
    {"lblPayoff", "New payoff:", 300},
    {"lblMonthsSaved", "Payments saved:", 600},
    {"lblInterestSaved", "Interest saved:", 900},
    {"lblTotalInterest", "Total interest:", 1200},
};

// Each PMI date: its caption above its value.
const Field kPmiDates[] = {
    {"lblPmiRequest", "Borrower may ask to cancel (80 % of the price):", 300},
    {"lblPmiAutomatic", "Automatic termination (78 %, original schedule):", 1080},
    {"lblPmiFinal", "Final termination (middle of the term):", 1860},
};

const char kBiweeklyNote[] =
    "Biweekly: half the monthly payment every two weeks makes 26 half payments, one extra "
    "monthly payment a year. The planner adds one twelfth of the monthly principal and "
    "interest to each month's principal.";

QString AccessibleName(const char* caption) {
    return QString(caption).remove('&').remove(':').trimmed();
}

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

QPushButton* Button(QWidget* parent, const char* name, const char* caption, QRect where) {
    QPushButton* button = AddButton(parent, name, caption, where);
    button->setAutoDefault(false);
    button->setAccessibleName(AccessibleName(caption).remove(" ..."));
    return button;
}

// An extra payment: never below zero, and a box without digits is empty.
QLineEdit* NumberCell(QWidget* parent) {
    auto* cell = new QLineEdit(parent);
    cell->setAlignment(Qt::AlignRight);
    TypingLimit::Install(cell, 12);  // a longer paste is refused, never cut
    RefuseMinusSign(cell);
    ShowEmptyWithoutNumber(cell);
    return cell;
}

// A control of the extra payments beside its caption, which also names it for screen readers.
template <typename W>
W* AddInput(QWidget* frame, const Field& field, W* control) {
    Place(control, field.name, Twips(2640, field.top, 1200, 300));
    QLabel* caption = AddLabel(frame, QString(field.name) + "Caption", field.caption,
                               Twips(120, field.top, 2460, 300));
    caption->setBuddy(control);
    control->setAccessibleName(AccessibleName(field.caption));
    return control;
}

}  // namespace

Planner::Planner(const Model& model, QWidget* parent)
    : Screen(parent, ScreenDesign("Planner", "Payoff Planner", {12000, 9240}, "DOWN",
                                  help_topic::kPlanner)),
      model_(model) {
    BuildInputs();
    BuildResults();
    BuildCharts();
    BuildButtons();
    Recompute();
    FinishControls(false, false);
    // Enter moves on through the extra payments (only numbers can be typed in
    // their cells); the buttons and the check box keep their keys.
    for (QWidget* cell : std::initializer_list<QWidget*>{extraMonthly_, extraYearly_, yearlyMonth_,
                                                         lumpSum_, lumpSumAt_})
        cell->installEventFilter(new KeyPreview(cell, {true, true}));
    extraMonthly_->setFocus();
}

void Planner::BuildInputs() {
    auto* frame = Place(new QGroupBox("Extra principal payments", this), "grpExtras",
                        Twips(120, 120, 4560, 3360));
    extraMonthly_ = AddInput(frame, kInputs[0], NumberCell(frame));
    extraYearly_ = AddInput(frame, kInputs[1], NumberCell(frame));
    yearlyMonth_ = AddInput(frame, kInputs[2], new QComboBox(frame));
    for (int month = 1; month <= 12; ++month)
        yearlyMonth_->addItem("Month " + QString::number(month));
    lumpSum_ = AddInput(frame, kInputs[3], NumberCell(frame));
    lumpSumAt_ = AddInput(frame, kInputs[4], new QSpinBox(frame));
    lumpSumAt_->setRange(1, std::max(PaymentCount(model_.loanData.termYears), 1));
    lumpSumAt_->setAlignment(Qt::AlignRight);
    biweekly_ = Place(new QCheckBox("&Biweekly payments", frame), "chkBiweekly",
                      Twips(120, 2160, 4200, 300));
    biweekly_->setAccessibleName("Biweekly payments");
    AddLabel(frame, "lblBiweeklyNote", kBiweeklyNote, Twips(120, 2460, 4320, 840))
        ->setWordWrap(true);
    for (QLineEdit* cell : {extraMonthly_, extraYearly_, lumpSum_})
        connect(cell, &QLineEdit::textChanged, this, [this] { Recompute(); });
    connect(yearlyMonth_, &QComboBox::currentIndexChanged, this, [this] { Recompute(); });
    connect(lumpSumAt_, &QSpinBox::valueChanged, this, [this] { Recompute(); });
    connect(biweekly_, &QCheckBox::toggled, this, [this] { Recompute(); });
}

void Planner::BuildResults() {
    auto* payoff = Place(new QGroupBox("Payoff", this), "grpPayoff", Twips(120, 3600, 4560, 1560));
    // Each value is read with its caption: "New payoff, Year 23 / Month 4".
    for (const Field& f : kResults) {
        QLabel* caption =
            AddLabel(payoff, QString(f.name) + "Caption", f.caption, Twips(120, f.top, 1800, 285));
        NameValueLabel(AddLabel(payoff, f.name, "", Twips(1980, f.top, 2460, 285)), caption);
    }
    auto* pmi = Place(new QGroupBox("Private mortgage insurance (PMI)", this), "grpPmi",
                      Twips(120, 5280, 4560, 3240));
    for (const Field& f : kPmiDates) {
        QLabel* caption =
            AddLabel(pmi, QString(f.name) + "Caption", f.caption, Twips(120, f.top, 4320, 255));
        QLabel* value = AddLabel(pmi, f.name, "", Twips(240, f.top + 255, 4200, 480),
                                 Qt::AlignLeft | Qt::AlignTop);
        value->setWordWrap(true);
        NameValueLabel(value, caption);
    }
    AddLabel(pmi, "lblPmiSaved", "", Twips(120, 2640, 4320, 540), Qt::AlignLeft | Qt::AlignTop)
        ->setWordWrap(true);
    for (QGroupBox* frame : findChildren<QGroupBox*>()) KeepRowsInside(frame);
}

void Planner::BuildCharts() {
    QFont chartFont = font();
    chartFont.setBold(false);
    balanceChart_ = Place(new ChartWidget(this), "chtBalance", Twips(4800, 180, 7080, 4140));
    yearlyChart_ = Place(new ChartWidget(this), "chtYearly", Twips(4800, 4440, 7080, 4080));
    for (ChartWidget* chart : {balanceChart_, yearlyChart_}) chart->setFont(chartFont);
    balanceChart_->setAccessibleName("Balance over time");
    yearlyChart_->setAccessibleName("Interest and principal paid each year");
}

void Planner::BuildButtons() {
    auto* csv = Button(this, "BtnExportCsv", "Export &CSV ...", Twips(120, 8700, 1800, 375));
    auto* pdf = Button(this, "BtnSavePdf", "Save as &PDF ...", Twips(2040, 8700, 1800, 375));
    auto* ok = Button(this, "BtnOk", "&Ok", Twips(9450, 8700, 1095, 375));
    auto* help = Button(this, "btnHelp", "Help  [F1]", Twips(10665, 8700, 1215, 375));
    ok->setAutoDefault(true);
    ok->setDefault(true);
    connect(csv, &QPushButton::clicked, this, [this] { BtnExportCsv_Click(); });
    connect(pdf, &QPushButton::clicked, this, [this] { BtnSavePdf_Click(); });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(help, &QPushButton::clicked, this, [] { OpenHelpTopic(help_topic::kPlanner); });
    QWidget* order[] = {extraMonthly_, extraYearly_, yearlyMonth_, lumpSum_, lumpSumAt_, biweekly_,
                        balanceChart_, yearlyChart_, csv,          pdf,      ok,         help};
    for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
}

void Planner::Recompute() {
    extras_.monthly = LeadingNumber(extraMonthly_->text().toStdString());
    extras_.yearly = LeadingNumber(extraYearly_->text().toStdString());
    extras_.yearlyMonth = yearlyMonth_->currentIndex() + 1;
    extras_.lumpSum = LeadingNumber(lumpSum_->text().toStdString());
    extras_.lumpSumAt = lumpSumAt_->value();
    extras_.biweekly = biweekly_->isChecked();
    plan_ = ComputePayoffPlan(model_, extras_);
    ShowTexts();
    ShowCharts();
}

void Planner::ShowTexts() {
    auto set = [this](const char* name, const std::string& text) {
        findChild<QLabel*>(name)->setText(Q(text));
    };
    set("lblPayoff", plan_.payoff);
    set("lblMonthsSaved", plan_.monthsSaved);
    set("lblInterestSaved", plan_.interestSaved);
    set("lblTotalInterest", plan_.totalInterestText);
    set("lblPmiRequest", plan_.pmiRequest);
    set("lblPmiAutomatic", plan_.pmiAutomatic);
    set("lblPmiFinal", plan_.pmiFinal);
    set("lblPmiSaved", plan_.pmiSaved);
    for (const Field& f : kPmiDates)
        findChild<QLabel*>(QString(f.name) + "Caption")->setVisible(plan_.pmi.charged);
}

void Planner::ShowCharts() {
    auto balances = [this](const std::vector<PayoffRow>& rows) {
        std::vector<double> values{static_cast<double>(model_.loanResults.loanAmount)};
        for (const PayoffRow& row : rows) values.push_back(row.ending);
        return values;
    };
    const int payoff = static_cast<int>(plan_.rows.size());
    std::vector<ChartMarker> markers;
    if (plan_.pmi.charged) {
        // PMI ends with the loan: a date after the payoff has no marker.
        const ChartMarker pmi[] = {{plan_.pmi.request, "Cancel PMI (80 %)"},
                                   {plan_.pmi.automatic, "PMI ends (78 %)"},
                                   {plan_.pmi.final, "PMI final (midpoint)"}};
        for (const ChartMarker& marker : pmi)
            if (marker.month <= payoff) markers.push_back(marker);
    }
    markers.push_back({payoff, "Paid off"});
    balanceChart_->SetLines({{"With extras", balances(plan_.rows)},
                             {"Without extras", balances(plan_.baseline), Qt::DashLine}},
                            markers);
    const std::size_t years = plan_.rows.empty() ? 0 : plan_.rows.back().year;
    std::vector<double> interest(years), principal(years);
    for (const PayoffRow& row : plan_.rows) {
        interest[row.year - 1] += row.interest;
        principal[row.year - 1] += row.principal + row.extra;
    }
    yearlyChart_->SetStackedBars({{"Interest", interest}, {"Principal", principal}});
    DescribeCharts(interest, principal);
}

// What each chart shows as a whole; the arrow keys then read it year by year.
void Planner::DescribeCharts(const std::vector<double>& interest,
                             const std::vector<double>& principal) {
    const QString keys = " Use the arrow keys to read it year by year.";
    QString balance = "Paid off " + Q(plan_.payoff);
    if (extras_.Any())
        balance += " with the extras, " + Q(PaymentDate(static_cast<int>(plan_.baseline.size()))) +
                   " without them";
    balanceChart_->SetSummary(balance + "." + keys);
    if (interest.empty()) {
        yearlyChart_->SetSummary(QString());
        return;
    }
    auto money = [](double amount) { return Q(FormatValue(amount, "$#,##0")); };
    const std::size_t last = interest.size() - 1;
    yearlyChart_->SetSummary(
        QString("Years 1 to %1. Year 1: %2 interest, %3 principal. Year %1: %4 interest, %5 "
                "principal. Total interest %6.")
            .arg(QString::number(last + 1), money(interest[0]), money(principal[0]),
                 money(interest[last]), money(principal[last]), Q(plan_.totalInterestText)) +
        keys);
}

void Planner::BtnExportCsv_Click() {
    SaveScheduleCsv(this, plan_.rows, "payoff-plan.csv");
}

void Planner::BtnSavePdf_Click() {
    const bool withExtras = extras_.Any();
    SaveReportPdf(
        this,
        [this, withExtras](ReportWriter& out) { PayoffReportBody(model_, plan_, withExtras, out); },
        withExtras ? "payoff-plan.pdf" : "amortization.pdf");
}

}  // namespace dovanel
