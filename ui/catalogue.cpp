#include "ui/catalogue.h"

#include <QAbstractSpinBox>
#include <QLineEdit>

#include "shell/about_box.h"
#include "shell/quick_start.h"
#include "shell/typing_limit.h"
#include "ui/afford/afford_window.h"
#include "ui/amortization/amortization_windows.h"
#include "ui/editors/fee_table_editor.h"
#include "ui/editors/origination_editor.h"
#include "ui/editors/pmi_editor.h"
#include "ui/estimate/estimate_screen.h"
#include "ui/estimate/values_editor.h"
#include "ui/income/debt_summary.h"
#include "ui/income/income_screens.h"
#include "ui/main/main_window.h"
#include "ui/planner/planner.h"

namespace dovanel {

namespace {

template <typename W, typename... Args>
WindowEntry Entry(const char* name, Args... args) {
    return {name, [args...](Model& m) -> std::unique_ptr<QWidget> {
                return std::make_unique<W>(m, args...);
            }};
}

// Loaded, and refreshed as its first activation refreshes it (the income and
// debt frames show their amounts).
std::unique_ptr<MainWindow> ActivatedMainWindow(Model& model) {
    auto window = std::make_unique<MainWindow>(model);
    window->FormLoad();
    window->Refresh();
    return window;
}

std::unique_ptr<QWidget> LoadedMainWindow(Model& model) {
    return ActivatedMainWindow(model);
}

std::unique_ptr<QWidget> FeeEditor(FeeTableEditor::Kind kind, Model& model) {
    return std::make_unique<FeeTableEditor>(kind, model);
}

// The main window with every red flag raised and the hint below them.
std::unique_ptr<QWidget> WithFlags(Model& model) {
    auto window = ActivatedMainWindow(model);
    model.loanData.monthlyIncome = 9000;
    model.loanData.monthlyDebt = 2500;
    const std::pair<const char*, const char*> inputs[] = {
        {"Text1", "950000"}, {"Text2", "5"}, {"Text5", "900"}, {"Text6", "24000"}};
    for (const auto& [box, text] : inputs) window->findChild<QLineEdit*>(box)->setText(text);
    window->Refresh();  // as the window's next activation shows the new income and debt
    return window;
}

// The affordability window with an answer: an income and some debts entered.
std::unique_ptr<QWidget> AffordAnswer(Model& model) {
    model.loanData.monthlyIncome = 9000;
    model.loanData.monthlyDebt = 600;
    return std::make_unique<AffordWindow>(model);
}

// The payoff planner with extras that pay the loan off before PMI would end.
std::unique_ptr<QWidget> PaidOffEarly(Model& model) {
    auto window = std::make_unique<Planner>(model);
    window->findChild<QLineEdit*>("txtExtraMonthly")->setText("5000");
    return window;
}

// The two pages of the income analysis belong together, as when the menu opens them.
std::unique_ptr<QWidget> IncomePages(Model& model, bool second) {
    auto* page2 = new IncomePage2(model);
    auto* page1 = new IncomePage1(model, *page2);
    if (second) {
        page1->setParent(page2, page1->windowFlags());
        page2->ShowYearCaptions();  // as its showing fills them in
        return std::unique_ptr<QWidget>(page2);
    }
    page2->setParent(page1, page2->windowFlags());
    return std::unique_ptr<QWidget>(page1);
}

}  // namespace

const std::vector<WindowEntry>& EveryWindow() {
    static const std::vector<WindowEntry> windows = {
        {"frmMain", LoadedMainWindow},
        {"frmMain-flags", WithFlags},
        Entry<EstimateScreen>("PrintScreen"),
        Entry<ValuesEditor>("Values"),
        Entry<PmiEditor>("PMI"),
        {"EscrowChange", [](Model& m) { return FeeEditor(FeeTableEditor::Kind::Escrow, m); }},
        {"TitleChange", [](Model& m) { return FeeEditor(FeeTableEditor::Kind::Title, m); }},
        Entry<OriginationEditor>("LoanO"),
        Entry<GuidelineEditor>("FanieMae"),
        {"Income", [](Model& m) { return IncomePages(m, false); }},
        {"Income2", [](Model& m) { return IncomePages(m, true); }},
        Entry<DebtSummaryScreen>("Debt1"),
        Entry<AmortizationWindow>("Amort"),
        Entry<PartialTermWindow>("PartTerm", QPoint(0, 0)),
        {"DateType",
         [](Model& m) -> std::unique_ptr<QWidget> {
             return std::make_unique<DateTypeDialog>(m.loanData, 2026);
         }},
        Entry<AffordWindow>("Afford"),
        {"Afford-answer", AffordAnswer},
        Entry<Planner>("Planner"),
        {"Planner-paid-off", PaidOffEarly},
        {"QuickStart",
         [](Model&) -> std::unique_ptr<QWidget> { return std::make_unique<QuickStart>(); }},
        {"frmAbout",
         [](Model&) -> std::unique_ptr<QWidget> { return std::make_unique<AboutBox>(); }},
        {"frmAbout-splash",
         [](Model&) -> std::unique_ptr<QWidget> {
             auto splash = std::make_unique<AboutBox>();
             splash->MakeSplash();
             return splash;
         }},
    };
    return windows;
}

void FillLongest(QWidget* window) {
    for (QLineEdit* box : window->findChildren<QLineEdit*>()) {
        if (!box->isVisibleTo(window) || !box->isEnabled()) continue;
        if (qobject_cast<QAbstractSpinBox*>(box->parent())) continue;  // its range limits it
        const bool number = box->alignment() & Qt::AlignRight;
        const int typingLimit = TypingLimit::MaxLengthOf(box);
        // A number box without a typing limit holds a single-precision number: its
        // longest whole value has seven digits (a longer one scrolls in its box).
        const int length = typingLimit > 0 ? typingLimit : number ? 7 : 40;
        box->setText(QString(length, number ? QChar('9') : QChar('W')));
    }
}

}  // namespace dovanel
