#include "ui/editors/gov_tables_editor.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "data/government_file.h"
#include "tests/ui/ui_fixture.h"

namespace dovanel {
namespace {

class GovTablesTest : public test::WindowTest {
  protected:
    GovTablesTest() { LoadInstalled(model); }

    // Next year's figures typed over this year's.
    static void Fill(GovTablesEditor& editor) {
        editor.show();
        const std::pair<const char*, const char*> typed[] = {
            {"txtYear", "2027"}, {"txtFhaUpfront", "1.5"}, {"txtFhaFloor", "552000"}};
        for (const auto& [box, text] : typed) {
            auto* edit = editor.findChild<QLineEdit*>(box);
            edit->setFocus();
            edit->selectAll();
            QTest::keyClicks(edit, text);
        }
        editor.findChild<QTableWidget*>("grdFhaAnnual")->item(0, 3)->setText("0.45");
        editor.findChild<QTableWidget*>("grdVaFee")->item(0, 1)->setText("2.3");
    }

    Model model;
};

TEST_F(GovTablesTest, ShowsTheTablesInPercentAndOkTakesAndWritesThem) {
    EXPECT_FALSE(QFile::exists(DataFile(kGovernmentFileName)));  // built-in tables
    GovTablesEditor editor(model);
    EXPECT_EQ(editor.findChild<QLineEdit*>("txtYear")->text(), "2026");
    EXPECT_EQ(editor.findChild<QLineEdit*>("txtFhaUpfront")->text(), "1.75");
    EXPECT_EQ(editor.findChild<QLineEdit*>("txtFhaFloor")->text(), "541287");
    auto* fha = editor.findChild<QTableWidget*>("grdFhaAnnual");
    ASSERT_EQ(fha->rowCount(), 11);
    EXPECT_EQ(fha->item(2, 3)->text(), "0.55");
    EXPECT_EQ(fha->item(0, 4)->text(), "11");
    Fill(editor);
    editor.findChild<QPushButton*>("BtnOk")->click();
    const GovernmentLoanTables& t = model.governmentTables;
    EXPECT_EQ(t.year, 2027);
    EXPECT_DOUBLE_EQ(t.fhaUpfrontRate, 0.015);
    EXPECT_EQ(t.fhaFloor, 552000);
    EXPECT_DOUBLE_EQ(t.fhaAnnual[0].rate, 0.0045);
    EXPECT_DOUBLE_EQ(t.vaFundingFee[0].firstUse, 0.023);
    EXPECT_EQ(t.fhaAnnual[1].rate, 0.005) << "an untouched cell keeps its exact figure";
    Model again;
    LoadInstalled(again);
    EXPECT_EQ(GovernmentFileText(again.governmentTables), GovernmentFileText(t));
}

TEST_F(GovTablesTest, CancelEscapeAndABadCellChangeNothing) {
    const std::string before = GovernmentFileText(model.governmentTables);
    for (int way = 0; way < 3; ++way) {
        SCOPED_TRACE(way);
        const std::size_t asked = platform.asked.size();
        GovTablesEditor editor(model);
        Fill(editor);
        if (way == 0) editor.findChild<QPushButton*>("BtnCancel")->click();
        if (way == 1) QTest::keyClick(editor.findChild<QLineEdit*>("txtYear"), Qt::Key_Escape);
        if (way == 2) {
            editor.findChild<QTableWidget*>("grdFhaAnnual")->item(4, 0)->setText("maybe");
            editor.findChild<QPushButton*>("BtnOk")->click();
            ASSERT_EQ(platform.asked.size(), asked + 1);
            EXPECT_TRUE(platform.asked.back().text.contains("row 5"))
                << platform.asked.back().text.toStdString();
            editor.close();
        }
        EXPECT_EQ(GovernmentFileText(model.governmentTables), before);
        EXPECT_FALSE(QFile::exists(DataFile(kGovernmentFileName)));
    }
}

TEST_F(GovTablesTest, AFailedWriteIsToldAndTheTablesKeptInMemory) {
    QDir().mkdir(DataFile(kGovernmentFileName));  // a folder where the file should be
    GovTablesEditor editor(model);
    Fill(editor);
    editor.findChild<QPushButton*>("BtnOk")->click();
    ASSERT_EQ(platform.asked.size(), 1u);
    EXPECT_EQ(model.governmentTables.year, 2027);
}

}  // namespace
}  // namespace dovanel
