#include "ui/editors/gov_tables_editor.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "data/government_file.h"
#include "tests/ui/ui_fixture.h"
#include "ui/document/scenario_document.h"
#include "ui/document/scenario_store.h"

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
    // The first run installs the built-in tables.
    EXPECT_EQ(FileBytes(kGovernmentFileName).toStdString(),
              GovernmentFileText(GovernmentLoanTables()));
    GovTablesEditor editor(model);
    EXPECT_EQ(editor.findChild<QLineEdit*>("txtYear")->text(), "2026");
    EXPECT_EQ(editor.findChild<QLineEdit*>("txtFhaUpfront")->text(), "1.75");
    EXPECT_EQ(editor.findChild<QLineEdit*>("txtFhaFloor")->text(), "541287");
    auto* fha = editor.findChild<QTableWidget*>("grdFhaAnnual");
    ASSERT_EQ(fha->rowCount(), 11);
    EXPECT_EQ(fha->item(2, 3)->text(), "0.55");
    EXPECT_EQ(fha->item(0, 4)->text(), "11");
    EXPECT_EQ(fha->item(2, 2)->text(), "any");  // the last row of its term and size
    Fill(editor);
    editor.findChild<QPushButton*>("BtnOk")->click();
    const GovernmentLoanTables& t = model.governmentTables;
    EXPECT_EQ(t.year, 2027);
    EXPECT_DOUBLE_EQ(t.fhaUpfrontRate, 0.015);
    EXPECT_EQ(t.fhaFloor, 552000);
    EXPECT_DOUBLE_EQ(t.fhaAnnual[0].rate, 0.0045);
    EXPECT_DOUBLE_EQ(t.vaFundingFee[0].firstUse, 0.023);
    EXPECT_EQ(t.fhaAnnual[1].rate, 0.005) << "an untouched cell keeps its exact figure";
    EXPECT_EQ(t.fhaAnnual[2].ltvUpTo, kAnyLtv);
    Model again;
    LoadInstalled(again);
    EXPECT_EQ(GovernmentFileText(again.governmentTables), GovernmentFileText(t));
}

// A figure whose text is longer than its box's typing limit is shown whole,
// so Ok on the unchanged window keeps it exactly.
TEST_F(GovTablesTest, OkKeepsEveryStoredFigureExactly) {
    model.governmentTables.fhaUpfrontRate = 0.001234567890123456;
    model.governmentTables.fhaLargeLoanThreshold = 1234567.123456789;
    GovTablesEditor editor(model);
    editor.show();
    editor.findChild<QPushButton*>("BtnOk")->click();
    EXPECT_EQ(model.governmentTables.fhaUpfrontRate, 0.001234567890123456);
    EXPECT_EQ(model.governmentTables.fhaLargeLoanThreshold, 1234567.123456789);
}

TEST_F(GovTablesTest, CancelEscapeAndABadCellChangeNothing) {
    const std::string before = GovernmentFileText(model.governmentTables);
    const QByteArray installed = FileBytes(kGovernmentFileName);
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
        EXPECT_EQ(FileBytes(kGovernmentFileName), installed);
    }
}

TEST_F(GovTablesTest, AFailedWriteIsToldAndTheTablesKeptInMemory) {
    QFile::remove(DataFile(kGovernmentFileName));
    QDir().mkdir(DataFile(kGovernmentFileName));  // a folder where the file should be
    GovTablesEditor editor(model);
    Fill(editor);
    editor.findChild<QPushButton*>("BtnOk")->click();
    // Told once on opening (it cannot be read) and once for the failed write.
    ASSERT_EQ(platform.asked.size(), 2u);
    EXPECT_TRUE(platform.asked[0].text.contains("could not be read"));
    EXPECT_TRUE(platform.LastText().contains(kGovernmentFileName));
    EXPECT_EQ(model.governmentTables.year, 2027);
}

// Tables that fail on line 3: told at start with the built-in tables in use,
// told again on opening the window, and replaced only by its Ok.
TEST_F(GovTablesTest, AnUnreadableFileIsToldAtStartAndOnOpening) {
    const QByteArray bad = "Dovanel government loans 1\nyear=2026\nfha.shortTermYears=x\n";
    QFile file(DataFile(kGovernmentFileName));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bad);
    file.close();
    Model started;
    ScenarioDocument document(started);
    ASSERT_EQ(LoadDefaultLoan(nullptr, document), LoadOutcome::Complete);
    ASSERT_EQ(platform.asked.size(), 1u);
    for (const char* part : {"government loan tables could not be read", "Line 3: The value of",
                             "built-in tables for 2026", kGovernmentFileName})
        EXPECT_TRUE(platform.LastText().contains(part)) << part;
    EXPECT_EQ(GovernmentFileText(started.governmentTables),
              GovernmentFileText(GovernmentLoanTables()));

    GovTablesEditor editor(started);
    ASSERT_EQ(platform.asked.size(), 2u);
    for (const char* part : {"Line 3: The value of", "Ok in this window replaces the file"})
        EXPECT_TRUE(platform.LastText().contains(part)) << part;
    editor.findChild<QPushButton*>("BtnCancel")->click();
    EXPECT_EQ(FileBytes(kGovernmentFileName), bad) << "only Ok replaces the file";
    GovTablesEditor again(started);
    again.findChild<QPushButton*>("BtnOk")->click();
    EXPECT_EQ(FileBytes(kGovernmentFileName).toStdString(),
              GovernmentFileText(GovernmentLoanTables()));
}

// Adds a row below the current one (a copy of it) or removes the current one.
void Press(GovTablesEditor& editor, const char* button, const char* grid, int row) {
    editor.findChild<QTableWidget*>(grid)->setCurrentCell(row, 0);
    editor.findChild<QPushButton*>(button)->click();
}

void SetCells(GovTablesEditor& editor, const char* grid, int row, const QStringList& texts) {
    for (int c = 0; c < texts.size(); ++c)
        editor.findChild<QTableWidget*>(grid)->item(row, c)->setText(texts[c]);
}

TEST_F(GovTablesTest, RowsAreAddedAndRemovedAndTakenOnlyByOk) {
    const std::string before = GovernmentFileText(model.governmentTables);
    for (bool ok : {false, true}) {
        SCOPED_TRACE(ok ? "Ok" : "Cancel");
        GovTablesEditor editor(model);
        editor.show();
        Press(editor, "cmdAddVaRow", "grdVaFee", 2);
        SetCells(editor, "grdVaFee", 3, {"20", "1", "1"});
        Press(editor, "cmdAddFhaRow", "grdFhaAnnual", 0);
        SetCells(editor, "grdFhaAnnual", 0, {"yes", "no", "85", "0.45", "11"});
        Press(editor, "cmdRemoveFhaRow", "grdFhaAnnual", 11);  // the last row of the table
        const auto* fha = editor.findChild<QTableWidget*>("grdFhaAnnual");
        EXPECT_EQ(fha->rowCount(), 11);
        EXPECT_EQ(fha->item(2, 2)->data(Qt::AccessibleTextRole).toString(),
                  "Row 3, LTV up to, %: 95")
            << "the moved copy is named by its new row";
        editor.findChild<QPushButton*>(ok ? "BtnOk" : "BtnCancel")->click();
        EXPECT_TRUE(platform.asked.empty()) << platform.LastText().toStdString();
    }
    const GovernmentLoanTables& t = model.governmentTables;
    ASSERT_EQ(t.vaFundingFee.size(), 4u);
    EXPECT_DOUBLE_EQ(t.vaFundingFee[3].downFrom, 0.2);
    EXPECT_DOUBLE_EQ(t.vaFundingFee[3].firstUse, 0.01);
    ASSERT_EQ(t.fhaAnnual.size(), 11u);
    EXPECT_DOUBLE_EQ(t.fhaAnnual[0].ltvUpTo, 0.85);
    EXPECT_DOUBLE_EQ(t.fhaAnnual[0].rate, 0.0045);
    EXPECT_DOUBLE_EQ(t.fhaAnnual[1].ltvUpTo, 0.9) << "the copy below it";
    EXPECT_DOUBLE_EQ(t.fhaAnnual[10].ltvUpTo, 0.9) << "the last row, for any LTV, is gone";
    EXPECT_NE(GovernmentFileText(t), before);
    Model again;
    LoadInstalled(again);
    EXPECT_EQ(GovernmentFileText(again.governmentTables), GovernmentFileText(t));
}

// Ok refuses tables that make no sense, naming the problem; the last row of a
// table is never removed.
TEST_F(GovTablesTest, TablesThatMakeNoSenseAreRefused) {
    const std::string before = GovernmentFileText(model.governmentTables);
    const struct {
        const char* button;
        const char* grid;
        int row;
        const char* told;
    } cases[] = {
        {"cmdRemoveVaRow", "grdVaFee", 0, "VA funding fee, row 1: the first band does not start"},
        {"cmdAddFhaRow", "grdFhaAnnual", 2,
         "FHA annual premium, row 4: the LTV does not rise above row 3's"},
        {"cmdRemoveFhaRow", "grdFhaAnnual", 10,
         "no row with over the short term \"no\" and large loan \"yes\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.told);
        platform.asked.clear();
        GovTablesEditor editor(model);
        Press(editor, c.button, c.grid, c.row);
        if (c.row == 10)  // the three rows of short terms and large loans
            for (int i = 0; i < 2; ++i) Press(editor, c.button, c.grid, 8);
        editor.findChild<QPushButton*>("BtnOk")->click();
        ASSERT_EQ(platform.asked.size(), 1u);
        EXPECT_TRUE(platform.LastText().contains(c.told)) << platform.LastText().toStdString();
        EXPECT_TRUE(platform.LastText().contains("Nothing has been changed"));
        EXPECT_NE(editor.result(), QDialog::Accepted) << "the window stays open";
        EXPECT_EQ(GovernmentFileText(model.governmentTables), before);
    }
    platform.asked.clear();
    GovTablesEditor editor(model);
    for (int i = 0; i < 3; ++i) Press(editor, "cmdRemoveVaRow", "grdVaFee", 0);
    EXPECT_EQ(editor.findChild<QTableWidget*>("grdVaFee")->rowCount(), 1);
    ASSERT_EQ(platform.asked.size(), 1u);
    EXPECT_TRUE(platform.LastText().contains("The last row of a table cannot be removed"));
}

}  // namespace
}  // namespace dovanel
