#include "ui/editors/lender_info_editor.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "data/lender_file.h"
#include "tests/ui/ui_fixture.h"

namespace dovanel {
namespace {

class LenderInfoTest : public test::WindowTest {
  protected:
    LenderInfoTest() { LoadInstalled(model); }

    void Fill(LenderInfoEditor& editor) {
        editor.show();
        const std::pair<const char*, const char*> typed[] = {
            {"txtLenderName", "First Bank"}, {"txtLenderNmls", "12a3-4"},
            {"txtOfficerName", "Ann Lee"},   {"txtOfficerNmls", "77"},
            {"txtPhone", "555 0100"},        {"txtEmail", "ann@example.com"}};
        for (const auto& [box, text] : typed) {
            auto* edit = editor.findChild<QLineEdit*>(box);
            edit->setFocus();
            QTest::keyClicks(edit, text);
        }
        auto* address = editor.findChild<QPlainTextEdit*>("txtAddress");
        address->setFocus();
        QTest::keyClicks(address, "1 Main St.");
        QTest::keyClick(address, Qt::Key_Return);
        QTest::keyClicks(address, "Town");
    }

    Model model;
};

TEST_F(LenderInfoTest, OkKeepsTheLenderAndWritesItsFile) {
    EXPECT_TRUE(model.lender.IsEmpty());  // the first run installs no lender
    LenderInfoEditor editor(model);
    Fill(editor);
    editor.findChild<QPushButton*>("BtnOk")->click();
    EXPECT_EQ(model.lender.name, "First Bank");
    EXPECT_EQ(model.lender.nmls, "1234");  // an NMLS ID takes digits only
    EXPECT_EQ(model.lender.address, "1 Main St.\nTown");
    Model again;
    LoadInstalled(again);
    EXPECT_EQ(LenderFileText(again.lender), LenderFileText(model.lender));
}

// A text longer than a box takes to typing, read from the file, comes back whole.
TEST_F(LenderInfoTest, ALongerStoredTextIsNeverCut) {
    model.lender.name = std::string(200, 'N');
    model.lender.nmls = std::string(20, '7');
    LenderInfoEditor editor(model);
    editor.show();
    editor.findChild<QPushButton*>("BtnOk")->click();
    EXPECT_EQ(model.lender.name, std::string(200, 'N'));
    EXPECT_EQ(model.lender.nmls, std::string(20, '7'));
}

TEST_F(LenderInfoTest, AnUnreadableFileIsToldWithItsLineAndReason) {
    QFile file(DataFile(kLenderFileName));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Dovanel lender 1\nname=x\n");
    file.close();
    LenderInfoEditor editor(model);
    ASSERT_EQ(platform.asked.size(), 1u);
    EXPECT_TRUE(platform.LastText().contains(kLenderFileName));
    EXPECT_TRUE(platform.LastText().contains("Line 3"));
}

TEST_F(LenderInfoTest, CancelAndEscapeChangeNothing) {
    for (int way = 0; way < 2; ++way) {
        LenderInfoEditor editor(model);
        Fill(editor);
        if (way == 0)
            editor.findChild<QPushButton*>("BtnCancel")->click();
        else
            QTest::keyClick(editor.findChild<QLineEdit*>("txtEmail"), Qt::Key_Escape);
        EXPECT_TRUE(model.lender.IsEmpty());
        EXPECT_FALSE(QFile::exists(DataFile(kLenderFileName)));
    }
}

TEST_F(LenderInfoTest, AFailedWriteIsToldAndTheLenderKeptInMemory) {
    QDir().mkdir(DataFile(kLenderFileName));  // a folder where the file should be
    LenderInfoEditor editor(model);
    Fill(editor);
    editor.findChild<QPushButton*>("BtnOk")->click();
    // Told once on opening (it cannot be read) and once for the failed write.
    ASSERT_EQ(platform.asked.size(), 2u);
    EXPECT_TRUE(platform.asked[0].text.contains("could not be read"));
    EXPECT_TRUE(platform.LastText().contains(kLenderFileName));
    EXPECT_TRUE(platform.LastText().contains("kept in memory"));
    EXPECT_EQ(model.lender.officer, "Ann Lee");
}

}  // namespace
}  // namespace dovanel
