#include "data/load.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "data/data_files.h"
#include "tests/data/temp_folder.h"

namespace dovanel {
namespace {

namespace fs = std::filesystem;

// Answers the load's questions from a script and records what was asked. A
// question the script does not expect fails the test.
class ScriptedQuestions : public LoadQuestions {
  public:
    std::vector<std::string> asked;
    std::string missing;
    std::deque<LoadAnswer> answers;
    std::function<void()> beforeAnswer;

    void MissingFile(const std::string& message) override { missing = message; }
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
