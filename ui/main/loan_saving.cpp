// The main window's document and its saving: the mortgage type as loaded, File >
// Save, the questions before the document is replaced or the program ends, and
// the end of the desktop session.
#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QSessionManager>

#include "shell/platform.h"
#include "ui/document/scenario_store.h"
#include "ui/main/main_window.h"

namespace dovanel {

// A loaded type name that is not in the list shows no entry while its loaded
// term and ARM flag stay in use; one differing only in letter case is that entry.
void MainWindow::ShowLoadedMortgageType() {
    const QString name = QString::fromStdString(model_->loanData.mortgageTypeName);
    int index = cmboMortgageType_->findText(name);
    if (index < 0) index = cmboMortgageType_->findText(name, Qt::MatchFixedString);
    const QSignalBlocker quiet(cmboMortgageType_);
    cmboMortgageType_->setCurrentIndex(index);
    if (index >= 0) cmboMortgageType_Click();
    ShowLoanProgram();
}

// The title names the document (the default loan keeps the program's name) and
// marks unsaved changes; File > Save is on exactly while there are some.
void MainWindow::FollowDocument() {
    for (const QMetaObject::Connection& c : documentConnections_) disconnect(c);
    documentConnections_ = {
        connect(document_, &ScenarioDocument::modifiedChanged, this, [this] { ShowSavedState(); }),
        connect(document_, &ScenarioDocument::fileChanged, this, [this] { ShowSavedState(); }),
    };
    ShowSavedState();
}

void MainWindow::ShowSavedState() {
    const QString title = document_->WindowTitle();
    setWindowTitle(title);
    if (title.contains("[*]"))
        setWindowModified(document_->IsModified());  // none on the default loan's
    if (QAction* save = actions_.value("MenuFileSave")) save->setEnabled(HasUnsavedChanges());
}

bool MainWindow::HasUnsavedChanges() const {
    return document_->IsModified() && !loadAborted_;
}

void MainWindow::SetDocument(ScenarioDocument& document) {
    document_ = &document;
    model_ = &document.model();
    loadAborted_ = false;
    endingAgreed_ = false;
    FollowDocument();
    SetUpControls();
    Refresh();
}

// A save that fails leaves File > Save enabled: the changes are still unsaved.
// When the program is about to end, the user may try again or stay.
bool MainWindow::SaveLoan(bool ending) {
    return SaveDocument(this, *document_, ending);
}

void MainWindow::MenuFileSave_Click() {
    SaveLoan(false);
}

// Save, Discard or Cancel; Escape and the close box are Cancel. False when the
// user would rather stay, or the save failed or was cancelled.
bool MainWindow::AskToSaveChanges() {
    const QString subject = document_->IsDefaultLoan() ? QString("the Borrower's Loan Data")
                                                       : "\"" + document_->DisplayName() + "\"";
    MessageRequest question{"Save the changes to " + subject + " before closing it?", kProductName,
                            MsgIcon::Question, MsgButtons::SaveDiscardCancel, MsgAnswer::Save};
    question.escapeAnswer = MsgAnswer::Cancel;
    switch (ThePlatform().ShowMessage(this, question)) {
        case MsgAnswer::Save:
            return SaveLoan(true);
        case MsgAnswer::Discard:
            return true;
        default:
            return false;
    }
}

// The default loan's own question when the program ends.
bool MainWindow::AskDefaultLoanQuestion(bool offerCancel) {
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

// The close box's question; false when the program should stay open.
bool MainWindow::AgreeToEnd(bool offerCancel) {
    if (endingAgreed_ || !HasUnsavedChanges()) return true;
    if (document_->IsDefaultLoan()) return AskDefaultLoanQuestion(offerCancel);
    return AskToSaveChanges();
}

bool MainWindow::AgreeToReplace() {
    return !HasUnsavedChanges() || AskToSaveChanges();
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
    if (!loadAborted_) document_->SetModified(true);
}

void MainWindow::BlockLoanSaving() {
    loadAborted_ = true;
    ShowSavedState();
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
        if (!HasUnsavedChanges() || endingAgreed_) return;
        const bool mayAsk = manager.allowsInteraction();
        const bool end = CommitLoanData(mayAsk);
        if (mayAsk) manager.release();
        if (!end) manager.cancel();
    });
}

}  // namespace dovanel
