#include "data/comparison_file.h"

#include <gtest/gtest.h>

#include <fstream>

#include "tests/data/temp_folder.h"

namespace dovanel {
namespace {

using Source = ComparisonColumnRecord::Source;

Scenario SomeScenario(float price, const std::string& name) {
    Scenario s;
    s.loanData.purchasePrice = price;
    s.loanData.interestRate = 0.0675f;
    s.loanData.downPaymentRate = 0.1f;
    s.loanData.mortgageTypeName = "15 Year / Fixed Conventional";
    s.loanData.termYears = 15;
    s.incomeAnalysis.line[3][2] = 1234.5f;
    s.debtSummary.itemName[4] = "Car, \"blue\"";
    s.info.name = name;
    s.info.note = "Two lines\nand a tab\there";
    return s;
}

ComparisonSet SomeSet() {
    ComparisonSet set;
    set.horizonYears = 12;
    set.columns.push_back({Source::kCurrent, "", 0, "", {}});
    set.columns.push_back({Source::kFile, "Smith, 15-year", 0.0125, "/home/a/Smith\n.dovanel", {}});
    set.columns.push_back(
        {Source::kScenario, "Vary: 20 % down", 0.02, "", SomeScenario(425000.5f, "Ann")});
    return set;
}

TEST(ComparisonFile, EveryKindOfColumnReadsBackExactly) {
    const ComparisonSet written = SomeSet();
    const std::string text = ComparisonFileText(written);
    ComparisonSet read;
    ASSERT_TRUE(ParseComparisonText(text, read)) << ParseComparisonText(text, read).reason;
    EXPECT_EQ(read.horizonYears, 12);
    ASSERT_EQ(read.columns.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(read.columns[i].source, written.columns[i].source);
        EXPECT_EQ(read.columns[i].name, written.columns[i].name);
        EXPECT_EQ(read.columns[i].pointsRate, written.columns[i].pointsRate);
        EXPECT_EQ(read.columns[i].path, written.columns[i].path);
    }
    EXPECT_EQ(ScenarioFileText(read.columns[2].scenario),
              ScenarioFileText(written.columns[2].scenario));
    EXPECT_EQ(ComparisonFileText(read), text);
}

TEST(ComparisonFile, AtMostFourColumnsAreWritten) {
    ComparisonSet set = SomeSet();
    set.columns.resize(6);
    ComparisonSet read;
    ASSERT_TRUE(ParseComparisonText(ComparisonFileText(set), read));
    EXPECT_EQ(read.columns.size(), kComparisonColumnsMax);
}

// What is not a comparison this program wrote leaves the set alone and says where.
TEST(ComparisonFile, MalformedTextsSayTheLineAndKeepTheSet) {
    const std::string good = ComparisonFileText(SomeSet());
    const std::string scenarioStart = "scenario-lines=";
    const std::size_t at = good.find(scenarioStart);
    const std::string head = good.substr(0, at) + "scenario-lines=2\n";
    const int headLines = static_cast<int>(std::count(head.begin(), head.end(), '\n'));
    struct Case {
        const char* what;
        std::string text;
        int line;
    };
    const Case cases[] = {
        {"the installed placeholder", "\"Mortgage comparisons\",0\r\n", 1},
        {"empty", "", 1},
        {"a newer format", "Dovanel comparison 2\nhorizon=7\n", 1},
        {"horizon out of range", "Dovanel comparison 1\nhorizon=41\n", 2},
        {"horizon not a number", "Dovanel comparison 1\nhorizon=seven\n", 2},
        {"unknown column kind", "Dovanel comparison 1\nhorizon=7\ncolumn=web\n", 3},
        {"points out of range",
         "Dovanel comparison 1\nhorizon=7\ncolumn=current\nname=\npoints=1.5\n", 5},
        {"a key out of order", "Dovanel comparison 1\nhorizon=7\ncolumn=current\npoints=0\n", 4},
        {"cut short", good.substr(0, good.size() - 1), 0},
        {"a bad value inside a scenario", head + "Dovanel scenario 1\nloan.price=lots\n",
         headLines + 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ComparisonSet set = SomeSet();
        const ScenarioReadResult read = ParseComparisonText(c.text, set);
        EXPECT_FALSE(read);
        EXPECT_FALSE(read.reason.empty());
        if (c.line) {
            EXPECT_EQ(read.line, c.line) << read.reason;
        }
        EXPECT_EQ(ComparisonFileText(set), good);
    }
}

TEST(ComparisonFile, FiveColumnsAreRefusedAtTheFifth) {
    std::string text = "Dovanel comparison 1\nhorizon=7\n";
    for (int i = 0; i < 5; ++i) text += "column=current\nname=\npoints=0\n";
    ComparisonSet set;
    const ScenarioReadResult read = ParseComparisonText(text, set);
    EXPECT_FALSE(read);
    EXPECT_EQ(read.line, 15);
}

TEST(ComparisonFile, LoadingAnythingUnreadableGivesAnEmptyComparison) {
    test::TempFolder folder;
    const std::string path = (folder.path() / "COMPS.DAT").string();
    ScenarioReadResult why;
    EXPECT_TRUE(LoadComparisonSet(path, &why).columns.empty());  // missing
    EXPECT_FALSE(why);
    std::ofstream(path, std::ios::binary) << "\"Mortgage comparisons\",0\r\n";
    EXPECT_TRUE(LoadComparisonSet(path).columns.empty());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << ComparisonFileText(SomeSet());
    EXPECT_EQ(LoadComparisonSet(path, &why).columns.size(), 3u);
    EXPECT_TRUE(why);
}

}  // namespace
}  // namespace dovanel
