// The window catalogue (for the walks and the screenshot review) holds each
// window as users first see it.
#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>

#include "tests/ui/ui_fixture.h"
#include "ui/catalogue.h"

namespace dovanel {
namespace {

class Catalogue : public test::WindowTest {
  protected:
    Catalogue() { LoadInstalled(model); }

    std::unique_ptr<QWidget> Make(const QString& name) {
        for (const WindowEntry& entry : EveryWindow())
            if (entry.name == name) return entry.make(model);
        ADD_FAILURE() << "no " << name.toStdString() << " in the catalogue";
        return std::make_unique<QWidget>();
    }

    Model model;
};

TEST_F(Catalogue, TheMainWindowShowsTheIncomeAndTheDebtAsItsActivationDoes) {
    const QRegularExpression amount(R"(^\$[0-9][0-9,]*$)");
    for (const char* name : {"frmMain", "frmMain-flags"}) {
        const auto window = Make(name);
        for (const char* label : {"Label23_16", "Label23_0"}) {
            auto* shown = window->findChild<QLabel*>(label);
            ASSERT_TRUE(shown) << label;
            EXPECT_TRUE(amount.match(shown->text()).hasMatch())
                << name << " " << label << " shows \"" << shown->text().toStdString() << "\"";
        }
    }
    EXPECT_EQ(Make("frmMain-flags")->findChild<QLabel*>("Label23_16")->text(), "$9,000");
}

TEST_F(Catalogue, IncomePage2ShowsItsYearCaptions) {
    const auto page = Make("Income2");
    for (int year = 1; year <= 3; ++year) {
        auto* caption = page->findChild<QLabel*>(QString("Label1_%1").arg(20 + year));
        ASSERT_TRUE(caption);
        EXPECT_EQ(caption->text().toStdString(), model.incomeAnalysis.yearLabel[year]);
        EXPECT_FALSE(caption->text().isEmpty());
    }
}

TEST_F(Catalogue, HoldsTheSplashAsStartUpShowsIt) {
    const auto splash = Make("frmAbout-splash");
    EXPECT_EQ(splash->windowType(), Qt::SplashScreen);
    EXPECT_TRUE(splash->windowTitle().isEmpty());
    for (auto* button : splash->findChildren<QPushButton*>())
        EXPECT_FALSE(button->isVisibleTo(splash.get())) << button->objectName().toStdString();
}

// The table's names are the forms' own: the tests and the screenshot review find
// windows by them. A special state is its form's name and a suffix.
TEST_F(Catalogue, EveryEntryMakesTheFormItNames) {
    for (const WindowEntry& entry : EveryWindow()) {
        const auto window = entry.make(model);
        EXPECT_EQ(window->objectName().toStdString(), entry.name.section('-', 0, 0).toStdString());
        if (!entry.firstFocus.isEmpty()) {
            EXPECT_TRUE(window->findChild<QWidget*>(entry.firstFocus))
                << entry.name.toStdString() << " has no " << entry.firstFocus.toStdString();
        }
    }
}

// Every menu entry the table names is one of the main window's, opened by one window only.
TEST_F(Catalogue, EveryMenuOpeningIsAMainWindowEntryOfItsOwn) {
    const auto main = Make("frmMain");
    QStringList entries;
    for (const WindowEntry& entry : EveryWindow()) {
        for (const MenuOpening& opening : entry.menu) {
            EXPECT_TRUE(main->findChild<QAction*>(opening.entry))
                << entry.name.toStdString() << ": no menu entry " << opening.entry;
            EXPECT_FALSE(entries.contains(opening.entry)) << opening.entry << " twice";
            entries.append(opening.entry);
        }
    }
    EXPECT_GE(entries.size(), 15);
}

}  // namespace
}  // namespace dovanel
