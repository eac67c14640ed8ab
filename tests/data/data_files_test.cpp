#include "data/data_files.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/data/temp_folder.h"
#include "tests/engine/sample_model.h"

namespace dovanel {
namespace {

using test::Slurp;
using test::Spit;

namespace fs = std::filesystem;

TEST(DataFiles, EveryInstalledFileReadsAndWritesBackByteForByte) {
    for (DataFile file : kEveryDataFile) {
        const std::string original = Slurp(std::string(DOVANEL_INSTALLED_DATA) + FileName(file));
        ASSERT_FALSE(original.empty()) << FileName(file);
        Model m;
        DataError error;
        ASSERT_TRUE(ParseFile(file, original, m, error)) << FileName(file) << ": " << error.Text();
        EXPECT_EQ(FileText(file, m), original) << FileName(file);
    }
}

TEST(DataFiles, ModelSurvivesWriteAndRead) {
    Model m = test::SampleModel();
    m.loanData.spare1 = {SpareItem::Kind::Number, "2.50"};
    m.loanData.spare2 = {SpareItem::Kind::Text, "kept"};
    m.loanData.startDate = "3-2026";
    m.incomeAnalysis.line[18][2] = 1234.5f;
    m.incomeAnalysis.yearLabel[3] = "2025";
    m.debtSummary.itemName[30] = "Car loan";
    m.debtSummary.itemAmount[30] = 415.25f;
    m.loanData.monthlyDebt = 415.25f;
    m.estimateValues.costName[5] = "Courier";
    for (DataFile file : kEveryDataFile) {
        Model back;
        DataError error;
        ASSERT_TRUE(ParseFile(file, FileText(file, m), back, error)) << FileName(file);
        EXPECT_EQ(FileText(file, back), FileText(file, m)) << FileName(file);
    }
    Model back;
    DataError error;
    ASSERT_TRUE(ParseFile(DataFile::Escrow, FileText(DataFile::Escrow, m), back, error));
    EXPECT_EQ(back.escrowFees.amount[120], m.escrowFees.amount[120]);
    EXPECT_EQ(back.escrowFees.fee[1], m.escrowFees.fee[1]);
}

TEST(DataFiles, MainRecordItemsInOrder) {
    Model m;
    LoanData& d = m.loanData;
    d.downPaymentRate = 0.2f, d.purchasePrice = 1234567.5f, d.interestRate = 0.07f;
    d.earnestMoney = 5000, d.monthlyDues = 0, d.annualTaxes = 3600, d.monthlyInsurance = 95.5f;
    d.termYears = 30, d.mortgageTypeName = "30 Year / Fixed Conventional", d.isArm = 0;
    d.startDateSpecific = 1, d.startDate = "3-2005";
    EXPECT_EQ(
        FileText(DataFile::Main, m),
        ".2,1234568,.07,5000,0,3600,95.5,30,\"30 Year / Fixed Conventional\",0,,,1,\"3-2005\"\r\n");
    m.guidelineRatios = {832750, 0.28f, 0.36f, 0.25f, 0.33f};
    EXPECT_EQ(FileText(DataFile::Guidelines, m), "832750,.28,.36,.25,.33\r\n");
}

TEST(DataFiles, IncomeKeepsTheLastRecordsRepeatedItems) {
    std::string text;
    for (int y = 1; y <= 3; ++y) {
        for (int k = 1; k <= 25; ++k) text += std::to_string(y * 100 + k) + ",";
        text += std::to_string(1000 * y) + ",\"Y1\",\"Y2\",\"" + std::to_string(2020 + y) +
                "\",1,2,3," + std::to_string(y) + "\r\n";
    }
    Model m;
    DataError error;
    ASSERT_TRUE(ParseFile(DataFile::Income, text, m, error));
    EXPECT_EQ(m.incomeAnalysis.line[1][1], 101);
    EXPECT_EQ(m.incomeAnalysis.line[25][3], 325);
    EXPECT_EQ(m.loanData.monthlyIncome, 3000);
    EXPECT_EQ(m.incomeAnalysis.yearLabel[3], "2023");
    EXPECT_EQ(m.incomeAnalysis.averageYearIncome, 3);
}

TEST(DataFiles, DebtRecordsAlternateNameAndAmount) {
    Model m;
    m.debtSummary.itemName[0] = "Visa";
    m.debtSummary.itemAmount[0] = 45;
    m.loanData.monthlyDebt = 45;
    const std::string text = FileText(DataFile::Debt, m);
    EXPECT_EQ(text.substr(0, 16), "\"Visa\"\r\n45\r\n\"\"\r\n");
    EXPECT_EQ(text.substr(text.size() - 4), "45\r\n");
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 63);
}

TEST(AtomicWrite, ReplacesTheFileAndLeavesNothingBehind) {
    test::TempFolder dir;
    const std::string path = dir.File("MAIN.DAT");
    Spit(path, "old contents that are longer than the new ones\r\n");
    ASSERT_TRUE(WriteFileAtomically(path, "new\r\n"));
    EXPECT_EQ(Slurp(path), "new\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST(AtomicWrite, ReadOnlyFileStaysExactlyAsItWas) {
    test::TempFolder dir;
    const std::string path = dir.File("MAIN.DAT");
    Spit(path, "kept\r\n");
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_FALSE(WriteFileAtomically(path, "lost\r\n"));
    EXPECT_EQ(Slurp(path), "kept\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST(AtomicWrite, MissingFolderFailsQuietly) {
    test::TempFolder dir;
    EXPECT_FALSE(WriteFileAtomically(dir.File("no/such/folder/MAIN.DAT"), "x"));
}

TEST(AtomicWrite, SaveDataFileWritesIntoTheFolder) {
    test::TempFolder dir;
    Model m = test::SampleModel();
    ASSERT_TRUE(SaveDataFile(DataFile::Pmi, m, dir.Folder()));
    Model back;
    DataError error;
    ASSERT_TRUE(LoadDataFile(DataFile::Pmi, back, dir.Folder(), error));
    EXPECT_EQ(back.pmiSchedule.armMonthly[4], m.pmiSchedule.armMonthly[4]);
    EXPECT_FALSE(LoadDataFile(DataFile::Debt, back, dir.Folder(), error));
    EXPECT_EQ(error.Text(), "53 - File not found");
}

}  // namespace
}  // namespace dovanel

namespace dovanel {
namespace {

// Inputs the fuzzers once reported, named after the file they were fed to: each
// reads (or fails) and whatever reads writes back to a text that reads the same.
TEST(DataFiles, FuzzerFindingsStayHarmless) {
    int checked = 0;
    for (const auto& entry : std::filesystem::directory_iterator(DOVANEL_REGRESSIONS)) {
        const std::string name = entry.path().filename().string();
        for (DataFile file : kEveryDataFile) {
            if (name.rfind(std::string(FileName(file)) + "-", 0) != 0) continue;
            Model model;
            DataError error;
            if (ParseFile(file, Slurp(entry.path().string()), model, error)) {
                const std::string written = FileText(file, model);
                Model again;
                ASSERT_TRUE(ParseFile(file, written, again, error)) << name;
                EXPECT_EQ(FileText(file, again), written) << name;
            }
            ++checked;
        }
    }
    EXPECT_GT(checked, 0);
}

}  // namespace
}  // namespace dovanel
