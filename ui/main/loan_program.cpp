// The mortgage type's "Program..." button: while an FHA, VA or USDA type is
// chosen it stands at the right end of the type's list (which gives it room)
// and opens the scenario's choices for the program (the registration puts the
// window behind it); for every other type the row is the list alone.
#include <QComboBox>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <algorithm>

#include "engine/model.h"
#include "shell/form.h"
#include "shell/platform.h"
#include "ui/main/main_window.h"

namespace dovanel {

namespace {

constexpr int kProgramButtonGap = 30;     // twips between the list and the button
constexpr int kProgramButtonWidth = 900;  // twips, until the list's font decides it

// The narrowest the list may be: its longest choice's text, with the list's
// frame and arrow.
int NarrowestList(QComboBox* list) {
    QStyleOptionComboBox option;
    option.initFrom(list);
    const QRect field = list->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                      QStyle::SC_ComboBoxEditField, list);
    int text = 0;
    for (int i = 0; i < list->count(); ++i)
        text = std::max(text, list->fontMetrics().horizontalAdvance(list->itemText(i)));
    return text + 4 + list->width() - field.width();
}

}  // namespace

void MainWindow::AddLoanProgramButton(QWidget* block) {
    // At the list's right end from the start, clear of the "i" button's target.
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

// The button shows for a government-backed type, at the right end of the
// list's designed place; the list gives it that room only then.
void MainWindow::ShowLoanProgram() {
    const bool government =
        GovernmentProgramOf(model_->loanData.mortgageTypeName) != GovernmentProgram::kNone;
    const QRect wide(cmboMortgageType_->pos(),
                     QSize(program_->geometry().right() + 1 - cmboMortgageType_->x(),
                           cmboMortgageType_->height()));
    cmboMortgageType_->setGeometry(wide);
    if (!government) {
        if (program_->hasFocus()) cmboMortgageType_->setFocus(Qt::OtherFocusReason);
        program_->hide();
        return;
    }
    cmboMortgageType_->ensurePolished();
    const int list = NarrowestList(cmboMortgageType_);
    cmboMortgageType_->setGeometry(QRect(wide.topLeft(), QSize(list, wide.height())));
    const int left = wide.left() + list + TwipsToPixels(kProgramButtonGap);
    program_->setGeometry(left, wide.top(), wide.right() + 1 - left, wide.height());
    program_->show();
}

void MainWindow::SetLoanProgramOpening(std::function<void(GovernmentProgram)> open) {
    openLoanProgram_ = std::move(open);
}

// As a menu's screen: when it closes, the window refreshes as its activation does.
void MainWindow::OpenLoanProgram() {
    const GovernmentProgram program = GovernmentProgramOf(model_->loanData.mortgageTypeName);
    if (program == GovernmentProgram::kNone || !openLoanProgram_) return;
    openLoanProgram_(program);
    if (isVisible()) {
        activateWindow();
        Form_Activate();
    }
}

}  // namespace dovanel
