// Screen readers and the help viewer: every control of every window has a name,
// and the help stays usable beside the screens.
#include <QAccessible>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>

#include "shell/help.h"
#include "tests/ui/inside_modal.h"
#include "tests/ui/ui_fixture.h"
#include "ui/about/about_box.h"
#include "ui/amortization/amortization_windows.h"
#include "ui/catalogue.h"
#include "ui/editors/fee_table_editor.h"
#include "ui/editors/origination_editor.h"
#include "ui/editors/pmi_editor.h"
#include "ui/estimate/estimate_screen.h"
#include "ui/estimate/values_editor.h"
#include "ui/help/help_viewer.h"
#include "ui/help/quick_start.h"
#include "ui/income/debt_summary.h"
#include "ui/income/income_screens.h"
#include "ui/main/main_window.h"

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace dovanel {
namespace {

bool ShowsSomething(QAccessibleInterface* node) {
    switch (node->role()) {
        case QAccessible::EditableText:
        case QAccessible::ComboBox:
        case QAccessible::ScrollBar:
        case QAccessible::List:
        case QAccessible::ListItem:
        case QAccessible::Cell:
        case QAccessible::Button:
        case QAccessible::CheckBox:
        case QAccessible::RadioButton:
            return true;
        case QAccessible::StaticText:
            return !node->text(QAccessible::Value).isEmpty();
        default:
            return false;
    }
}

// The path of every focusable or value-showing node without a name.
void Unnamed(QAccessibleInterface* node, const QString& path, QStringList& found) {
    if (!node || !node->isValid()) return;
    const QString here = path + "/" + (node->object() ? node->object()->objectName() : "item");
    if ((node->state().focusable || ShowsSomething(node)) &&
        node->text(QAccessible::Name).trimmed().isEmpty())
        found.append(here);
    for (int i = 0; i < node->childCount(); ++i) Unnamed(node->child(i), here, found);
}

QStringList UnnamedIn(QWidget* window) {
    QStringList found;
    Unnamed(QAccessible::queryAccessibleInterface(window), window->objectName(), found);
    return found;
}

QString NameOf(QWidget* widget) {
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
}

class AccessibilityTest : public test::WindowTest {
  protected:
    AccessibilityTest() { LoadInstalled(model); }
    Model model;
};

TEST_F(AccessibilityTest, EveryControlOfEveryWindowHasAName) {
    for (const WindowEntry& entry : EveryWindow()) {
        const std::unique_ptr<QWidget> window = entry.make(model);
        window->show();
        EXPECT_EQ(UnnamedIn(window.get()).join(" ").toStdString(), "") << entry.name.toStdString();
        window->hide();
    }
}

TEST_F(AccessibilityTest, NamesSayWhatTheControlsMean) {
    MainWindow window(test::DocumentOf(model));
    ASSERT_EQ(window.FormLoad(), LoadOutcome::Complete);
    window.show();
    EXPECT_EQ(UnnamedIn(&window).join(" ").toStdString(), "");
    auto* price = window.findChild<QLineEdit*>("Text1");
    EXPECT_EQ(NameOf(price), "Purchase Price");
    EXPECT_EQ(NameOf(window.findChild<QLineEdit*>("Text5")), "Monthly Homeowner Assoc Dues");
    bool buddy = false;
    for (QLabel* label : window.findChildren<QLabel*>()) buddy |= label->buddy() == price;
    EXPECT_TRUE(buddy) << "the caption is the box's buddy";
    EXPECT_EQ(NameOf(window.findChild<QLabel*>("Label8")), "Loan Amount, $382,500");
    price->setText("200000");
    EXPECT_EQ(NameOf(window.findChild<QLabel*>("Label8")), "Loan Amount, $180,000");
    EXPECT_EQ(NameOf(window.findChild<QToolButton*>("infoPurchasePrice")),
              "Explain Purchase Price");
    auto* flag = window.findChild<QToolButton*>("RedFlagDownPayment");
    EXPECT_EQ(NameOf(flag), "Alert: Down Payment");
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(flag)
                    ->text(QAccessible::Description)
                    .startsWith("Fannie Mae Guidelines require"));

    AmortizationWindow amort(model);
    auto* first = QAccessible::queryAccessibleInterface(amort.findChild<QListWidget*>("List1"));
    ASSERT_GT(first->childCount(), 0);
    EXPECT_TRUE(first->child(0)
                    ->text(QAccessible::Name)
                    .startsWith("Payment Period Year 1 / Month 1, Beginning Balance $"));
    PmiEditor pmi(model);
    EXPECT_EQ(NameOf(pmi.findChild<QLineEdit*>("Text4")),
              "Loan-to-Value 80.01% to 85.01%, PMI Premium: 30 Year ARM, percent");
    IncomePage2 page2(test::DocumentOf(model));
    IncomePage1 page1(test::DocumentOf(model), page2);
    EXPECT_EQ(NameOf(page1.findChild<QLineEdit*>("Text5")), "1. Adjusted Gross Income, year 2");
    EstimateScreen estimate(model);
    EXPECT_EQ(NameOf(estimate.findChild<QLabel*>("valLoanAmount")).toStdString(),
              "Loan Amount, $180,000.00")
        << "the price typed above";
    DebtSummaryScreen debt(test::DocumentOf(model));
    EXPECT_TRUE(NameOf(debt.findChild<QLabel*>("Label5")).startsWith("Total Monthly Debt, "));
}

// ---- The help viewer -------------------------------------------------------

class HelpViewerTest : public AccessibilityTest {
  protected:
    void SetUp() override {
        help.showViewer = true;
        window = std::make_unique<MainWindow>(test::DocumentOf(model));
        ASSERT_EQ(window->FormLoad(), LoadOutcome::Complete);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    void TearDown() override { delete HelpViewerWindow(); }
    static QString Page() {
        return HelpViewerWindow()->findChild<QTextBrowser*>("HelpBrowser")->source().fileName();
    }
    std::unique_ptr<MainWindow> window;
};

TEST_F(HelpViewerTest, BelongsToTheMainWindowAndOutlivesTheScreen) {
    bool checked = false;
    test::InsideNextModal([&](QDialog& screen) {
        QTest::keyClick(screen.findChild<QLineEdit*>("Text1"), Qt::Key_F1);
        QWidget* viewer = HelpViewerWindow();
        ASSERT_TRUE(viewer);
        EXPECT_EQ(viewer->parentWidget(), window.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(viewer)) << "the open screen does not block it";
        viewer->findChild<QPushButton*>("btnHome")->click();
        EXPECT_EQ(Page(), "topic1.html");
        QTest::keyClick(viewer->windowHandle(), Qt::Key_Backspace);
        EXPECT_EQ(Page(), "topic60.html") << "Backspace goes back";
        checked = true;
    });
    PmiEditor(model).exec();
    ASSERT_TRUE(checked);
    QWidget* viewer = HelpViewerWindow();
    ASSERT_TRUE(viewer && viewer->isVisible()) << "the viewer stays after the screen closes";
    viewer->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(viewer));
    QTest::keyClick(viewer->windowHandle(), Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(Page(), "topic1.html") << "Alt+Right goes forward";
    QTest::keyClick(viewer->windowHandle(), Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(Page(), "topic60.html") << "Alt+Left goes back";
}

TEST_F(HelpViewerTest, OpensWhileAScreenIsOpenAndListsEveryTopic) {
    OpenHelpTopic(help_topic::kContents);
    QWidget* viewer = HelpViewerWindow();
    viewer->findChild<QPushButton*>("btnContents")->click();
    QString during;
    test::InsideNextModal([&](QDialog&) {
        QTest::keyClick(viewer->windowHandle(), Qt::Key_Left, Qt::AltModifier);
        during = Page();
    });
    OriginationEditor(model).exec();
    EXPECT_EQ(during.toStdString(), "topic1.html")
        << "a screen opened after the viewer does not block it";

    QTest::keyClick(viewer->windowHandle(), Qt::Key_Right, Qt::AltModifier);
    const QString text = viewer->findChild<QTextBrowser*>("HelpBrowser")->toPlainText();
    for (const char* title : {"Contents", "Mortgage Types", "Schedules and Editors"})
        EXPECT_TRUE(text.contains(title)) << title;
    EXPECT_TRUE(viewer->findChild<QPushButton*>("btnBack")->isEnabled());
    EXPECT_EQ(UnnamedIn(viewer).join(" ").toStdString(), "");
}

TEST_F(HelpViewerTest, RemembersItsSize) {
    OpenHelpTopic(help_topic::kContents);
    HelpViewerWindow()->resize(720, 480);
    HelpViewerWindow()->close();
    EXPECT_TRUE(FileBytes("DV.INI").contains("Size=720x480"));
    EXPECT_TRUE(FileBytes("DV.INI").contains("Show Quick Start Information"))
        << "the settings file keeps its own key";
    delete HelpViewerWindow();
    OpenHelpTopic(help_topic::kContents);
    EXPECT_EQ(HelpViewerWindow()->size(), QSize(720, 480));
    HelpViewerWindow()->resize(700, 500);
    window.reset();  // the program ends with the viewer open
    EXPECT_TRUE(FileBytes("DV.INI").contains("Size=700x500"));
}

TEST_F(HelpViewerTest, ASizeThatCannotBeKeptIsToldOnce) {
    QFile::remove(App().settingsFile);
    ASSERT_TRUE(QDir().mkdir(App().settingsFile));
    for (int size : {600, 640}) {
        OpenHelpTopic(help_topic::kContents);
        HelpViewerWindow()->resize(size, 480);
        HelpViewerWindow()->close();
        QCoreApplication::processEvents();
    }
    ASSERT_EQ(platform.asked.size(), 1u);
    EXPECT_TRUE(platform.asked[0].text.contains(App().settingsFile));
}

}  // namespace
}  // namespace dovanel
