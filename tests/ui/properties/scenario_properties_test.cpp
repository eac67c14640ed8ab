// Scenario Properties: Ok changes the document only where something changed;
// Cancel, Escape and the close box change nothing; opening changes nothing.
#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include "tests/ui/ui_fixture.h"
#include "ui/properties/scenario_properties.h"

namespace dovanel {
namespace {

class ScenarioPropertiesTest : public test::WindowTest {
  protected:
    ScenarioPropertiesTest() { model.info = {"Smith", "First line\nsecond line", "2026-03-04"}; }
    Model model;
    ScenarioDocument document{model, ScenarioDocument::Kind::File};
};

TEST_F(ScenarioPropertiesTest, ShowsTheNameTheNoteAndTheSavedDate) {
    ScenarioProperties window(document);
    EXPECT_EQ(window.objectName(), "ScenarioProperties");
    EXPECT_EQ(window.findChild<QLineEdit*>("txtScenarioName")->text(), "Smith");
    EXPECT_EQ(window.findChild<QPlainTextEdit*>("txtScenarioNote")->toPlainText(),
              "First line\nsecond line");
    const QString saved = window.findChild<QLabel*>("lblSavedDate")->text();
    EXPECT_TRUE(saved.contains("2026")) << saved.toStdString();
    EXPECT_FALSE(document.IsModified()) << "opening changes nothing";

    model.info.savedDate.clear();
    ScenarioProperties fresh(document);
    EXPECT_EQ(fresh.findChild<QLabel*>("lblSavedDate")->text(), "Not saved yet");
}

// Each way of closing, after an edit of the name or of nothing.
TEST_F(ScenarioPropertiesTest, OnlyOkWithAChangeChangesTheDocument) {
    struct Case {
        const char* typed;  // appended to the name; "" for no edit
        const char* how;    // "ok", "ctrl-enter", "cancel", "escape", "close"
        bool changes;
    };
    const Case cases[] = {
        {" Jr.", "ok", true},      {" Jr.", "ctrl-enter", true}, {"", "ok", false},
        {" Jr.", "cancel", false}, {" Jr.", "escape", false},    {" Jr.", "close", false},
    };
    for (const Case& c : cases) {
        model.info.name = "Smith";
        document.SetModified(false);
        int changed = 0;
        const auto counting =
            QObject::connect(&document, &ScenarioDocument::changed, [&changed] { ++changed; });
        ScenarioProperties window(document);
        window.show();
        auto* name = window.findChild<QLineEdit*>("txtScenarioName");
        name->setFocus();
        name->end(false);
        QTest::keyClicks(name, c.typed);
        const QString how = c.how;
        if (how == "ok") window.findChild<QAbstractButton*>("BtnOk")->click();
        if (how == "cancel") window.findChild<QAbstractButton*>("BtnCancel")->click();
        if (how == "escape") QTest::keyClick(name, Qt::Key_Escape);
        if (how == "close") window.close();
        if (how == "ctrl-enter") {
            auto* note = window.findChild<QPlainTextEdit*>("txtScenarioNote");
            note->setFocus();
            QTest::keyClick(note, Qt::Key_Return, Qt::ControlModifier);
            EXPECT_EQ(note->toPlainText(), "First line\nsecond line") << "no new line typed";
        }
        QObject::disconnect(counting);
        EXPECT_EQ(document.IsModified(), c.changes) << c.typed << " " << c.how;
        EXPECT_EQ(changed, c.changes ? 1 : 0) << c.how;
        EXPECT_EQ(model.info.name, c.changes ? "Smith Jr." : "Smith") << c.how;
        EXPECT_EQ(model.info.note, "First line\nsecond line");
    }
}

TEST_F(ScenarioPropertiesTest, TheNoteTakesLineBreaksAndTabMovesOn) {
    ScenarioProperties window(document);
    window.show();
    auto* note = window.findChild<QPlainTextEdit*>("txtScenarioNote");
    note->setFocus();
    note->moveCursor(QTextCursor::End);
    QTest::keyClick(note, Qt::Key_Return);
    QTest::keyClicks(note, "third");
    QTest::keyClick(note, Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), note) << "Tab leaves the note";
    window.findChild<QAbstractButton*>("BtnOk")->click();
    EXPECT_EQ(model.info.note, "First line\nsecond line\nthird");
    EXPECT_TRUE(document.IsModified());
}

// The government-loan choices: shown as the scenario holds them, taken by Ok
// only, and an FHA limit that is no amount is refused with its reason and nothing changed.
// A stored limit with cents, or longer than the box's typing limit, is shown
// whole: Ok on the unchanged window keeps it exactly.
TEST_F(ScenarioPropertiesTest, OkKeepsAStoredLimitExactly) {
    for (float limit : {541287.5f, 99999999.0f, 123456.7f}) {
        SCOPED_TRACE(limit);
        model.government = {VaUse::kFirstUse, true, limit};
        model.info.name = "Smith";
        ScenarioProperties window(document);
        window.show();
        window.findChild<QLineEdit*>("txtScenarioName")->setText("Jones");  // another change
        window.findChild<QAbstractButton*>("BtnOk")->click();
        EXPECT_EQ(model.info.name, "Jones");
        EXPECT_EQ(model.government.fhaCountyLimit, limit);
    }
}

TEST_F(ScenarioPropertiesTest, GovernmentChoicesAreTakenByOkOnly) {
    model.government = {VaUse::kSubsequentUse, false, 650000};
    {
        ScenarioProperties window(document);
        auto* use = window.findChild<QComboBox*>("cmbVaUse");
        ASSERT_NE(use, nullptr);
        ASSERT_EQ(use->count(), 4);
        EXPECT_EQ(use->itemText(0), "Not included");
        EXPECT_EQ(use->itemText(3), "Exempt");
        EXPECT_EQ(use->currentText(), "Subsequent use");
        EXPECT_FALSE(window.findChild<QCheckBox*>("chkFinanceUpfront")->isChecked());
        EXPECT_EQ(window.findChild<QLineEdit*>("txtFhaLimit")->text(), "650000");
    }
    const struct {
        const char* what;
        int use;
        bool finance;
        const char* limit;
        bool ok;  // Ok clicked, else Cancel
        GovernmentChoices after;
        bool accepted;
    } cases[] = {
        {"first use, financed, floor", 1, true, "", true, {VaUse::kFirstUse, true, 0}, true},
        {"cancel keeps all", 1, true, "", false, {VaUse::kSubsequentUse, false, 650000}, false},
        {"a county limit", 3, false, "700000", true, {VaUse::kExempt, false, 700000}, true},
        {"no amount", 1, true, "lots", true, {VaUse::kSubsequentUse, false, 650000}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        model.government = {VaUse::kSubsequentUse, false, 650000};
        document.SetModified(false);
        ScenarioProperties window(document);
        window.show();
        window.findChild<QComboBox*>("cmbVaUse")->setCurrentIndex(c.use);
        window.findChild<QCheckBox*>("chkFinanceUpfront")->setChecked(c.finance);
        window.findChild<QLineEdit*>("txtFhaLimit")->setText(c.limit);
        const std::size_t asked = platform.asked.size();
        window.findChild<QAbstractButton*>(c.ok ? "BtnOk" : "BtnCancel")->click();
        EXPECT_EQ(model.government.vaUse, c.after.vaUse);
        EXPECT_EQ(model.government.financeUpfront, c.after.financeUpfront);
        EXPECT_EQ(model.government.fhaCountyLimit, c.after.fhaCountyLimit);
        EXPECT_EQ(document.IsModified(), c.accepted);
        EXPECT_EQ(platform.asked.size() - asked, c.ok && !c.accepted ? 1u : 0u)
            << "a bad limit says why";
        window.close();
    }
}

}  // namespace
}  // namespace dovanel
