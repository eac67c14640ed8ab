#include "data/government_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "tests/data/temp_folder.h"

namespace dovanel {
namespace {

// Next year's tables: every figure and row different from the built-in ones.
GovernmentLoanTables NextYear() {
    GovernmentLoanTables t;
    t.year = 2027;
    t.fhaUpfrontRate = 0.015;
    t.fhaMinimumDown = 0.05;
    t.fhaShortTermYears = 20;
    t.fhaLargeLoanThreshold = 750000.5;
    t.fhaAnnual = {{true, false, 0.9, 0.0045, 11}, {false, true, kAnyLtv, 0.006, 0}};
    t.vaFundingFee = {{0, 0.02, 0.03}, {0.1, 0.011, 0.012}};
    t.usdaUpfrontRate = 0.0125;
    t.usdaAnnualRate = 0.003;
    t.conformingLimit = 850000;
    t.highCostLimit = 1275000;
    t.fhaFloor = 552000;
    t.fhaCeiling = 1275000;
    return t;
}

TEST(GovernmentFile, EveryFigureAndRowReadsBack) {
    for (const GovernmentLoanTables& written : {GovernmentLoanTables(), NextYear()}) {
        GovernmentLoanTables read = written.year == 2026 ? NextYear() : GovernmentLoanTables();
        const ScenarioReadResult result = ParseGovernmentText(GovernmentFileText(written), read);
        ASSERT_TRUE(result) << result.line << ": " << result.reason;
        EXPECT_EQ(GovernmentFileText(read), GovernmentFileText(written));
        EXPECT_EQ(read.year, written.year);
        EXPECT_EQ(read.fhaAnnual.size(), written.fhaAnnual.size());
        EXPECT_EQ(read.fhaShortTermYears, written.fhaShortTermYears);
        EXPECT_EQ(read.fhaFloor, written.fhaFloor);
    }
    // The rows as written: a reader can see and edit them.
    const std::string text = GovernmentFileText(GovernmentLoanTables());
    EXPECT_EQ(text.substr(0, 37), "Dovanel government loans 1\nyear=2026\n");
    EXPECT_NE(text.find("\nfha.annual=long small 0.9 0.005 11\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\nva.fundingFee=0 0.0215 0.033\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\nlimit.fhaFloor=541287\n"), std::string::npos) << text;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

TEST(GovernmentFile, BadFilesLeaveTheTablesAsTheyWere) {
    const std::string good = GovernmentFileText(GovernmentLoanTables());
    const struct {
        const char* what;
        std::string text;
        int line;
    } cases[] = {
        {"empty", "", 1},
        {"another format", Replaced(good, "loans 1", "loans 2"), 1},
        {"cut short", good.substr(0, good.size() - 1), 26},
        {"a year that is no year", Replaced(good, "year=2026", "year=20x6"), 2},
        {"a negative limit", Replaced(good, "limit.fhaFloor=541287", "limit.fhaFloor=-1"), 11},
        {"keys out of order", Replaced(good, "fha.upfrontRate", "fha.minimumDown"), 4},
        {"a row with a word missing",
         Replaced(good, "long small 0.9 0.005 11", "long 0.9 0.005 11"), 13},
        {"a row with a rate that is no number",
         Replaced(good, "va.fundingFee=0 0.0215", "va.fundingFee=0 x"), 24},
        {"an unknown key", good + "usda.extra=1\n", 27},
        {"no VA rows", good.substr(0, good.find("va.fundingFee")), 23},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        GovernmentLoanTables tables = NextYear();
        const ScenarioReadResult result = ParseGovernmentText(c.text, tables);
        EXPECT_FALSE(result);
        EXPECT_EQ(result.line, c.line) << result.reason;
        EXPECT_FALSE(result.reason.empty());
        EXPECT_EQ(GovernmentFileText(tables), GovernmentFileText(NextYear()));
    }
}

TEST(GovernmentFile, AMissingFileIsTheBuiltInTables) {
    test::TempFolder folder;
    GovernmentLoanTables tables = NextYear();
    EXPECT_TRUE(ReadGovernmentFile(folder.File(kGovernmentFileName), tables));
    EXPECT_EQ(GovernmentFileText(tables), GovernmentFileText(GovernmentLoanTables()));
    std::ofstream(folder.File(kGovernmentFileName)) << GovernmentFileText(NextYear());
    EXPECT_TRUE(ReadGovernmentFile(folder.File(kGovernmentFileName), tables));
    EXPECT_EQ(tables.year, 2027);
}

// The first run installs the file the program writes for its built-in tables:
// a change to either needs the other (regenerate the installed file from
// GovernmentFileText).
TEST(GovernmentFile, TheInstalledFileHoldsTheBuiltInTables) {
    std::ifstream in(std::string(DOVANEL_INSTALLED_DATA) + kGovernmentFileName, std::ios::binary);
    ASSERT_TRUE(in) << "the installed " << kGovernmentFileName << " is missing";
    const std::string text{std::istreambuf_iterator<char>(in), {}};
    EXPECT_EQ(text, GovernmentFileText(GovernmentLoanTables()));
}

}  // namespace
}  // namespace dovanel
