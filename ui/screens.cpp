#include "ui/screens.h"

#include "ui/amortization/amortization_windows.h"
#include "ui/editors/fee_table_editor.h"
#include "ui/editors/origination_editor.h"
#include "ui/editors/pmi_editor.h"
#include "ui/estimate/estimate_screen.h"
#include "ui/estimate/values_editor.h"
#include "ui/income/debt_summary.h"
#include "ui/income/income_screens.h"
#include "ui/main/main_window.h"

namespace dovanel {

// Every screen opens modally and without an owner; when it closes, the main
// window's activation brings the results up to date.
void RegisterScreens(MainWindow& window, Model& model) {
    Model* m = &model;
    window.SetMenuAction("mnuFileViewItem", [m] { EstimateScreen(*m).exec(); });
    window.SetMenuAction("mnuFileValues1", [m] { ValuesEditor(*m).exec(); });
    window.SetMenuAction("mnuFileValues4", [m] { PmiEditor(*m).exec(); });
    window.SetMenuAction("mnuFileValues3",
                         [m] { FeeTableEditor(FeeTableEditor::Kind::Escrow, *m).exec(); });
    window.SetMenuAction("mnuFileValues2",
                         [m] { FeeTableEditor(FeeTableEditor::Kind::Title, *m).exec(); });
    window.SetMenuAction("mnuFileValues5", [m] { OriginationEditor(*m).exec(); });
    window.SetMenuAction("mnuFanMae", [m] { GuidelineEditor(*m).exec(); });
    window.SetMenuAction("mnuIncome2", [m] { OpenIncomeAnalysis(*m); });
    window.SetMenuAction("mnuDebt2", [m] { DebtSummaryScreen(*m).exec(); });
    window.SetMenuAction("mnuAmortize2", [m] { AmortizationWindow(*m).exec(); });
    MainWindow* w = &window;
    window.SetMenuAction("mnuAmortize4", [m, w] { PartialTermWindow(*m, w->pos()).exec(); });
}

}  // namespace dovanel
