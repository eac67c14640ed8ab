#include "ui/editors/origination_editor.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <cmath>

#include "data/data_files.h"
#include "engine/format_value.h"
#include "shell/app_context.h"
#include "shell/help.h"
#include "shell/shown_value.h"
#include "shell/write_failure.h"
#include "ui/document/scenario_store.h"

namespace dovanel {

namespace {

const QColor kDarkRed(128, 0, 0);
const QColor kDarkPurple(64, 0, 64);
const QColor kNavy(0, 0, 128);

QString Plain(Single value) {
    return QString::fromStdString(PlainNumber(value));
}

// A cell that stores what is typed at once, scaled by `factor`.
QLineEdit* LiveCell(QWidget* parent, const QString& name, QRect where, Single& field,
                    double factor) {
    QLineEdit* cell = AddCell(parent, name, where);
    QObject::connect(cell, &QLineEdit::textChanged, parent, [&field, factor](const QString& text) {
        StoreNumber(field, LeadingNumber(text.toStdString()) * factor);
    });
    return cell;
}

void AddOkCancel(QDialog* dialog, int top, std::function<void()> ok) {
    auto* okButton = AddButton(dialog, "BtnOk", "&Ok", Twips(3600, top, 1095, 375));
    auto* cancel = AddButton(dialog, "BtnCancel", "&Cancel", Twips(4800, top, 1095, 375));
    QObject::connect(okButton, &QPushButton::clicked, dialog, std::move(ok));
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
}

QLabel* WhiteOn(const QColor& background, QLabel* label) {
    SetColors(label, Qt::white, background);
    return label;
}

}  // namespace

OriginationEditor::OriginationEditor(LenderSettings& settings, QWidget* parent)
    : Screen(parent, {"LoanO",
                      "Change Loan Origination Fee Schedule",
                      {9330, 4455},
                      "RIGHT",
                      help_topic::kSchedules}),
      settings_(settings) {
    QFrame* panel =
        AddPanel(this, "pnlSchedule", Twips(240, 360, 8775, 2295), kDarkRed, Qt::black, 60, 60);
    OriginationSchedule& o = settings_.originationSchedule;
    RestoreOnCancel(o);
    QWidget* previous = nullptr;
    // The bands begin 45 twips left of the design's so that their captions keep
    // their room beside the bands' indent; the rate cell is wider by as much.
    for (int k = 1; k <= OriginationSchedule::rows; ++k) {
        const int top = 240 + (k - 1) * 360;  // rows at 600 .. 2040 in the window
        const QString n = QString::number(3 * k - 2), m = QString::number(3 * k - 1),
                      r = QString::number(3 * k);
        WhiteOn(kDarkPurple, AddLabel(panel, "", "Loan Amount From  ", Twips(195, top, 1785, 285)));
        QLineEdit* from =
            LiveCell(panel, "Text" + n, Twips(2040, top, 855, 285), o.amountFrom[k], 1);
        WhiteOn(kDarkPurple, AddLabel(panel, "", "To Loan Amount ", Twips(3075, top, 1485, 285)));
        QLineEdit* to = LiveCell(panel, "Text" + m, Twips(4680, top, 855, 285), o.amountTo[k], 1);
        WhiteOn(kDarkPurple,
                AddLabel(panel, "", "Loan Origination Fee =", Twips(5595, top, 2025, 285)));
        QLineEdit* rate =
            LiveCell(panel, "Text" + r, Twips(7650, top, 765, 285), o.feeRate[k], 0.01);
        WhiteOn(kDarkPurple,
                AddLabel(panel, "", "%", Twips(8430, top, 225, 285)));  // after the cell
        {
            // Showing a value never changes it: the cells are filled quietly and only
            // an edited cell stores what was typed (the rate shows rounded to hundredths).
            const QSignalBlocker quietFrom(from), quietTo(to), quietRate(rate);
            from->setText(Plain(o.amountFrom[k]));
            to->setText(Plain(o.amountTo[k]));
            rate->setText(QString::fromStdString(
                FormatValue(static_cast<double>(o.feeRate[k]) * 100, "#.#0")));
        }
        for (QLineEdit* cell : {from, to, rate}) {
            if (previous) setTabOrder(previous, cell);
            previous = cell;
        }
    }
    AddOkCancel(this, 3840, [this] {
        SaveSettingsFile(this, DataFile::Origination, settings_);
        accept();
    });
    FinishControls(true, true);
    // The amounts are dollars and the fee a percentage of the loan.
    for (int k = 1; k <= 3 * OriginationSchedule::rows; ++k) {
        auto* cell = findChild<QLineEdit*>("Text" + QString::number(k));
        cell->setAccessibleName(cell->accessibleName() + (k % 3 == 0 ? ", percent" : ", dollars"));
    }
    findChild<QLineEdit*>("Text1")->setFocus();
}

namespace {

struct RatioRow {
    int top;
    const char* explanation;
    const char* cell;
    int cellTop;
    Single GuidelineRatios::*field;
    const char* spoken;  // the cell's name for screen readers: its ratio, band and unit
};

const RatioRow kRatioRows[] = {
    {2520,
     "FIRST QUALIFYING RATIO: Monthly mortgage payment may not exceed this maximum percentage of "
     "borrower's Gross "
     "Monthly Income.",
     "Text2", 2640, &GuidelineRatios::firstRatioUpTo90,
     "First qualifying ratio, loan-to-value between 80% and 90%, percent"},
    {3240,
     "SECOND QUALIFYING RATIO:  The monthly mortgage payment + monthly debt may not exceed this "
     "maximum percentage of "
     "borrower's monthly income.",
     "Text3", 3480, &GuidelineRatios::secondRatioUpTo90,
     "Second qualifying ratio, loan-to-value between 80% and 90%, percent"},
    {4440,
     "FIRST QUALIFYING RATIO: The monthly mortgage payment may not exceed this maximum percentage "
     "of borrower's Gross "
     "Monthly Income.",
     "Text5", 4680, &GuidelineRatios::firstRatioAbove90,
     "First qualifying ratio, loan-to-value between 90% and 95%, percent"},
    {5160,
     "SECOND QUALIFYING RATIO: The monthly mortgage payment + monthly debt may not exceed this "
     "maximum percentage of "
     "borrower's monthly income.",
     "Text4", 5400, &GuidelineRatios::secondRatioAbove90,
     "Second qualifying ratio, loan-to-value between 90% and 95%, percent"},
};

QLabel* Explanation(QWidget* parent, const QString& text, int top, int height) {
    // The band begins left of the design's so that its text keeps its room beside the indent.
    QLabel* label = WhiteOn(kDarkRed, AddLabel(parent, "", text, Twips(2955, top, 4740, height)));
    label->setWordWrap(true);
    return label;
}

}  // namespace

GuidelineEditor::GuidelineEditor(LenderSettings& settings, QWidget* parent)
    : Screen(parent, {"FanieMae",
                      "Change Fannie Mae Guideline Values",
                      {9330, 7005},
                      "RIGHT",
                      help_topic::kSchedules}),
      settings_(settings) {
    QFrame* note =
        AddPanel(this, "pnlNote", Twips(480, 240, 8400, 840), QColor(255, 255, 224), kNavy, 60, 60);
    AddLabel(note, "lblNote",
             "NOTE: Qualifying ratios have remained the same for many years (they do not change "
             "often).  However, "
             "just in case they do change we offer you the ability to change them here.",
             Twips(120, 60, 8160, 720))
        ->setWordWrap(true);
    BuildReferencePanel();

    const GuidelineRatios& g = settings_.guidelineRatios;
    AddPanel(this, "pnlJumbo", Twips(2880, 1320, 4935, 840), Qt::black, Qt::black, 0, 0);
    const QLabel* jumbo =
        Explanation(this,
                    "Maximum loan amount before a mortgage is considered a \"jumbo loan\" (at "
                    "which point a slightly "
                    "higher interest rate is applied).",
                    1440, 600);
    AddLabel(this, "", "$", Twips(7860, 1560, 180, 285));
    QLineEdit* previous = AddCell(this, "Text1", Twips(8040, 1560, 975, 285));
    // Each box is named by what it holds, its band and its unit; its
    // explanation describes it (the window's note names none of them).
    previous->setAccessibleName("Jumbo loan limit, dollars");
    previous->setAccessibleDescription(jumbo->text());
    ShowValue(previous, QString::fromStdString(PlainNumber(g.jumboLimit)));
    for (int group = 0; group < 2; ++group) {
        const int top = group == 0 ? 2280 : 4200;
        AddPanel(this, QString("pnlRatios%1").arg(group + 1), Twips(2880, top - 120, 4935, 1920),
                 Qt::black, Qt::black, 0, 0);
        WhiteOn(Qt::black, AddLabel(this, "",
                                    group == 0 ? "   Where Loan-to-Value is between 80% and 90%"
                                               : "   Where Loan-to-Value is between 90% and 95%",
                                    Twips(3000, top, 4695, 240)));
    }
    for (const RatioRow& row : kRatioRows) {
        const QLabel* explanation = Explanation(this, row.explanation, row.top, 660);
        QLineEdit* cell = AddCell(this, row.cell, Twips(8040, row.cellTop, 975, 285));
        cell->setAccessibleName(row.spoken);
        cell->setAccessibleDescription(explanation->text());
        AddLabel(this, "", "%", Twips(9030, row.cellTop, 240, 285));
        ShowValue(cell, QString::fromStdString(PlainNumber(
                            static_cast<Single>(static_cast<double>(g.*row.field) * 100))));
        setTabOrder(previous, cell);
        previous = cell;
    }
    AddOkCancel(this, 6480, [this] { BtnOk_Click(); });
    FinishControls(true, true);
    findChild<QLineEdit*>("Text1")->setFocus();
}

void GuidelineEditor::BuildReferencePanel() {
    QFrame* panel = AddPanel(this, "pnlNonFannieMae", Twips(0, 1680, 2475, 4560),
                             QColor(128, 255, 255), Qt::black, 0, 0);
    SetColors(
        AddLabel(panel, "", "Non Fannie Mae Ratios", Twips(60, 60, 2355, 285), Qt::AlignCenter),
        kNavy);
    const std::vector<std::vector<const char*>> groups = {
        {"FHA", "First Ratio: 29%", "Second Ratio:  41%", "LTV Between 80% - 95%"},
        {"Community Home Buyers", "First Ratio:  33%", "Second Ratio:  38%",
         "LTV Between 80% - 95%"},
        {"Veteran's Administration", "Overall Ratio of 41%", "Based on residual income",
         "Cannot be computed using this program."}};
    int top = 480;
    for (const auto& lines : groups) {
        for (std::size_t i = 0; i < lines.size(); ++i) {
            // The last line is the longest: it has two lines' room, nothing stands below it.
            const bool last = &lines == &groups.back() && i + 1 == lines.size();
            QLabel* label =
                AddLabel(panel, "", lines[i], Twips(120, top, 2300, last ? 540 : 255),
                         last ? Qt::AlignLeft | Qt::AlignTop : Qt::AlignLeft | Qt::AlignVCenter);
            label->setWordWrap(last);
            SetColors(label, i == 0 ? kNavy : Qt::black);
            top += 255;
        }
        if (&lines == &groups.back()) break;  // lines stand between the groups
        auto* line = Place(new QFrame(panel), "", Twips(120, top + 60, 2235, 15));
        line->setFrameShape(QFrame::HLine);
        top += 240;
    }
}

void GuidelineEditor::BtnOk_Click() {
    GuidelineRatios& g = settings_.guidelineRatios;
    // A cell left as shown keeps the exact value it stands for.
    auto store = [this](const char* name, Single& field, double factor) {
        const auto* cell = findChild<QLineEdit*>(name);
        if (Edited(cell)) StoreNumber(field, LeadingNumber(cell->text().toStdString()) * factor);
    };
    store("Text1", g.jumboLimit, 1);
    for (const RatioRow& row : kRatioRows) store(row.cell, g.*row.field, 0.01);
    SaveSettingsFile(this, DataFile::Guidelines, settings_);
    accept();
}

}  // namespace dovanel
