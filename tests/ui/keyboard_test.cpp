// Every window used from the keyboard alone, with real key events: menus by
// their access keys, buttons by Space and Enter, Enter only where aimed, the
// first focus, explanations by Shift+F1, and pasting through the key filter.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <cmath>

#include "tests/ui/inside_modal.h"
#include "tests/ui/ui_fixture.h"
#include "ui/amortization/amortization_windows.h"
#include "ui/catalogue.h"
#include "ui/editors/pmi_editor.h"
#include "ui/estimate/values_editor.h"
#include "ui/income/debt_summary.h"
#include "ui/income/income_screens.h"
#include "ui/main/main_window.h"
#include "ui/screens.h"

namespace dovanel {
namespace {

// One kind of window, made afresh for each case: every dialog of the catalogue
// that opens on its own, in the control it starts in.
struct WindowKind {
    QString form;
    std::function<std::unique_ptr<QDialog>(Model&)> make;
    QString firstFocus;
};

const std::vector<WindowKind>& Kinds() {
    static const std::vector<WindowKind> kinds = [] {
        std::vector<WindowKind> found;
        for (const WindowEntry& entry : EveryWindow()) {
            if (entry.firstFocus.isEmpty()) continue;
            auto make = [make = entry.make](Model& m) {
                std::unique_ptr<QWidget> window = make(m);
                EXPECT_TRUE(qobject_cast<QDialog*>(window.get())) << "not a dialog";
                return std::unique_ptr<QDialog>(qobject_cast<QDialog*>(window.release()));
            };
            found.push_back({entry.name, make, entry.firstFocus});
        }
        return found;
    }();
    return kinds;
}

class KeyboardTest : public test::WindowTest {
  protected:
    KeyboardTest() { LoadInstalled(model); }

    static void ShowActive(QWidget* window) {
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    }
    static QWidget* Focused() { return QApplication::focusWidget(); }
    static QString FocusedName() { return Focused() ? Focused()->objectName() : QString(); }

    Model model;
};

TEST_F(KeyboardTest, EveryWindowStartsInItsFirstControl) {
    for (const WindowKind& kind : Kinds()) {
        auto window = kind.make(model);
        ShowActive(window.get());
        EXPECT_EQ(FocusedName(), kind.firstFocus) << kind.form.toStdString();
    }
}

TEST_F(KeyboardTest, AFocusedButtonIsPressedBySpaceAndByEnter) {
    for (const WindowKind& kind : Kinds()) {
        for (Qt::Key key : {Qt::Key_Space, Qt::Key_Return}) {
            auto window = kind.make(model);
            ShowActive(window.get());
            QList<QPushButton*> buttons;
            for (QPushButton* b : window->findChildren<QPushButton*>())
                if (b->isVisible() && b->focusPolicy() != Qt::NoFocus &&
                    QString("BtnCancel BtnOk btnCloseWindow").contains(b->objectName()))
                    buttons.append(b);
            if (buttons.isEmpty()) continue;  // its buttons are mouse-only by design
            QPushButton* button = buttons.last();
            button->setFocus(Qt::TabFocusReason);
            QTest::keyClick(button, key);
            QCoreApplication::processEvents();
            EXPECT_FALSE(window->isVisible())
                << kind.form.toStdString() << " " << button->objectName().toStdString() << " key "
                << key;
        }
    }
}

TEST_F(KeyboardTest, OnlyTheDesignedButtonIsTheDefault) {
    const std::map<QString, QString> designed = {{"PrintScreen", "BtnOk"},
                                                 {"Amort", "BtnOk"},
                                                 {"PartTerm", "BtnOk"},
                                                 {"DateType", "BtnOk"},
                                                 {"QuickStart", "btnCloseWindow"},
                                                 {"frmAbout", "BtnOk"},
                                                 {"Planner", "BtnOk"},
                                                 {"ScenarioProperties", "BtnOk"},
                                                 {"Compare", "BtnClose"},
                                                 {"LenderInfo", "BtnOk"},
                                                 {"GovTables", "BtnOk"}};
    for (const WindowKind& kind : Kinds()) {
        auto window = kind.make(model);
        ShowActive(window.get());
        QStringList defaults;
        for (QPushButton* b : window->findChildren<QPushButton*>()) {
            EXPECT_FALSE(b->autoDefault())
                << kind.form.toStdString() << " " << b->objectName().toStdString();
            if (b->isDefault()) defaults.append(b->objectName());
        }
        const auto it = designed.find(kind.form);
        EXPECT_EQ(defaults, it == designed.end() ? QStringList() : QStringList(it->second))
            << kind.form.toStdString();
    }
}

TEST_F(KeyboardTest, EnterInACellMovesOnAndPressesNothing) {
    for (const char* form : {"PMI", "LoanO", "FanieMae", "Values", "Debt1", "EscrowChange"}) {
        const auto& kinds = Kinds();
        const auto kind = std::find_if(kinds.begin(), kinds.end(), [&](const WindowKind& k) {
            return k.form == QString(form);
        });
        auto window = kind->make(model);
        ShowActive(window.get());
        QWidget* first = Focused();
        QTest::keyClick(first, Qt::Key_Return);
        EXPECT_TRUE(window->isVisible()) << form;
        EXPECT_NE(Focused(), first) << form << ": Enter moves like Tab";
        EXPECT_TRUE(qobject_cast<QLineEdit*>(Focused())) << form;
    }
}

// Where Enter is not turned into Tab, it is the Ok button's: in the amortization
// list (never the printer dialog), on the years scroll bar, on the date-type options.
TEST_F(KeyboardTest, EnterInAListAScrollBarOrAnOptionIsOk) {
    for (const char* form : {"Amort", "PartTerm", "DateType"}) {
        const auto& kinds = Kinds();
        const auto kind = std::find_if(kinds.begin(), kinds.end(), [&](const WindowKind& k) {
            return k.form == QString(form);
        });
        auto window = kind->make(model);
        ShowActive(window.get());
        QTest::keyClick(window->findChild<QWidget*>(kind->firstFocus), Qt::Key_Return);
        EXPECT_EQ(window->result(), QDialog::Accepted) << form;
        EXPECT_FALSE(window->isVisible()) << form;
    }
    EXPECT_EQ(platform.printerDialogs, 0);
}

TEST_F(KeyboardTest, IncomePageTwoTakesEnterWithoutGoingBack) {
    IncomePage2 page2(test::DocumentOf(model));
    IncomePage1 page1(test::DocumentOf(model), page2);
    ShowActive(&page1);
    EXPECT_EQ(FocusedName(), "Text4");
    EXPECT_FALSE(page1.findChild<QPushButton*>("btnPrint")->isDefault());
    QTest::keyClick(Focused(), Qt::Key_Return);
    EXPECT_EQ(FocusedName(), "Text5") << "page 1: Enter moves to the next cell";
    bool checked = false;
    QTimer::singleShot(0, [&] {
        EXPECT_EQ(QApplication::activeModalWidget(), &page2);
        QLineEdit* cell = page2.Cell(15, 1);
        EXPECT_EQ(page2.focusWidget(), cell);
        QTest::keyClicks(cell, "12a");
        QTest::keyClick(cell, Qt::Key_Return);
        EXPECT_TRUE(page2.isVisible()) << "Enter does not press \"<<  Page 1\"";
        EXPECT_EQ(page2.focusWidget(), cell) << "and does not move the focus";
        EXPECT_TRUE(cell->text().endsWith("12a")) << "page 2 takes any character";
        checked = true;
        page2.findChild<QPushButton*>("Command1")->click();
    });
    page1.findChild<QPushButton*>("Command1")->click();
    EXPECT_TRUE(checked);
}

TEST_F(KeyboardTest, LeavingTheLastNameCellCyclesOnlyWhenMovingForward) {
    ValuesEditor editor(model);
    ShowActive(&editor);
    auto cell = [&](const char* name) { return editor.findChild<QLineEdit*>(name); };
    cell("Line7")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(cell("Line7"), Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(FocusedName(), "Text2") << "Enter cycles to item 1's amount";

    cell("Line7")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(cell("Line7"), Qt::Key_Tab, Qt::ShiftModifier);
    QCoreApplication::processEvents();
    EXPECT_EQ(FocusedName(), "Text7") << "Shift+Tab goes back";

    cell("Line7")->setFocus(Qt::TabFocusReason);
    QTest::mouseClick(cell("Text11"), Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(FocusedName(), "Text11") << "a click goes where it aims";
    const QString amount = cell("Text2")->text();
    QTest::keyClicks(Focused(), "45");
    EXPECT_EQ(cell("Text2")->text(), amount);
}

TEST_F(KeyboardTest, BothArrowsAndKeysOfThePartialTermAgree) {
    PartialTermWindow window(model, QPoint(0, 0));
    ShowActive(&window);
    auto* years = window.findChild<QScrollBar*>("VScroll2");
    ASSERT_EQ(years->value(), 5);
    QTest::mouseClick(years, Qt::LeftButton, {}, QPoint(years->width() / 2, 3));
    EXPECT_EQ(years->value(), 6) << "the upper arrow gives more years";
    QTest::keyClick(years, Qt::Key_Up);
    EXPECT_EQ(years->value(), 7) << "so does Up";
    QTest::mouseClick(years, Qt::LeftButton, {}, QPoint(years->width() / 2, years->height() - 3));
    EXPECT_EQ(years->value(), 6) << "the lower arrow gives fewer";
    QTest::keyClick(years, Qt::Key_Down);
    EXPECT_EQ(years->value(), 5);
}

// Pasting goes through the same filter as typing, in every box that filters keys.
TEST_F(KeyboardTest, PastedTextPassesTheKeyFilter) {
    PmiEditor pmi(model);
    DebtSummaryScreen debt(test::DocumentOf(model));
    IncomePage2 page2(test::DocumentOf(model));
    IncomePage1 page1(test::DocumentOf(model), page2);
    struct Case {
        QWidget* window;
        const char* cell;
        const char* pasted;
        const char* shown;
    };
    const Case cases[] = {
        {&pmi, "Text1", "$425,000", "425000"},         {&pmi, "Text2", "1.5 %", "1.5"},
        {&debt, "Text2_0", "1,234.50 USD", "1234.50"}, {&debt, "Text1_0", "Visa #12", "Visa #12"},
        {&page1, "Text4", "425,000", "425000"},        {&page2, "Text43", "7a", "7a"}};
    for (const Case& c : cases) {
        ShowActive(c.window);
        auto* box = c.window->findChild<QLineEdit*>(c.cell);
        box->setFocus();
        box->clear();
        QApplication::clipboard()->setText(c.pasted);
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(box->text(), c.shown) << c.cell << " Ctrl+V";
        box->clear();
        QTest::keyClick(box, Qt::Key_Insert, Qt::ShiftModifier);
        EXPECT_EQ(box->text(), c.shown) << c.cell << " Shift+Insert";
        c.window->hide();
    }
    EXPECT_EQ(model.pmiSchedule.conventionalPremium[1], 4250.0f);
}

// ---- The main window -------------------------------------------------------

class MainKeyboardTest : public KeyboardTest {
  protected:
    void SetUp() override {
        window = std::make_unique<MainWindow>(test::DocumentOf(model));
        ASSERT_EQ(window->FormLoad(), LoadOutcome::Complete);
        ShowActive(window.get());
        QCoreApplication::processEvents();
    }
    QLineEdit* Box(int n) { return window->findChild<QLineEdit*>(QString("Text%1").arg(n)); }
    // Opens a menu by its access key and presses `keys` in it.
    void MenuKeys(Qt::Key menu, const std::vector<Qt::Key>& keys) {
        QTest::keyClick(Focused() ? Focused() : window.get(), menu, Qt::AltModifier);
        QWidget* popup = QApplication::activePopupWidget();
        ASSERT_TRUE(qobject_cast<QMenu*>(popup));
        for (Qt::Key key : keys) {
            if (QApplication::activePopupWidget() != popup) break;
            QTest::keyClick(popup, key);
        }
        QCoreApplication::processEvents();
    }
    std::unique_ptr<MainWindow> window;
};

TEST_F(MainKeyboardTest, StartsInThePurchasePrice) {
    EXPECT_EQ(FocusedName(), "Text1");
    QTest::keyClick(Focused(), '2');
    EXPECT_EQ(window->findChild<QComboBox*>("cmboMortgageType")->currentText(),
              "30 Year / Fixed Conventional");
}

TEST_F(MainKeyboardTest, PastedPriceKeepsItsDigits) {
    for (const char* pasted : {"425,000", "$425,000", "about 425000 dollars"}) {
        Box(1)->clear();
        QApplication::clipboard()->setText(pasted);
        QTest::keyClick(Box(1), Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(Box(1)->text().toStdString(), "425000") << pasted;
        EXPECT_EQ(model.loanData.purchasePrice, 425000.0f) << pasted;
    }
}

TEST_F(MainKeyboardTest, PastingFromTheContextMenuIsFilteredToo) {
    Box(4)->clear();
    QApplication::clipboard()->setText("$5,000");
    QContextMenuEvent menu(QContextMenuEvent::Keyboard, QPoint(2, 2),
                           Box(4)->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(Box(4), &menu);
    auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_TRUE(popup);
    QAction* paste = nullptr;
    for (QAction* action : popup->actions())
        if (action->text().startsWith("&Paste")) paste = action;
    ASSERT_TRUE(paste);
    paste->trigger();
    popup->close();
    EXPECT_EQ(Box(4)->text().toStdString(), "5000");
}

TEST_F(MainKeyboardTest, EveryMenuEntryIsReachedByItsAccessKeys) {
    QTest::keyClick(Box(5), '5');
    MenuKeys(Qt::Key_F, {Qt::Key_S});
    EXPECT_FALSE(window->findChild<QAction*>("MenuFileSave")->isEnabled()) << "Alt+F, S saves";

    QStringList ran;
    for (const char* entry : {"mnuIncome2", "mnuDebt2", "MenuHelpShowQuickStart"})
        window->SetMenuAction(entry, [&ran, entry] { ran.append(entry); });
    MenuKeys(Qt::Key_T, {Qt::Key_Down, Qt::Key_Return});
    MenuKeys(Qt::Key_H, {Qt::Key_Q});
    EXPECT_EQ(ran, QStringList({"mnuDebt2", "MenuHelpShowQuickStart"}));

    RegisterScreens(*window);  // the about box stands behind its entry
    bool about = false;
    test::InsideNextModal([&](QDialog& box) {
        about = box.objectName() == "frmAbout";
        QTest::keyClick(box.findChild<QPushButton*>("BtnOk"), Qt::Key_Return);
        about = about && !box.isVisible();
    });
    MenuKeys(Qt::Key_H, {Qt::Key_A});
    EXPECT_TRUE(about) << "Alt+H, A opens the about box, and Enter closes it";

    QTest::keyClick(Box(5), '1');
    platform.answers = {MsgAnswer::No};
    MenuKeys(Qt::Key_F, {Qt::Key_X});
    ASSERT_EQ(platform.asked.size(), 1u);
    EXPECT_EQ(platform.asked[0].text, "Save changes made to the Borrower's Loan Data?");
    EXPECT_FALSE(window->isVisible()) << "Alt+F, X exits";
}

TEST_F(MainKeyboardTest, ShiftF1ExplainsTheFocusedFieldAndItsRedFlag) {
    QTest::keyClick(Box(1), Qt::Key_F1, Qt::ShiftModifier);
    ASSERT_EQ(platform.asked.size(), 1u);
    EXPECT_EQ(platform.asked[0].title, "Purchase Price");

    Box(2)->setFocus();
    Box(2)->selectAll();
    QTest::keyClicks(Box(2), "5");
    ASSERT_TRUE(window->findChild<QToolButton*>("RedFlagDownPayment")->isVisible());
    QTest::keyClick(Box(2), Qt::Key_F1, Qt::ShiftModifier);
    ASSERT_EQ(platform.asked.size(), 3u) << "the explanation, then the flag's alert";
    EXPECT_EQ(platform.asked[1].title, "Down Payment");
    EXPECT_EQ(platform.asked[2].title, "Notification Of PMI Incurred");

    auto* whatsThis = window->findChild<QAction*>("MenuHelpWhatsThis");
    ASSERT_TRUE(whatsThis);
    EXPECT_EQ(window->findChild<QMenu*>("mnuHelp")->actions().last(), whatsThis);
    Box(3)->setFocus();
    whatsThis->trigger();
    EXPECT_EQ(platform.asked.back().title, "Interest Rate");
    window->findChild<QComboBox*>("cmboMortgageType")->setFocus();
    whatsThis->trigger();
    EXPECT_EQ(help.topics, QList<int>{10});

    model.loanData.monthlyIncome = 3000;  // the ratios are far above their limits
    window->Form_Activate();
    const std::size_t before = platform.asked.size();
    Box(6)->setFocus();
    QTest::keyClick(Box(6), Qt::Key_F1, Qt::ShiftModifier);
    ASSERT_EQ(platform.asked.size(), before + 3) << "taxes, then both ratio alerts";
    EXPECT_EQ(platform.asked[before].title, "Annual Real Estate Taxes");
    EXPECT_EQ(platform.asked[before + 1].title, "1st Qualifying Ratio Exceeded");
}

// The results cannot take the focus, so their "i" buttons do: Tab reaches each
// of the nine after the mortgage type (Enter in the boxes passes them over),
// Space and Enter explain the result, and so does What's This, with the alerts
// of the red flags that mark it.
TEST_F(MainKeyboardTest, ResultsAreExplainedFromTheKeyboard) {
    const char* const results[] = {"infoLoanAmount",
                                   "infoDownPaymentCalc",
                                   "infoTotalInterest",
                                   "infoTotalDueatClosing",
                                   "infoMonthlyPrincipalPlusInterest",
                                   "infoLoantoValueRatio",
                                   "infoMonthlyIncomeRequired",
                                   "infoTotalMonthlyPayment",
                                   "infoQualifyingRatios"};
    window->findChild<QComboBox*>("cmboMortgageType")->setFocus(Qt::TabFocusReason);
    for (const char* name : results) {
        QTest::keyClick(Focused(), Qt::Key_Tab);
        EXPECT_EQ(FocusedName(), name);
    }
    QTest::keyClick(Focused(), Qt::Key_Tab);
    EXPECT_EQ(FocusedName(), "Text1") << "and round to the first box";

    model.loanData.monthlyIncome = 3000;  // the ratios are far above their limits
    window->Form_Activate();
    window->findChild<QToolButton*>("infoLoanAmount")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(Focused(), Qt::Key_Space);
    QTest::keyClick(Focused(), Qt::Key_Return);
    ASSERT_EQ(platform.asked.size(), 2u);
    EXPECT_EQ(platform.asked[0].title, "Loan Amount");
    EXPECT_EQ(platform.asked[1].title, "Loan Amount");
    EXPECT_EQ(FocusedName(), "infoLoanAmount") << "Enter explains, it does not move on";

    window->findChild<QToolButton*>("infoTotalMonthlyPayment")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(Focused(), Qt::Key_F1, Qt::ShiftModifier);
    ASSERT_EQ(platform.asked.size(), 5u) << "the result, then both ratio alerts";
    EXPECT_EQ(platform.asked[2].title, "Total Monthly Payment");
    EXPECT_EQ(platform.asked[3].title, "1st Qualifying Ratio Exceeded");
    window->findChild<QToolButton*>("infoLoantoValueRatio")->setFocus(Qt::TabFocusReason);
    window->findChild<QAction*>("MenuHelpWhatsThis")->trigger();
    ASSERT_EQ(platform.asked.size(), 7u) << "the ratio, then the down payment's alert";
    EXPECT_EQ(platform.asked[5].title, "Loan-to-Value Ratio");
    EXPECT_EQ(platform.asked[6].title, "Notification Of PMI Incurred");
    EXPECT_EQ(platform.beeps, 0);

    Box(5)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(Focused(), Qt::Key_Return);
    QTest::keyClick(Focused(), Qt::Key_Return);
    EXPECT_EQ(FocusedName(), "Text1") << "Enter goes from the mortgage type back to the first box";
}

// A target smaller than 24 x 24 stands clear of the others (the spacing rule of
// WCAG 2.2, 2.5.8): a circle 24 px across about its centre meets no other target.
bool ClearOfOthers(const QRect& target, const QList<QRect>& others) {
    const QPointF centre = QRectF(target).center();
    for (const QRect& other : others) {
        if (other == target) continue;
        const double dx =
            std::max({other.left() - centre.x(), 0.0, centre.x() - other.right() - 1});
        const double dy =
            std::max({other.top() - centre.y(), 0.0, centre.y() - other.bottom() - 1});
        if (std::hypot(dx, dy) < 12) return false;
    }
    return true;
}

// The "i" buttons are 24 x 24, or as near as a gap between them allows with room
// around them to hit, and cover nothing; the flags likewise, as wide as their
// place beside the values allows.
TEST_F(MainKeyboardTest, ExplanationAndFlagTargetsAreLarge) {
    model.loanData.monthlyIncome = 3000;
    Box(2)->setText("5");
    window->Form_Activate();
    Screenshot(window.get(), "main-targets");
    int infos = 0, flags = 0;
    QList<QRect> targets;
    QList<QToolButton*> buttons;
    for (QToolButton* button : window->findChildren<QToolButton*>()) {
        if (button->text() != "i" && !button->objectName().startsWith("RedFlag")) continue;
        buttons << button;
        targets << QRect(button->mapTo(window.get(), QPoint(0, 0)), button->size());
    }
    for (int i = 0; i < buttons.size(); ++i) {
        QToolButton* button = buttons[i];
        const bool info = button->text() == "i";
        const std::string name = button->objectName().toStdString();
        ++(info ? infos : flags);
        EXPECT_GE(button->height(), 15) << name;
        if (button->height() < 24 || button->width() < 24) {
            EXPECT_TRUE(ClearOfOthers(targets[i], targets)) << name;
        }
        if (!info) continue;
        EXPECT_GE(button->width(), 24) << name;
        for (QWidget* other :
             button->parentWidget()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            if (other != button && !qobject_cast<QGroupBox*>(other)) {
                EXPECT_FALSE(other->geometry().intersects(button->geometry()))
                    << name << " covers " << other->objectName().toStdString();
            }
    }
    EXPECT_EQ(infos, 17);
    EXPECT_EQ(flags, 4);
}

}  // namespace
}  // namespace dovanel
