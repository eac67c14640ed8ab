#include "ui/amortization/amortization_windows.h"

#include <QApplication>
#include <QImage>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

#include "engine/recalculate.h"
#include "tests/engine/sample_model.h"
#include "tests/ui/ui_fixture.h"

namespace dovanel {
namespace {

class AmortizationTest : public test::WindowTest {
  protected:
    AmortizationTest() { LoadInstalled(model); }
    void Loan(float price, float down, float rate, int type) {
        test::SetLoan(model, price, down, rate, type);
        shown = Recalculate(model);
    }
    QString Message(QWidget& w) { return w.findChild<QLabel*>("lblRemovePMI")->text(); }
    Model model;
    ResultsDisplay shown;
};

TEST_F(AmortizationTest, ThirtyYearLoanWithPmiRemoval) {
    Loan(125000, 0.05f, 0.075f, 0);
    AmortizationWindow window(model);
    Screenshot(&window, "amortization");
    QListWidget* list = window.list();
    ASSERT_EQ(list->count(), 360);
    EXPECT_EQ(list->item(0)->text(),
              "Year 1 / Month 1\t     $118,750.00\t\t$742.19\t\t$88.13\t\t$118,661.87\t94.93%");
    EXPECT_TRUE(list->item(359)->text().startsWith("Year 30 / Month 12\t"));
    EXPECT_TRUE(list->item(359)->text().contains("\t$.00\t"));
    EXPECT_EQ(Message(window),
              "Private Mortage Insurance (PMI) payments can be removed at Year 12 / Month "
              "4\nbecause your Loan to "
              "Value (LTV) ratio will then be less than 80% from that period on.");
    EXPECT_EQ(list->font().family(), "Arial");
}

TEST_F(AmortizationTest, NoPmiAndShorterTerms) {
    Loan(200000, 0.25f, 0.065f, 2);
    AmortizationWindow window(model);
    EXPECT_EQ(window.list()->count(), 180);
    EXPECT_TRUE(Message(window).startsWith(
        "Because your Loan to Value (LTV) ratio will always be less than 80%, \n"));
}

TEST_F(AmortizationTest, HelpButtonAndF1OpenDifferentTopics) {
    AmortizationWindow window(model);
    window.show();
    window.findChild<QPushButton*>("btnHelp")->click();
    QTest::keyClick(window.list(), Qt::Key_F1);
    EXPECT_EQ(help.topics, (QList<int>{30, 1}));
    window.findChild<QPushButton*>("BtnOk")->click();
    EXPECT_FALSE(window.isVisible());
}

TEST_F(AmortizationTest, PartialTermInterestFollowsTheScrollBar) {
    Loan(125000, 0.05f, 0.075f, 0);
    PartialTermWindow window(model, QPoint(100, 50));
    Screenshot(&window, "partterm");
    EXPECT_EQ(window.pos(), QPoint(100 + TwipsToPixels(999), 50 + TwipsToPixels(999)));
    EXPECT_EQ(window.findChild<QLabel*>("Label4")->text(),
              "Show total interest for the first [5] years of the mortgage.");
    EXPECT_EQ(window.findChild<QLabel*>("Label1")->text(),
              "Total interest that will be paid: $43,427");
    window.show();
    QTest::keyClick(window.years(), Qt::Key_Up);
    EXPECT_EQ(window.years()->value(), 6) << "Up gives more years";
    window.years()->setValue(30);
    EXPECT_EQ(
        window.findChild<QLabel*>("Label1")->text(),
        "Total interest that will be paid: " + QString::fromStdString(shown.lblTotalInterest));
    QTest::keyClick(&window, Qt::Key_F1);
    EXPECT_EQ(help.topics, QList<int>{60});
    window.reject();
}

// The years scroll bar is a Tab stop with a focus mark, and Up and Down adjust
// the years wherever Tab has put the focus, as the window's text says.
TEST_F(AmortizationTest, PartialTermYearsAreReachedAndShownByTheKeyboard) {
    Loan(125000, 0.05f, 0.075f, 0);
    PartialTermWindow window(model, QPoint(100, 50));
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QScrollBar* years = window.years();
    ASSERT_EQ(QApplication::focusWidget(), years);
    EXPECT_TRUE(years->focusPolicy() & Qt::TabFocus);
    const QImage focused = years->grab().toImage();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), window.findChild<QPushButton*>("BtnOk"));
    EXPECT_NE(years->grab().toImage(), focused) << "the scroll bar shows when it has the focus";
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    EXPECT_EQ(years->value(), 6) << "Up still gives more years after Tab";
    EXPECT_EQ(QApplication::focusWidget(), window.findChild<QPushButton*>("BtnOk"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), years) << "Tab comes back to the years";
    EXPECT_EQ(years->grab().toImage(), focused);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    EXPECT_EQ(years->value(), 4);
    EXPECT_EQ(window.findChild<QLabel*>("Label4")->text(),
              "Show total interest for the first [4] years of the mortgage.");
    window.reject();
}

class DateTypeTest : public test::WindowTest {
  protected:
    LoanData loan;
};

TEST_F(DateTypeTest, OkRecordsTheChoiceAndTheScrollBars) {
    {
        DateTypeDialog dialog(loan, 2026);
        Screenshot(&dialog, "datetype");
        EXPECT_EQ(dialog.findChild<QRadioButton*>("Option1")->text(), "SPECIFIC  (e.g. July 2026)");
        EXPECT_TRUE(dialog.findChild<QWidget*>("Frame1")->isHidden());
        dialog.findChild<QRadioButton*>("Option1")->setChecked(true);
        EXPECT_FALSE(dialog.findChild<QWidget*>("Frame1")->isHidden());
        dialog.findChild<QScrollBar*>("VScroll1")->setValue(3);
        dialog.findChild<QScrollBar*>("VScroll2")->setValue(2005);
        EXPECT_EQ(dialog.findChild<QLabel*>("Label3")->text(), "March");
        dialog.findChild<QPushButton*>("BtnOk")->click();
    }
    EXPECT_EQ(loan.startDateSpecific, 1);
    EXPECT_EQ(loan.startDate, "3-2005");
    {
        DateTypeDialog dialog(loan, 2026);
        dialog.findChild<QScrollBar*>("VScroll1")->setValue(7);
        dialog.findChild<QScrollBar*>("VScroll2")->setValue(2010);
        dialog.findChild<QPushButton*>("BtnOk")->click();
    }
    EXPECT_EQ(loan.startDateSpecific, 0);
    EXPECT_EQ(loan.startDate, "7-2010");
    {
        DateTypeDialog dialog(loan, 2026);
        dialog.findChild<QPushButton*>("BtnOk")->click();
    }
    EXPECT_EQ(loan.startDate, "1-1994");
    {
        DateTypeDialog dialog(loan, 2026);
        dialog.findChild<QScrollBar*>("VScroll1")->setValue(9);
        dialog.findChild<QPushButton*>("BtnCancel")->click();
    }
    EXPECT_EQ(loan.startDate, "1-1994") << "cancel changes nothing";
}

}  // namespace
}  // namespace dovanel
