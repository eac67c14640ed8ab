// The income analysis pages and the debt summary.
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "tests/ui/ui_fixture.h"
#include "ui/income/debt_summary.h"
#include "ui/income/income_screens.h"
#include "ui/main/main_window.h"

namespace dovanel {
namespace {

class IncomeTest : public test::WindowTest {
  protected:
    IncomeTest() {
        LoadInstalled(model);
        page2 = std::make_unique<IncomePage2>(test::DocumentOf(model));
        page1 = std::make_unique<IncomePage1>(test::DocumentOf(model), *page2);
    }
    QString Label(QWidget& w, const char* name) { return w.findChild<QLabel*>(name)->text(); }
    void Type(QLineEdit* cell, const QString& text) {
        cell->clear();
        QTest::keyClicks(cell, text);
    }
    Model model;
    std::unique_ptr<IncomePage2> page2;
    std::unique_ptr<IncomePage1> page1;
};

TEST_F(IncomeTest, OneYearOfIncomeIsTheAverage) {
    Screenshot(page1.get(), "income1");
    Type(page1->Cell(1, 1), "60000");
    EXPECT_EQ(Label(*page1, "Label4"), "$5,000.00");
    EXPECT_EQ(page2->findChild<QGroupBox*>("Frame1")->title(), "1 Year Average");
    EXPECT_EQ(Label(*page2, "Label1_16"), "$60,000.00");
    EXPECT_EQ(Label(*page2, "Label1_20"), "$5,000.00");
    EXPECT_EQ(Label(*page2, "Label1_17"), "60000");
    Type(page1->Cell(1, 1), "50000");
    Type(page1->Cell(1, 2), "70000");
    EXPECT_EQ(page2->findChild<QGroupBox*>("Frame1")->title(), "2 Year Average");
    EXPECT_EQ(Label(*page2, "Label1_16"), "$60,000.00");
    page1->findChild<QPushButton*>("BtnOk")->click();
    EXPECT_EQ(model.loanData.monthlyIncome, 5000);
    const QList<QByteArray> records = FileBytes("INCOME.DAT").split('\n');
    ASSERT_EQ(records.size(), 4);
    EXPECT_TRUE(records[0].startsWith("50000,0,0,"));
    EXPECT_TRUE(records[1].startsWith("70000,0,0,"));
    EXPECT_TRUE(records[2].endsWith(",5000,\"2023\",\"2024\",\"2025\",50000,70000,0,60000\r"));
}

TEST_F(IncomeTest, ASumOfZeroConfirmsAsIncomeNotEntered) {
    Type(page1->Cell(1, 1), "1000");
    Type(page1->Cell(1, 2), "-1000");
    EXPECT_EQ(page2->findChild<QGroupBox*>("Frame1")->title(), "2 Year Average");
    EXPECT_EQ(Label(*page1, "Label4"), "$0.00");
    page1->findChild<QPushButton*>("BtnOk")->click();
    EXPECT_EQ(model.loanData.monthlyIncome, kIncomeNotEntered);
}

TEST_F(IncomeTest, PageOneFiltersKeysAndPageTwoDoesNot) {
    Type(page1->Cell(2, 1), "12a");
    EXPECT_EQ(page1->Cell(2, 1)->text(), "12");
    QLineEdit* wages = page2->Cell(18, 2);  // Schedule C depreciation, year 2
    Type(wages, "12a");
    EXPECT_EQ(wages->text(), "12a");
    EXPECT_EQ(model.incomeAnalysis.line[18][2], 12);
    EXPECT_EQ(Label(*page2, "Label1_18"), "12") << "recomputed on the key's release";
    page1->Cell(3, 1)->setText("5");  // a paste on page 1 recomputes at once
    EXPECT_EQ(Label(*page2, "Label1_17"), "-7");
}

TEST_F(IncomeTest, CancelPutsBackTheAnalysisItOpenedWith) {
    const QByteArray before = FileBytes("INCOME.DAT");
    const QString opened = page1->Cell(1, 3)->text();
    Type(page1->Cell(1, 3), "90000");
    EXPECT_EQ(model.incomeAnalysis.line[1][3], 90000) << "stored as typed";
    page1->findChild<QPushButton*>("BtnCancel")->click();
    EXPECT_EQ(model.loanData.monthlyIncome, kIncomeNotEntered);
    EXPECT_EQ(FileBytes("INCOME.DAT"), before);
    IncomePage2 again2(test::DocumentOf(model));
    IncomePage1 again(test::DocumentOf(model), again2);
    EXPECT_EQ(again.Cell(1, 3)->text(), opened);
    EXPECT_NE(opened, "90000");
}

TEST_F(IncomeTest, PageTwoOpensOverPageOneAndGoesBack) {
    page1->show();
    QTest::keyClick(page1->Cell(1, 1), Qt::Key_F1);
    EXPECT_EQ(help.topics, QList<int>{20});
    bool checked = false;
    QTimer::singleShot(0, [&] {
        EXPECT_TRUE(page2->isVisible());
        EXPECT_EQ(page2->focusWidget(), page2->Cell(15, 1));
        EXPECT_EQ(Label(*page2, "Label1_21"), "2023");
        Screenshot(page2.get(), "income2");
        page2->findChild<QPushButton*>("Command1")->click();
        checked = true;
    });
    page1->findChild<QPushButton*>("Command1")->click();
    EXPECT_TRUE(checked);
    EXPECT_FALSE(page2->isVisible());
    EXPECT_EQ(page1->focusWidget(), page1->Cell(1, 1));
    page1->reject();
}

TEST_F(IncomeTest, OkReachesTheMainWindowOnActivation) {
    Model shared;
    MainWindow window(test::DocumentOf(shared));
    ASSERT_EQ(window.FormLoad(), LoadOutcome::Complete);
    {
        IncomePage2 p2(test::DocumentOf(shared));
        IncomePage1 p1(test::DocumentOf(shared), p2);
        Type(p1.Cell(1, 1), "96000");
        p1.findChild<QPushButton*>("BtnOk")->click();
    }
    window.Form_Activate();
    EXPECT_EQ(window.findChild<QLabel*>("Label23_16")->text(), "$8,000");
    EXPECT_EQ(window.findChild<QLabel*>("Label23_3")->text(), "38.7%");
}

// ---- debt summary ----------------------------------------------------------

class DebtTest : public test::WindowTest {
  protected:
    DebtTest() { LoadInstalled(model); }
    Model model;
};

TEST_F(DebtTest, RunningTotalOverTheBoxes) {
    DebtSummaryScreen screen(test::DocumentOf(model));
    Screenshot(&screen, "debt");
    QTest::keyClicks(screen.Payment(3), "150");
    QTest::keyClicks(screen.Payment(20), "35.50");
    EXPECT_EQ(screen.findChild<QLabel*>("Label5")->text(), "185.5");
    screen.Payment(7)->setText("-20");
    EXPECT_EQ(screen.findChild<QLabel*>("Label5")->text(), "165.5");
    screen.Payment(3)->clear();
    EXPECT_EQ(screen.findChild<QLabel*>("Label5")->text(), "15.5");
    QTest::keyClicks(screen.Payment(1), "1,a2");
    EXPECT_EQ(screen.Payment(1)->text(), "012") << "payments take numbers only";
    QTest::keyClicks(screen.Description(1), "Visa, 4411");
    EXPECT_EQ(screen.Description(1)->text(), "Visa, 4411") << "descriptions take any text";
}

TEST_F(DebtTest, OkStoresAndWritesCancelDiscards) {
    {
        DebtSummaryScreen screen(test::DocumentOf(model));
        screen.Description(0)->setText("Car \"loan\"");
        screen.Payment(0)->setText("415.25");
        screen.findChild<QPushButton*>("BtnCancel")->click();
    }
    EXPECT_EQ(model.loanData.monthlyDebt, 0);
    {
        DebtSummaryScreen screen(test::DocumentOf(model));
        EXPECT_EQ(screen.Description(0)->text(), "") << "every opening starts from the file";
        screen.Description(0)->setText("Car \"loan\"");
        screen.Payment(0)->setText("415.25");
        screen.Payment(30)->setText("20");
        screen.findChild<QPushButton*>("BtnOk")->click();
    }
    EXPECT_EQ(model.loanData.monthlyDebt, 435.25f);
    const QByteArray file = FileBytes("DEBT.DAT");
    EXPECT_TRUE(file.startsWith("\"Car 'loan'\"\r\n415.25\r\n\"\"\r\n0\r\n"));
    EXPECT_TRUE(file.endsWith("\"\"\r\n20\r\n435.25\r\n"));
}

TEST_F(DebtTest, MissingFileKeepsWhatMemoryHolds) {
    QFile::remove(DataFile("DEBT.DAT"));
    model.debtSummary.itemName[2] = "Student loan";
    model.debtSummary.itemAmount[2] = 180;
    DebtSummaryScreen screen(test::DocumentOf(model));
    EXPECT_EQ(screen.Description(2)->text(), "Student loan");
    EXPECT_EQ(screen.Payment(2)->text(), "180");
    screen.findChild<QPushButton*>("btnHelp")->click();
    screen.show();
    QTest::keyClick(screen.Payment(0), Qt::Key_F1);
    EXPECT_EQ(help.topics, (QList<int>{25, 25}));
    screen.reject();
}

}  // namespace
}  // namespace dovanel
