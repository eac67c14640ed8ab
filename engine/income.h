#pragma once
// The income analysis: three years of tax-return lines turned into the
// allowable income of each year and the average monthly income.

#include <string>

#include "engine/model.h"

namespace dovanel {

// +1 or -1: how tax-return line k (1..25) enters a year's allowable income.
int IncomeLineSign(int line);

// What the income pages show after a computation.
struct IncomeDisplay {
    IndexArray<std::string, 1, 3> yearIncome;  // page 2, "Allowable Income Per Year"
    std::string averageFrameCaption;           // "3 Year Average"
    std::string averageYearIncome;             // page 2, in the frame above
    std::string averageMonthlyIncome;          // page 2 "Monthly Average" and page 1
    int countedYears = 0;
};

// Computes yearIncome, averageYearIncome and averageMonthlyIncome.
IncomeDisplay ComputeIncomeAnalysis(IncomeAnalysis& analysis);

// The monthly income confirming the analysis gives: its monthly average, or
// "not entered" when the yearly totals add up to zero.
Single ConfirmedMonthlyIncome(const IncomeAnalysis& analysis);

}  // namespace dovanel
