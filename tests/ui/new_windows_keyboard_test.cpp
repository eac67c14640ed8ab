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

}  // namespace
}  // namespace dovanel
