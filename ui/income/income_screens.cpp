#include "ui/income/income_screens.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <cmath>

#include "data/data_files.h"
#include "engine/format_value.h"
#include "shell/accessibility.h"
#include "shell/app_context.h"
#include "shell/help.h"
#include "shell/platform.h"
#include "shell/typing_limit.h"
#include "shell/write_failure.h"
#include "ui/document/scenario_store.h"

namespace dovanel {

namespace {

struct Line {
    int line;
    int page;
    int top;
    const char* caption;
    const char* cells[3];
};

const Line kLines[] = {
    {1, 1, 960, " 1.   Adjusted Gross Income", {"Text4", "Text5", "Text6"}},
    {2, 1, 1320, " 2.   Other Income", {"Text8", "Text20", "Text32"}},
    {3, 1, 1680, " 3.   Tax-Exempt Interest Income", {"Text9", "Text21", "Text33"}},
    {4, 1, 2040, " 4.    State Tax Refund", {"Text10", "Text22", "Text34"}},
    {5, 1, 2400, " 5.    Alimony Received (Nonrecurring)", {"Text11", "Text23", "Text35"}},
    {6, 1, 2760, " 6.    Nontaxable Pensions, Annuities", {"Text12", "Text24", "Text36"}},
    {7, 1, 3120, " 7.    Nonrecurring Unemployment Compensation", {"Text13", "Text25", "Text37"}},
    {8, 1, 3480, " 8.    Nontaxable Social Security", {"Text14", "Text26", "Text38"}},
    {9, 1, 3840, " 9.    Non Self-Employed Wages", {"Text15", "Text27", "Text39"}},
    {10, 1, 4200, "10.   Child Support Received (Recurring)", {"Text45", "Text44", "Text7"}},
    {11, 1, 4560, "11.   IRA / Keogh Contributions", {"Text16", "Text28", "Text40"}},
    {12, 1, 4920, "12.   Self-Employed Health Insurance Deduction", {"Text17", "Text29", "Text41"}},
    {13, 1, 5280, "13.   Alimony Paid (And Deducted on 1040)", {"Text18", "Text30", "Text42"}},
    {14, 1, 5880, " 1.   Unreimbursed Emplyee Expenses", {"Text19", "Text31", "Text43"}},
    {15, 2, 1200, " 1.   Unreimbursed Employee Expenses", {"Text43", "Text4", "Text5"}},
    {16, 2, 1560, " 2.   Automobile Depreciation", {"Text6", "Text7", "Text8"}},
    {17, 2, 2280, " 1.   Depletion", {"Text9", "Text10", "Text11"}},
    {18, 2, 2640, " 2.   Depreciation", {"Text12", "Text13", "Text14"}},
    {19,
     2,
     3000,
     " 3.   Travel, Meals and Entertainment Limitation",
     {"Text15", "Text16", "Text17"}},
    {20, 2, 3360, " 4.   Amortization (Other Expenses)", {"Text18", "Text19", "Text20"}},
    {21, 2, 4080, " 1.   Nonrecurring Capital Gains", {"Text21", "Text22", "Text23"}},
    {22, 2, 4440, " 2.   Nonrecurring Capital Losses", {"Text24", "Text25", "Text26"}},
    {23, 2, 5160, " 1.   Depreciation", {"Text27", "Text28", "Text29"}},
    {24, 2, 5520, " 2.   Depletion", {"Text30", "Text31", "Text32"}},
    {25, 2, 5880, " 3.   Unallowed Rental Loss", {"Text33", "Text34", "Text35"}},
};

struct Heading {
    int page;
    int top;
    const char* text;
};

const Heading kHeadings[] = {
    {1, 600, "A.  Personal Income, Form 1040"},
    {1, 5640, "B.  Schedule A:  Itemized Deductions"},
    {2, 840, "C.  Form 2106: Employee Business Deductions"},
    {2, 1920, "D.  Schedule C:  Profit Or Loss From Business"},
    {2, 3720, "E.  Schedule D:  Capital Gains and Losses"},
    {2, 4800, "F.  Schedule E:  Supplemental Income"},
};

const int kColumns[3] = {5640, 6840, 8040};

QString Plain(Single value) {
    return QString::fromStdString(PlainNumber(value));
}

// Whether every total of the analysis stays within a Single with `text` typed
// into line `line` of year `year`.
bool TotalsFit(const IncomeAnalysis& analysis, int line, int year, const QString& text) {
    const auto value = static_cast<Single>(LeadingNumber(text.toStdString()));
    if (!std::isfinite(value)) return false;
    IncomeAnalysis trial = analysis;
    trial.line[line][year] = value;
    ComputeIncomeAnalysis(trial);
    const Single sum = trial.yearIncome[1] + trial.yearIncome[2] + trial.yearIncome[3];
    return std::isfinite(sum) && std::isfinite(trial.yearIncome[1]) &&
           std::isfinite(trial.yearIncome[2]) && std::isfinite(trial.yearIncome[3]);
}

// The cells and captions of one page. Cells are filled quietly: showing a value
// must not change it.
QMap<int, QLineEdit*> BuildLineCells(QWidget* page, int pageNumber, Model& model) {
    QMap<int, QLineEdit*> cells;
    for (const Heading& h : kHeadings)
        if (h.page == pageNumber) AddLabel(page, "", h.text, Twips(360, h.top, 5000, 285));
    for (const Line& line : kLines) {
        if (line.page != pageNumber) continue;
        AddLabel(page, "", line.caption, Twips(720, line.top + 45, 4600, 285));
        AddLabel(page, "", IncomeLineSign(line.line) > 0 ? "+" : "-",
                 Twips(5400, line.top + 45, 200, 285));
        for (int y = 1; y <= 3; ++y) {
            QLineEdit* cell =
                AddCell(page, line.cells[y - 1], Twips(kColumns[y - 1], line.top, 1215, 375));
            // A longer value loaded from the file is shown whole; typing stops at 9
            // characters, and at a keystroke that would overflow a total.
            cell->setAccessibleName(CaptionName(line.caption) + QString(", year %1").arg(y));
            cell->setText(Plain(model.incomeAnalysis.line[line.line][y]));
            TypingLimit::Install(cell, 9,
                                 [&a = model.incomeAnalysis, l = line.line, y](const QString& t) {
                                     return TotalsFit(a, l, y, t);
                                 });
            Single& field = model.incomeAnalysis.line[line.line][y];
            QObject::connect(cell, &QLineEdit::textChanged, page, [&field](const QString& t) {
                StoreNumber(field, LeadingNumber(t.toStdString()));
            });
            cells[line.line * 10 + y] = cell;
        }
    }
    return cells;
}

}  // namespace

IncomePage1::IncomePage1(ScenarioDocument& document, IncomePage2& page2, QWidget* parent)
    : Screen(parent, {"Income",
                      "Income Analysis, Page 1 of 2",
                      {9495, 7245},
                      "RIGHT",
                      help_topic::kIncomeAnalysis}),
      document_(document),
      model_(document.model()),
      page2_(page2) {
    page2_.SetPage1(this);
    RestoreOnCancel(model_.incomeAnalysis);  // both pages edit it in place
    for (int y = 1; y <= 3; ++y) {
        QLineEdit* caption =
            AddCell(this, QString("Text%1").arg(y), Twips(kColumns[y - 1], 240, 1215, 315), false);
        caption->setAlignment(Qt::AlignCenter);
        caption->setAccessibleName(QString("Caption of year %1").arg(y));
        caption->setText(QString::fromStdString(model_.incomeAnalysis.yearLabel[y]));
        connect(caption, &QLineEdit::textChanged, this, [this, y](const QString& text) {
            model_.incomeAnalysis.yearLabel[y] = text.toStdString();
        });
    }
    BuildLines();
    QLabel* title = AddLabel(this, "Label3", "Monthly Average:", Twips(4200, 6300, 1800, 330));
    QFont bigger = title->font();
    bigger.setPointSizeF(9.75);
    title->setFont(bigger);
    monthlyAverage_ = AddLabel(this, "Label4", "", Twips(6000, 6300, 2400, 330));
    monthlyAverage_->setFont(bigger);

    auto* print = AddButton(this, "btnPrint", "&Print", Twips(360, 6780, 1095, 375));
    auto* ok = AddButton(this, "BtnOk", "&Ok", Twips(3600, 6780, 1095, 375));
    auto* cancel = AddButton(this, "BtnCancel", "&Cancel", Twips(4800, 6780, 1095, 375));
    auto* next = AddButton(this, "Command1", "Page &2   >>", Twips(7920, 6780, 1335, 375));
    connect(print, &QPushButton::clicked, this, &IncomePage1::printRequested);
    connect(ok, &QPushButton::clicked, this, [this] { BtnOk_Click(); });
    connect(cancel, &QPushButton::clicked, this, [this] {
        page2_.hide();
        reject();
    });
    connect(next, &QPushButton::clicked, this, [this] { ShowPage2(); });
    FinishControls(true, true);
    Cell(1, 1)->setFocus();
    Compute();
}

void IncomePage1::BuildLines() {
    cells_ = BuildLineCells(this, 1, model_);
    for (QLineEdit* cell : cells_)
        connect(cell, &QLineEdit::textChanged, this, [this] { Compute(); });
}

void IncomePage1::Compute() {
    const IncomeDisplay shown = ComputeIncomeAnalysis(model_.incomeAnalysis);
    monthlyAverage_->setText(QString::fromStdString(shown.averageMonthlyIncome));
    page2_.ShowResults(shown);
}

void IncomePage1::ShowPage2() {
    Compute();
    page2_.move(pos() + QPoint(TwipsToPixels(150), TwipsToPixels(500)));
    page2_.Cell(15, 1)->setFocus();
    page2_.exec();
}

void IncomePage1::BtnOk_Click() {
    model_.loanData.monthlyIncome = ConfirmedMonthlyIncome(model_.incomeAnalysis);
    ConfirmScenarioPart(this, document_, DataFile::Income);
    page2_.hide();
    accept();
}

IncomePage2::IncomePage2(ScenarioDocument& document, QWidget* parent)
    : Screen(parent, ScreenDesign("Income2", "Income Analysis, Page 2 of 2", {9495, 6900}, "",
                                  help_topic::kIncomeAnalysis)
                         .Arriving(Effect::None, "")
                         .Leaving(Effect::None, "")),
      model_(document.model()) {
    auto* back = AddButton(this, "Command1", "<<  Page &1", Twips(120, 120, 1335, 375));
    connect(back, &QPushButton::clicked, this, [this] {
        hide();
        if (page1_) page1_->Cell(1, 1)->setFocus();
    });
    frame1_ = Place(new QGroupBox(this), "Frame1", Twips(3000, 60, 2400, 600));
    auto* frame2 =
        Place(new QGroupBox("Monthly Average", this), "Frame2", Twips(5640, 60, 2400, 600));
    labels_["Label1_16"] =
        AddLabel(frame1_, "Label1_16", "", Twips(120, 240, 2160, 285), Qt::AlignCenter);
    labels_["Label1_20"] =
        AddLabel(frame2, "Label1_20", "", Twips(120, 240, 2160, 285), Qt::AlignCenter);
    KeepRowsInside(frame2);
    for (int y = 1; y <= 3; ++y) {
        const QString name = QString("Label1_%1").arg(20 + y);
        labels_[name] =
            AddLabel(this, name, "", Twips(kColumns[y - 1], 720, 1200, 285), Qt::AlignCenter);
        const QString total = QString("Label1_%1").arg(16 + y);
        // A column's width apart: the labels end where the next column begins.
        labels_[total] = AddLabel(this, total, "", Twips(kColumns[y - 1], 6360, 1200, 285),
                                  Qt::AlignRight | Qt::AlignVCenter);
    }
    QLabel* allowable =
        AddLabel(this, "", "Allowable Income Per Year", Twips(720, 6360, 4600, 285));
    cells_ = BuildLineCells(this, 2, model_);
    // The first cell recomputes on every change; the others on the key's release.
    connect(cells_[15 * 10 + 1], &QLineEdit::textChanged, this, [this] {
        if (page1_) page1_->Compute();
    });
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);
    FinishControls(false, false);
    NameValuesForReaders(allowable);
}

// The year captions and totals are read by their year, as page 1's boxes are;
// the averages by their frames' titles.
void IncomePage2::NameValuesForReaders(const QLabel* allowable) {
    for (int y = 1; y <= 3; ++y) {
        NameValueLabel(labels_[QString("Label1_%1").arg(20 + y)],
                       [y] { return QString("Caption of year %1").arg(y); });
        NameValueLabel(labels_[QString("Label1_%1").arg(16 + y)], allowable,
                       {QString("year %1:").arg(y), ""});
    }
    NameValueLabel(labels_["Label1_16"], [frame = QPointer<QGroupBox>(frame1_)] {
        return frame ? frame->title() : QString();
    });
    NameValueLabel(labels_["Label1_20"], [] { return QString("Monthly Average"); });
}

void IncomePage2::ShowResults(const IncomeDisplay& shown) {
    for (int y = 1; y <= 3; ++y)
        labels_[QString("Label1_%1").arg(16 + y)]->setText(
            QString::fromStdString(shown.yearIncome[y]));
    frame1_->setTitle(QString::fromStdString(shown.averageFrameCaption));
    KeepRowsInside(frame1_);  // the title takes its room only now
    labels_["Label1_16"]->setText(QString::fromStdString(shown.averageYearIncome));
    labels_["Label1_20"]->setText(QString::fromStdString(shown.averageMonthlyIncome));
}

void IncomePage2::ShowYearCaptions() {
    for (int y = 1; y <= 3; ++y)
        labels_[QString("Label1_%1").arg(20 + y)]->setText(
            QString::fromStdString(model_.incomeAnalysis.yearLabel[y]));
}

void IncomePage2::showEvent(QShowEvent* event) {
    Screen::showEvent(event);
    ShowYearCaptions();
}

// The window sees every key release, whichever control has the focus.
bool IncomePage2::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyRelease && page1_) page1_->Compute();
    return Screen::eventFilter(watched, event);
}

}  // namespace dovanel
