// The affordability window, the payoff planner and the amortization table's
// export where they meet the rest of the program, driven by keys alone.
#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "engine/recalculate.h"
#include "tests/engine/sample_model.h"
#include "tests/ui/inside_modal.h"
#include "tests/ui/ui_fixture.h"
#include "ui/afford/afford_window.h"
#include "ui/amortization/amortization_windows.h"
#include "ui/catalogue.h"
#include "ui/main/main_window.h"
#include "ui/planner/planner.h"
#include "ui/screens.h"

namespace dovanel {
namespace {

class NewWindowsKeysTest : public test::WindowTest {
  protected:
    NewWindowsKeysTest() { LoadInstalled(model); }
    static void ShowActive(QWidget* window) {
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    }
    static QString FocusedName() {
        QWidget* focused = QApplication::focusWidget();
        return focused ? focused->objectName() : QString();
    }
    static QString NameOf(QWidget* widget) {
        return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
    }
    Model model;
};

// Enter moves on through every control of the extra payments, the month list
// and the payment number included; it closes the window only on Ok.
TEST_F(NewWindowsKeysTest, PlannerEnterMovesThroughTheExtraPayments) {
    Planner planner(model);
    ShowActive(&planner);
    QStringList visited{FocusedName()};
    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        ASSERT_TRUE(planner.isVisible()) << "Enter in " << visited.last().toStdString();
        visited.append(FocusedName());
    }
    EXPECT_EQ(visited, QStringList({"txtExtraMonthly", "txtExtraYearly", "cmbExtraYearlyMonth",
                                    "txtLumpSum", "spnLumpSumAt", "chkBiweekly"}));
    auto* month = planner.findChild<QComboBox*>("cmbExtraYearlyMonth");
    month->setFocus();
    QTest::keyClick(month, Qt::Key_Down);
    EXPECT_EQ(month->currentIndex(), 1) << "the list keeps its arrow keys";
    QTest::keyClick(planner.findChild<QPushButton*>("BtnOk"), Qt::Key_Return);
    EXPECT_FALSE(planner.isVisible());
}

// A screen reader hears each result with its caption; where the caption is
// hidden (no PMI), the sentence alone.
TEST_F(NewWindowsKeysTest, PlannerValuesAreReadWithTheirCaptions) {
    test::SetLoan(model, 125000, 0.05f, 0.075f, 0);
    Recalculate(model);
    Planner planner(model);
    planner.show();
    auto name = [&](const char* label) { return NameOf(planner.findChild<QLabel*>(label)); };
    EXPECT_EQ(name("lblPayoff"), "New payoff, " + planner.findChild<QLabel*>("lblPayoff")->text());
    EXPECT_TRUE(
        name("lblPmiRequest").startsWith("Borrower may ask to cancel (80 % of the price), Year "))
        << name("lblPmiRequest").toStdString();
    QTest::keyClicks(planner.findChild<QLineEdit*>("txtExtraMonthly"), "200");
    EXPECT_TRUE(name("lblMonthsSaved").startsWith("Payments saved, "));
    EXPECT_NE(name("lblMonthsSaved"), "Payments saved, 0") << "the name follows the value";

    test::SetLoan(model, 125000, 0.05f, 0.075f, 4);  // VA: no PMI
    Recalculate(model);
    Planner va(model);
    va.show();
    EXPECT_EQ(NameOf(va.findChild<QLabel*>("lblPmiRequest")),
              "No PMI is charged: VA loans carry no private mortgage insurance.");
}

// Shift+F10 and the Menu key (as the window system reports it) open the
// amortization list's context menu at the current row; its entry exports.
TEST_F(NewWindowsKeysTest, AmortizationExportIsReachedFromTheKeyboard) {
    AmortizationWindow window(model);
    ShowActive(&window);
    auto* list = window.findChild<QListWidget*>("List1");
    ASSERT_EQ(QApplication::focusWidget(), list);
    list->setCurrentRow(3);
    auto openMenu = [&](const std::function<void()>& press) -> QMenu* {
        press();
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) return nullptr;
        const QRect row = list->visualRect(list->currentIndex());
        EXPECT_TRUE(
            row.adjusted(0, 0, 0, 2)
                .contains(list->viewport()->mapFromGlobal(menu->pos()) - QPoint(row.height(), 0)))
            << "the menu opens at the current row";
        return menu;
    };
    QMenu* menu = openMenu([&] { QTest::keyClick(list, Qt::Key_F10, Qt::ShiftModifier); });
    ASSERT_TRUE(menu) << "Shift+F10";
    menu->close();
    menu = openMenu([&] {
        QContextMenuEvent key(QContextMenuEvent::Keyboard, QPoint(2, 2),
                              list->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(list, &key);
    });
    ASSERT_TRUE(menu) << "the Menu key";
    ASSERT_EQ(menu->actions().size(), 1);
    EXPECT_EQ(menu->actions()[0]->text(), "Export CSV ...");
    QTest::keyClick(menu, Qt::Key_Return);
    QCoreApplication::processEvents();
    ASSERT_EQ(platform.saveDialogs.size(), 1u);
    EXPECT_EQ(platform.saveDialogs[0].caption, "Export CSV");
    EXPECT_TRUE(window.isVisible());
}

// Each cell of the sensitivity table is read with its rate and down payment, and
// today's loan is said, since its highlight cannot be heard.
TEST_F(NewWindowsKeysTest, AffordTableCellsAreReadByRowAndColumn) {
    model.loanData.monthlyIncome = 12000;
    Recalculate(model);
    AffordWindow window(test::DocumentOf(model));
    window.show();
    auto* table = window.findChild<QTableWidget*>("tblSensitivity");
    QAccessibleTableInterface* cells =
        QAccessible::queryAccessibleInterface(table)->tableInterface();
    ASSERT_TRUE(cells);
    int today = 0;
    for (int r = 0; r < table->rowCount(); ++r)
        for (int c = 0; c < table->columnCount(); ++c) {
            const QString name = cells->cellAt(r, c)->text(QAccessible::Name);
            QString down = table->horizontalHeaderItem(c)->text().remove("Today ");
            EXPECT_TRUE(name.startsWith(table->verticalHeaderItem(r)->text() + " rate, " +
                                        down.remove(" down") + " down"))
                << name.toStdString();
            EXPECT_TRUE(name.endsWith(": " + table->item(r, c)->text())) << name.toStdString();
            today += name.contains("today's loan");
        }
    EXPECT_EQ(today, 1);
    EXPECT_EQ(window.findChild<QLabel*>("lblCash")->buddy(),
              window.findChild<QLineEdit*>("txtCash"))
        << "the cash caption labels its box";
}

// Within each new window an access letter leads to one control only.
TEST_F(NewWindowsKeysTest, AccessLettersOfTheNewWindowsAreTheirOwn) {
    AffordWindow afford(test::DocumentOf(model));
    Planner planner(model);
    for (QWidget* window : std::initializer_list<QWidget*>{&afford, &planner}) {
        QStringList letters;
        for (QWidget* control : window->findChildren<QWidget*>()) {
            QString text;
            if (auto* label = qobject_cast<QLabel*>(control); label && label->buddy())
                text = label->text();
            if (auto* button = qobject_cast<QAbstractButton*>(control)) text = button->text();
            const QString letter = QKeySequence::mnemonic(text).toString();
            if (letter.isEmpty()) continue;
            EXPECT_FALSE(letters.contains(letter))
                << window->objectName().toStdString() << " " << text.toStdString();
            letters.append(letter);
        }
        EXPECT_GE(letters.size(), 3) << window->objectName().toStdString();
    }
}

// Over every window of the catalogue: an access letter that two controls share
// only moves the focus between them (Alt+O on a note box's "N&ote" and on "&Ok"
// never presses Ok). The menu bar's titles count with the window's controls.
TEST_F(NewWindowsKeysTest, EveryWindowsAccessLettersLeadToOneControlEach) {
    for (const WindowEntry& entry : EveryWindow()) {
        const auto window = entry.make(model);
        QStringList captions;
        for (QWidget* control : window->findChildren<QWidget*>()) {
            if (auto* label = qobject_cast<QLabel*>(control); label && label->buddy())
                captions << label->text();
            if (auto* button = qobject_cast<QAbstractButton*>(control)) captions << button->text();
        }
        if (auto* bar = window->findChild<QMenuBar*>())
            for (QAction* menu : bar->actions()) captions << menu->text();
        QMap<QString, QString> taken;
        for (const QString& caption : captions) {
            const QString letter = QKeySequence::mnemonic(caption).toString();
            if (letter.isEmpty()) continue;
            EXPECT_FALSE(taken.contains(letter))
                << entry.name.toStdString() << ": " << letter.toStdString() << " of \""
                << caption.toStdString() << "\" and \"" << taken[letter].toStdString() << "\"";
            taken[letter] = caption;
        }
    }
}

// Tab leaves every table: the arrows move inside one, so no control after a
// table is out of the keyboard's reach.
TEST_F(NewWindowsKeysTest, TabLeavesEveryTable) {
    for (const WindowEntry& entry : EveryWindow()) {
        const auto window = entry.make(model);
        ShowActive(window.get());
        for (QAbstractItemView* view : window->findChildren<QAbstractItemView*>()) {
            if (!view->isVisibleTo(window.get()) || !(view->focusPolicy() & Qt::TabFocus) ||
                qobject_cast<QHeaderView*>(view) || view->window() != window.get())
                continue;
            view->setFocus(Qt::TabFocusReason);
            if (view->model() && view->model()->rowCount() > 0)
                view->setCurrentIndex(view->model()->index(0, 0));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget* now = QApplication::focusWidget();
            EXPECT_TRUE(now && now != view && !view->isAncestorOf(now))
                << entry.name.toStdString() << ": Tab stays in "
                << view->objectName().toStdString();
        }
    }
}

// The number cells of the new windows treat a paste as the same characters
// typed: filtered, and refused whole (with a beep) rather than cut short when it
// would pass the cell's typing limit, as the main window's boxes do.
TEST_F(NewWindowsKeysTest, PastedNumbersAreFilteredAndNeverCut) {
    AffordWindow afford(test::DocumentOf(model));
    Planner planner(model);
    const std::pair<QWidget*, const char*> cells[] = {{&afford, "txtCash"},
                                                      {&planner, "txtExtraMonthly"},
                                                      {&planner, "txtExtraYearly"},
                                                      {&planner, "txtLumpSum"}};
    for (const auto& [window, name] : cells) {
        ShowActive(window);
        auto* cell = window->findChild<QLineEdit*>(name);
        cell->setFocus();
        QApplication::clipboard()->setText("$1,250");
        QTest::keyClick(cell, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(cell->text(), "1250") << name;
        const int beeps = platform.beeps;
        QApplication::clipboard()->setText("$12,345,678,901,234,567");
        QTest::keyClick(cell, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(cell->text(), "1250") << name << ": refused, not cut";
        EXPECT_EQ(platform.beeps, beeps + 1) << name;
        cell->clear();
        QTest::keyClicks(cell, "$12,345,678,901,234,567");
        EXPECT_TRUE(QString("12345678901234567").startsWith(cell->text())) << name;
        EXPECT_GE(cell->text().size(), 10) << name;
        window->hide();
    }
}

// From the main window by keys alone: every menu's access letters are its own,
// the planner leaves everything stored as it was, and "Use This Price" (Alt+U)
// types the price into the purchase-price box and enables Save.
TEST_F(NewWindowsKeysTest, MainWindowMenusPlannerAndAffordByKeys) {
    MainWindow main(test::DocumentOf(model));
    ASSERT_EQ(main.FormLoad(), LoadOutcome::Complete);
    RegisterScreens(main);
    ShowActive(&main);
    QCoreApplication::processEvents();
    QList<QList<QAction*>> menus{main.menuBar()->actions()};
    for (QMenu* menu : main.menuBar()->findChildren<QMenu*>()) menus.append(menu->actions());
    for (const QList<QAction*>& entries : menus) {
        QStringList letters;
        for (QAction* action : entries) {
            const QKeySequence key = QKeySequence::mnemonic(action->text());
            if (key.isEmpty()) continue;
            EXPECT_FALSE(letters.contains(key.toString())) << action->text().toStdString();
            letters.append(key.toString());
        }
    }
    auto tools = [&](Qt::Key letter) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_T, Qt::AltModifier);
        ASSERT_TRUE(QApplication::activePopupWidget());
        QTest::keyClick(QApplication::activePopupWidget(), letter);
        QCoreApplication::processEvents();
    };
    QAction* save = main.findChild<QAction*>("MenuFileSave");
    const QByteArray mainDat = FileBytes("MAIN.DAT");
    const LoanData before = model.loanData;
    QString opened;
    test::InsideNextModal([&](QDialog& planner) {
        opened = planner.objectName();
        QTest::keyClicks(QApplication::focusWidget(), "250");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    });
    tools(Qt::Key_P);
    EXPECT_EQ(opened, "Planner");
    EXPECT_FALSE(save->isEnabled());
    EXPECT_EQ(FileBytes("MAIN.DAT"), mainDat);
    EXPECT_EQ(model.loanData.purchasePrice, before.purchasePrice);
    EXPECT_EQ(model.loanData.monthlyIncome, before.monthlyIncome);

    model.loanData.monthlyIncome = 12000;
    main.Form_Activate();
    QString price;
    test::InsideNextModal([&](QDialog& afford) {
        price = afford.findChild<QLabel*>("lblMaxPrice")->text().remove('$').remove(',');
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_U, Qt::AltModifier);
        QTest::qWait(300);  // a button's access key presses it as a short animated click
    });
    tools(Qt::Key_A);
    ASSERT_FALSE(price.isEmpty());
    EXPECT_EQ(main.findChild<QLineEdit*>("Text1")->text(), price);
    EXPECT_EQ(model.loanData.purchasePrice, price.toFloat());
    EXPECT_TRUE(save->isEnabled());

    // Help, What's This? explains the box that has the focus.
    auto* priceBox = main.findChild<QLineEdit*>("Text1");
    priceBox->setFocus();
    const std::size_t asked = platform.asked.size();
    QTest::keyClick(priceBox, Qt::Key_H, Qt::AltModifier);
    ASSERT_TRUE(QApplication::activePopupWidget());
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_W);
    QCoreApplication::processEvents();
    ASSERT_EQ(platform.asked.size(), asked + 1);
    EXPECT_EQ(platform.asked.back().title, "Purchase Price");
}

}  // namespace
}  // namespace dovanel
