#include "ui/estimate/loan_estimate_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include "engine/recalculate.h"
#include "shell/help.h"
#include "ui/document/scenario_document.h"
#include "ui/estimate/loan_estimate_report.h"
#include "ui/printing/printing.h"
#include "ui/printing/report_pdf.h"

namespace dovanel {

namespace {

enum FeeColumn { kFeeName, kFeeAmount, kFeeSection, kFeeCharge, kFeePaidBy, kFeeColumns };
constexpr EstimateSection kSections[] = {
    EstimateSection::kA, EstimateSection::kB, EstimateSection::kC, EstimateSection::kE,
    EstimateSection::kF, EstimateSection::kG, EstimateSection::kH};
constexpr char kIsoFormat[] = "yyyy-MM-dd";

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

// A caption and its figure in a grid; the figure's label carries the name.
QLabel* FigureRow(QGridLayout* grid, const QString& name, const QString& caption) {
    const int row = grid->rowCount();
    auto* label = new QLabel(caption);
    label->setObjectName(name + "Caption");
    grid->addWidget(label, row, 0);
    auto* value = new QLabel;
    value->setObjectName(name);
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    value->setAccessibleName(caption);
    value->setProperty("caption", caption);
    grid->addWidget(value, row, 1);
    return value;
}

// A figure is read out with its caption: "Annual Percentage Rate (APR), 4.274%".
void SetFigure(QLabel* figure, const QString& text) {
    const QString caption = figure->property("caption").toString();
    figure->setText(text);
    figure->setAccessibleName(text.isEmpty() ? caption : caption + ", " + text);
}

QLabel* Heading(const QString& name, const QString& text) {
    auto* label = new QLabel("<b>" + text + "</b>");
    label->setObjectName(name);
    return label;
}

QTableWidget* ReadOnlyTable(const QString& name, int columns, const QString& readName) {
    auto* table = new QTableWidget(0, columns);
    table->setObjectName(name);
    table->setAccessibleName(readName);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setTabKeyNavigation(false);  // Tab leaves the table; the arrows move in it
    table->verticalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(true);
    table->setMinimumHeight(120);
    return table;
}

// A cell, read out with what it is (`spoken`) where its text alone would repeat.
void SetCell(QTableWidget* table, int row, int column, const QString& text,
             const QString& spoken = {}) {
    auto* item = new QTableWidgetItem(text);
    if (!spoken.isEmpty()) item->setData(Qt::AccessibleTextRole, spoken + ": " + text);
    if (column > 0) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    table->setItem(row, column, item);
}

// The projected payments show whole: the captions' column as wide as its
// texts, the payment columns sharing the rest, every row without scrolling.
void FitProjectedPayments(QTableWidget* table) {
    QHeaderView* columns = table->horizontalHeader();
    columns->setSectionResizeMode(QHeaderView::Stretch);
    columns->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->resizeRowsToContents();
    int height = columns->sizeHint().height() + 2 * table->frameWidth();
    for (int r = 0; r < table->rowCount(); ++r) height += table->rowHeight(r);
    table->setFixedHeight(height);
}

QDate ParsedOr(const std::string& iso, const QDate& fallback) {
    const QDate d = QDate::fromString(Q(iso), kIsoFormat);
    return d.isValid() ? d : fallback;
}

CalendarDate Calendar(const QDate& d) {
    return {d.year(), d.month(), d.day()};
}

}  // namespace

LoanEstimateWindow::LoanEstimateWindow(ScenarioDocument& document, QWidget* parent)
    : Screen(parent, ScreenDesign("LoanEstimate", "Loan Estimate", {10800, 8400}, "RIGHT",
                                  kLoanEstimateHelpTopic)),
      document_(document),
      today_(QDate::currentDate()) {
    RestoreOnCancel(document_.scenario().estimate);
    auto* outer = new QVBoxLayout(this);
    error_ = new QLabel;
    error_->setObjectName("lblError");
    error_->setWordWrap(true);
    SetColors(error_, Qt::darkRed);
    outer->addWidget(error_);
    auto* scroll = new QScrollArea;
    scroll->setObjectName("scrPages");
    scroll->setAccessibleName("Loan Estimate pages");
    scroll->setWidgetResizable(true);
    auto* pages = new QWidget;
    pages->setObjectName("pnlPages");
    auto* column = new QVBoxLayout(pages);
    column->addWidget(BuildPageOne());
    column->addWidget(BuildPageTwo());
    column->addWidget(BuildPageThree());
    scroll->setWidget(pages);
    outer->addWidget(scroll, 1);
    BuildButtons();
    FinishControls(false, false);
    Refresh();
    connect(&document_, &ScenarioDocument::changed, this, [this] { Refresh(); });
    for (QScrollBar* bar : {scroll->verticalScrollBar(), scroll->horizontalScrollBar()}) {
        const bool vertical = bar->orientation() == Qt::Vertical;
        bar->setObjectName(vertical ? "scrPagesVertical" : "scrPagesHorizontal");
        bar->setAccessibleName(vertical ? "Scroll the pages up and down"
                                        : "Scroll the pages sideways");
        bar->parentWidget()->setObjectName(vertical ? "fraPagesVertical" : "fraPagesHorizontal");
    }
    closing_->setFocus();
}

void LoanEstimateWindow::SetToday(const QDate& today) {
    today_ = today;
    Refresh();
}

void LoanEstimateWindow::BuildDates(QWidget* page) {
    auto* grid = new QGridLayout;
    static_cast<QVBoxLayout*>(page->layout())->addLayout(grid);
    const auto dateBox = [&](const char* name, const QString& caption, int row) {
        auto* box = new QDateEdit;
        box->setObjectName(name);
        box->setDisplayFormat(kIsoFormat);
        box->setCalendarPopup(true);
        box->setAccessibleName(QString(caption).remove(QChar('&')));
        auto* label = new QLabel(caption);
        label->setObjectName(QString(name) + "Caption");
        label->setBuddy(box);
        grid->addWidget(label, row, 0);
        grid->addWidget(box, row, 1);
        connect(box, &QDateEdit::dateChanged, this, [this] { DatesChanged(); });
        return box;
    };
    closing_ = dateBox("dateClosing", "C&losing date", 0);
    firstPayment_ = dateBox("dateFirstPayment", "&First payment", 1);
    keepDays_ = new QCheckBox("&Keep the fixed interim-interest day count");
    keepDays_->setObjectName("chkKeepFixedDays");
    grid->addWidget(keepDays_, 2, 0, 1, 2);
    connect(keepDays_, &QCheckBox::toggled, this, [this](bool on) {
        if (showing_) return;
        document_.scenario().estimate.keepFixedInterestDays = on ? 1 : 0;
        Changed();
    });
}

QWidget* LoanEstimateWindow::BuildPageOne() {
    auto* page = new QGroupBox("Loan Estimate");
    page->setObjectName("fraPage1");
    page->setLayout(new QVBoxLayout);
    BuildDates(page);
    auto* terms = new QGridLayout;
    terms->addWidget(Heading("lblHeadLoanTerms", "Loan Terms"), 0, 0);
    FigureRow(terms, "lblLoanType", "Loan Type");
    FigureRow(terms, "lblLoanAmount", "Loan Amount");
    FigureRow(terms, "lblInterestRate", "Interest Rate");
    FigureRow(terms, "lblMonthlyPI", "Monthly Principal & Interest");
    static_cast<QVBoxLayout*>(page->layout())->addLayout(terms);
    page->layout()->addWidget(Heading("lblHeadProjected", "Projected Payments"));
    projected_ = ReadOnlyTable("tblProjectedPayments", 1, "Projected Payments");
    page->layout()->addWidget(projected_);
    auto* costs = new QGridLayout;
    FigureRow(costs, "lblMonthlyEscrow", "Estimated Taxes, Insurance & Assessments (a month)");
    costs->addWidget(Heading("lblHeadCosts", "Costs at Closing"), costs->rowCount(), 0);
    FigureRow(costs, "lblClosingCosts", "Estimated Closing Costs");
    FigureRow(costs, "lblCashToClose", "Estimated Cash to Close");
    static_cast<QVBoxLayout*>(page->layout())->addLayout(costs);
    return page;
}

QWidget* LoanEstimateWindow::BuildPageTwo() {
    auto* page = new QGroupBox("Closing Cost Details");
    page->setObjectName("fraPage2");
    auto* layout = new QVBoxLayout(page);
    costs_ = ReadOnlyTable("tblClosingCosts", 3, "Closing Cost Details");
    costs_->setHorizontalHeaderLabels({"Section", "Cost", "Amount"});
    costs_->setMinimumHeight(220);
    layout->addWidget(costs_);
    auto* totals = new QGridLayout;
    for (int i = 0; i < kEstimateSectionCount; ++i)
        FigureRow(totals, QString("lblSection") + QChar('A' + i), SectionHeading(i));
    FigureRow(totals, "lblLenderCredits", "Lender Credits");
    layout->addLayout(totals);
    layout->addWidget(Heading("lblHeadFees", "Itemized fees"));
    fees_ = new QTableWidget(0, kFeeColumns);
    fees_->setObjectName("tblFees");
    fees_->setAccessibleName("Itemized fees");
    fees_->setHorizontalHeaderLabels({"Fee", "Amount", "Section", "Finance charge", "Paid by"});
    fees_->verticalHeader()->hide();
    fees_->horizontalHeader()->setStretchLastSection(true);
    fees_->setMinimumHeight(180);
    fees_->setTabKeyNavigation(false);
    connect(fees_, &QTableWidget::cellChanged, this, &LoanEstimateWindow::FeeEdited);
    layout->addWidget(fees_);
    auto* row = new QHBoxLayout;
    auto* add = new QPushButton("&Add Fee");
    add->setObjectName("BtnAddFee");
    auto* remove = new QPushButton("&Remove Fee");
    remove->setObjectName("BtnRemoveFee");
    connect(add, &QPushButton::clicked, this, [this] { AddFee(); });
    connect(remove, &QPushButton::clicked, this, [this] { RemoveFee(fees_->currentRow()); });
    row->addWidget(add);
    row->addWidget(remove);
    row->addStretch(1);
    layout->addLayout(row);
    layout->addWidget(Heading("lblHeadCash", "Calculating Cash to Close"));
    cash_ = ReadOnlyTable("tblCashToClose", 2, "Calculating Cash to Close");
    cash_->setHorizontalHeaderLabels({"", "Estimate"});
    cash_->setMinimumHeight(200);
    layout->addWidget(cash_);
    return page;
}

QWidget* LoanEstimateWindow::BuildPageThree() {
    auto* page = new QGroupBox("Comparisons");
    page->setObjectName("fraPage3");
    auto* grid = new QGridLayout(page);
    grid->addWidget(Heading("lblHeadFiveYears", "In 5 Years"), 0, 0);
    FigureRow(grid, "lblInFiveYearsTotal",
              "Total you will have paid in principal, interest, "
              "mortgage insurance, and loan costs");
    FigureRow(grid, "lblInFiveYearsPrincipal", "Principal you will have paid off");
    FigureRow(grid, "lblApr", "Annual Percentage Rate (APR)");
    FigureRow(grid, "lblTip", "Total Interest Percentage (TIP)");
    return page;
}

void LoanEstimateWindow::BuildButtons() {
    auto* row = new QHBoxLayout;
    const auto button = [&](const char* name, const char* caption) {
        auto* b = new QPushButton(caption);
        b->setObjectName(name);
        row->addWidget(b);
        return b;
    };
    auto* print = button("BtnPrint", "Pr&int ...");
    auto* pdf = button("BtnSavePdf", "Save as &PDF ...");
    row->addStretch(1);
    auto* close = button("BtnClose", "&Close");
    connect(print, &QPushButton::clicked, this, [this] { Print(); });
    connect(pdf, &QPushButton::clicked, this, [this] { SavePdf(); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    static_cast<QVBoxLayout*>(layout())->addLayout(row);
}

void LoanEstimateWindow::Refresh() {
    Model model = document_.model();
    RecalculateResults(model);
    form_ = MakeLoanEstimate(model, Calendar(today_));
    showing_ = true;
    const QDate closing = ParsedOr(form_.closingDate, today_);
    closing_->setDate(ParsedOr(model.estimate.closingDate, closing));
    firstPayment_->setDate(ParsedOr(model.estimate.firstPaymentDate,
                                    ParsedOr(form_.firstPaymentDate, closing.addMonths(2))));
    keepDays_->setChecked(model.estimate.keepFixedInterestDays != 0);
    error_->setText(Q(form_.error));
    error_->setVisible(!form_.error.empty());
    ShowPageOne();
    ShowPageTwo();
    ShowFees();
    showing_ = false;
}

void LoanEstimateWindow::ShowPageOne() {
    const std::pair<const char*, const std::string*> labels[] = {
        {"lblLoanType", &form_.loanType},
        {"lblLoanAmount", &form_.loanAmount},
        {"lblInterestRate", &form_.interestRate},
        {"lblMonthlyPI", &form_.monthlyPrincipalInterest},
        {"lblMonthlyEscrow", &form_.monthlyEscrow},
        {"lblClosingCosts", &form_.closingCosts},
        {"lblCashToClose", &form_.cashToClose},
        {"lblInFiveYearsTotal", &form_.inFiveYearsTotal},
        {"lblInFiveYearsPrincipal", &form_.inFiveYearsPrincipal},
        {"lblApr", &form_.apr},
        {"lblTip", &form_.tip},
        {"lblLenderCredits", &form_.lenderCredits}};
    for (const auto& [name, text] : labels) SetFigure(findChild<QLabel*>(name), Q(*text));
    const auto& columns = form_.projectedPayments;
    projected_->clear();
    projected_->setColumnCount(static_cast<int>(columns.size()) + 1);
    projected_->setRowCount(4);
    const char* rows[] = {"Principal & Interest", "Mortgage Insurance", "Estimated Escrow",
                          "Estimated Total Monthly Payment"};
    QStringList headings{"Payment Calculation"};
    for (int r = 0; r < 4; ++r) SetCell(projected_, r, 0, rows[r]);
    for (int c = 0; c < static_cast<int>(columns.size()); ++c) {
        const ProjectedPaymentText& p = columns[static_cast<std::size_t>(c)];
        headings << Q(p.years);
        const std::string* cells[] = {&p.principalAndInterest, &p.mortgageInsurance, &p.escrow,
                                      &p.total};
        for (int r = 0; r < 4; ++r)
            SetCell(projected_, r, c + 1, Q(*cells[r]), QString(rows[r]) + ", " + Q(p.years));
    }
    projected_->setHorizontalHeaderLabels(headings);
    FitProjectedPayments(projected_);
}

void LoanEstimateWindow::ShowPageTwo() {
    costs_->setRowCount(static_cast<int>(form_.lines.size()));
    for (int r = 0; r < costs_->rowCount(); ++r) {
        const EstimateLineText& line = form_.lines[static_cast<std::size_t>(r)];
        SetCell(costs_, r, 0, EstimateSectionLetter(line.section),
                QString("Section of line %1").arg(r + 1));
        costs_->item(r, 0)->setTextAlignment(Qt::AlignCenter);
        SetCell(costs_, r, 1, Q(line.name), QString("Line %1").arg(r + 1));
        costs_->item(r, 1)->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        SetCell(costs_, r, 2, Q(line.amount), QString("Amount of line %1").arg(r + 1));
    }
    for (int i = 0; i < kEstimateSectionCount; ++i)
        SetFigure(findChild<QLabel*>(QString("lblSection") + QChar('A' + i)),
                  Q(form_.sectionTotal[static_cast<std::size_t>(i)]));
    cash_->setRowCount(static_cast<int>(form_.cashToCloseRows.size()));
    for (int r = 0; r < cash_->rowCount(); ++r) {
        const auto& [caption, amount] = form_.cashToCloseRows[static_cast<std::size_t>(r)];
        SetCell(cash_, r, 0, Q(caption));
        SetCell(cash_, r, 1, Q(amount), Q(caption));
    }
}

void LoanEstimateWindow::ShowFees() {
    const auto& fees = document_.scenario().estimate.fees;
    feeSlots_.clear();
    for (int slot = 0; slot < EstimateDetails::maxFees; ++slot)
        if (FeeInUse(fees[static_cast<std::size_t>(slot)])) feeSlots_.push_back(slot);
    const bool keep = fees_->signalsBlocked();
    fees_->blockSignals(true);
    fees_->setRowCount(static_cast<int>(feeSlots_.size()));
    for (int row = 0; row < fees_->rowCount(); ++row) {
        const EstimateFee& fee = fees[static_cast<std::size_t>(feeSlots_[row])];
        const QString number = QString::number(row + 1);
        FeeItem(row, kFeeName)->setText(Q(fee.name));
        FeeItem(row, kFeeName)
            ->setData(Qt::AccessibleTextRole, "Fee " + number + ": " + Q(fee.name));
        QTableWidgetItem* amount = FeeItem(row, kFeeAmount);
        amount->setText(QString::number(fee.amount, 'f', 2));
        amount->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        amount->setData(Qt::AccessibleTextRole, "Amount of fee " + number + ": " + amount->text());
        auto* section = qobject_cast<QComboBox*>(fees_->cellWidget(row, kFeeSection));
        if (!section) {
            section = new QComboBox;
            section->setObjectName(QString("cboFeeSection_%1").arg(row));
            section->setAccessibleName(QString("Section of fee %1").arg(row + 1));
            for (EstimateSection s : kSections) section->addItem(EstimateSectionLetter(s));
            connect(section, &QComboBox::currentIndexChanged, this,
                    [this, row] { FeeChoiceChanged(row); });
            fees_->setCellWidget(row, kFeeSection, section);
            auto* paidBy = new QComboBox;
            paidBy->setObjectName(QString("cboFeePaidBy_%1").arg(row));
            paidBy->setAccessibleName(QString("Fee %1 paid by").arg(row + 1));
            paidBy->addItems({"Borrower", "Seller"});
            connect(paidBy, &QComboBox::currentIndexChanged, this,
                    [this, row] { FeeChoiceChanged(row); });
            fees_->setCellWidget(row, kFeePaidBy, paidBy);
        }
        section->setCurrentIndex(static_cast<int>(fee.section));
        qobject_cast<QComboBox*>(fees_->cellWidget(row, kFeePaidBy))
            ->setCurrentIndex(fee.paidBySeller ? 1 : 0);
        QTableWidgetItem* charge = FeeItem(row, kFeeCharge);
        charge->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        charge->setCheckState(fee.financeCharge ? Qt::Checked : Qt::Unchecked);
        charge->setData(Qt::AccessibleTextRole, "Fee " + number + " is a finance charge");
    }
    fees_->blockSignals(keep);
}

// The table's item at a cell, kept from one showing to the next: an item is
// never replaced while its own edit is being taken.
QTableWidgetItem* LoanEstimateWindow::FeeItem(int row, int column) {
    QTableWidgetItem* item = fees_->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        fees_->setItem(row, column, item);
    }
    return item;
}

void LoanEstimateWindow::AddFee() {
    auto& fees = document_.scenario().estimate.fees;
    for (EstimateFee& fee : fees) {
        if (FeeInUse(fee)) continue;
        fee = EstimateFee{"New fee", 0, EstimateSection::kH, 0, 0};
        Changed();
        fees_->setCurrentCell(fees_->rowCount() - 1, kFeeName);
        fees_->setFocus(Qt::OtherFocusReason);  // the new fee's name, ready to type
        return;
    }
    Refuse(QString("There is room for %1 itemized fees: remove one first.")
               .arg(EstimateDetails::maxFees));
}

// The fees after the removed one move up a slot, so the file keeps them in order.
void LoanEstimateWindow::RemoveFee(int row) {
    if (row < 0 || row >= static_cast<int>(feeSlots_.size())) {
        Refuse("Choose the fee to remove in the table first.");
        return;
    }
    auto& fees = document_.scenario().estimate.fees;
    const auto at = fees.begin() + feeSlots_[static_cast<std::size_t>(row)];
    std::move(at + 1, fees.end(), at);
    fees.back() = EstimateFee{};
    Changed();
}

void LoanEstimateWindow::FeeEdited(int row, int column) {
    if (showing_ || row < 0 || row >= static_cast<int>(feeSlots_.size())) return;
    EstimateFee& fee = document_.scenario().estimate.fees[static_cast<std::size_t>(feeSlots_[row])];
    const QString text = fees_->item(row, column)->text();
    if (column == kFeeName) {
        if (text.trimmed().isEmpty()) return Refuse("A fee needs a name.");
        fee.name = text.trimmed().toStdString();
    } else if (column == kFeeAmount) {
        double amount = 0;
        const std::string why = FeeAmountError(text.toStdString(), amount);
        if (!why.empty()) return Refuse(Q(why));
        fee.amount = static_cast<Single>(amount);
    } else if (column == kFeeCharge) {
        fee.financeCharge = fees_->item(row, column)->checkState() == Qt::Checked ? 1 : 0;
    }
    Changed();
}

void LoanEstimateWindow::FeeChoiceChanged(int row) {
    if (showing_ || row < 0 || row >= static_cast<int>(feeSlots_.size())) return;
    EstimateFee& fee = document_.scenario().estimate.fees[static_cast<std::size_t>(feeSlots_[row])];
    const int section =
        qobject_cast<QComboBox*>(fees_->cellWidget(row, kFeeSection))->currentIndex();
    if (section < 0 || section >= static_cast<int>(std::size(kSections)))
        return Refuse("Choose one of the sections A, B, C, E, F, G and H.");
    fee.section = kSections[section];
    fee.paidBySeller =
        qobject_cast<QComboBox*>(fees_->cellWidget(row, kFeePaidBy))->currentIndex() == 1 ? 1 : 0;
    Changed();
}

void LoanEstimateWindow::DatesChanged() {
    if (showing_) return;
    EstimateDetails& e = document_.scenario().estimate;
    e.closingDate = closing_->date().toString(kIsoFormat).toStdString();
    e.firstPaymentDate = firstPayment_->date().toString(kIsoFormat).toStdString();
    Changed();
}

// The document is told; its changed() signal refreshes this window.
void LoanEstimateWindow::Changed() {
    edited_ = true;
    document_.Edited();
}

// A refused entry: the message says why, the table shows the fee as it was.
void LoanEstimateWindow::Refuse(const QString& message) {
    Refresh();
    error_->setText(message);
    error_->setVisible(true);
}

void LoanEstimateWindow::done(int result) {
    Screen::done(result);
    if (result == QDialog::Rejected && edited_) document_.Edited();
}

void LoanEstimateWindow::Print() {
    if (!form_.error.empty()) return Refuse(Q(form_.error));
    const LoanEstimateReport report{form_, document_.model().lender,
                                    document_.scenario().info.name};
    RunPrintJob({this, font(), true, true, false},
                [&report](ReportWriter& out) { LoanEstimateBody(report, out); });
}

void LoanEstimateWindow::SavePdf() {
    if (!form_.error.empty()) return Refuse(Q(form_.error));
    const LoanEstimateReport report{form_, document_.model().lender,
                                    document_.scenario().info.name};
    SaveReportPdf(
        this, [&report](ReportWriter& out) { LoanEstimateBody(report, out); }, "loan-estimate.pdf");
}

}  // namespace dovanel
