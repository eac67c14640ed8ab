// The affordability window, the payoff planner and the amortization table's
// export where they meet the rest of the program, driven by keys alone.
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include "engine/recalculate.h"
#include "tests/engine/sample_model.h"
#include "tests/ui/inside_modal.h"
#include "tests/ui/ui_fixture.h"
#include "ui/amortization/amortization_windows.h"
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

}  // namespace
}  // namespace dovanel
