// The mortgage type's "Program..." button: there for the FHA, VA and USDA types
// only, it opens the scenario's choices for the program, and what Ok keeps
// reaches the main window's figures.
#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTest>
#include <QTimer>

#include "tests/ui/inside_modal.h"
#include "tests/ui/ui_fixture.h"
#include "ui/main/main_window.h"
#include "ui/screens.h"

namespace dovanel {
namespace {

// The width a combo box's edit field leaves for its text.
int TextRoom(QComboBox* box) {
    QStyleOptionComboBox option;
    option.initFrom(box);
    option.editable = box->isEditable();
    return box->style()
        ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, box)
        .width();
}

class LoanProgramTest : public test::WindowTest {
  protected:
    void SetUp() override {
        window = std::make_unique<MainWindow>(test::DocumentOf(model));
        ASSERT_EQ(window->FormLoad(), LoadOutcome::Complete);
        RegisterScreens(*window);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        types = window->findChild<QComboBox*>("cmboMortgageType");
        program = window->findChild<QPushButton*>("cmdLoanProgram");
        ASSERT_TRUE(program);
        wideList = types->geometry();
    }
    QString Label(const char* name) { return window->findChild<QLabel*>(name)->text(); }
    // Tab from the mortgage type: where the focus goes.
    QString AfterType() {
        types->setFocus();
        QTest::keyClick(types, Qt::Key_Tab);
        return QApplication::focusWidget()->objectName();
    }
    // Opens the choices with the button's access key and runs `inside` there.
    QString OpenWithKeys(std::function<void(QDialog&)> inside) {
        QString focused;
        test::InsideNextModal([&](QDialog& properties) {
            focused = QApplication::focusWidget()->objectName();
            inside(properties);
        });
        QTest::keyClick(types, Qt::Key_G, Qt::AltModifier);
        QTest::qWait(300);  // an access key presses the button as a short animated click
        return focused;
    }

    Model model;
    std::unique_ptr<MainWindow> window;
    QComboBox* types = nullptr;
    QPushButton* program = nullptr;
    QRect wideList;
};

TEST_F(LoanProgramTest, ShowsForTheGovernmentTypesOnlyAndTheOthersKeepTheirRow) {
    for (int i = 0; i < kOfferedMortgageTypeCount; ++i) {
        const std::string type = kOfferedMortgageTypes[i];
        const bool government = GovernmentProgramOf(type) != GovernmentProgram::kNone;
        types->setCurrentIndex(i);
        EXPECT_EQ(program->isVisible(), government) << type;
        EXPECT_EQ(AfterType(), government ? "cmdLoanProgram" : "infoLoanAmount") << type;
        if (!government) {
            EXPECT_EQ(types->geometry(), wideList) << type;
            continue;
        }
        EXPECT_LT(types->geometry().right(), program->geometry().left()) << type;
        EXPECT_EQ(program->geometry().right(), wideList.right()) << type;
        EXPECT_EQ(program->geometry().top(), wideList.top()) << type;
        EXPECT_GE(TextRoom(types), types->fontMetrics().horizontalAdvance(types->currentText()))
            << type;
    }
}

TEST_F(LoanProgramTest, OpensOnTheChoiceThatMattersForTheProgram) {
    const std::pair<const char*, const char*> cases[] = {
        {"30 Year / Fixed FHA", "chkFinanceUpfront"},
        {"15 Year / Fixed FHA", "chkFinanceUpfront"},
        {"30 Year / Fixed USDA", "chkFinanceUpfront"},
        {"20 Year / Fixed VA", "cmbVaUse"}};
    for (const auto& [type, choice] : cases) {
        types->setCurrentText(type);
        EXPECT_EQ(OpenWithKeys([](QDialog&) {}), choice) << type;
    }
    types->setCurrentText("30 Year / Fixed Conventional");
    bool opened = false;
    QTimer watch;  // goes with the test, when nothing opened as when something did
    QObject::connect(&watch, &QTimer::timeout, [&opened] {
        if (QWidget* modal = QApplication::activeModalWidget()) opened = true, modal->close();
    });
    watch.start(50);
    QTest::keyClick(types, Qt::Key_G, Qt::AltModifier);
    QTest::qWait(300);
    EXPECT_FALSE(opened) << "a hidden button's access key opens nothing";
}

// The default loan: $425,000 with 10 % down, a base loan of $382,500; from 10 %
// down the first use's funding fee is 1.25 %: $4,781.25, financed.
TEST_F(LoanProgramTest, OkReachesTheFiguresAndCancelOrEscapeChangesNothing) {
    types->setCurrentText("30 Year / Fixed VA");
    window->document().SetModified(false);
    const QString loan = Label("Label8");
    EXPECT_EQ(loan, "$382,500");
    auto firstUse = [](QDialog&) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down); };
    for (Qt::Key leave : {Qt::Key_Escape, Qt::Key_unknown}) {
        OpenWithKeys([&](QDialog& properties) {
            firstUse(properties);
            if (leave == Qt::Key_Escape)
                QTest::keyClick(QApplication::focusWidget(), leave);
            else
                properties.findChild<QAbstractButton*>("BtnCancel")->click();
        });
        EXPECT_EQ(model.government.vaUse, VaUse::kNotIncluded);
        EXPECT_EQ(Label("Label8"), loan);
        EXPECT_FALSE(window->document().IsModified());
    }
    OpenWithKeys([&](QDialog& properties) {
        firstUse(properties);
        properties.findChild<QAbstractButton*>("BtnOk")->click();
    });
    EXPECT_EQ(model.government.vaUse, VaUse::kFirstUse);
    EXPECT_EQ(Label("Label8"), "$387,281");
    EXPECT_TRUE(window->document().IsModified());
}

}  // namespace
}  // namespace dovanel
