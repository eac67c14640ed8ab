#include "ui/compare/compare_window.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>

#include "data/scenario_file.h"
#include "tests/engine/sample_model.h"
#include "tests/ui/recording_printer.h"
#include "tests/ui/ui_fixture.h"
#include "ui/document/scenario_document.h"

namespace dovanel {
namespace {

class CompareTest : public test::WindowTest {
  protected:
    CompareTest() {
        LoadInstalled(model);
        test::SetLoan(model, 375000, 0.2f, 0.0625f, 0);
        Recalculate(model);
    }

    std::unique_ptr<Compare> Open() {
        auto window = std::make_unique<Compare>(document, DataFile("COMPS.DAT"));
        window->show();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        return window;
    }

    // Types into a box of the column editor as the user would.
    static void Type(Compare& window, const char* box, const QString& text) {
        auto* edit = window.findChild<QLineEdit*>(box);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }

    static QString Cell(Compare& window, const std::string& row, int column) {
        auto* table = window.findChild<QTableWidget*>("tblCompare");
        for (int r = 0; r < table->rowCount(); ++r)
            if (table->item(r, 0)->text() == QString::fromStdString(row))
                return table->item(r, column + 1)->text();
        ADD_FAILURE() << "no row " << row;
        return {};
    }

    QString WriteScenarioFile(const QString& name, float rate) {
        Scenario s = model;
        s.loanData.interestRate = rate;
        s.info.name = "Smith";
        const QString path = DataFile(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray::fromStdString(ScenarioFileText(s)));
        return path;
    }

    Model model;
    ScenarioDocument document{model};
};

TEST_F(CompareTest, OpensWithTheCurrentLoanAndChangesNothing) {
    const std::string before = ScenarioFileText(model);
    auto window = Open();
    EXPECT_EQ(window->columnCount(), 1);  // the installed COMPS.DAT keeps no comparison
    EXPECT_EQ(Cell(*window, "Loan amount", 0), "$300,000");
    EXPECT_EQ(Cell(*window, "Principal and interest", 0), "$1,847.15");
    // Every row the engine gives is in the table, with its text.
    auto* table = window->findChild<QTableWidget*>("tblCompare");
    EXPECT_EQ(table->rowCount(),
              static_cast<int>(window->rows().size()) + 6);  // and group headings
    EXPECT_EQ(table->item(0, 0)->text(), "Loan");
    EXPECT_EQ(table->columnCount(), 2);
    window->reject();
    EXPECT_EQ(ScenarioFileText(model), before);
    EXPECT_FALSE(document.IsModified());
}

TEST_F(CompareTest, ADuplicateIsVariedInPlaceAndTheLoanStaysAsItWas) {
    auto window = Open();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_D, Qt::AltModifier);  // Duplicate and Vary
    QTest::qWait(300);  // a button's access key presses it as a short animated click
    ASSERT_EQ(window->columnCount(), 2);
    EXPECT_EQ(window->selectedColumn(), 1);
    Type(*window, "txtVaryRate", "6.75");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);  // moves on, never closes
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(QApplication::focusWidget()->objectName(), "txtVaryPoints");
    Type(*window, "txtVaryPoints", "0");
    window->SelectColumn(0);
    Type(*window, "txtVaryPoints", "2");
    EXPECT_EQ(Cell(*window, "Principal and interest", 1), "$1,945.79");
    EXPECT_EQ(Cell(*window, "Principal and interest", 0), "* $1,847.15");
    EXPECT_FLOAT_EQ(model.loanData.interestRate, 0.0625f);  // the document is not varied
    EXPECT_FALSE(document.IsModified());

    auto* table = window->findChild<QTableWidget*>("tblCompare");
    bool boldRate = false;
    for (int r = 0; r < table->rowCount(); ++r)
        if (table->item(r, 0)->text() == "Interest rate")
            boldRate = table->item(r, 2)->font().bold();
    EXPECT_TRUE(boldRate) << "a differing cell is marked by more than colour";

    auto* breakEven = window->findChild<QTableWidget*>("tblBreakEven");
    ASSERT_EQ(breakEven->rowCount(), 1);
    EXPECT_EQ(breakEven->item(0, 2)->text().left(9), "Month 61 ");
    EXPECT_EQ(window->pairs()[0].result.payingOption, 0);
}

TEST_F(CompareTest, CellsSayTheirRowAndColumnToScreenReaders) {
    auto window = Open();
    auto* table = window->findChild<QTableWidget*>("tblCompare");
    QString said;
    for (int r = 0; r < table->rowCount(); ++r)
        if (table->item(r, 0)->text() == "Total monthly payment")
            said = table->item(r, 1)->data(Qt::AccessibleTextRole).toString();
    EXPECT_TRUE(said.startsWith("Total monthly payment, 30-year at 6.25 %: $"))
        << said.toStdString();
}

TEST_F(CompareTest, AColumnFromAFileOffersToSaveItsChangesOnClosing) {
    const QString path = WriteScenarioFile("Smith.dovanel", 0.07f);
    auto window = Open();
    ASSERT_TRUE(window->AddFile(path));
    EXPECT_EQ(Cell(*window, "Interest rate", 1), "7.000%");
    Type(*window, "txtVaryRate", "6.5");

    platform.answers = {MsgAnswer::Cancel};  // stay
    window->accept();
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(platform.LastText().contains("Smith.dovanel"));

    platform.answers = {MsgAnswer::Yes};
    window->accept();
    EXPECT_FALSE(window->isVisible());
    Scenario saved;
    ASSERT_TRUE(ReadScenarioFile(QFile::encodeName(path).toStdString(), saved));
    EXPECT_FLOAT_EQ(saved.loanData.interestRate, 0.065f);
    EXPECT_EQ(saved.info.name, "Smith");
}

// What cannot be opened is said with the file, the line and the reason; the comparison stays.
TEST_F(CompareTest, AFileThatCannotBeReadAddsNoColumn) {
    QFile bad(DataFile("bad.dovanel"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("Dovanel scenario 1\nloan.nothing=1\n");
    bad.close();
    auto window = Open();
    EXPECT_FALSE(window->AddFile(DataFile("bad.dovanel")));
    EXPECT_FALSE(window->AddFile(DataFile("missing.dovanel")));
    EXPECT_EQ(window->columnCount(), 1);
    ASSERT_EQ(platform.asked.size(), 2u);
    EXPECT_TRUE(platform.asked[0].text.contains("Line 2")) << platform.asked[0].text.toStdString();
    EXPECT_TRUE(platform.asked[1].text.contains("missing.dovanel"));
}

TEST_F(CompareTest, TheComparisonIsKeptForTheNextTime) {
    const QString path = WriteScenarioFile("Smith.dovanel", 0.07f);
    {
        auto window = Open();
        window->findChild<QSpinBox*>("spnHorizon")->setValue(12);
        window->AddFile(path);
        window->DuplicateSelected();
        Type(*window, "txtColumnName", "Smith, 20 % down");
        Type(*window, "txtVaryDown", "20");
        window->MoveSelected(-2);  // to the front, past the other two
        window->accept();
    }
    auto window = Open();
    ASSERT_EQ(window->columnCount(), 3);
    EXPECT_EQ(window->ColumnNames()[0], "Smith, 20 % down");
    EXPECT_EQ(window->ColumnNames()[2], "30-year at 7 %");
    EXPECT_EQ(window->findChild<QSpinBox*>("spnHorizon")->value(), 12);
    EXPECT_EQ(Cell(*window, "Down payment", 0), "$75,000.00");

    // A kept file that has gone is left out and the window says so.
    window->reject();
    window.reset();
    QFile::remove(path);
    window = Open();
    EXPECT_EQ(window->columnCount(), 2);
    EXPECT_TRUE(window->findChild<QLabel*>("lblStatus")->text().contains("Smith.dovanel"));
}

TEST_F(CompareTest, NoMoreThanFourColumnsAndNeverNone) {
    auto window = Open();
    for (int i = 0; i < 3; ++i) window->DuplicateSelected();
    EXPECT_EQ(window->columnCount(), 4);
    window->DuplicateSelected();
    EXPECT_EQ(window->columnCount(), 4);
    EXPECT_TRUE(platform.LastText().contains("at most four"));
    for (int i = 0; i < 4; ++i) window->RemoveSelected();
    EXPECT_EQ(window->columnCount(), 1);
    EXPECT_EQ(platform.beeps, 1);
}

TEST_F(CompareTest, ExportsCsvAndPrintsEveryColumnOnALandscapePage) {
    auto window = Open();
    window->DuplicateSelected();
    Type(*window, "txtVaryRate", "6.75");
    const QString csv = DataFile("comparison.csv");
    platform.saveAnswers = {csv};
    window->findChild<QPushButton*>("BtnExportCsv")->click();
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    EXPECT_TRUE(text.startsWith("Figure,30-year at 6.25 %,"));
    EXPECT_TRUE(text.contains("\nPrincipal and interest,1847.15,1945.79\n"));

    test::RecordingPrinter printer;
    platform.printer = &printer;
    window->findChild<QPushButton*>("BtnPrint")->click();
    QStringList lines;
    for (const auto& t : printer.printed) lines << t.text;
    EXPECT_TRUE(lines.contains("Mortgage Comparisons"));
    EXPECT_TRUE(lines.contains("30-year at 6.75 %"));
    EXPECT_TRUE(lines.contains("$1,945.79"));
    EXPECT_EQ(lines.filter("Lender settings of ").size(), 1) << lines.join("|").toStdString();
    EXPECT_TRUE(printer.ended);
}

}  // namespace
}  // namespace dovanel
