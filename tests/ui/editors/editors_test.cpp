// The schedule editors: PMI rates, escrow and title fee tables, origination fee
// schedule, guideline ratios.
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "data/data_files.h"
#include "engine/recalculate.h"
#include "tests/ui/ui_fixture.h"
#include "ui/editors/fee_table_editor.h"
#include "ui/editors/origination_editor.h"
#include "ui/editors/pmi_editor.h"

namespace dovanel {
namespace {

class EditorTest : public test::WindowTest {
  protected:
    EditorTest() { LoadInstalled(model); }
    static QLineEdit* Cell(QWidget& w, const QString& name) {
        return w.findChild<QLineEdit*>(name);
    }
    static void Click(QWidget& w, const char* button) {
        w.findChild<QAbstractButton*>(button)->click();
    }
    static void Retype(QWidget& w, const QString& cell, const QString& keys) {
        Cell(w, cell)->clear();
        QTest::keyClicks(Cell(w, cell), keys);
    }
    Model model;
};

// ---- PMI -------------------------------------------------------------------

TEST_F(EditorTest, PmiCellsShowPercentsAndStoreEveryKeystroke) {
    model.pmiSchedule.conventionalPremium[1] = 0.005f;
    model.pmiSchedule.armMonthly[4] = 0.0125f;
    PmiEditor editor(model);
    Screenshot(&editor, "pmi");
    EXPECT_EQ(Cell(editor, "Text1")->text(), ".500");
    EXPECT_EQ(Cell(editor, "Text16")->text(), "1.250");
    Retype(editor, "Text14", "0.75");
    EXPECT_EQ(model.pmiSchedule.conventionalMonthly[4], 0.0075f);
    Retype(editor, "Text14", "1,a5");
    EXPECT_EQ(Cell(editor, "Text14")->text(), "15") << "letters and commas are swallowed";
    Cell(editor, "Text9")->clear();
    EXPECT_EQ(model.pmiSchedule.conventionalMonthly[3], 0.0f);
}

TEST_F(EditorTest, PmiCancelPutsBackTheRatesItOpenedWith) {
    const QByteArray before = FileBytes("PMI.DAT");
    const Single opened = model.loanResults.pmiMonthlyRate;
    {
        PmiEditor editor(model);
        Retype(editor, "Text8", "0.6");  // conventional monthly, band 2: this loan's band
        EXPECT_EQ(model.pmiSchedule.conventionalMonthly[2], 0.006f) << "stored as typed";
        Click(editor, "BtnCancel");
    }
    EXPECT_EQ(FileBytes("PMI.DAT"), before);
    Recalculate(model);
    EXPECT_NE(opened, 0.006f);
    EXPECT_EQ(model.loanResults.pmiMonthlyRate, opened) << "the results use the opened rate";
    {
        PmiEditor editor(model);
        Retype(editor, "Text8", "0.6");
        Click(editor, "BtnOk");
    }
    EXPECT_EQ(FileBytes("PMI.DAT"),
              ".003,.004,.0055,.0075,.0035,.0048,.0065,.009,.003,.006,.0062,.0085,.0036,.0054,"
              ".0074,.01\r\n");
}

// ---- fee tables ------------------------------------------------------------

class FeeEditorTest : public EditorTest {
  protected:
    QString Shown(FeeTableEditor& e, const char* column, int row) {
        return Cell(e, QString("Display%1_%2").arg(column).arg(row))->text();
    }
};

TEST_F(FeeEditorTest, OpeningShowsRowOneWithZerosAbove) {
    FeeTableEditor editor(FeeTableEditor::Kind::Escrow, model);
    Screenshot(&editor, "escrow");
    EXPECT_EQ(editor.windowTitle(), "Change Escrow Fees Table");
    EXPECT_EQ(Cell(editor, "Text2")->text(), "0");
    EXPECT_EQ(Cell(editor, "Text1")->text(), "490.00");
    EXPECT_EQ(Shown(editor, "Amount", 3), "25000");
    EXPECT_EQ(Shown(editor, "Amount", 4), "50000");
    for (int row : {0, 1}) {
        EXPECT_EQ(Shown(editor, "Amount", row), "0");
        EXPECT_EQ(Shown(editor, "Fee", row), "0");
    }
}

TEST_F(FeeEditorTest, ArrowsScrollAndWarnBelowTheTable) {
    FeeTableEditor editor(FeeTableEditor::Kind::Escrow, model);
    Click(editor, "Picture2");
    EXPECT_EQ(editor.viewOffset(), 1);
    EXPECT_EQ(Cell(editor, "Text2")->text(), "25000");
    EXPECT_EQ(Shown(editor, "Fee", 0), ".00") << "slot 0 in its format";
    Click(editor, "Picture1");
    EXPECT_EQ(Shown(editor, "Fee", 1), ".00");
    Click(editor, "Picture1");
    Click(editor, "Picture1");
    EXPECT_EQ(editor.viewOffset(), -2);
    EXPECT_TRUE(platform.asked.empty());
    Click(editor, "Picture1");
    EXPECT_EQ(editor.viewOffset(), -3);
    ASSERT_EQ(platform.asked.size(), 1u);
    EXPECT_EQ(platform.asked[0].text,
              "Just like the real world, the real estate available on this screen is limited.  Use "
              "the Up Arrow on your "
              "keyboard to increment the table.");
    EXPECT_EQ(platform.asked[0].icon, MsgIcon::Warning);
}

TEST_F(FeeEditorTest, TheViewNeverLeavesTheTable) {
    FeeTableEditor editor(FeeTableEditor::Kind::Title, model);
    for (int i = 0; i < 200; ++i) editor.StepUp();
    EXPECT_EQ(editor.viewOffset(), 117);
    EXPECT_EQ(Shown(editor, "Amount", 4), "6900000") << "row 120 at the bottom";
    platform.answers.assign(1, MsgAnswer::Ok);
    for (int i = 0; i < 200; ++i) editor.StepDown();
    EXPECT_EQ(editor.viewOffset(), -19);
    EXPECT_EQ(platform.asked.back().text,
              "you're about to go out of the visual range of this screen.  Use the Arrow-Up Key to "
              "increment the table.");
}

TEST_F(FeeEditorTest, AFeeSurvivesScrollingAndIsSaved) {
    FeeTableEditor editor(FeeTableEditor::Kind::Escrow, model);
    Click(editor, "Picture2");  // row 2 in the input row
    Retype(editor, "Text1", "1250");
    EXPECT_EQ(model.escrowFees.fee[2], 1250);
    Click(editor, "Picture2");
    Click(editor, "Picture1");
    EXPECT_EQ(Cell(editor, "Text1")->text(), "1,250.00");
    EXPECT_EQ(model.escrowFees.fee[2], 1250) << "showing the fee did not change it";
    Click(editor, "Picture1");
    Click(editor, "Picture1");  // slot 0: a spare row
    Retype(editor, "Text2", "5");
    EXPECT_EQ(model.escrowFees.amount[0], 5);
    Click(editor, "BtnOk");
    const QList<QByteArray> lines = FileBytes("ESCROW.DAT").split('\n');
    ASSERT_EQ(lines.size(), 241);
    EXPECT_EQ(lines[1], "1250\r");
    EXPECT_EQ(lines[120], "0\r") << "row 1's threshold is the first amount";
}

TEST_F(FeeEditorTest, LeavingTheAmountCellStepsUp) {
    FeeTableEditor editor(FeeTableEditor::Kind::Title, model);
    editor.show();
    editor.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&editor));
    Cell(editor, "Text2")->setFocus();
    QTest::keyClick(Cell(editor, "Text2"), Qt::Key_Return);
    EXPECT_EQ(editor.viewOffset(), 1);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), "Text1") << "title: amount, then fee";
    QTest::keyClick(&editor, Qt::Key_F1);
    EXPECT_EQ(help.topics, QList<int>{60});
    editor.reject();
}

// Title: the amount cell comes first; a click into the fee cell leaves the row.
TEST_F(FeeEditorTest, AClickIntoTheFeeCellKeepsTheRow) {
    FeeTableEditor editor(FeeTableEditor::Kind::Title, model);
    editor.show();
    editor.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&editor));
    ASSERT_EQ(QApplication::focusWidget(), Cell(editor, "Text2"));
    const Single secondFee = model.titleFees.fee[2];
    QTest::mouseClick(Cell(editor, "Text1"), Qt::LeftButton);
    EXPECT_EQ(QApplication::focusWidget(), Cell(editor, "Text1"));
    EXPECT_EQ(editor.viewOffset(), 0) << "row 1 stays in the input row";
    Cell(editor, "Text1")->selectAll();
    QTest::keyClicks(Cell(editor, "Text1"), "99");
    Click(editor, "BtnOk");
    Model stored;
    DataError error;
    ASSERT_TRUE(LoadDataFile(DataFile::Title, stored, App().dataFolder.toStdString(), error));
    EXPECT_EQ(stored.titleFees.fee[1], 99) << "the fee went where it was typed";
    EXPECT_EQ(stored.titleFees.fee[2], secondFee);
}

// By keys alone: the arrow keys scroll, a row passed by mistake comes back, and
// every button is in the Tab order.
TEST_F(FeeEditorTest, KeysScrollTheTableAndReachEveryButton) {
    FeeTableEditor editor(FeeTableEditor::Kind::Escrow, model);
    editor.show();
    editor.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&editor));
    auto press = [](Qt::Key key, Qt::KeyboardModifiers held = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), key, held);
    };
    auto focused = [] { return QApplication::focusWidget()->objectName(); };
    const std::pair<Qt::Key, int> scrolls[] = {
        {Qt::Key_Up, 1}, {Qt::Key_PageUp, 6}, {Qt::Key_Down, 5}, {Qt::Key_PageDown, 0}};
    for (const auto& [key, offset] : scrolls) {
        press(key);
        EXPECT_EQ(editor.viewOffset(), offset) << "key " << key;
        EXPECT_EQ(focused(), "Text1") << "the focus stays in its cell";
    }
    // Fee, Tab, amount, Tab: the next row. Down brings back the row passed.
    press(Qt::Key_A, Qt::ControlModifier);  // selects the fee: Ctrl keys still work
    QTest::keyClicks(QApplication::focusWidget(), "111");
    press(Qt::Key_Tab);
    EXPECT_EQ(focused(), "Text2");
    QTest::keyClicks(QApplication::focusWidget(), "1000");
    press(Qt::Key_Tab);
    EXPECT_EQ(focused(), "Text1") << "Tab from the amount comes back to the fee";
    EXPECT_EQ(editor.viewOffset(), 1);
    press(Qt::Key_Down);
    press(Qt::Key_Tab);
    EXPECT_EQ(editor.viewOffset(), 0);
    EXPECT_EQ(focused(), "Text2");
    QTest::keyClicks(QApplication::focusWidget(), "2000");
    EXPECT_EQ(model.escrowFees.amount[1], 2000) << "row 1 corrected";
    EXPECT_EQ(model.escrowFees.fee[1], 111);
    // Shift+Tab from the first cell goes back through the buttons.
    press(Qt::Key_Tab);  // to the fee of row 2
    press(Qt::Key_Down);
    const char* backwards[] = {"BtnCancel", "BtnOk", "Picture1", "Picture2"};
    for (const char* name : backwards) {
        press(Qt::Key_Backtab, Qt::ShiftModifier);
        EXPECT_EQ(focused(), name);
    }
    press(Qt::Key_Space);
    EXPECT_EQ(editor.viewOffset(), 1) << "Space presses the up arrow";
    press(Qt::Key_Tab);
    EXPECT_EQ(focused(), "Picture1");
    press(Qt::Key_Return);
    EXPECT_EQ(editor.viewOffset(), 0) << "Enter presses the down arrow";
    for (const char* name : {"BtnOk", "BtnCancel", "Text1"}) {
        press(Qt::Key_Tab);
        EXPECT_EQ(focused(), name);
    }
    editor.reject();
}

// Title: the amount first; Tab in the fee cell comes back to the amount.
TEST_F(FeeEditorTest, TabInTheTitleFeeCellComesBackToTheAmount) {
    FeeTableEditor editor(FeeTableEditor::Kind::Title, model);
    editor.show();
    editor.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&editor));
    QTest::keyClick(Cell(editor, "Text2"), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), Cell(editor, "Text1"));
    EXPECT_EQ(editor.viewOffset(), 1);
    QTest::keyClick(Cell(editor, "Text1"), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), Cell(editor, "Text2"));
    EXPECT_EQ(editor.viewOffset(), 1) << "leaving the fee cell keeps the row";
    editor.reject();
}

// ---- origination and guidelines --------------------------------------------

TEST_F(EditorTest, OriginationRatesInPercentStoredAtOnce) {
    model.originationSchedule.feeRate[2] = 0.0125f;
    const OriginationSchedule opened = model.originationSchedule;
    OriginationEditor editor(model);
    Screenshot(&editor, "origination");
    EXPECT_EQ(Cell(editor, "Text3")->text(), "1.00");
    EXPECT_EQ(Cell(editor, "Text6")->text(), "1.25");
    EXPECT_EQ(Cell(editor, "Text2")->text(), "200000");
    Retype(editor, "Text9", "2");
    EXPECT_EQ(model.originationSchedule.feeRate[3], 0.02f);
    Cell(editor, "Text12")->clear();
    EXPECT_EQ(model.originationSchedule.feeRate[4], 0.0f);
    Retype(editor, "Text13", "12345678");
    EXPECT_EQ(model.originationSchedule.amountFrom[5], 12345678);
    Click(editor, "BtnCancel");
    EXPECT_EQ(model.originationSchedule.feeRate[3], opened.feeRate[3]) << "cancel puts back";
    EXPECT_EQ(model.originationSchedule.amountFrom[5], opened.amountFrom[5]);
}

TEST_F(EditorTest, OriginationOkWritesItsRecordOrder) {
    OriginationEditor editor(model);
    Retype(editor, "Text1", "1000");
    Click(editor, "BtnOk");
    EXPECT_TRUE(FileBytes("LOANORIG.DAT").startsWith(".01\r\n1000\r\n200000\r\n.01\r\n"));
}

TEST_F(EditorTest, GuidelinesChangeOnlyOnOk) {
    {
        GuidelineEditor editor(model);
        Screenshot(&editor, "guidelines");
        EXPECT_EQ(Cell(editor, "Text1")->text(), "832750");
        EXPECT_EQ(Cell(editor, "Text2")->text(), "28");
        Retype(editor, "Text3", "40");
        Click(editor, "BtnCancel");
    }
    EXPECT_EQ(model.guidelineRatios.secondRatioUpTo90, 0.36f);
    {
        GuidelineEditor editor(model);
        Retype(editor, "Text1", "1,000,000");
        Retype(editor, "Text5", "33");
        Cell(editor, "Text4")->clear();
        Click(editor, "BtnOk");
    }
    EXPECT_EQ(model.guidelineRatios.jumboLimit, 1000000) << "commas are swallowed while typing";
    EXPECT_EQ(model.guidelineRatios.firstRatioAbove90, 0.33f);
    EXPECT_EQ(model.guidelineRatios.secondRatioAbove90, 0.0f);
    EXPECT_EQ(FileBytes("FANMAE.DAT"), "1000000,.28,.36,.33,0\r\n");
}

}  // namespace
}  // namespace dovanel
