#include "ui/afford/afford_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <algorithm>
#include <charconv>

#include "engine/format_value.h"
#include "shell/keys.h"
#include "shell/platform.h"
#include "shell/typing_limit.h"
#include "ui/afford/afford_report.h"

namespace dovanel {

namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

struct ValueRow {
    int top;
    const char* caption;
    const char* name;
    int height;
    std::string (*text)(const Affordability&);
};

const ValueRow kValues[] = {
    {180, "Maximum purchase price:", "lblMaxPrice", 660, AffordPriceText},
    {900, "Loan amount:", "lblMaxLoan", 255, AffordLoanText},
    {1200, "Total monthly payment:", "lblMaxPayment", 255, AffordPaymentText},
    {1500, "Total due at closing:", "lblMaxCash", 255, AffordCashText},
    {1800, "Decided by:", "lblBinding", 255, AffordLimitText},
};

struct ButtonSpec {
    const char* name;
    const char* caption;
    int left;
    int width;
};

const ButtonSpec kButtons[] = {
    {"BtnUsePrice", "&Use This Price", 240, 1800},
    {"BtnPrint", "&Print", 3652, 1095},
    {"BtnClose", "&Close", 7065, 1095},
};

// The shortest text that reads back as exactly this amount.
QString ExactText(Single amount) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, amount, std::chars_format::fixed);
    if (result.ec != std::errc()) return {};
    return QString::fromLatin1(buffer, static_cast<int>(result.ptr - buffer));
}

QString Plain(QString caption) {
    return caption.remove('&');
}

// Enter moves on as Tab does, except on a button, which it presses; no button
// is the dialog's default, so none catches Enter pressed elsewhere.
class EnterKeys : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
        if (auto* button = qobject_cast<QPushButton*>(watched)) {
            button->click();
            return true;
        }
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QApplication::sendEvent(watched, &tab);
        return true;
    }
};

}  // namespace

AffordWindow::AffordWindow(const ScenarioDocument& document, QWidget* parent)
    : Screen(parent,
             ScreenDesign("Afford", "What Can I Afford?", {8400, 7260}, "DOWN", kAffordHelpTopic)),
      model_(document.model()) {
    BuildAnswer();
    BuildOptions();
    BuildTable();
    BuildButtons();
    auto* enter = new EnterKeys(this);
    for (QWidget* control : findChildren<QWidget*>())
        if (control->focusPolicy() != Qt::NoFocus) control->installEventFilter(enter);
    txtCash_->installEventFilter(new KeyPreview(txtCash_, {false, true}));
    FinishControls(false, false);
    Options_Change();
    txtCash_->setFocus();
}

void AffordWindow::BuildAnswer() {
    for (const ValueRow& row : kValues) {
        AddLabel(this, "", row.caption, Twips(240, row.top + 30, 2760, 255),
                 Qt::AlignLeft | Qt::AlignTop);
        QLabel* value = AddLabel(this, row.name, "", Twips(3120, row.top + 30, 5040, row.height),
                                 Qt::AlignLeft | Qt::AlignTop);
        value->setWordWrap(true);
    }
}

void AffordWindow::BuildOptions() {
    auto* frame = Place(new QGroupBox("Options", this), "fraOptions", Twips(240, 2160, 7920, 1320));
    chkScale_ = Place(new QCheckBox("Taxes and insurance grow with the price", frame), "chkScale",
                      Twips(120, 300, 6000, 255));
    QLabel* cash =
        AddLabel(frame, "lblCash", "Cash available for closing:  $", Twips(120, 645, 2640, 255));
    txtCash_ = AddCell(frame, "txtCash", Twips(2760, 615, 1335, 300));
    cash->setBuddy(txtCash_);            // the caption labels the box for screen readers
    TypingLimit::Install(txtCash_, 10);  // a longer paste is refused, never cut
    RefuseMinusSign(txtCash_);
    ShowEmptyWithoutNumber(txtCash_);
    AddLabel(frame, "lblCashHint", "(leave empty for no limit)", Twips(4215, 645, 3000, 255));
    chkConforming_ = Place(new QCheckBox("Stay within the conforming loan limit", frame),
                           "chkConforming", Twips(120, 975, 6000, 255));
    KeepRowsInside(frame);
    chkScale_->setChecked(true);
    chkScale_->setAccessibleName(chkScale_->text());
    chkConforming_->setAccessibleName(chkConforming_->text());
    txtCash_->setAccessibleName("Cash available for closing");
    txtCash_->setAccessibleDescription("Leave empty for no limit");
    connect(chkScale_, &QCheckBox::toggled, this, [this] { Options_Change(); });
    connect(chkConforming_, &QCheckBox::toggled, this, [this] { Options_Change(); });
    connect(txtCash_, &QLineEdit::textChanged, this, [this] { Options_Change(); });
}

void AffordWindow::BuildTable() {
    AddLabel(this, "lblSensitivity",
             "Maximum price by interest rate (rows) and down payment (columns); today's loan is "
             "highlighted. The chosen cell's payment and deciding limit show below it.",
             Twips(240, 3600, 7920, 450), Qt::AlignLeft | Qt::AlignTop)
        ->setWordWrap(true);
    table_ = Place(new QTableWidget(this), "tblSensitivity", Twips(240, 4080, 7920, 1920));
    table_->setAccessibleName("Maximum price by interest rate and down payment");
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setSelectionBehavior(QAbstractItemView::SelectItems);
    table_->setTabKeyNavigation(false);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The chosen cell's details, for the keyboard as for the mouse.
    cellDetail_ = AddLabel(this, "lblCellDetail", "", Twips(240, 6060, 7920, 600),
                           Qt::AlignLeft | Qt::AlignTop);
    cellDetail_->setWordWrap(true);
    connect(table_, &QTableWidget::currentCellChanged, this, [this] { ShowCellDetail(); });
}

void AffordWindow::BuildButtons() {
    for (const ButtonSpec& spec : kButtons) {
        QPushButton* button =
            AddButton(this, spec.name, spec.caption, Twips(spec.left, 6765, spec.width, 375));
        button->setAutoDefault(false);
        button->setAccessibleName(Plain(spec.caption));
    }
    usePrice_ = findChild<QPushButton*>("BtnUsePrice");
    connect(usePrice_, &QPushButton::clicked, this, [this] { BtnUsePrice_Click(); });
    connect(findChild<QPushButton*>("BtnPrint"), &QPushButton::clicked, this,
            [this] { PrintAffordability(model_, Options(), this); });
    connect(findChild<QPushButton*>("BtnClose"), &QPushButton::clicked, this, &QDialog::reject);
}

AffordabilityOptions AffordWindow::Options() const {
    AffordabilityOptions options;
    options.scaleTaxesAndInsurance = chkScale_->isChecked();
    options.stayConforming = chkConforming_->isChecked();
    options.limitCash = !HoldsNoNumber(txtCash_->text());
    options.cashAvailable = LeadingNumber(txtCash_->text().toStdString());
    return options;
}

void AffordWindow::Options_Change() {
    const AffordabilityOptions options = Options();
    usePrice_->setToolTip(options.scaleTaxesAndInsurance
                              ? "Types this price, and the taxes and insurance at this price, "
                                "into the main window"
                              : "Types this price into the main window");
    usePrice_->setAccessibleDescription(usePrice_->toolTip());
    ShowAnswer(MaxAffordablePrice(model_, options));
    ShowTable(AffordabilitySensitivity(model_, options));
}

void AffordWindow::ShowAnswer(const Affordability& answer) {
    answer_ = answer;
    for (const ValueRow& row : kValues) {
        auto* label = findChild<QLabel*>(row.name);
        label->setText(Q(row.text(answer)));
        // Read out with its caption.
        label->setAccessibleName(QString(row.caption) + " " + label->text());
    }
    const bool found = answer.outcome == AffordOutcome::Found;
    // The price stands out; a sentence in its place keeps the window's size.
    QFont font = this->font();
    if (found) font.setPointSizeF(11);
    findChild<QLabel*>("lblMaxPrice")->setFont(font);
    usePrice_->setEnabled(found);
}

void AffordWindow::ShowTable(const AffordabilityTable& t) {
    tableData_ = t;
    const int rows = static_cast<int>(t.rates.size());
    // The cell chosen before stays chosen; at first it is today's loan.
    const bool first = table_->rowCount() == 0;
    const int keepRow = first ? t.todayRow : std::min(table_->currentRow(), rows - 1);
    const int keepColumn = first ? t.todayColumn : std::min(table_->currentColumn(), t.columns - 1);
    const QSignalBlocker quiet(table_);
    table_->setRowCount(rows);
    table_->setColumnCount(t.columns);
    for (int c = 0; c < t.columns; ++c)
        table_->setHorizontalHeaderItem(
            c, new QTableWidgetItem(Q(AffordDownHeading(t.downPayments[c], c == t.todayColumn))));
    for (int r = 0; r < rows; ++r) {
        table_->setVerticalHeaderItem(r, new QTableWidgetItem(Q(AffordRateHeading(t.rates[r]))));
        for (int c = 0; c < t.columns; ++c) table_->setItem(r, c, CellItem(t, r, c));
    }
    table_->setCurrentCell(std::max(keepRow, 0), std::max(keepColumn, 0));
    ShowCellDetail();
}

QTableWidgetItem* AffordWindow::CellItem(const AffordabilityTable& t, int r, int c) const {
    const Affordability& cell = t.cells[r][c];
    auto* item = new QTableWidgetItem(Q(AffordCellText(cell)));
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setToolTip(Q(AffordCellDetail(cell)));
    item->setData(Qt::AccessibleDescriptionRole, item->toolTip());
    const bool today = r == t.todayRow && c == t.todayColumn;
    // Read by its row and column, and today's loan said, as the highlight is not heard.
    item->setData(Qt::AccessibleTextRole, Q(AffordRateHeading(t.rates[r]) + " rate, " +
                                            AffordDownHeading(t.downPayments[c], false) +
                                            (today ? ", today's loan: " : ": ")) +
                                              item->text());
    if (today) {
        item->setBackground(QColor(255, 255, 192));
        item->setForeground(QColor(Qt::black));  // readable on the pale cell in any theme
        QFont font = table_->font();
        font.setUnderline(true);
        item->setFont(font);
    }
    return item;
}

void AffordWindow::ShowCellDetail() {
    cellDetail_->setText(
        Q(AffordCellReading(tableData_, table_->currentRow(), table_->currentColumn())));
}

void AffordWindow::BtnUsePrice_Click() {
    if (answer_.outcome != AffordOutcome::Found) return;
    carried_ = {QString::number(answer_.price), {}, {}};
    if (chkScale_->isChecked()) {
        carried_.annualTaxes = ExactText(answer_.loan.annualTaxes);
        carried_.monthlyInsurance = ExactText(answer_.loan.monthlyInsurance);
    }
    accept();
}

void ShowAfford(ScenarioDocument& document, QWidget* mainWindow) {
    AffordWindow window(document);
    if (window.exec() != QDialog::Accepted || window.chosenPrice().isEmpty() || !mainWindow) return;
    // As if typed: each box's change handler stores its value, recalculates and
    // marks the loan data as changed.
    const AffordWindow::Carried& carried = window.carried();
    const std::pair<const char*, QString> boxes[] = {{"Text1", carried.price},
                                                     {"Text6", carried.annualTaxes},
                                                     {"Text7", carried.monthlyInsurance}};
    for (const auto& [name, text] : boxes)
        if (auto* box = mainWindow->findChild<QLineEdit*>(name); box && !text.isEmpty())
            box->setText(text);
}

}  // namespace dovanel
