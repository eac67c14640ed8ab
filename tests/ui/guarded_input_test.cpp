// What a key or an answer must never do to the user's data, through the real
// key path: a key with Ctrl, Alt or Meta held types nothing in any window,
// Escape at a question goes back instead of throwing changes away, Cancel in an
// editor puts back what the editor opened with, and the boxes whose value can
// never be negative refuse the minus sign.
#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "data/data_files.h"
#include "shell/qt_platform.h"
#include "tests/ui/inside_modal.h"
#include "tests/ui/ui_fixture.h"
#include "ui/afford/afford_window.h"
#include "ui/catalogue.h"
#include "ui/main/main_window.h"
#include "ui/planner/planner.h"
#include "ui/screens.h"

namespace dovanel {
namespace {

class GuardedInputTest : public test::WindowTest {
  protected:
    static void ShowActive(QWidget* window) {
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    }
    static QWidget* Focused() { return QApplication::focusWidget(); }
    static void Press(Qt::Key key, Qt::KeyboardModifiers held = Qt::NoModifier) {
        QTest::keyClick(Focused(), key, held);
    }
    // Every data file's text as the model would write it now.
    static std::vector<std::string> Files(const Model& model) {
        std::vector<std::string> texts;
        for (dovanel::DataFile file : kEveryDataFile) texts.push_back(FileText(file, model));
        return texts;
    }
};

// ---- keys with Ctrl, Alt or Meta held ---------------------------------------

// The letters that the window's access keys and shortcuts take.
QString TakenLetters(QWidget* window) {
    QString taken;
    auto add = [&taken](const QKeySequence& keys) {
        // Letters only: function keys such as F1 lie beyond what a QChar holds.
        const int key = keys.isEmpty() ? 0 : static_cast<int>(keys[0].key());
        if (key > 0 && key <= 0xffff) taken += QChar(key).toLower();
    };
    for (auto* button : window->findChildren<QAbstractButton*>())
        add(QKeySequence::mnemonic(button->text()));
    for (auto* label : window->findChildren<QLabel*>()) add(QKeySequence::mnemonic(label->text()));
    for (auto* frame : window->findChildren<QGroupBox*>())
        add(QKeySequence::mnemonic(frame->title()));
    for (auto* action : window->findChildren<QAction*>()) {
        add(QKeySequence::mnemonic(action->text()));
        add(action->shortcut());
    }
    return taken;
}

QChar FreeLetter(QWidget* window) {
    const QString taken = TakenLetters(window);
    for (const QChar letter : QString("jqgmwl"))
        if (!taken.contains(letter)) return letter;
    ADD_FAILURE() << "every candidate letter is an access key of " << window->objectName().data();
    return QChar('j');
}

// The controls of the window that typing could change: text boxes, lists, spin boxes.
QList<QWidget*> TypingControls(QWidget* window) {
    QList<QWidget*> controls;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisible() || !w->isEnabled() || w->focusPolicy() == Qt::NoFocus) continue;
        if (auto* box = qobject_cast<QLineEdit*>(w)) {
            if (box->isReadOnly() || qobject_cast<QAbstractSpinBox*>(box->parent())) continue;
        } else if (!qobject_cast<QComboBox*>(w) && !qobject_cast<QAbstractSpinBox*>(w)) {
            continue;
        }
        controls.append(w);
    }
    return controls;
}

std::string StateOf(QWidget* control) {
    if (auto* box = qobject_cast<QLineEdit*>(control)) return box->text().toStdString();
    if (auto* list = qobject_cast<QComboBox*>(control)) return list->currentText().toStdString();
    return static_cast<QAbstractSpinBox*>(control)->text().toStdString();
}

TEST_F(GuardedInputTest, AKeyWithCtrlAltOrMetaHeldTypesNothingInAnyWindow) {
    struct Held {
        Qt::KeyboardModifiers modifiers;
        const char* name;
        bool beeps;  // an access key that no control takes
    };
    const Held helds[] = {{Qt::AltModifier, "Alt", true},
                          {Qt::ControlModifier | Qt::AltModifier, "Ctrl+Alt", true},
                          {Qt::MetaModifier, "Meta", false},
                          {Qt::ControlModifier, "Ctrl", false}};
    for (const WindowEntry& entry : EveryWindow()) {
        Model model;
        LoadInstalled(model);
        const std::unique_ptr<QWidget> window = entry.make(model);
        ShowActive(window.get());
        const char letter = FreeLetter(window.get()).toLatin1();
        for (QWidget* control : TypingControls(window.get())) {
            for (const Held& held : helds) {
                for (const char typed : {letter, '5'}) {
                    control->setFocus(Qt::TabFocusReason);
                    if (auto* box = qobject_cast<QLineEdit*>(control)) box->selectAll();
                    const std::string before = StateOf(control);
                    const int beeps = platform.beeps;
                    QTest::keyClick(control, typed, held.modifiers);
                    const std::string where = entry.name.toStdString() + " " +
                                              control->objectName().toStdString() + " " +
                                              held.name + "+" + typed;
                    EXPECT_EQ(StateOf(control), before) << where;
                    ASSERT_TRUE(window->isVisible()) << where;
                    if (held.beeps) {
                        EXPECT_EQ(platform.beeps, beeps + 1) << where;
                    }
                }
            }
        }
    }
}

// ---- Escape at a question ---------------------------------------------------

// Shows the program's questions as real message boxes and presses Escape in
// each, unless the test scripted an answer.
class EscapingPlatform : public test::ScriptedPlatform {
  public:
    MsgAnswer ShowMessage(QWidget* parent, const MessageRequest& request) override {
        if (!answers.empty()) return ScriptedPlatform::ShowMessage(parent, request);
        asked.push_back(request);
        test::InsideNextModal([](QDialog& box) {
            QTest::keyClick(box.focusWidget() ? box.focusWidget() : &box, Qt::Key_Escape);
            EXPECT_FALSE(box.isVisible()) << "Escape closes the box";
        });
        return desktop_.ShowMessage(parent, request);
    }

  private:
    QtPlatform desktop_;
};

class EscapeTest : public GuardedInputTest {
  protected:
    EscapeTest() : scope_(escaping) {}
    void OpenWithAChange() {
        window = std::make_unique<MainWindow>(test::DocumentOf(model));
        ASSERT_EQ(window->FormLoad(), LoadOutcome::Complete);
        RegisterScreens(*window);
        ShowActive(window.get());
        auto* dues = window->findChild<QLineEdit*>("Text5");
        dues->setFocus();
        QTest::keyClick(dues, '4');
        typedDues = dues->text();
        mainBefore = FileBytes("MAIN.DAT");
    }
    // The change is still there, unsaved, and the program runs on.
    void ExpectStillOpenAndUnsaved(const char* after) {
        EXPECT_TRUE(window->isVisible()) << after;
        EXPECT_TRUE(window->findChild<QAction*>("MenuFileSave")->isEnabled()) << after;
        EXPECT_EQ(window->findChild<QLineEdit*>("Text5")->text(), typedDues) << after;
        EXPECT_EQ(FileBytes("MAIN.DAT"), mainBefore) << after;
        EXPECT_FALSE(escaping.ended) << after;
        EXPECT_TRUE(escaping.started.empty()) << after;
    }

    EscapingPlatform escaping;
    Model model;
    std::unique_ptr<MainWindow> window;
    QByteArray mainBefore;
    QString typedDues;

  private:
    ScopedPlatform scope_;
};

TEST_F(EscapeTest, EscapeAtSaveChangesOnClosingGoesBack) {
    OpenWithAChange();
    window->close();
    ASSERT_EQ(escaping.asked.size(), 1u);
    EXPECT_EQ(escaping.asked[0].title, "Save Changes");
    EXPECT_EQ(escaping.asked[0].buttons, MsgButtons::YesNo) << "the question keeps its buttons";
    ExpectStillOpenAndUnsaved("Escape at Save Changes");
}

TEST_F(EscapeTest, EscapeAtTheRetryQuestionOfAFailedSaveGoesBack) {
    OpenWithAChange();
    QFile::setPermissions(DataFile("MAIN.DAT"), QFileDevice::ReadOwner);
    escaping.answers = {MsgAnswer::Yes};  // save, which fails; then Escape at Retry/Cancel
    window->close();
    ASSERT_EQ(escaping.asked.size(), 2u);
    EXPECT_EQ(escaping.asked[1].buttons, MsgButtons::RetryCancel);
    ExpectStillOpenAndUnsaved("Escape at Retry/Cancel");
}

// The updater and the version history both end the program; Escape never does.
TEST_F(EscapeTest, EscapeAtTheUpdateQuestionsCarriesOn) {
    QTemporaryDir programDir;
    App().programFolder = programDir.path() + "/";
    OpenWithAChange();
    for (const bool updater : {true, false}) {
        QFile file(App().programFolder + "s-update.exe");
        if (updater)
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        else
            file.remove();
        window->findChild<QAction*>("MenuCheckForUpdates")->trigger();
        ExpectStillOpenAndUnsaved(updater ? "with the updater" : "with the version history");
    }
    // Saved: the version history's question alone, and Escape still carries on.
    window->findChild<QAction*>("MenuFileSave")->trigger();
    escaping.asked.clear();
    window->findChild<QAction*>("MenuCheckForUpdates")->trigger();
    ASSERT_EQ(escaping.asked.size(), 1u);
    EXPECT_EQ(escaping.asked[0].title, "Version Check");
    EXPECT_FALSE(escaping.ended);
}

// ---- Cancel in an editor ----------------------------------------------------

TEST_F(GuardedInputTest, CancelEscapeAndTheCloseBoxPutBackWhatTheEditorOpenedWith) {
    // Every editor: a window whose Ok writes a data file. Typing changes the
    // model before Ok in these; the others keep their values in their boxes.
    const QStringList editsInPlace = {"PMI", "EscrowChange", "TitleChange", "LoanO", "Income"};
    std::vector<const WindowEntry*> editors;
    for (const WindowEntry& entry : EveryWindow())
        if (entry.okWrites) editors.push_back(&entry);
    EXPECT_EQ(editors.size(), 8u);
    const std::pair<const char*, std::function<void(QWidget&)>> ways[] = {
        {"Cancel", [](QWidget& w) { w.findChild<QPushButton*>("BtnCancel")->click(); }},
        {"Escape", [](QWidget&) { Press(Qt::Key_Escape); }},
        {"close box", [](QWidget& w) { w.close(); }},
    };
    for (const WindowEntry* editor : editors) {
        const std::string name = editor->name.toStdString();
        for (const auto& [way, close] : ways) {
            Model model;
            LoadInstalled(model);
            const std::vector<std::string> opened = Files(model);
            const std::unique_ptr<QWidget> window = editor->make(model);
            ShowActive(window.get());
            for (QWidget* control : TypingControls(window.get())) {
                auto* box = qobject_cast<QLineEdit*>(control);
                if (!box) continue;
                box->setFocus(Qt::TabFocusReason);
                box->selectAll();
                QTest::keyClicks(box, "7");
            }
            if (editsInPlace.contains(editor->name)) {
                EXPECT_NE(Files(model), opened) << name << ": typing changed the model";
            }
            close(*window);
            EXPECT_FALSE(window->isVisible()) << name << " " << way;
            EXPECT_EQ(Files(model), opened) << name << " " << way;
        }
    }
}

// ---- the minus sign ---------------------------------------------------------

// Types "-5" into the box, then pastes "-7" over it; what the box holds after each.
using Texts = std::vector<std::string>;

Texts TypeAndPasteNegative(QLineEdit* box) {
    Texts held;
    box->setFocus(Qt::TabFocusReason);
    box->selectAll();
    QTest::keyClicks(box, "-5");
    held.push_back(box->text().toStdString());
    QApplication::clipboard()->setText("-7");
    box->selectAll();
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    held.push_back(box->text().toStdString());
    return held;
}

TEST_F(GuardedInputTest, PricesRatesAndExtraPaymentsRefuseTheMinusSign) {
    Model model;
    MainWindow window(test::DocumentOf(model));
    ASSERT_EQ(window.FormLoad(), LoadOutcome::Complete);
    ShowActive(&window);
    // The price and the two rates can never be negative; the other amounts may be.
    for (int n = 1; n <= 7; ++n) {
        auto* box = window.findChild<QLineEdit*>(QString("Text%1").arg(n));
        const Texts expected = n <= 3 ? Texts{"5", "7"} : Texts{"-5", "-7"};
        EXPECT_EQ(TypeAndPasteNegative(box), expected) << "Text" << n;
    }
    EXPECT_GT(model.loanResults.loanAmount, 0);

    LoadInstalled(model);
    Planner planner(model);
    AffordWindow afford(test::DocumentOf(model));
    for (QWidget* window : std::initializer_list<QWidget*>{&planner, &afford}) {
        ShowActive(window);
        for (const char* name : {"txtExtraMonthly", "txtExtraYearly", "txtLumpSum", "txtCash"}) {
            auto* box = window->findChild<QLineEdit*>(name);
            if (!box) continue;
            EXPECT_EQ(TypeAndPasteNegative(box), (Texts{"5", "7"})) << name;
        }
        window->close();
    }
}

// A box of the planner or the cash box holding no digit means nothing entered,
// and shows so once left.
TEST_F(GuardedInputTest, ALoneDecimalPointIsAnEmptyBox) {
    Model model;
    LoadInstalled(model);
    model.loanData.monthlyIncome = 9000;
    AffordWindow afford(test::DocumentOf(model));
    ShowActive(&afford);
    auto* cash = afford.findChild<QLineEdit*>("txtCash");
    auto* price = afford.findChild<QLabel*>("lblMaxPrice");
    const QString noLimit = price->text();
    cash->setFocus();
    QTest::keyClick(cash, '.');
    EXPECT_EQ(price->text(), noLimit) << "a lone point sets no limit";
    QTest::keyClick(cash, Qt::Key_Tab);
    EXPECT_EQ(cash->text(), "") << "and shows as the empty box it counts as";
    afford.close();

    Planner planner(model);
    ShowActive(&planner);
    for (const char* name : {"txtExtraMonthly", "txtExtraYearly", "txtLumpSum"}) {
        auto* box = planner.findChild<QLineEdit*>(name);
        box->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(box, "..");
        QTest::keyClick(box, Qt::Key_Tab);
        EXPECT_EQ(box->text(), "") << name;
    }
}

}  // namespace
}  // namespace dovanel
