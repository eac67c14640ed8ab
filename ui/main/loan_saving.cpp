// The main window's loan data and MAIN.DAT: the mortgage type as loaded, File >
// Save, the question before the program ends, and the end of the desktop session.
#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QSessionManager>

#include "shell/app_context.h"
#include "shell/platform.h"
#include "shell/write_failure.h"
#include "ui/main/main_window.h"

namespace dovanel {

namespace {

const char kKeptForSave[] =
    "The loan data is kept in memory; choose Save again once the problem is solved.";
const char kKeptWhileOpen[] =
    "Retry tries again. Cancel keeps the program open with the loan data in memory.";

}  // namespace

// A loaded type name that is not in the list shows no entry while its loaded
// term and ARM flag stay in use; one differing only in letter case is that entry.
void MainWindow::ShowLoadedMortgageType() {
    const QString name = QString::fromStdString(model_.loanData.mortgageTypeName);
    int index = cmboMortgageType_->findText(name);
    if (index < 0) index = cmboMortgageType_->findText(name, Qt::MatchFixedString);
    const QSignalBlocker quiet(cmboMortgageType_);
    cmboMortgageType_->setCurrentIndex(index);
    if (index >= 0) cmboMortgageType_Click();
}

// A save that fails leaves File > Save enabled: the loan data is still unsaved.
// When the program is about to end, the user may try again or stay.
bool MainWindow::SaveLoan(bool ending) {
    const QString path = App().dataFolder + FileName(DataFile::Main);
    for (;;) {
        const WriteResult result = SaveLoanData(model_, App().dataFolder.toStdString());
        if (result) {
            actions_["MenuFileSave"]->setEnabled(false);
            return true;
        }
        if (!ending) {
            ReportWriteFailure(this, path, result, kKeptForSave);
            return false;
        }
        if (!AskRetryWrite(this, path, result, kKeptWhileOpen)) return false;
    }
}

void MainWindow::MenuFileSave_Click() {
    SaveLoan(false);
}

// The close box's question; false when the program should stay open.
bool MainWindow::AgreeToEnd(bool offerCancel) {
    if (endingAgreed_ || !actions_["MenuFileSave"]->isEnabled()) return true;
    MessageRequest question{
        "Save changes made to the Borrower's Loan Data?", "Save Changes", MsgIcon::Question,
        offerCancel ? MsgButtons::YesNoCancel : MsgButtons::YesNo, MsgAnswer::Yes};
    question.escapeAnswer = MsgAnswer::Cancel;  // No would throw the changes away: Escape goes back
    switch (ThePlatform().ShowMessage(this, question)) {
        case MsgAnswer::Yes:
            return SaveLoan(true);
        case MsgAnswer::No:
            return true;
        default:
            return false;
    }
}

void MainWindow::closeEvent(QCloseEvent* e) {
    if (!AgreeToEnd(false)) {
        e->ignore();
        return;
    }
    e->accept();
    QCoreApplication::quit();
}

// Every change of the loan data in this window makes it unsaved, unless the
// load was aborted: then the boxes do not show what memory holds, and saving
// could overwrite MAIN.DAT with zeros.
void MainWindow::MarkLoanDataChanged() {
    endingAgreed_ = false;
    if (!loadAborted_) actions_["MenuFileSave"]->setEnabled(true);
}

void MainWindow::BlockLoanSaving() {
    loadAborted_ = true;
    actions_["MenuFileSave"]->setEnabled(false);
}

// Where the session manager allows no questions, the session ends as it will.
bool MainWindow::CommitLoanData(bool mayAsk) {
    if (!mayAsk) return true;
    if (!AgreeToEnd(true)) return false;
    endingAgreed_ = true;  // the window's closing asks nothing more
    return true;
}

void MainWindow::WatchSessionEnd() {
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager& manager) {
        if (!actions_["MenuFileSave"]->isEnabled() || endingAgreed_) return;
        const bool mayAsk = manager.allowsInteraction();
        const bool end = CommitLoanData(mayAsk);
        if (mayAsk) manager.release();
        if (!end) manager.cancel();
    });
}

}  // namespace dovanel
