#include "ui/screens.h"

#include "ui/afford/afford_window.h"
#include "ui/amortization/amortization_report.h"
#include "ui/amortization/amortization_windows.h"
#include "ui/editors/fee_table_editor.h"
#include "ui/editors/origination_editor.h"
#include "ui/editors/pmi_editor.h"
#include "ui/estimate/estimate_report.h"
#include "ui/estimate/estimate_screen.h"
#include "ui/estimate/values_editor.h"
#include "ui/income/debt_summary.h"
#include "ui/income/income_reports.h"
#include "ui/income/income_screens.h"
#include "ui/main/main_window.h"
#include "ui/planner/planner.h"

namespace dovanel {

namespace {

// Shows a screen modally; its "&Print" button prints `print` of the model.
template <typename Window, typename Print>
void ShowPrintable(Window& window, const Model& model, Print print) {
    QObject::connect(&window, &Window::printRequested, &window,
                     [&window, &model, print] { print(model, &window); });
    window.exec();
}

}  // namespace

// Every screen opens modally and without an owner; when it closes, the main
// window's activation brings the results up to date.
void RegisterScreens(MainWindow& window, Model& model) {
    Model* m = &model;
    MainWindow* main = &window;
    window.SetMenuAction("mnuFileViewItem", [m] {
        EstimateScreen screen(*m);
        ShowPrintable(screen, *m, PrintEstimate);
    });
    // Print the estimate straight away: the screen opens, prints and closes.
    window.SetMenuAction("MenuFilePrint", [m] {
        EstimateScreen screen(*m);
        screen.show();
        PrintEstimate(*m, &screen);
        screen.close();
    });
    window.SetMenuAction("mnuFileValues1", [m] { ValuesEditor(*m).exec(); });
    window.SetMenuAction("mnuFileValues4", [m] { PmiEditor(*m).exec(); });
    window.SetMenuAction("mnuFileValues3",
                         [m] { FeeTableEditor(FeeTableEditor::Kind::Escrow, *m).exec(); });
    window.SetMenuAction("mnuFileValues2",
                         [m] { FeeTableEditor(FeeTableEditor::Kind::Title, *m).exec(); });
    window.SetMenuAction("mnuFileValues5", [m] { OriginationEditor(*m).exec(); });
    window.SetMenuAction("mnuFanMae", [m] { GuidelineEditor(*m).exec(); });
    window.SetMenuAction("mnuIncome2", [m] {
        IncomePage2 page2(*m);
        IncomePage1 page1(*m, page2);
        ShowPrintable(page1, *m, PrintIncomeAnalysis);
    });
    window.SetMenuAction("mnuDebt2", [m] {
        DebtSummaryScreen screen(*m);
        ShowPrintable(screen, *m, PrintDebtSummary);
    });
    window.SetMenuAction("mnuAmortize2", [m] {
        AmortizationWindow amort(*m);
        ShowPrintable(amort, *m, PrintAmortization);
    });
    window.SetMenuAction("mnuPlanner", [m] { Planner(*m).exec(); });
    window.SetMenuAction("mnuAmortize4", [m, main] { PartialTermWindow(*m, main->pos()).exec(); });
    window.SetMenuAction("mnuAfford", [m, main] { ShowAfford(*m, main); });
}

}  // namespace dovanel
