#pragma once
// frmMain: the loan inputs on the left, the results on the right, recalculated
// on every keystroke. Every other screen opens from its menus as a modal window;
// when one closes, this window's activation refreshes the results.

#include <QMainWindow>
#include <QMap>
#include <functional>

#include "data/load.h"
#include "engine/recalculate.h"
#include "ui/document/scenario_document.h"

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace dovanel {

class Workspace;

class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    explicit MainWindow(ScenarioDocument& document, QWidget* parent = nullptr);

    // Loads every data file into the default loan and sets the controls up.
    // MissingFile means the program must end without showing anything.
    LoadOutcome FormLoad();

    // The document the window shows and every screen works on.
    ScenarioDocument& document() { return *document_; }
    // Shows another document: its values fill the boxes, its name the title.
    void SetDocument(ScenarioDocument& document);
    // New, Open and the recent files replace the workspace's document; without
    // a workspace those entries stay off.
    void UseWorkspace(Workspace& workspace);
    // Opens a scenario file in place of the document, after asking about its
    // unsaved changes (the command line, a later copy, a drop). True when opened.
    bool OpenScenarioFile(const QString& path);
    // The same for a file another start of the program hands over: while a
    // screen or a question is open over this window (its document in use), the
    // opening waits until it has closed.
    void OpenWhenFree(const QString& path);

    // What every activation does: refresh captions, income, debt and results
    // (Refresh); the first one also slides the window in and shows Quick Start.
    void Form_Activate();
    void Refresh();

    // Screens of later parts hook in here: the action runs when the entry is chosen.
    // The first activation shows Quick Start by the action of "MenuHelpShowQuickStart".
    void SetMenuAction(const QString& entry, std::function<void()> action);
    // The mortgage type's "Program..." button runs `open` with the chosen type's
    // program (FHA, VA or USDA); without one it does nothing.
    void SetLoanProgramOpening(std::function<void(GovernmentProgram)> open);

    // Before the program ends from elsewhere (the updater): with unsaved loan
    // data asks the close box's question, with Cancel when `offerCancel`; false
    // when the user would rather stay.
    bool AgreeToEnd(bool offerCancel);
    // Before the document is replaced (New, Open, a recent file): with unsaved
    // changes asks Save, Discard or Cancel; false when the user would rather stay.
    bool AgreeToReplace();

    bool firstActivationDone() const { return firstActivationDone_; }

    // The session is ending (logging out, shutting down): with unsaved loan data
    // asks the close box's question when `mayAsk`; false when the user would
    // rather stay.
    bool CommitLoanData(bool mayAsk);

  signals:
    void firstActivationFinished();

  protected:
    bool event(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool EnterMovesOn(QObject* watched, QEvent* event);

  private:
    void BuildControls();
    void BuildLoanData(QWidget* block);
    void BuildResults(QWidget* block);
    void AddInfoButton(QWidget* parent, const char* name, int left, int top);
    void AddRedFlag(QWidget* parent, int flag, QRect where);
    void BuildMenus();
    void SetUpControls();
    void TextChange(int box);
    void TextLostFocus(int box);
    void cmboMortgageType_Click();
    // The "Program..." button of a government-backed type (ui/main/loan_program.cpp).
    void AddLoanProgramButton(QWidget* block);
    void ShowLoanProgram();
    void OpenLoanProgram();
    void ShowResults(const ResultsDisplay& shown);
    void RefreshIncomeAndDebt(const char* pattern);
    void RefreshRatioCaptions();
    void FirstActivation();
    void MenuFileSave_Click();
    // The document: its title and Save entry, and the File menu's documents.
    void FollowDocument();
    void ShowSavedState();
    bool HasUnsavedChanges() const;
    bool AskToSaveChanges();
    bool AskDefaultLoanQuestion(bool offerCancel);
    void MenuFileNew_Click();
    void MenuFileOpen_Click();
    void MenuFileSaveAs_Click();
    void OpenRecentFile(int index);
    void ShowRecentFiles();
    // Loan data: saving, the question before ending, and the session's end.
    bool SaveLoan(bool ending);
    void MarkLoanDataChanged();
    void BlockLoanSaving();
    void WatchSessionEnd();
    void ShowLoadedMortgageType();
    void ShowExplanation(const QString& title, const QString& text, int helpTopic);
    void RunMenuEntry(const QString& entry);
    void SetUpKeyboardAndHelp();
    void ExplainFocusedField();
    void NameControlsForReaders();

    ScenarioDocument* document_;
    Model* model_;
    Workspace* workspace_ = nullptr;
    QList<QMetaObject::Connection> documentConnections_;
    QMap<int, QLineEdit*> text_;  // Text1 .. Text7
    QComboBox* cmboMortgageType_ = nullptr;
    QPushButton* program_ = nullptr;
    QMap<QString, QLabel*> labels_;
    QMap<QString, QToolButton*> flags_;
    QMap<QString, QAction*> actions_;
    QMap<QString, std::function<void()>> menuActions_;
    std::function<void(GovernmentProgram)> openLoanProgram_;
    bool firstActivationDone_ = false;
    bool inLostFocus_ = false;
    bool firstActivationScheduled_ = false;
    bool loadAborted_ = false;   // nothing whole to save: File > Save stays off
    bool endingAgreed_ = false;  // the user already answered for the session's end
};

}  // namespace dovanel
