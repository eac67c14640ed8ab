#include "ui/compare/compare_window.h"

#include <QComboBox>
#include <QDateTime>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>

#include "data/file_write.h"
#include "engine/format_value.h"
#include "engine/recalculate.h"
#include "shell/accessibility.h"
#include "shell/help.h"
#include "shell/keys.h"
#include "shell/platform.h"
#include "shell/typing_limit.h"
#include "shell/write_failure.h"
#include "ui/charts/chart_widget.h"
#include "ui/compare/compare_report.h"
#include "ui/document/scenario_document.h"
#include "ui/export/export_files.h"
#include "ui/printing/printing.h"
#include "ui/printing/report_pdf.h"

namespace dovanel {

namespace {

using Source = ComparisonColumnRecord::Source;

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

// Paths as the system spells them, and back.
std::string Native(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QString FileName(const std::string& path) {
    return QFileInfo(QFile::decodeName(path.c_str())).fileName();
}

// A box of the column editor: its caption above it, and where its value lives.
struct Input {
    const char* name;
    const char* caption;  // also its accessible name, without "&"
    bool percent;         // shown as a percentage of the stored fraction
    Single* (*field)(LoanData&);
};

const Input kInputs[] = {
    {"txtVaryPrice", "Pric&e", false, [](LoanData& d) { return &d.purchasePrice; }},
    {"txtVaryDown", "% do&wn", true, [](LoanData& d) { return &d.downPaymentRate; }},
    {"txtVaryRate", "R&ate %", true, [](LoanData& d) { return &d.interestRate; }},
    {"txtVaryPoints", "P&oints %", true, nullptr},  // the column's, not the scenario's
    {"txtVaryTaxes", "Ta&xes / year", false, [](LoanData& d) { return &d.annualTaxes; }},
    {"txtVaryInsurance", "In&surance / month", false,
     [](LoanData& d) { return &d.monthlyInsurance; }},
    {"txtVaryDues", "D&ues / month", false, [](LoanData& d) { return &d.monthlyDues; }},
};

constexpr char kDefinitions[] =
    "Break-even: the first month from which the option paying more at closing stays ahead. "
    "On payments: cash at closing plus every payment made. On cost: cash at closing plus the "
    "interest and mortgage insurance paid, that is the payments less the principal repaid, so "
    "the equity built counts.";

constexpr int kColumnNameLimit = 60;

constexpr char kLegend[] = "Bold: differs from the first column.   *: the lowest cost of the row.";

// A number as the editor shows it: percentages to three decimals, dollars to
// the cent, without trailing zeros.
QString BoxText(double value, bool percent) {
    std::string text = FormatValue(percent ? value * 100 : value, percent ? "0.0##" : "0.00");
    if (text.size() > 3 && text.compare(text.size() - 3, 3, ".00") == 0)
        text.resize(text.size() - 3);
    if (text.size() > 2 && text.compare(text.size() - 2, 2, ".0") == 0)
        text.resize(text.size() - 2);
    return Q(text);
}

QPushButton* Button(QWidget* parent, const char* name, const char* caption, QRect where) {
    QPushButton* button = AddButton(parent, name, caption, where);
    button->setAutoDefault(false);
    button->setAccessibleName(QString(caption).remove('&').remove(" ...").trimmed());
    return button;
}

QTableWidget* Table(QWidget* parent, const char* name, const QString& accessibleName, QRect where) {
    auto* table = Place(new QTableWidget(parent), name, where);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setTabKeyNavigation(false);
    table->verticalHeader()->hide();
    table->setAccessibleName(accessibleName);
    return table;
}

enum class CellLook { kPlain, kBold, kHeading };

// Sets a cell's text, what a screen reader says of it and its look, making the
// cell when there is none yet.
void SetCell(QTableWidget* table, int row, int column, const QString& text,
             const QString& accessible, CellLook look = CellLook::kPlain) {
    QTableWidgetItem* item = table->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        item->setFlags(look == CellLook::kHeading ? Qt::ItemIsEnabled
                                                  : Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        table->setItem(row, column, item);
    }
    if (item->text() != text) item->setText(text);
    item->setData(Qt::AccessibleTextRole, accessible);
    QFont font = item->font();
    if (font.bold() != (look != CellLook::kPlain) ||
        font.italic() != (look == CellLook::kHeading)) {
        font.setBold(look != CellLook::kPlain);
        font.setItalic(look == CellLook::kHeading);
        item->setFont(font);
    }
}

QString DefaultChooser(QWidget* window) {
    return QFileDialog::getOpenFileName(window, "Add a Scenario File", QString(),
                                        "Dovanel scenarios (*.dovanel);;All files (*)");
}

}  // namespace

Compare::Compare(ScenarioDocument& current, QString keptFile, QWidget* parent)
    : Screen(parent, ScreenDesign("Compare", "Mortgage Comparisons", {13320, 9180}, "DOWN",
                                  help_topic::kCompare)),
      current_(current),
      keptFile_(std::move(keptFile)),
      chooseFile_(DefaultChooser) {
    BuildTop();
    BuildEditor();
    BuildTables();
    BuildButtons();
    LoadKept();
    Recompute();
    ShowEditor();
    FinishControls(false, false);
    table_->setFocus();
}

void Compare::BuildTop() {
    AddLabel(this, "lblHorizon", "Over &time (years):", Twips(120, 120, 1680, 330))
        ->setBuddy(horizon_ = Place(new QSpinBox(this), "spnHorizon", Twips(1800, 120, 900, 330)));
    horizon_->setRange(kHorizonMinYears, kHorizonMaxYears);
    horizon_->setValue(kHorizonDefaultYears);
    horizon_->setAccessibleName("Over time, years");
    connect(horizon_, &QSpinBox::valueChanged, this, [this] { Recompute(); });
    struct Spec {
        const char* name;
        const char* caption;
        std::function<void()> click;
    };
    const Spec buttons[] = {
        {"BtnAddFile", "Add &File ...",
         [this] {
             const QString path = chooseFile_(this);
             if (!path.isEmpty()) AddFile(path);
         }},
        {"BtnDuplicate", "&Duplicate and Vary", [this] { DuplicateSelected(); }},
        {"BtnRemove", "&Remove", [this] { RemoveSelected(); }},
        {"BtnMoveLeft", "Move &Left", [this] { MoveSelected(-1); }},
        {"BtnMoveRight", "Move Ri&ght", [this] { MoveSelected(1); }},
    };
    int left = 3000;
    for (const Spec& spec : buttons) {
        connect(Button(this, spec.name, spec.caption, Twips(left, 105, 1800, 360)),
                &QPushButton::clicked, this, spec.click);
        left += 1920;
    }
}

void Compare::BuildEditor() {
    auto* frame =
        Place(new QGroupBox("Selected column", this), "grpColumn", Twips(120, 600, 13080, 1380));
    AddLabel(frame, "lblColumnName", "Column &name", Twips(120, 330, 1500, 255))
        ->setBuddy(name_ = AddCell(frame, "txtColumnName", Twips(120, 585, 1500, 315), false));
    name_->setAccessibleName("Column name");
    name_->installEventFilter(new KeyPreview(name_, {true, false}));
    AddLabel(frame, "lblVaryType", "T&ype", Twips(1740, 330, 3300, 255))
        ->setBuddy(type_ = Place(new QComboBox(frame), "cmbVaryType", Twips(1740, 585, 3300, 315)));
    for (const char* type : kOfferedMortgageTypes) type_->addItem(type);
    type_->setAccessibleName("Type");
    int left = 5160;
    for (const Input& input : kInputs) {
        QLineEdit* box = AddCell(frame, input.name, Twips(left, 585, 1050, 315));
        AddLabel(frame, QString(input.name) + "Caption", input.caption, Twips(left, 330, 1050, 255))
            ->setBuddy(box);
        box->setAccessibleName(
            QString(input.caption).remove('&').replace("% down", "% down payment"));
        TypingLimit::Install(box, 12);
        RefuseMinusSign(box);
        box->installEventFilter(new KeyPreview(box, {true, true}));  // Enter moves on
        connect(box, &QLineEdit::textEdited, this, [this] { EditorChanged(); });
        inputs_.push_back(box);
        left += 1110;
    }
    source_ = AddLabel(frame, "lblColumnSource", "", Twips(120, 960, 12720, 285));
    connect(name_, &QLineEdit::textEdited, this, [this] { EditorChanged(); });
    connect(type_, &QComboBox::activated, this, [this] { EditorChanged(); });
    KeepRowsInside(frame);
}

void Compare::BuildTables() {
    table_ = Table(this, "tblCompare", "Comparison", Twips(120, 2100, 7800, 6000));
    connect(table_, &QTableWidget::currentCellChanged, this, [this](int, int column) {
        if (column >= 1) SelectColumn(column - 1);
    });
    AddLabel(this, "lblLegend", kLegend, Twips(120, 8130, 7800, 255));
    chart_ = Place(new ChartWidget(this), "chtCompare", Twips(8040, 2100, 5160, 3180));
    chart_->setAccessibleName("Cost over time");
    breakEven_ = Table(this, "tblBreakEven", "Break-even", Twips(8040, 5400, 5160, 1560));
    breakEven_->setColumnCount(4);
    breakEven_->setHorizontalHeaderLabels(
        {"Options", "Pays more at closing", "Ahead on payments", "Ahead on cost"});
    AddLabel(this, "lblDefinitions", kDefinitions, Twips(8040, 7020, 5160, 1080),
             Qt::AlignLeft | Qt::AlignTop)
        ->setWordWrap(true);
    status_ = AddLabel(this, "lblStatus", "", Twips(120, 8400, 13080, 255));
}

void Compare::BuildButtons() {
    auto* csv = Button(this, "BtnExportCsv", "Export CS&V ...", Twips(120, 8700, 1800, 375));
    auto* pdf = Button(this, "BtnSavePdf", "Save as &PDF ...", Twips(2040, 8700, 1800, 375));
    auto* print = Button(this, "BtnPrint", "Pr&int ...", Twips(3960, 8700, 1500, 375));
    auto* close = Button(this, "BtnClose", "&Close", Twips(10665, 8700, 1095, 375));
    auto* help = Button(this, "btnHelp", "Help  [F1]", Twips(11880, 8700, 1320, 375));
    close->setAutoDefault(true);
    close->setDefault(true);
    connect(csv, &QPushButton::clicked, this, [this] { ExportCsv(); });
    connect(pdf, &QPushButton::clicked, this, [this] { SavePdf(); });
    connect(print, &QPushButton::clicked, this, [this] { Print(); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(help, &QPushButton::clicked, this, [] { OpenHelpTopic(help_topic::kCompare); });
}

// The kept columns, or the current document alone when none were kept. A file
// that can no longer be read leaves its column out, and the status line says why.
void Compare::LoadKept() {
    ComparisonSet set;
    if (!keptFile_.isEmpty()) set = LoadComparisonSet(Native(keptFile_));
    horizon_->blockSignals(true);
    horizon_->setValue(set.horizonYears);
    horizon_->blockSignals(false);
    QStringList lost;
    for (const ComparisonColumnRecord& record : set.columns) {
        Column column = ColumnOf(record);
        if (record.source == Source::kFile) {
            const ScenarioReadResult read = ReadFileColumn(column);
            if (!read) {
                lost << FileName(record.path) + " (" + Q(read.reason) + ")";
                continue;
            }
        }
        columns_.push_back(std::move(column));
    }
    if (columns_.empty()) columns_.push_back(ColumnOf({}));
    if (!lost.isEmpty()) Status("Left out, as they could not be read: " + lost.join(", ") + ".");
}

Compare::Column Compare::ColumnOf(const ComparisonColumnRecord& record) const {
    Column column;
    column.record = record;
    column.model = current_.model();  // the lender's settings, and the current loan
    if (record.source == Source::kScenario) static_cast<Scenario&>(column.model) = record.scenario;
    return column;
}

ScenarioReadResult Compare::ReadFileColumn(Column& column) const {
    Scenario scenario;
    const ScenarioReadResult read = ReadScenarioFile(column.record.path, scenario);
    if (read) static_cast<Scenario&>(column.model) = scenario;
    return read;
}

std::vector<std::string> Compare::ColumnNames() const {
    std::vector<std::string> names;
    for (const Column& c : columns_) {
        std::string name = c.record.name.empty() ? DefaultColumnName(c.model) : c.record.name;
        const std::string base = name;
        for (int n = 2; std::find(names.begin(), names.end(), name) != names.end(); ++n)
            name = base + " (" + std::to_string(n) + ")";
        names.push_back(name);
    }
    return names;
}

bool Compare::AddFile(const QString& path) {
    if (columns_.size() >= kComparisonColumnsMax) {
        Message(this, "A comparison holds at most four columns: remove one first.");
        return false;
    }
    Column column = ColumnOf({Source::kFile, "", 0, Native(path), {}});
    const ScenarioReadResult read = ReadFileColumn(column);
    if (!read) {
        Message(this, Q(ScenarioReadMessage(Native(path), read)), QString(), MsgIcon::Warning);
        return false;
    }
    columns_.push_back(std::move(column));
    Recompute();
    SelectColumn(columnCount() - 1);
    return true;
}

void Compare::DuplicateSelected() {
    if (columns_.size() >= kComparisonColumnsMax) {
        Message(this, "A comparison holds at most four columns: remove one first.");
        return;
    }
    Column copy = columns_[static_cast<std::size_t>(selected_)];
    copy.record.source = Source::kScenario;
    copy.record.path.clear();
    copy.record.name.clear();  // named after its loan as it is varied
    copy.modified = false;
    columns_.push_back(std::move(copy));
    Recompute();
    SelectColumn(columnCount() - 1);
    inputs_.front()->setFocus();
}

void Compare::RemoveSelected() {
    if (columns_.size() <= 1) {
        ThePlatform().Beep();
        Status("The last column stays: a comparison needs a loan to show.");
        return;
    }
    const Column& column = columns_[static_cast<std::size_t>(selected_)];
    if (column.modified) {
        const MsgAnswer answer =
            Message(this,
                    "The column from \"" + FileName(column.record.path) +
                        "\" has changes that are not saved. Remove it and lose them?",
                    QString(), MsgIcon::Question, MsgButtons::YesNo, MsgAnswer::No);
        if (answer != MsgAnswer::Yes) return;
    }
    columns_.erase(columns_.begin() + selected_);
    selected_ = std::min(selected_, columnCount() - 1);
    Recompute();
    ShowEditor();
}

void Compare::MoveSelected(int by) {
    const int to = selected_ + by;
    if (to < 0 || to >= columnCount()) {
        ThePlatform().Beep();
        return;
    }
    Column moving = std::move(columns_[static_cast<std::size_t>(selected_)]);
    columns_.erase(columns_.begin() + selected_);
    columns_.insert(columns_.begin() + to, std::move(moving));
    selected_ = to;
    Recompute();
    ShowEditor();
}

void Compare::SelectColumn(int column) {
    if (column < 0 || column >= columnCount() || column == selected_) return;
    selected_ = column;
    ShowEditor();
    if (table_->currentColumn() != column + 1)
        table_->setCurrentCell(std::max(table_->currentRow(), 0), column + 1);
}

void Compare::Recompute() {
    figures_.clear();
    for (Column& c : columns_) {
        if (c.record.source == Source::kCurrent) {
            Model model = current_.model();
            std::swap(c.model, model);
        }
        figures_.push_back(
            ComputeComparisonColumn({c.model, c.record.pointsRate}, horizon_->value()));
    }
    rows_ = ComparisonTable(figures_);
    pairs_ = ComparisonBreakEvens(figures_, ColumnNames());
    ShowTable();
    ShowBreakEvens();
    ShowChart();
}

// Rows under a heading row for each group; cells are updated in place, so a
// keystroke repaints texts, not the table.
void Compare::ShowTable() {
    const std::vector<std::string> names = ColumnNames();
    int needed = 0;
    std::string group;
    for (const ComparisonRow& r : rows_) needed += r.group != group ? (group = r.group, 2) : 1;
    const bool reshape = table_->columnCount() != columnCount() + 1 || table_->rowCount() != needed;
    table_->blockSignals(true);
    if (reshape) {
        table_->clear();
        table_->setColumnCount(columnCount() + 1);
        table_->setRowCount(needed);
    }
    QStringList headings{"Figure"};
    for (const std::string& name : names) headings << Q(name);
    table_->setHorizontalHeaderLabels(headings);
    int at = 0;
    group.clear();
    for (const ComparisonRow& r : rows_) {
        if (r.group != group) {
            group = r.group;
            SetCell(table_, at, 0, Q(group), Q(group), CellLook::kHeading);
            for (int c = 1; c <= columnCount(); ++c)
                SetCell(table_, at, c, {}, Q(group + ", " + names[static_cast<std::size_t>(c - 1)]),
                        CellLook::kHeading);
            ++at;
        }
        SetCell(table_, at, 0, Q(r.name), Q(r.group + ": " + r.name), CellLook::kBold);
        for (std::size_t c = 0; c < r.cells.size(); ++c) {
            const ComparisonCell& cell = r.cells[c];
            QString said = Q(r.name + ", " + names[c] + ": " + cell.text);
            if (cell.differs) said += ", differs from " + Q(names.front());
            if (cell.best) said += ", lowest";
            SetCell(table_, at, static_cast<int>(c) + 1, (cell.best ? "* " : "") + Q(cell.text),
                    said, cell.differs ? CellLook::kBold : CellLook::kPlain);
        }
        ++at;
    }
    if (reshape)
        table_->resizeColumnsToContents();
    else
        table_->resizeColumnToContents(selected_ + 1);
    if (table_->currentColumn() != selected_ + 1)
        table_->setCurrentCell(std::max(table_->currentRow(), 1), selected_ + 1);
    table_->blockSignals(false);
}

void Compare::ShowBreakEvens() {
    const std::vector<std::string> names = ColumnNames();
    breakEven_->setRowCount(0);
    for (const PairBreakEven& pair : pairs_) {
        const int at = breakEven_->rowCount();
        breakEven_->insertRow(at);
        const QString options = Q(names[pair.first] + " / " + names[pair.second]);
        const int paying = pair.result.payingOption < 0    ? -1
                           : pair.result.payingOption == 0 ? pair.first
                                                           : pair.second;
        const QString cells[] = {options, paying < 0 ? "Neither" : Q(names[paying]),
                                 Q(pair.onPayments), Q(pair.onCost)};
        for (int c = 0; c < 4; ++c)
            SetCell(breakEven_, at, c, cells[c], c == 0 ? Q(pair.summary) : cells[c]);
    }
    breakEven_->resizeColumnsToContents();
}

// The cost measure month by month: cash at closing plus the interest and
// mortgage insurance paid so far.
void Compare::ShowChart() {
    const std::vector<std::string> names = ColumnNames();
    std::vector<ChartSeries> series;
    QStringList summary;
    for (std::size_t c = 0; c < figures_.size(); ++c) {
        const LoanCostStream& stream = figures_[c].stream;
        std::vector<double> values{stream.upfront};
        for (const CostMonth& m : stream.months)
            values.push_back(values.back() + m.interest + m.insurance);
        summary << Q(names[c]) + " " + Q(FormatValue(values.back(), "$#,##0"));
        series.push_back(
            {Q(names[c]), std::move(values), c % 2 == 0 ? Qt::SolidLine : Qt::DashLine});
    }
    std::vector<ChartMarker> markers;
    for (const PairBreakEven& pair : pairs_)
        if (pair.result.onCost != kNeverWithinTerm)
            markers.push_back({pair.result.onCost, "Even on cost"});
    chart_->SetLines(std::move(series), std::move(markers));
    chart_->SetSummary("Cost over the term: " + summary.join(", ") +
                       ". Use the arrow keys to read it year by year.");
}

void Compare::ShowEditor() {
    showing_ = true;
    const Column& c = columns_[static_cast<std::size_t>(selected_)];
    const bool editable = c.record.source != Source::kCurrent;
    SetWholeText(name_, Q(c.record.name), kColumnNameLimit);
    type_->setCurrentText(Q(c.model.loanData.mortgageTypeName));
    Model model = c.model;
    for (std::size_t i = 0; i < inputs_.size(); ++i) {
        const Input& input = kInputs[i];
        const double value = input.field ? *input.field(model.loanData) : c.record.pointsRate;
        inputs_[i]->setText(BoxText(value, input.percent));
        inputs_[i]->setEnabled(editable || !input.field);
    }
    type_->setEnabled(editable);
    const QString file = FileName(c.record.path);
    source_->setText(
        c.record.source == Source::kCurrent
            ? "The loan in the main window: change it there (points apply here only)."
        : c.record.source == Source::kFile
            ? "From the file " + file +
                  (c.modified ? ": changed here; Close offers to save the changes." : ".")
            : "A varied copy, kept with the comparison.");
    showing_ = false;
}

void Compare::EditorChanged() {
    if (showing_) return;
    Column& c = columns_[static_cast<std::size_t>(selected_)];
    c.record.name = name_->text().trimmed().toStdString();
    LoanData& d = c.model.loanData;
    if (c.record.source != Source::kCurrent && type_->currentIndex() >= 0) {
        d.mortgageTypeName = type_->currentText().toStdString();
        d.termYears = TermYearsOf(d.mortgageTypeName);
        d.isArm = IsArmOf(d.mortgageTypeName);
    }
    for (std::size_t i = 0; i < inputs_.size(); ++i) {
        const Input& input = kInputs[i];
        const double number =
            LeadingNumber(inputs_[i]->text().toStdString()) * (input.percent ? 0.01 : 1.0);
        if (!input.field)
            c.record.pointsRate = std::clamp(number, 0.0, 1.0);
        else if (c.record.source != Source::kCurrent)
            StoreNumber(*input.field(d), number);
    }
    if (c.record.source == Source::kScenario) c.record.scenario = c.model;
    if (c.record.source == Source::kFile) c.modified = true;
    Recompute();
    showing_ = true;
    source_->setText(c.record.source == Source::kFile
                         ? "From the file " + FileName(c.record.path) +
                               ": changed here; Close offers to save the changes."
                         : source_->text());
    showing_ = false;
}

void Compare::Status(const QString& text) {
    status_->setText(text);
}

// Each file column changed here: Yes saves it to its file, No leaves the file
// as it is, Cancel keeps the window open.
bool Compare::AskToSaveFiles() {
    for (Column& c : columns_) {
        if (!c.modified) continue;
        const QString path = QFile::decodeName(c.record.path.c_str());
        const MsgAnswer answer = Message(
            this,
            "Save the changes made here to \"" + QFileInfo(path).fileName() + "\"?\r\r" + path,
            QString(), MsgIcon::Question, MsgButtons::YesNoCancel, MsgAnswer::Yes);
        if (answer == MsgAnswer::Cancel) return false;
        if (answer == MsgAnswer::No) continue;
        Scenario scenario = c.model;
        const WriteResult written = WriteNamedFile(c.record.path, ScenarioFileText(scenario));
        if (!written.ok) {
            ReportWriteFailure(this, path, written, "The changes are still in the comparison.");
            return false;
        }
        c.modified = false;
    }
    return true;
}

void Compare::KeepSet() {
    if (keptFile_.isEmpty()) return;
    ComparisonSet set;
    set.horizonYears = horizon_->value();
    for (const Column& c : columns_) set.columns.push_back(c.record);
    const WriteResult written = WriteFileAtomically(Native(keptFile_), ComparisonFileText(set));
    if (!written.ok)
        ReportWriteFailure(this, keptFile_, written,
                           "The comparison is not kept for the next time.");
}

void Compare::done(int result) {
    if (!AskToSaveFiles()) return;
    KeepSet();
    Screen::done(result);
}

void Compare::ExportCsv() {
    const QString path =
        AskForExportFile(this, "Export CSV", "comparison.csv", "CSV files (*.csv);;All files (*)");
    if (path.isEmpty()) return;
    const WriteResult written =
        WriteNamedFile(Native(path), ComparisonCsv(rows_, pairs_, ColumnNames()));
    if (!written.ok) ReportWriteFailure(this, path, written, "Nothing was exported.");
}

// When the lender's settings were last changed (the newest of their data files
// beside the kept comparison) and when the report was made.
QString Compare::ReportDate() const {
    const QString folder = QFileInfo(keptFile_).absolutePath() + "/";
    QDateTime newest;
    for (const char* file :
         {"ESTIMATE.DAT", "PMI.DAT", "ESCROW.DAT", "TITLE.DAT", "FANMAE.DAT", "LOANORIG.DAT"}) {
        const QDateTime changed = QFileInfo(folder + file).lastModified();
        if (changed.isValid() && (!newest.isValid() || changed > newest)) newest = changed;
    }
    const QString today = "Printed " + QDate::currentDate().toString("MMMM d, yyyy") + ".";
    if (keptFile_.isEmpty() || !newest.isValid()) return today;
    return "Lender settings of " + newest.date().toString("MMMM d, yyyy") + ". " + today;
}

void Compare::SavePdf() {
    const CompareReport report{rows_, pairs_, ColumnNames(), ReportDate(), current_.model().lender};
    SaveReportPdf(
        this, [&report](ReportWriter& out) { CompareReportBody(report, out); }, "comparison.pdf",
        true);
}

void Compare::Print() {
    const CompareReport report{rows_, pairs_, ColumnNames(), ReportDate(), current_.model().lender};
    const PrintJob job{this, FormFont(), true, true, true};
    RunPrintJob(job, [&report](ReportWriter& out) { CompareReportBody(report, out); });
}

}  // namespace dovanel
