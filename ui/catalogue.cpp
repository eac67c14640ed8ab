#include "ui/catalogue.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLineEdit>

#include "shell/app_context.h"
#include "shell/typing_limit.h"
#include "ui/about/about_box.h"
#include "ui/about/update_check.h"
#include "ui/afford/afford_window.h"
#include "ui/amortization/amortization_windows.h"
#include "ui/compare/compare_window.h"
#include "ui/document/scenario_document.h"
#include "ui/editors/fee_table_editor.h"
#include "ui/editors/gov_tables_editor.h"
#include "ui/editors/lender_info_editor.h"
#include "ui/editors/origination_editor.h"
#include "ui/editors/pmi_editor.h"
#include "ui/estimate/estimate_report.h"
#include "ui/estimate/estimate_screen.h"
#include "ui/estimate/loan_estimate_window.h"
#include "ui/estimate/values_editor.h"
#include "ui/help/quick_start.h"
#include "ui/income/debt_summary.h"
#include "ui/income/income_reports.h"
#include "ui/income/income_screens.h"
#include "ui/main/main_window.h"
#include "ui/planner/planner.h"
#include "ui/printing/amortization_report.h"
#include "ui/properties/scenario_properties.h"

namespace dovanel {

namespace {

using MakeWindow = std::function<std::unique_ptr<QWidget>(WindowSubject&)>;
using OpenWindow = std::function<void(ScenarioDocument&, MainWindow&)>;

// A document over the model that goes when `window` goes.
template <typename W>
std::unique_ptr<W> WithDocument(std::unique_ptr<ScenarioDocument> document,
                                std::unique_ptr<W> window) {
    document->setParent(window.get());
    document.release();
    return window;
}

// A window made over the model alone.
template <typename W>
MakeWindow Make() {
    return [](WindowSubject& m) -> std::unique_ptr<QWidget> { return std::make_unique<W>(m); };
}

// A window made over a document of the model.
template <typename W>
MakeWindow MakeOnDocument() {
    return [](WindowSubject& m) -> std::unique_ptr<QWidget> {
        auto document = std::make_unique<ScenarioDocument>(m);
        auto window = std::make_unique<W>(*document);
        return WithDocument(std::move(document), std::move(window));
    };
}

// Opens a window over the document's model, modally.
template <typename W>
OpenWindow Exec() {
    return [](ScenarioDocument& d, MainWindow&) { W(d.model()).exec(); };
}

// Opens a window over the document, modally.
template <typename W>
OpenWindow ExecOnDocument() {
    return [](ScenarioDocument& d, MainWindow&) { W(d).exec(); };
}

// Opens a settings editor modally; the documents learn of its changes.
template <typename W>
OpenWindow EditSettings() {
    return [](ScenarioDocument& d, MainWindow&) {
        W(d.settings()).exec();
        d.SettingsChanged();
    };
}

// Shows a screen modally; its "&Print" button prints `print` of the model.
template <typename Window, typename Print>
void ShowPrintable(Window& window, const Model& model, Print print) {
    QObject::connect(&window, &Window::printRequested, &window,
                     [&window, &model, print] { print(model, &window); });
    window.exec();
}

// Loaded, and refreshed as its first activation refreshes it (the income and
// debt frames show their amounts).
std::unique_ptr<MainWindow> ActivatedMainWindow(Model& model) {
    auto document = std::make_unique<ScenarioDocument>(model);
    auto main = std::make_unique<MainWindow>(*document);
    auto window = WithDocument(std::move(document), std::move(main));
    window->FormLoad();
    window->Refresh();
    return window;
}

std::unique_ptr<QWidget> LoadedMainWindow(Model& model) {
    return ActivatedMainWindow(model);
}

MakeWindow FeeEditor(FeeTableEditor::Kind kind) {
    return [kind](Model& m) -> std::unique_ptr<QWidget> {
        return std::make_unique<FeeTableEditor>(kind, m);
    };
}

OpenWindow OpenFeeEditor(FeeTableEditor::Kind kind) {
    return [kind](ScenarioDocument& d, MainWindow&) {
        FeeTableEditor(kind, d.settings()).exec();
        d.SettingsChanged();
    };
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

// The main window with a government-backed type chosen, its "Program..." button shown.
std::unique_ptr<QWidget> WithGovernmentType(Model& model) {
    auto window = ActivatedMainWindow(model);
    window->findChild<QComboBox*>("cmboMortgageType")->setCurrentText(kGovernmentMortgageTypes[2]);
    return window;
}

void ShowEstimate(ScenarioDocument& d, MainWindow&) {
    EstimateScreen screen(d.model());
    ShowPrintable(screen, d.model(), PrintEstimate);
}

// Print the estimate straight away: the screen opens, prints and closes.
void PrintEstimateAtOnce(ScenarioDocument& d, MainWindow&) {
    EstimateScreen screen(d.model());
    screen.show();
    PrintEstimate(d.model(), &screen);
    screen.close();
}

// The two pages of the income analysis belong together, as when the menu opens them.
std::unique_ptr<QWidget> IncomePages(Model& model, bool second) {
    auto document = std::make_unique<ScenarioDocument>(model);
    auto* page2 = new IncomePage2(*document);
    auto* page1 = new IncomePage1(*document, *page2);
    if (second) {
        page1->setParent(page2, page1->windowFlags());
        page2->ShowYearCaptions();  // as its showing fills them in
        return WithDocument(std::move(document), std::unique_ptr<QWidget>(page2));
    }
    page2->setParent(page1, page2->windowFlags());
    return WithDocument(std::move(document), std::unique_ptr<QWidget>(page1));
}

void ShowIncome(ScenarioDocument& d, MainWindow&) {
    IncomePage2 page2(d);
    IncomePage1 page1(d, page2);
    ShowPrintable(page1, d.model(), PrintIncomeAnalysis);
}

void ShowDebt(ScenarioDocument& d, MainWindow&) {
    DebtSummaryScreen screen(d);
    ShowPrintable(screen, d.model(), PrintDebtSummary);
}

void ShowAmortization(ScenarioDocument& d, MainWindow&) {
    AmortizationWindow amort(d.model());
    ShowPrintable(amort, d.model(), PrintAmortization);
}

// The comparison over a document borrowing the model; a window made for
// looking at keeps no comparison.
std::unique_ptr<QWidget> CompareOver(Model& model) {
    auto* document = new ScenarioDocument(model);
    auto window = std::make_unique<Compare>(*document, QString());
    document->setParent(window.get());
    return window;
}

void ShowCompare(ScenarioDocument& document, MainWindow& main) {
    const QString folder = App().dataFolder;
    Compare(document, folder.isEmpty() ? QString() : folder + "COMPS.DAT", &main).exec();
}

// The affordability window with an answer: an income and some debts entered.
std::unique_ptr<QWidget> AffordAnswer(Model& model) {
    model.loanData.monthlyIncome = 9000;
    model.loanData.monthlyDebt = 600;
    return MakeOnDocument<AffordWindow>()(model);
}

// The payoff planner with extras that pay the loan off before PMI would end.
std::unique_ptr<QWidget> PaidOffEarly(Model& model) {
    auto window = std::make_unique<Planner>(model);
    window->findChild<QLineEdit*>("txtExtraMonthly")->setText("5000");
    return window;
}

// The updater ends the program: unsaved loan data is asked about first.
std::function<bool()> ReadyToEnd(MainWindow& main) {
    return [&main] { return main.AgreeToEnd(true); };
}

}  // namespace

// Every screen opens modally and without an owner (Quick Start and the about
// box over the main window); when it closes, the main window's activation
// brings the results up to date.
const std::vector<WindowEntry>& EveryWindow() {
    using Kind = FeeTableEditor::Kind;
    static const std::vector<WindowEntry> windows = {
        {"frmMain", LoadedMainWindow},
        {"frmMain-flags", WithFlags},
        {"frmMain-government", WithGovernmentType},
        {"PrintScreen",
         Make<EstimateScreen>(),
         {{"mnuFileViewItem", ShowEstimate}, {"MenuFilePrint", PrintEstimateAtOnce}},
         "BtnOk"},
        {"Values",
         Make<ValuesEditor>(),
         {{"mnuFileValues1", EditSettings<ValuesEditor>()}},
         "Text11",
         DataFile::Estimate},
        {"PMI",
         Make<PmiEditor>(),
         {{"mnuFileValues4", EditSettings<PmiEditor>()}},
         "Text1",
         DataFile::Pmi},
        {"EscrowChange",
         FeeEditor(Kind::Escrow),
         {{"mnuFileValues3", OpenFeeEditor(Kind::Escrow)}},
         "Text1",
         DataFile::Escrow},
        {"TitleChange",
         FeeEditor(Kind::Title),
         {{"mnuFileValues2", OpenFeeEditor(Kind::Title)}},
         "Text2",
         DataFile::Title},
        {"LoanO",
         Make<OriginationEditor>(),
         {{"mnuFileValues5", EditSettings<OriginationEditor>()}},
         "Text1",
         DataFile::Origination},
        {"FanieMae",
         Make<GuidelineEditor>(),
         {{"mnuFanMae", EditSettings<GuidelineEditor>()}},
         "Text1",
         DataFile::Guidelines},
        {"GovTables",
         Make<GovTablesEditor>(),
         {{"mnuGovTables", EditSettings<GovTablesEditor>()}},
         "txtYear"},
        {"LenderInfo",
         Make<LenderInfoEditor>(),
         {{"mnuLenderInformation", EditSettings<LenderInfoEditor>()}},
         "txtLenderName"},
        {"Income",
         [](Model& m) { return IncomePages(m, false); },
         {{"mnuIncome2", ShowIncome}},
         {},
         DataFile::Income},
        {"Income2", [](Model& m) { return IncomePages(m, true); }},
        {"Debt1",
         MakeOnDocument<DebtSummaryScreen>(),
         {{"mnuDebt2", ShowDebt}},
         "Text1_0",
         DataFile::Debt},
        {"Amort", Make<AmortizationWindow>(), {{"mnuAmortize2", ShowAmortization}}, "List1"},
        {"PartTerm",
         [](Model& m) -> std::unique_ptr<QWidget> {
             return std::make_unique<PartialTermWindow>(m, QPoint(0, 0));
         },
         {{"mnuAmortize4",
           [](ScenarioDocument& d, MainWindow& main) {
               PartialTermWindow(d.model(), main.pos()).exec();
           }}},
         "VScroll2"},
        {"DateType",
         [](Model& m) -> std::unique_ptr<QWidget> {
             return std::make_unique<DateTypeDialog>(m.loanData, 2026);
         },
         {},
         "Option2"},
        {"Afford",
         MakeOnDocument<AffordWindow>(),
         {{"mnuAfford", [](ScenarioDocument& d, MainWindow& main) { ShowAfford(d, &main); }}},
         "txtCash"},
        {"Afford-answer", AffordAnswer},
        {"LoanEstimate",
         MakeOnDocument<LoanEstimateWindow>(),
         {{"mnuLoanEstimate", ExecOnDocument<LoanEstimateWindow>()}},
         "dateClosing"},
        {"Planner", Make<Planner>(), {{"mnuPlanner", Exec<Planner>()}}, "txtExtraMonthly"},
        {"Planner-paid-off", PaidOffEarly},
        {"ScenarioProperties",
         MakeOnDocument<ScenarioProperties>(),
         {{"MenuFileProperties", ExecOnDocument<ScenarioProperties>()}},
         "txtScenarioName"},
        {"Compare", CompareOver, {{"mnuMortgageComparisons", ShowCompare}}, "tblCompare"},
        {"QuickStart",
         [](Model&) -> std::unique_ptr<QWidget> { return std::make_unique<QuickStart>(); },
         {{"MenuHelpShowQuickStart",
           [](ScenarioDocument&, MainWindow& main) { QuickStart(&main).exec(); }}},
         "btnCloseWindow"},
        {"frmAbout",
         [](Model&) -> std::unique_ptr<QWidget> { return std::make_unique<AboutBox>(); },
         {{"MenuFileAbout",
           [](ScenarioDocument&, MainWindow& main) { AboutBox(&main, ReadyToEnd(main)).exec(); }},
          {"MenuCheckForUpdates",
           [](ScenarioDocument&, MainWindow& main) { CheckForUpdates(&main, ReadyToEnd(main)); }}},
         "BtnOk"},
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
