#include "ui/estimate/estimate_screen.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "engine/format_value.h"
#include "tests/ui/ui_fixture.h"
#include "ui/estimate/definitions.h"

namespace dovanel {
namespace {

class EstimateTest : public test::WindowTest {
  protected:
    EstimateTest() { LoadInstalled(model); }
    Model model;
};

TEST_F(EstimateTest, ScenarioWithPmi) {
    EstimateScreen screen(model);
    Screenshot(&screen, "estimate");
    EXPECT_EQ(screen.windowTitle(), "Financing Estimate");
    const std::pair<const char*, const char*> expected[] = {
        {"valPurchasePrice", "$425,000.00"},
        {"valDownPaymentAmount", "$42,500"},
        {"valLoanAmount", "$382,500.00"},
        {"valLoanToValue", "90.00%"},
        {"valDownPaymentPercent", "10.000%"},
        {"valInterestRate", "6.500%"},
        {"valOriginationRate", "(1.00%)"},
        {"valOriginationFee", "$3,825"},
        {"valCostItem1", "$650"},
        {"valEscrowFee", "$1,090"},
        {"valTitleInsurance", "$1,900"},
        {"valCostItem5", "$45"},
        {"valCostItem7", "$250"},
        {"cntPmiPremium", ".400%"},
        {"valPmiPremium", "$1,530"},
        {"cntPmiImpounds", "2"},
        {"valPmiImpounds", "$287"},
        {"valMonthlyPmi", "$143"},
        {"cntInterimInterest", "15"},
        {"valLessLoanAmount", "($382,500)"},
        {"valLessEarnestMoney", "($5,000)"},
        {"valLessApplicationDeposit", "($500)"},
        {"valMonthlyTaxes", "$390"},
        {"valMonthlyDues", "$0"},
    };
    for (const auto& [name, text] : expected) EXPECT_EQ(screen.ValueText(name), text) << name;
    EXPECT_EQ(screen.findChild<QLabel*>("cntInterimInterestUnit")->text(), "days");
    EXPECT_EQ(screen.findChild<QLabel*>("cntTaxImpoundsUnit")->text(), "mos.");
    EXPECT_EQ(screen.findChild<QGroupBox*>("FramePurchaseDetails")->title(), "PUCHASE DETAILS");
}

TEST_F(EstimateTest, SubtotalLessLoanIsTheMainWindowsTotalDue) {
    const LoanResults& r = model.loanResults;
    const Single subtotal =
        model.loanData.purchasePrice + r.totalClosingCosts + r.totalPrepaidEscrows;
    EstimateScreen screen(model);
    EXPECT_EQ(screen.ValueText("valSubtotal"),
              QString::fromStdString(FormatValue(subtotal, "currency")));
    EXPECT_NEAR(subtotal - r.loanAmount, r.totalDueAtClosing, 0.05);
    EXPECT_EQ(screen.ValueText("valTotalDueAtClosing"),
              QString::fromStdString(FormatValue(r.estimateDueAtClosing, "currency")));
}

TEST_F(EstimateTest, NoPmiAtTwentyPercentDown) {
    model.loanData.downPaymentRate = 0.2f;
    Recalculate(model);
    EstimateScreen screen(model);
    for (const char* name : {"valPmiPremium", "valPmiImpounds", "valMonthlyPmi"})
        EXPECT_EQ(screen.ValueText(name), "$0") << name;
    EXPECT_EQ(screen.ValueText("cntPmiPremium"), ".000%");
}

// The upfront premium or fee of a government-backed loan stands on the
// mortgage insurance premium's line, with its own rate.
TEST_F(EstimateTest, GovernmentUpfrontOnTheInsuranceLine) {
    const struct {
        int type;
        VaUse use;
        const char* rate;
        const char* premium;
        const char* loan;
        bool monthly;
    } cases[] = {
        {13, VaUse::kNotIncluded, "1.750%", "$6,694", "$389,193.75", true},  // FHA 30 years
        {4, VaUse::kFirstUse, "1.250%", "$4,781", "$387,281.25", false},     // VA 30 years
        {15, VaUse::kNotIncluded, "1.000%", "$3,825", "$386,325.00", true},  // USDA
    };
    for (const auto& c : cases) {
        Model m = model;
        m.loanData.mortgageTypeName = kOfferedMortgageTypes[c.type];
        m.government.vaUse = c.use;
        Recalculate(m);
        EstimateScreen screen(m);
        SCOPED_TRACE(m.loanData.mortgageTypeName);
        EXPECT_EQ(screen.ValueText("cntPmiPremium"), c.rate);
        EXPECT_EQ(screen.ValueText("valPmiPremium"), c.premium);
        EXPECT_EQ(screen.ValueText("valLoanAmount"), c.loan);
        EXPECT_EQ(screen.ValueText("valMonthlyPmi") != "$0", c.monthly);
    }
}

TEST_F(EstimateTest, ItemsFiveAndSevenTakeTheirAmountsCrosswise) {
    model.estimateValues.costName[5] = "Flood certificate";
    model.estimateValues.costName[7] = "Other";
    model.estimateValues.costAmount[5] = 111;
    model.estimateValues.costAmount[7] = 777;
    EstimateScreen screen(model);
    EXPECT_EQ(screen.findChild<QLabel*>("lblCostItem5")->text(), "Flood certificate");
    EXPECT_EQ(screen.ValueText("valCostItem5"), "$777");
    EXPECT_EQ(screen.findChild<QLabel*>("lblCostItem7")->text(), "Other");
    EXPECT_EQ(screen.ValueText("valCostItem7"), "$111");
}

TEST_F(EstimateTest, DoubleClickingACaptionExplainsItsRow) {
    model.estimateValues.costName[2] = "Renamed";
    EstimateScreen screen(model);
    auto doubleClick = [&](const char* caption) {
        QTest::mouseDClick(screen.findChild<QLabel*>(caption), Qt::LeftButton);
    };
    doubleClick("lblCostItem2");
    ASSERT_EQ(platform.asked.size(), 1u);
    EXPECT_EQ(platform.asked[0].title, "Credit Report");
    EXPECT_TRUE(
        platform.asked[0].text.startsWith("HUD-1 Form / Line Item 804:\r\rExpect the lender"));
    EXPECT_EQ(platform.asked[0].icon, MsgIcon::Information);

    doubleClick("lblTitleInsurance");
    EXPECT_TRUE(platform.asked.back().text.contains(
        "event of faulty title.\r\rDovanel computes Title Insurance"));
    doubleClick("lblCostItem5");
    EXPECT_TRUE(platform.asked.back().text.startsWith("HUD-1 Form / Line Item 1201:"));
    doubleClick("lblCostItem6");
    EXPECT_TRUE(platform.asked.back().text.startsWith("HUD-1 Form / Line Item 1201:"));
    doubleClick("lblPurchasePrice");
    const QString summary = platform.asked.back().text;
    doubleClick("lblDetailsPurchasePrice");
    EXPECT_EQ(platform.asked.back().title, "Purchase Price");
    EXPECT_NE(platform.asked.back().text, summary);

    const std::size_t before = platform.asked.size();
    for (const char* silent :
         {"lblLoanAmount", "lblSubtotal", "lblTotalClosingCosts", "lblTotalDueAtClosing",
          "lblTotalPrepaidEscrows", "lblTotalMonthlyPayment"})
        doubleClick(silent);
    EXPECT_EQ(platform.asked.size(), before);

    int defined = 0;
    for (QLabel* label : screen.findChildren<QLabel*>()) {
        LineDefinition d;
        defined += FindLineDefinition(label->objectName(), d);
    }
    EXPECT_EQ(defined, 32);
}

TEST_F(EstimateTest, HelpButtonAndF1ShowTheSameMessage) {
    EstimateScreen screen(model);
    screen.show();
    screen.findChild<QPushButton*>("btnHelp")->click();
    QTest::keyClick(&screen, Qt::Key_F1);
    ASSERT_EQ(platform.asked.size(), 2u);
    EXPECT_EQ(platform.asked[0].title, "Financing Estimate");
    EXPECT_TRUE(
        platform.asked[0].text.endsWith("paperwork will have.\r\r- ADDED FEATURE -\rDOUBLE CLICK "
                                        "ON ANY LABEL TO SEE A DEFINITION OF THAT FIELD."));
    EXPECT_EQ(platform.asked[1].text, platform.asked[0].text);
    EXPECT_TRUE(help.topics.isEmpty());
    screen.findChild<QPushButton*>("BtnOk")->click();
    EXPECT_FALSE(screen.isVisible());
}

}  // namespace
}  // namespace dovanel
