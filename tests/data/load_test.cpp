#include "data/load.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>

#include "data/data_files.h"
#include "data/government_file.h"
#include "tests/data/temp_folder.h"

namespace dovanel {
namespace {

namespace fs = std::filesystem;

// Answers the load's questions from a script and records what was asked. A
// question the script does not expect fails the test.
class ScriptedQuestions : public LoadQuestions {
  public:
    std::vector<std::string> asked;
    std::vector<std::string> notices;
    std::string missing;
    std::deque<LoadAnswer> answers;
    std::function<void()> beforeAnswer;

    void MissingFile(const std::string& message) override { missing = message; }
    void Notice(const std::string& message) override { notices.push_back(message); }
    LoadAnswer LoadFailed(const std::string& message) override {
        asked.push_back(message);
        if (beforeAnswer) beforeAnswer();
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected question: " << message;
            return LoadAnswer::Abort;
        }
        const LoadAnswer a = answers.front();
        answers.pop_front();
        return a;
    }
};

class Load : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const auto& entry : fs::directory_iterator(DOVANEL_INSTALLED_DATA))
            fs::copy_file(entry.path(), dir.path() / entry.path().filename());
    }
    void Write(const std::string& name, const std::string& text) {
        std::ofstream(dir.File(name), std::ios::binary | std::ios::trunc) << text;
    }
    LoadOutcome Run() { return LoadAllDataFiles(model, dir.Folder(), ask, 2026); }

    test::TempFolder dir;
    Model model;
    ScriptedQuestions ask;
};

TEST_F(Load, InstalledFilesLoadWithoutQuestions) {
    EXPECT_EQ(Run(), LoadOutcome::Complete);
    EXPECT_TRUE(ask.asked.empty());
    EXPECT_EQ(model.loanData.purchasePrice, 425000);
    EXPECT_EQ(model.loanData.mortgageTypeName, "30 Year / Fixed Conventional");
    EXPECT_EQ(model.estimateValues.costName[7], "Miscellaneous Costs");
    EXPECT_EQ(model.guidelineRatios.firstRatioUpTo90, 0.28f);
    EXPECT_EQ(model.escrowFees.amount[120], 6900000);
    EXPECT_EQ(model.loanData.monthlyIncome, kIncomeNotEntered);
}

// A file's bytes; none for a folder or nothing.
std::string Slurp(const std::string& path) {
    if (!fs::is_regular_file(path)) return {};
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// Government tables: missing or unreadable ones are the built-in tables; only
// unreadable ones are told, once, and the file is left as it was.
TEST_F(Load, UnreadableGovernmentTablesAreToldAndTheBuiltInOnesUsed) {
    const std::string path = dir.File(kGovernmentFileName);
    GovernmentLoanTables nextYear;
    nextYear.year = 2027;
    const std::string bad = "Dovanel government loans 1\nyear=2026\nfha.shortTermYears=-1\n";
    const struct {
        const char* what;
        std::function<void()> place;
        int year;
        const char* told;  // in the notice; none when empty
    } cases[] = {
        {"installed", [] {}, 2026, ""},
        {"missing", [&] { fs::remove(path); }, 2026, ""},
        {"next year's", [&] { Write(kGovernmentFileName, GovernmentFileText(nextYear)); }, 2027,
         ""},
        {"a bad line", [&] { Write(kGovernmentFileName, bad); }, 2026, "\r\rLine 3: The value"},
        {"a folder in its place",
         [&] {
             fs::remove(path);
             fs::create_directory(path);
         },
         2026, "\r\r"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        c.place();
        const std::string before = Slurp(path);
        ask.notices.clear();
        model.governmentTables.year = 1999;
        ASSERT_EQ(Run(), LoadOutcome::Complete);
        EXPECT_EQ(model.governmentTables.year, c.year);
        EXPECT_TRUE(ask.asked.empty());
        if (*c.told == 0) {
            EXPECT_TRUE(ask.notices.empty());
            continue;
        }
        ASSERT_EQ(ask.notices.size(), 1u);
        const std::string& notice = ask.notices[0];
        EXPECT_EQ(notice.rfind("The government loan tables could not be read:\r" + path, 0), 0u)
            << notice;
        EXPECT_NE(notice.find(c.told), std::string::npos) << notice;
        EXPECT_NE(notice.find("built-in tables for 2026"), std::string::npos) << notice;
        EXPECT_EQ(GovernmentFileText(model.governmentTables),
                  GovernmentFileText(GovernmentLoanTables()));
        EXPECT_EQ(Slurp(path), before) << "the file is left as it was";
        fs::remove_all(path);
    }
}

TEST_F(Load, TheGovernmentNoticeNamesTheFileTheLineAndTheReason) {
    EXPECT_EQ(UnreadableGovernmentMessage("/d/GOVLOANS.DAT", {false, 3, "It is bad"}),
              "The government loan tables could not be read:\r/d/GOVLOANS.DAT\r\rLine 3: It is "
              "bad.\r\rDovanel uses its built-in tables for 2026 instead and leaves the file as it "
              "is. Ok in Tools, Change the Government Loan Tables replaces it.");
}

TEST_F(Load, YearCaptionsBecomeTheThreePreviousYearsInMemoryOnly) {
    ASSERT_EQ(Run(), LoadOutcome::Complete);
    EXPECT_EQ(model.incomeAnalysis.yearLabel[1], "2023");
    EXPECT_EQ(model.incomeAnalysis.yearLabel[2], "2024");
    EXPECT_EQ(model.incomeAnalysis.yearLabel[3], "2025");
    std::ifstream in(dir.File("INCOME.DAT"));
    std::string first;
    std::getline(in, first);
    EXPECT_NE(first.find("\"YYYY\",\"YYYY\",\"YYYY\""), std::string::npos);

    IncomeAnalysis lower;
    lower.yearLabel[1] = "yyyy";
    ApplyYearCaptions(lower, 2026);
    EXPECT_EQ(lower.yearLabel[1], "yyyy");
}

TEST_F(Load, MissingFileEndsTheLoadAfterItsMessage) {
    fs::remove(dir.File("PMI.DAT"));
    EXPECT_EQ(Run(), LoadOutcome::MissingFile);
    EXPECT_EQ(ask.missing,
              "The following data file was missing: " + dir.Folder() +
                  "PMI.DAT\r\rYou must either locate the file and copy to the same location as "
                  "\"Dovanel\" or reinstall \"Dovanel\" for computations to work properly.");
    EXPECT_EQ(model.loanData.purchasePrice, 425000) << "MAIN.DAT was read";
    EXPECT_EQ(model.escrowFees.amount[120], 0) << "ESCROW.DAT was not";
    EXPECT_TRUE(ask.asked.empty());
}

TEST_F(Load, AFolderInPlaceOfAFileCountsAsMissing) {
    fs::remove(dir.File("DEBT.DAT"));
    fs::create_directory(dir.File("DEBT.DAT"));
    EXPECT_EQ(Run(), LoadOutcome::MissingFile);
}

TEST_F(Load, MissingIncomeIsAskedAboutOncePerRead) {
    fs::remove(dir.File("INCOME.DAT"));
    Write(
        "DEBT.DAT", std::string("\"Visa\"\r\n45\r\n") + [] {
            std::string rest;
            for (int i = 1; i <= 30; ++i) rest += "\"\"\r\n0\r\n";
            return rest + "45\r\n";
        }());
    ask.answers.assign(4, LoadAnswer::Ignore);
    EXPECT_EQ(Run(), LoadOutcome::Complete);
    ASSERT_EQ(ask.asked.size(), 4u);
    const std::string income = dir.File("INCOME.DAT");
    EXPECT_EQ(ask.asked[0], "53 - File not found\r\r" + income) << "names the file it read";
    EXPECT_EQ(ask.asked[3], "52 - Bad file name or number\r\r" + income);
    EXPECT_TRUE(ask.missing.empty());
    EXPECT_EQ(model.loanData.monthlyDebt, 45) << "DEBT.DAT loaded after the ignored file";
    EXPECT_EQ(model.incomeAnalysis.yearLabel[1], "") << "fields keep their old values";
}

TEST_F(Load, RetryOpensAgain) {
    fs::rename(dir.File("INCOME.DAT"), dir.File("income.bak"));
    ask.answers = {LoadAnswer::Retry};
    ask.beforeAnswer = [&] { fs::rename(dir.File("income.bak"), dir.File("INCOME.DAT")); };
    EXPECT_EQ(Run(), LoadOutcome::Complete);
    EXPECT_EQ(ask.asked.size(), 1u);
    EXPECT_EQ(model.incomeAnalysis.yearLabel[1], "2023");
}

TEST_F(Load, AbortStopsAtOnce) {
    Write("FANMAE.DAT", "832750,abc,.36,.28,.36\r\n");
    ask.answers = {LoadAnswer::Abort};
    EXPECT_EQ(Run(), LoadOutcome::Aborted);
    EXPECT_EQ(ask.asked,
              std::vector<std::string>{"13 - Type mismatch\r\r" + dir.File("FANMAE.DAT")});
    EXPECT_EQ(model.guidelineRatios.jumboLimit, 832750) << "items before the failure were read";
    EXPECT_EQ(model.originationSchedule.feeRate[1], 0) << "LOANORIG.DAT was not read";
}

TEST_F(Load, IgnoredShortFileGoesOnWithTheNextFile) {
    Write("FANMAE.DAT", "832750,.28,.36\r\n");
    ask.answers = {LoadAnswer::Ignore};
    EXPECT_EQ(Run(), LoadOutcome::Complete);
    EXPECT_EQ(ask.asked,
              std::vector<std::string>{"62 - Input past end of file\r\r" + dir.File("FANMAE.DAT")});
    EXPECT_EQ(model.guidelineRatios.secondRatioUpTo90, 0.36f);
    EXPECT_EQ(model.originationSchedule.feeRate[1], 0.01f);
}

TEST_F(Load, SaveWritesMainAndLeavesAReadOnlyFileAlone) {
    ASSERT_EQ(Run(), LoadOutcome::Complete);
    model.loanData.purchasePrice = 300000;
    ASSERT_TRUE(SaveLoanData(model, dir.Folder()));
    Model back;
    DataError error;
    ASSERT_TRUE(LoadDataFile(DataFile::Main, back, dir.Folder(), error));
    EXPECT_EQ(back.loanData.purchasePrice, 300000);

    fs::permissions(dir.File("MAIN.DAT"), fs::perms::owner_read);
    model.loanData.purchasePrice = 1;
    EXPECT_FALSE(SaveLoanData(model, dir.Folder()));
    ASSERT_TRUE(LoadDataFile(DataFile::Main, back, dir.Folder(), error));
    EXPECT_EQ(back.loanData.purchasePrice, 300000);
}

}  // namespace
}  // namespace dovanel
