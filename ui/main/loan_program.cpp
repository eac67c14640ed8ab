// The mortgage type's "Program..." button: while an FHA, VA or USDA type is
// chosen it stands at the right end of the type's list (which gives it room)
// and opens the scenario's choices for the program; for every other type the
// row is the list alone.
#include <QComboBox>
#include <QPushButton>

#include "engine/model.h"
#include "shell/form.h"
#include "shell/platform.h"
#include "ui/main/main_window.h"
#include "ui/properties/scenario_properties.h"

namespace dovanel {

namespace {

constexpr int kProgramButtonWidth = 1050;  // twips
constexpr int kProgramButtonGap = 60;

}  // namespace

void MainWindow::AddLoanProgramButton(QWidget* block) {
    const QRect wide = cmboMortgageType_->geometry();
    const int width = TwipsToPixels(kProgramButtonWidth);
    program_ = AddButton(block, "cmdLoanProgram", "Pro&gram...",
                         {wide.right() + 1 - width, wide.top(), width, wide.height()});
    program_->setAutoDefault(false);
    program_->setAccessibleName("Open the FHA, VA or USDA loan choices");
    program_->setWhatsThis(
        "Opens the scenario's choices for its government-backed loan: the VA use, whether the "
        "upfront premium or fee is financed, and the county's FHA limit.");
    program_->hide();
    program_->installEventFilter(this);  // Enter presses it, as Space does
    connect(program_, &QPushButton::clicked, this, [this] { OpenLoanProgram(); });
}

// The button shows for a government-backed type; the list gives it room only then.
void MainWindow::ShowLoanProgram() {
    const bool government =
        GovernmentProgramOf(model_->loanData.mortgageTypeName) != GovernmentProgram::kNone;
    const QRect wide(cmboMortgageType_->pos(),
                     QSize(program_->geometry().right() + 1 - cmboMortgageType_->x(),
                           cmboMortgageType_->height()));
    const int room = government ? program_->width() + TwipsToPixels(kProgramButtonGap) : 0;
    cmboMortgageType_->setGeometry(wide.adjusted(0, 0, -room, 0));
    if (!government && program_->hasFocus()) cmboMortgageType_->setFocus(Qt::OtherFocusReason);
    program_->setVisible(government);
}

// As a menu's screen: when it closes, the window refreshes as its activation does.
void MainWindow::OpenLoanProgram() {
    const GovernmentProgram program = GovernmentProgramOf(model_->loanData.mortgageTypeName);
    if (program == GovernmentProgram::kNone) return;
    {
        ScenarioProperties properties(*document_);
        properties.FocusChoiceOf(program);
        properties.exec();
    }
    if (isVisible()) {
        activateWindow();
        Form_Activate();
    }
}

}  // namespace dovanel
