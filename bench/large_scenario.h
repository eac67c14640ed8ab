#pragma once
// A scenario whose file is as large as asked, for the benchmarks of opening
// and saving scenario files and documents.

#include <cstddef>
#include <string>

#include "data/scenario_file.h"
#include "data/value_text.h"
#include "engine/model.h"

namespace dovanel::bench {

inline constexpr std::size_t kOneMegabyte = 1024 * 1024;

// A scenario whose file is about `bytes` long: a typical loan, income and
// debts, and a long note of lines with accented letters and a few control
// characters, as a loan officer's pasted correspondence might be.
inline Scenario LargeScenario(std::size_t bytes) {
    Scenario s;
    s.info.name = "Zo\xC3\xAB Smith-M\xC3\xBCller";
    s.info.savedDate = "2024-05-24";
    s.loanData.purchasePrice = 285000;
    s.loanData.downPaymentRate = 0.1f;
    s.loanData.interestRate = 0.0675f;
    s.loanData.mortgageTypeName = kMortgageTypes[0];
    s.loanData.termYears = 30;
    s.loanData.monthlyIncome = 7916.6665f;
    for (int k = 1; k <= IncomeAnalysis::lines; ++k)
        for (int y = 1; y <= IncomeAnalysis::years; ++y)
            s.incomeAnalysis.line[k][y] = 1234.56f * k + y;
    for (int i = 0; i < DebtSummary::items; ++i) {
        s.debtSummary.itemName[i] = "Card " + std::to_string(i);
        s.debtSummary.itemAmount[i] = 25.5f * i;
    }
    const std::string paragraph =
        "Called the borrower about the rate lock; she prefers the 30-year fixed.\n"
        "Caf\xC3\xA9 owner, income from \xE2\x82\xAC and $ accounts \\ see file.\t\x01\n";
    std::string written;
    AppendEscaped(written, paragraph);
    for (std::size_t size = ScenarioFileText(s).size(); size < bytes; size += written.size())
        s.info.note += paragraph;
    return s;
}

}  // namespace dovanel::bench
