// Texts that older copies wrote in Windows-1252 ("Caf\xE9") show as what they
// say and go back to the file in the same bytes when the user leaves them.
#include <QLineEdit>
#include <QPushButton>

#include "tests/ui/ui_fixture.h"
#include "ui/estimate/values_editor.h"
#include "ui/income/debt_summary.h"

namespace dovanel {
namespace {

class LegacyTextTest : public test::WindowTest {
  protected:
    // Puts `bytes` in the place of `text` in an installed file.
    QByteArray Rewrite(const QString& name, const QByteArray& text, const QByteArray& bytes) {
        QByteArray contents = FileBytes(name);
        const int at = contents.indexOf(text);
        if (at >= 0) contents.replace(at, text.size(), bytes);
        QFile f(DataFile(name));
        if (f.open(QIODevice::WriteOnly)) f.write(contents);
        return contents;
    }
    Model model;
};

TEST_F(LegacyTextTest, DebtNamesShowAndComeBackByteForByte) {
    const QByteArray file =
        Rewrite("DEBT.DAT", "\"\"\r\n0\r\n\"\"", "\"Caf\xE9\"\r\n0\r\n\"\x93Visa\x94\"");
    LoadInstalled(model);
    DebtSummaryScreen screen(test::DocumentOf(model));
    EXPECT_EQ(screen.Description(0)->text(), QString::fromUtf8("Caf\xC3\xA9"));
    EXPECT_EQ(screen.Description(1)->text(), QString::fromUtf8("\xE2\x80\x9CVisa\xE2\x80\x9D"));
    screen.findChild<QPushButton*>("BtnOk")->click();
    EXPECT_EQ(FileBytes("DEBT.DAT"), file);
}

TEST_F(LegacyTextTest, AnEditedNameIsWrittenAndTheOthersKeepTheirBytes) {
    Rewrite("ESTIMATE.DAT", "\"Appraisal Fee\",\"Credit Report\"",
            "\"Appraisal Fee \x96 Caf\xE9\",\"Credit R\xE9port\"");
    LoadInstalled(model);
    ValuesEditor editor(model);
    QLineEdit* first = editor.findChild<QLineEdit*>("Line1");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->text(), QString::fromUtf8("Appraisal Fee \xE2\x80\x93 Caf\xC3\xA9"));
    first->setText(QString::fromUtf8("Appraisal \xC3\xA9t\xC3\xA9"));
    editor.findChild<QPushButton*>("BtnOk")->click();
    const QByteArray written = FileBytes("ESTIMATE.DAT");
    EXPECT_TRUE(written.contains("\"Appraisal \xC3\xA9t\xC3\xA9\",\"Credit R\xE9port\""))
        << written.toStdString();
    EXPECT_FALSE(written.contains("\xEF\xBF\xBD")) << "no replacement characters";
}

}  // namespace
}  // namespace dovanel
