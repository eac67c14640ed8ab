#include "ui/estimate/values_editor.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "tests/ui/ui_fixture.h"

namespace dovanel {
namespace {

class ValuesTest : public test::WindowTest {
  protected:
    ValuesTest() { LoadInstalled(model); }
    QLineEdit* Cell(ValuesEditor& e, const char* name) { return e.findChild<QLineEdit*>(name); }
    void Ok(ValuesEditor& e) { e.findChild<QPushButton*>("BtnOk")->click(); }
    Model model;
};

TEST_F(ValuesTest, CellsShowWholeNumbersAndCrosswiseItems) {
    model.estimateValues.costAmount[1] = 350.75f;
    model.estimateValues.costAmount[2] = 0;
    ValuesEditor editor(model);
    Screenshot(&editor, "values");
    EXPECT_EQ(editor.windowTitle(), "Change Financing  Estimate  Values");
    EXPECT_EQ(Cell(editor, "Text2")->text(), "351");
    EXPECT_EQ(Cell(editor, "Text3")->text(), "") << "zero shows as an empty cell";
    EXPECT_EQ(Cell(editor, "Text11")->text(), "15");
    EXPECT_EQ(Cell(editor, "Line5")->text(), "Courier / Flood Report");
    EXPECT_EQ(Cell(editor, "Text10")->text(), "45") << "row 5 holds amount 7";
    EXPECT_EQ(Cell(editor, "Text7")->text(), "250") << "row 7 holds amount 5";
    Ok(editor);
    EXPECT_EQ(model.estimateValues.costAmount[1], 350.75f)
        << "a cell left as shown keeps its value";
    EXPECT_EQ(model.estimateValues.costAmount[2], 0.0f);
}

TEST_F(ValuesTest, CountsRoundHalvesToEvenAndKeepOutOfRangeValues) {
    ValuesEditor editor(model);
    Cell(editor, "Text11")->setText("30.5");
    Cell(editor, "Text12")->setText("31.5");
    Cell(editor, "Text13")->setText("40000");
    Cell(editor, "Text14")->setText("");
    Ok(editor);
    EXPECT_EQ(model.estimateValues.interimInterestDays, 30);
    EXPECT_EQ(model.estimateValues.pmiImpoundMonths, 32);
    EXPECT_EQ(model.estimateValues.insurancePremiumMonths, 12) << "outside 16 bits: kept";
    EXPECT_EQ(model.estimateValues.insuranceImpoundMonths, 0);
}

TEST_F(ValuesTest, CancelChangesNothingOkWritesTheFile) {
    const QByteArray before = FileBytes("ESTIMATE.DAT");
    {
        ValuesEditor editor(model);
        Cell(editor, "Line1")->setText("Appraisal \"full\"");
        Cell(editor, "Text16")->setText("750");
        editor.findChild<QPushButton*>("BtnCancel")->click();
    }
    EXPECT_EQ(model.estimateValues.costName[1], "Appraisal Fee");
    EXPECT_EQ(FileBytes("ESTIMATE.DAT"), before);
    {
        ValuesEditor editor(model);
        Cell(editor, "Line1")->setText("Appraisal \"full\"");
        Cell(editor, "Text16")->setText("750");
        Cell(editor, "Text10")->setText("60");
        Ok(editor);
    }
    EXPECT_EQ(model.estimateValues.applicationDeposit, 750);
    EXPECT_EQ(model.estimateValues.costAmount[7], 60);
    EXPECT_EQ(FileBytes("ESTIMATE.DAT"),
              "650,65,85,495,250,125,60,15,2,12,3,3,750,\"Appraisal 'full'\",\"Credit "
              "Report\",\"Tax Related Service "
              "Fee\",\"Processing Fee\",\"Courier / Flood Report\",\"Recording "
              "Fee\",\"Miscellaneous Costs\"\r\n");
}

TEST_F(ValuesTest, EnterMovesOnAndTheLastNameGoesBackToTheFirstAmount) {
    ValuesEditor editor(model);
    editor.show();
    editor.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&editor));
    Cell(editor, "Text11")->setFocus();
    QTest::keyClick(Cell(editor, "Text11"), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), "Text12");
    QTest::keyClicks(Cell(editor, "Text12"), "a1");
    EXPECT_EQ(Cell(editor, "Text12")->text(), "a1") << "no key is filtered here";
    Cell(editor, "Line7")->setFocus();
    QTest::keyClick(Cell(editor, "Line7"), Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget()->objectName(), "Text2");
    QTest::keyClick(&editor, Qt::Key_F1);
    EXPECT_EQ(help.topics, QList<int>{60});
    editor.reject();
}

}  // namespace
}  // namespace dovanel
