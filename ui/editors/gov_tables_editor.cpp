#include "ui/editors/gov_tables_editor.h"

#include <algorithm>

#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include "data/file_write.h"
#include "data/government_file.h"
#include "data/load.h"
#include "shell/app_context.h"
#include "shell/help.h"
#include "shell/platform.h"
#include "shell/write_failure.h"

namespace dovanel {

namespace {

using T = GovernmentLoanTables;

// A single figure: its box, its caption, and whether it is a rate shown in percent.
struct Figure {
    const char* name;
    const char* caption;
    double T::*value;
    bool percent;
};

const Figure kFigures[] = {
    {"txtFhaUpfront", "FHA upfront premium, % of the base loan", &T::fhaUpfrontRate, true},
    {"txtFhaMinimumDown", "FHA minimum down payment, % of the price", &T::fhaMinimumDown, true},
    {"txtFhaLargeLoan", "FHA annual premium: large loans above $", &T::fhaLargeLoanThreshold,
     false},
    {"txtUsdaUpfront", "USDA guarantee fee, % of the base loan", &T::usdaUpfrontRate, true},
    {"txtUsdaAnnual", "USDA annual fee, % of the average balance", &T::usdaAnnualRate, true},
    {"txtConformingLimit", "Conforming loan limit (baseline), $", &T::conformingLimit, false},
    {"txtHighCostLimit", "Conforming high-cost ceiling, $", &T::highCostLimit, false},
    {"txtFhaFloor", "FHA loan limit floor, $", &T::fhaFloor, false},
    {"txtFhaCeiling", "FHA loan limit ceiling, $", &T::fhaCeiling, false},
};

constexpr int kFigureTop = 540;
constexpr int kRowHeight = 360;

// Percent texts of shares, and back: 0.0175 is "1.75"; the shortest text that
// reads back as the same share.
// The share is read as the decimal text with its point moved two places, so
// "0.55" gives exactly the share written 0.0055.
double ShareOf(const QString& percent, bool& ok) {
    return (percent + "e-2").toDouble(&ok);
}

QString PercentText(double share) {
    for (int digits = 0; digits <= 15; ++digits) {
        const QString text = QString::number(share * 100, 'f', digits);
        bool ok = false;
        if (ShareOf(text, ok) == share) return text;
    }
    return QString::number(share * 100, 'g', 17);
}

// The last row of a term and loan size applies at any LTV: "any", not a number.
constexpr char kAnyLtvText[] = "any";

QString LtvText(double ltv) {
    return ltv >= kAnyLtv ? QString(kAnyLtvText) : PercentText(ltv);
}

QString FigureText(double value, bool percent) {
    return percent ? PercentText(value)
                   : QString::number(value, 'f', QLocale::FloatingPointShortest);
}

bool ReadFigure(const QString& text, bool percent, double& value) {
    const QString trimmed = text.trimmed();
    if (trimmed.contains('e', Qt::CaseInsensitive)) return false;
    bool ok = false;
    const double read = percent ? ShareOf(trimmed, ok) : trimmed.toDouble(&ok);
    if (!ok || !(read >= 0) || read > 1e12) return false;
    value = read;
    return true;
}

const char* const kFhaHeads[] = {"Over the short term (yes/no)", "Large loan (yes/no)",
                                 "LTV up to, %", "Annual premium, %", "Years (0: the term)"};
const char* const kVaHeads[] = {"Down payment from, %", "First use, %", "Subsequent use, %"};

QString YesNo(bool yes) {
    return yes ? "yes" : "no";
}

// A reader names each cell by its row and column as well as its value.
void NameCell(QTableWidgetItem* item, const char* const* heads) {
    item->setData(Qt::AccessibleTextRole, QString("Row %1, %2: %3")
                                              .arg(item->row() + 1)
                                              .arg(heads[item->column()])
                                              .arg(item->text()));
}

QTableWidget* Grid(QWidget* parent, const QString& name, QRect where, int rows,
                   const char* const* heads, int columns, int headingLines) {
    auto* grid = Place(new QTableWidget(rows, columns, parent), name, where);
    for (int c = 0; c < columns; ++c)
        grid->setHorizontalHeaderItem(c, new QTableWidgetItem(heads[c]));
    // Narrow columns wrap their headings onto more lines rather than cut them.
    QHeaderView* header = grid->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Stretch);
    header->setDefaultAlignment(Qt::Alignment(Qt::AlignCenter | Qt::TextWordWrap));
    header->setMinimumHeight(headingLines * header->fontMetrics().lineSpacing() + 8);
    grid->setTabKeyNavigation(false);
    QObject::connect(grid, &QTableWidget::itemChanged, grid,
                     [heads](QTableWidgetItem* item) { NameCell(item, heads); });
    return grid;
}

void SetCell(QTableWidget* grid, int row, int column, const QString& text) {
    grid->setItem(row, column, new QTableWidgetItem(text));
    grid->item(row, column)->setData(Qt::UserRole, column);  // a change: the cell is named
}

QString Cell(const QTableWidget* grid, int row, int column) {
    const QTableWidgetItem* item = grid->item(row, column);
    return item ? item->text().trimmed() : QString();
}

// Every cell's name again once rows have moved.
void RenameCells(QTableWidget* grid, const char* const* heads) {
    for (int r = 0; r < grid->rowCount(); ++r)
        for (int c = 0; c < grid->columnCount(); ++c)
            if (QTableWidgetItem* item = grid->item(r, c)) NameCell(item, heads);
}

// A new row below the current one (or the last), a copy of it to edit.
void AddRow(QTableWidget* grid, const char* const* heads) {
    const int from = grid->currentRow() >= 0 ? grid->currentRow() : grid->rowCount() - 1;
    grid->insertRow(from + 1);
    for (int c = 0; c < grid->columnCount(); ++c)
        SetCell(grid, from + 1, c, from >= 0 ? Cell(grid, from, c) : QString());
    RenameCells(grid, heads);
    grid->setCurrentCell(from + 1, 0);
    grid->setFocus();
}

QString CellWhy(const char* table, int row, const char* head) {
    return QString("%1, row %2, \"%3\": not a number from 0 up").arg(table).arg(row + 1).arg(head);
}

// The FHA annual premium rows as the grid gives them; false with `why` set if a cell is
// not yes or no, or not a number.
bool ReadFhaRows(const QTableWidget* grid, std::vector<FhaAnnualPremiumRow>& rows, QString& why) {
    rows.resize(static_cast<std::size_t>(grid->rowCount()));
    for (int r = 0; r < grid->rowCount(); ++r) {
        FhaAnnualPremiumRow& row = rows[static_cast<std::size_t>(r)];
        for (int c = 0; c < 2; ++c)
            if (Cell(grid, r, c) != "yes" && Cell(grid, r, c) != "no")
                return why = QString("FHA annual premium, row %1, \"%2\": not yes or no")
                                 .arg(r + 1)
                                 .arg(kFhaHeads[c]),
                       false;
        row.longTerm = Cell(grid, r, 0) == "yes";
        row.largeLoan = Cell(grid, r, 1) == "yes";
        double years = 0;
        double* numbers[] = {&row.ltvUpTo, &row.rate, &years};  // columns 2 to 4
        for (int c = 2; c < 5; ++c)
            if (c == 2 && Cell(grid, r, c).trimmed().compare(kAnyLtvText, Qt::CaseInsensitive) == 0)
                row.ltvUpTo = kAnyLtv;
            else if (!ReadFigure(Cell(grid, r, c), c < 4, *numbers[c - 2]) ||
                     (c == 4 && (years > 100 || years != static_cast<int>(years))))
                return why = CellWhy("FHA annual premium", r, kFhaHeads[c]) +
                             (c == 2 ? " (or \"any\")" : ""),
                       false;
        row.years = static_cast<int>(years);
    }
    return true;
}

bool ReadVaRows(const QTableWidget* grid, std::vector<VaFundingFeeRow>& rows, QString& why) {
    rows.resize(static_cast<std::size_t>(grid->rowCount()));
    for (int r = 0; r < grid->rowCount(); ++r) {
        VaFundingFeeRow& row = rows[static_cast<std::size_t>(r)];
        double* fields[] = {&row.downFrom, &row.firstUse, &row.subsequentUse};
        for (int c = 0; c < 3; ++c)
            if (!ReadFigure(Cell(grid, r, c), true, *fields[c]))
                return why = CellWhy("VA funding fee", r, kVaHeads[c]), false;
    }
    return true;
}

}  // namespace

GovTablesEditor::GovTablesEditor(LenderSettings& settings, QWidget* parent)
    : Screen(parent, {"GovTables",
                      "Change the Government Loan Tables",
                      {11520, 8640},
                      "RIGHT",
                      help_topic::kSchedules}),
      settings_(settings) {
    AddFigures();
    AddGrids();
    auto* ok = AddButton(this, "BtnOk", "&Ok", Twips(8880, 8100, 1200, 375));
    auto* cancel = AddButton(this, "BtnCancel", "&Cancel", Twips(10200, 8100, 1200, 375));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] { BtnOk_Click(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    FinishControls(false, false);
    findChild<QLineEdit*>("txtYear")->setFocus();
    TellUnreadableFile();
}

// Tables that are there but cannot be read were taken as the built-in ones at
// start: say so, and what Ok will do with the file.
void GovTablesEditor::TellUnreadableFile() {
    if (App().dataFolder.isEmpty()) return;
    const QString path = App().dataFolder + kGovernmentFileName;
    GovernmentLoanTables unused;
    const ScenarioReadResult read =
        ReadGovernmentFile(QFile::encodeName(path).toStdString(), unused);
    if (read) return;
    Message(this,
            QString::fromStdString(
                UnreadableFileText("government loan tables", path.toStdString(), read)) +
                "\r\rOk in this window replaces the file with the tables the window shows.",
            QString(), MsgIcon::Warning);
}

// The Add and Remove buttons under a grid, after it in the tab order.
void GovTablesEditor::AddRowButtons(QTableWidget* grid, const char* const* heads, int top) {
    const bool fha = grid == fhaGrid_;
    const struct {
        const char* name;
        const char* caption;
        const char* spoken;
        bool add;
    } buttons[] = {
        {"cmdAddFhaRow", "A&dd Row", "Add FHA row", true},
        {"cmdRemoveFhaRow", "Re&move Row", "Remove FHA row", false},
        {"cmdAddVaRow", "&Add Band", "Add VA band", true},
        {"cmdRemoveVaRow", "&Remove Band", "Remove VA band", false},
    };
    for (int i = fha ? 0 : 2; i < (fha ? 2 : 4); ++i) {
        const auto& b = buttons[i];
        auto* button =
            AddButton(this, b.name, b.caption, Twips(b.add ? 8580 : 10050, top, 1350, 375));
        button->setAccessibleName(b.spoken);
        if (b.add)
            connect(button, &QPushButton::clicked, this, [grid, heads] { AddRow(grid, heads); });
        else
            connect(button, &QPushButton::clicked, this,
                    [this, grid, heads] { RemoveRow(grid, heads); });
    }
}

// Takes the current row out; every table keeps at least one.
void GovTablesEditor::RemoveRow(QTableWidget* grid, const char* const* heads) {
    const int row = grid->currentRow();
    const char* why = grid->rowCount() <= 1 ? "The last row of a table cannot be removed."
                      : row < 0             ? "Choose the row to remove first."
                                            : nullptr;
    if (why) {
        Message(this, why, QString(), MsgIcon::Information);
        return;
    }
    grid->removeRow(row);
    RenameCells(grid, heads);
    grid->setCurrentCell(std::min(row, grid->rowCount() - 1), 0);
    grid->setFocus();
}

void GovTablesEditor::AddFigures() {
    const GovernmentLoanTables& t = settings_.governmentTables;
    auto add = [this](const QString& name, const QString& caption, const QString& text, int top) {
        QLineEdit* box = AddCell(this, name, Twips(3960, top, 1500, 315));
        AddLabel(this, name + "Caption", caption, Twips(120, top, 3780, 315))->setBuddy(box);
        box->setAccessibleName(QString(caption).remove('&'));
        SetWholeText(box, text, 16);
    };
    add("txtYear", "The tables are for the &year", QString::number(t.year), 120);
    add("txtFhaShortTerm", "FHA short term: up to years", QString::number(t.fhaShortTermYears),
        kFigureTop);
    int top = kFigureTop + kRowHeight;
    for (const Figure& f : kFigures) {
        add(f.name, f.caption, FigureText(t.*f.value, f.percent), top);
        top += kRowHeight;
    }
}

void GovTablesEditor::AddGrids() {
    const GovernmentLoanTables& t = settings_.governmentTables;
    AddLabel(this, "lblFhaAnnual", "FHA annual premium: the first row that matches applies",
             Twips(5640, 120, 5760, 315));
    fhaGrid_ = Grid(this, "grdFhaAnnual", Twips(5640, 480, 5760, 4200),
                    static_cast<int>(t.fhaAnnual.size()), kFhaHeads, 5, 3);
    fhaGrid_->setAccessibleName("FHA annual premium");
    for (int r = 0; r < fhaGrid_->rowCount(); ++r) {
        const FhaAnnualPremiumRow& row = t.fhaAnnual[static_cast<std::size_t>(r)];
        SetCell(fhaGrid_, r, 0, YesNo(row.longTerm));
        SetCell(fhaGrid_, r, 1, YesNo(row.largeLoan));
        SetCell(fhaGrid_, r, 2, LtvText(row.ltvUpTo));
        SetCell(fhaGrid_, r, 3, PercentText(row.rate));
        SetCell(fhaGrid_, r, 4, QString::number(row.years));
    }
    AddRowButtons(fhaGrid_, kFhaHeads, 4770);
    AddLabel(this, "lblVaFee", "VA funding fee by down payment", Twips(5640, 5280, 5760, 315));
    vaGrid_ = Grid(this, "grdVaFee", Twips(5640, 5640, 5760, 1560),
                   static_cast<int>(t.vaFundingFee.size()), kVaHeads, 3, 1);
    vaGrid_->setAccessibleName("VA funding fee");
    for (int r = 0; r < vaGrid_->rowCount(); ++r) {
        const VaFundingFeeRow& row = t.vaFundingFee[static_cast<std::size_t>(r)];
        SetCell(vaGrid_, r, 0, PercentText(row.downFrom));
        SetCell(vaGrid_, r, 1, PercentText(row.firstUse));
        SetCell(vaGrid_, r, 2, PercentText(row.subsequentUse));
    }
    AddRowButtons(vaGrid_, kVaHeads, 7290);
}

bool GovTablesEditor::ReadTables(GovernmentLoanTables& t, QString& why) const {
    double number = 0;
    if (!ReadFigure(findChild<QLineEdit*>("txtYear")->text(), false, number) || number < 1900 ||
        number > 9999 || number != static_cast<int>(number))
        return why = "The year is not a year from 1900 to 9999", false;
    t.year = static_cast<int>(number);
    if (!ReadFigure(findChild<QLineEdit*>("txtFhaShortTerm")->text(), false, number) ||
        number > 100 || number != static_cast<int>(number))
        return why = "The FHA short term is not a number of years from 0 to 100", false;
    t.fhaShortTermYears = static_cast<int>(number);
    for (const Figure& f : kFigures)
        if (!ReadFigure(findChild<QLineEdit*>(f.name)->text(), f.percent, t.*f.value))
            return why = QString("\"%1\" is not a number from 0 up").arg(f.caption), false;
    if (!ReadFhaRows(fhaGrid_, t.fhaAnnual, why) || !ReadVaRows(vaGrid_, t.vaFundingFee, why))
        return false;
    why = QString::fromStdString(GovernmentTablesProblem(t));
    return why.isEmpty();
}

// Takes the tables when every box and cell reads; a failed write keeps them in
// memory and says so.
void GovTablesEditor::BtnOk_Click() {
    GovernmentLoanTables tables = settings_.governmentTables;
    QString why;
    if (!ReadTables(tables, why)) {
        ThePlatform().ShowMessage(this,
                                  {why + ".\r\rNothing has been changed.", "", MsgIcon::Warning});
        return;
    }
    settings_.governmentTables = tables;
    const QString path = App().dataFolder + kGovernmentFileName;
    if (!App().dataFolder.isEmpty()) {
        const WriteResult written =
            WriteFileAtomically(QFile::encodeName(path).toStdString(), GovernmentFileText(tables));
        if (!written.ok) ReportWriteFailure(this, path, written, kValuesKeptInMemory);
    }
    accept();
}

}  // namespace dovanel
