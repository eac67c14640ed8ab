#include "ui/estimate/values_editor.h"

#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <cmath>
#include <limits>

#include "data/data_files.h"
#include "engine/format_value.h"
#include "shell/app_context.h"
#include "shell/help.h"
#include "shell/shown_value.h"
#include "shell/write_failure.h"
#include "ui/document/scenario_store.h"

namespace dovanel {

namespace {

struct CountRow {
    const char* cell;
    const char* unit;
    const char* caption;
    Integer EstimateValues::*field;
};

const CountRow kCounts[] = {
    {"Text11", "Days . . . . . . ", " Interim Interest", &EstimateValues::interimInterestDays},
    {"Text12", "Months . . . . ", " Private Mortgage Insurance Impounds",
     &EstimateValues::pmiImpoundMonths},
    {"Text13", "Months . . . . ", " Homeowner's Insurance Premium",
     &EstimateValues::insurancePremiumMonths},
    {"Text14", "Months . . . . ", " Homeowner's Insurance Impounds",
     &EstimateValues::insuranceImpoundMonths},
    {"Text15", "Months . . . . ", " Property Tax Impounds", &EstimateValues::taxImpoundMonths},
};

// Item rows in screen order: the amount cell, the name cell, and which amount
// and name of the model they hold (rows 5 and 7 take their amounts crosswise).
struct ItemRow {
    const char* amountCell;
    const char* nameCell;
    int amount;
    int name;
};

const ItemRow kItems[] = {{"Text2", "Line1", 1, 1},  {"Text3", "Line2", 2, 2},
                          {"Text4", "Line3", 3, 3},  {"Text5", "Line4", 4, 4},
                          {"Text10", "Line5", 7, 5}, {"Text9", "Line6", 6, 6},
                          {"Text7", "Line7", 5, 7}};

QString Whole(double value) {
    return QString::fromStdString(FormatValue(value, "#"));
}

double Number(const QLineEdit* cell) {
    return LeadingNumber(cell->text().toStdString());
}

// Counts round halves to the even neighbour; one outside 16 bits is not stored.
void StoreCount(Integer& field, double value) {
    const double rounded = std::nearbyint(value);
    if (rounded >= std::numeric_limits<Integer>::min() &&
        rounded <= std::numeric_limits<Integer>::max())
        field = static_cast<Integer>(rounded);
}

}  // namespace

ValuesEditor::ValuesEditor(LenderSettings& settings, QWidget* parent)
    : Screen(parent, ScreenDesign("Values", "Change Financing  Estimate  Values", {6360, 6045},
                                  "RIGHT", help_topic::kSchedules)
                         .Leaving(Effect::ShrinkOut, "UP")),
      settings_(settings) {
    BuildRows();
    Fill();
    auto* ok = AddButton(this, "BtnOk", "&Ok", Twips(2040, 5520, 1095, 375));
    auto* cancel = AddButton(this, "BtnCancel", "&Cancel", Twips(3360, 5520, 1095, 375));
    ok->setAutoDefault(false);
    cancel->setAutoDefault(false);
    ok->setFocusPolicy(Qt::NoFocus);
    cancel->setFocusPolicy(Qt::NoFocus);
    connect(ok, &QPushButton::clicked, this, [this] { BtnOk_Click(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    FinishControls(true, false);
    cells_["Text11"]->setFocus();
}

void ValuesEditor::BuildRows() {
    int top = 240;
    QWidget* previous = nullptr;
    auto chain = [&](QLineEdit* cell) {
        if (previous) setTabOrder(previous, cell);
        previous = cell;
    };
    for (const CountRow& row : kCounts) {
        // Wider than the design's, to the left, to hold seven digits.
        cells_[row.cell] = AddCell(this, row.cell, Twips(330, top, 765, 285));
        AddLabel(this, "", row.unit, Twips(1140, top, 1000, 285));
        AddLabel(this, "", row.caption, Twips(2150, top, 4100, 285));
        chain(cells_[row.cell]);
        top += 360;
    }
    AddLabel(this, "", "$", Twips(150, top, 180, 285));
    cells_["Text16"] = AddCell(this, "Text16", Twips(330, top, 765, 285));
    AddLabel(this, "", " . .  . . . .  . . .", Twips(1140, top, 1000, 285));
    AddLabel(this, "", " Mortgage Application Deposit", Twips(2150, top, 4100, 285));
    chain(cells_["Text16"]);
    top = 2520;
    int item = 0;
    for (const ItemRow& row : kItems) {
        AddLabel(this, "", "$", Twips(120, top, 180, 285));
        cells_[row.amountCell] = AddCell(this, row.amountCell, Twips(300, top, 1095, 285));
        AddLabel(this, "", " . .  . . .", Twips(1440, top, 700, 285));
        cells_[row.nameCell] = AddCell(this, row.nameCell, Twips(2150, top, 3500, 285), false);
        cells_[row.amountCell]->setAccessibleName(QString("Item %1 amount").arg(++item));
        cells_[row.nameCell]->setAccessibleName(QString("Item %1 name").arg(item));
        chain(cells_[row.amountCell]);
        chain(cells_[row.nameCell]);
        top += 360;
    }
    cells_["Line7"]->installEventFilter(this);
}

void ValuesEditor::Fill() {
    const EstimateValues& e = settings_.estimateValues;
    for (const CountRow& row : kCounts) ShowValue(cells_[row.cell], Whole(e.*row.field));
    ShowValue(cells_["Text16"], Whole(e.applicationDeposit));
    for (const ItemRow& row : kItems) {
        ShowValue(cells_[row.amountCell], Whole(e.costAmount[row.amount]));
        cells_[row.nameCell]->setText(QString::fromStdString(e.costName[row.name]));
    }
}

// Amounts show in whole dollars: one left as shown keeps its exact value.
void ValuesEditor::BtnOk_Click() {
    EstimateValues& e = settings_.estimateValues;
    for (const ItemRow& row : kItems)
        if (Edited(cells_[row.amountCell]))
            StoreNumber(e.costAmount[row.amount], Number(cells_[row.amountCell]));
    if (Edited(cells_["Text16"])) StoreNumber(e.applicationDeposit, Number(cells_["Text16"]));
    for (const CountRow& row : kCounts) StoreCount(e.*row.field, Number(cells_[row.cell]));
    for (const ItemRow& row : kItems)
        e.costName[row.name] = cells_[row.nameCell]->text().toStdString();
    SaveSettingsFile(this, DataFile::Estimate, settings_);
    accept();
}

// Moving on from the last name cell (Tab, or Enter turned into Tab) goes back to the first
// amount, so Tab and Enter cycle through the cells; a click or Shift+Tab goes where it aims.
bool ValuesEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == cells_["Line7"] && event->type() == QEvent::FocusOut) {
        if (static_cast<QFocusEvent*>(event)->reason() == Qt::TabFocusReason)
            QTimer::singleShot(0, this,
                               [this] { cells_["Text2"]->setFocus(Qt::OtherFocusReason); });
    }
    return Screen::eventFilter(watched, event);
}

}  // namespace dovanel
