#pragma once
// Two to four loan scenarios side by side: every figure of a column worked out
// from its scenario and the lender's settings, the rows of the comparison table
// with the texts the user reads, and the break-even month of each pair.
//
// The figures are the ones the other screens show for the same scenario: the
// loan and closing figures of the last recalculation, the interest of the
// amortization table's arithmetic over the years asked for, and the month the
// scheduled balance reaches 78 % of the price for the end of PMI. Break-even
// months come from the cent schedule statements show (see break_even.h).

#include <string>
#include <vector>

#include "engine/break_even.h"
#include "engine/model.h"

namespace dovanel {

// A column: a scenario over the lender's settings, plus the discount points the
// comparison lets the user vary (a share of the loan amount, 0.01 for 1 point).
struct ComparisonInput {
    Model model;
    double pointsRate = 0;
};

inline constexpr int kHorizonMinYears = 1;
inline constexpr int kHorizonMaxYears = 40;
inline constexpr int kHorizonDefaultYears = 7;

// Paid over a stretch of the loan: principal and interest with the mortgage
// insurance due with them.
struct PaidOver {
    double totalPaid = 0;
    double interest = 0;
    double principal = 0;
    double insurance = 0;
    double balanceLeft = 0;
};

struct ComparisonFigures {
    std::string type;
    int termYears = 0;
    int payments = 0;
    double price = 0;
    double downPayment = 0;
    double loanAmount = 0;
    double rate = 0;
    double ltv = 0;

    double points = 0;
    double otherClosingCosts = 0;
    double prepaidsAndEscrows = 0;
    double totalDueAtClosing = 0;  // down payment + points + closing costs + prepaids
    double deposit = 0;            // earnest money and application deposit, already paid
    double cashStillDue = 0;       // total due at closing less the deposit

    double principalInterest = 0;
    double mortgageInsurance = 0;
    double taxes = 0;
    double insurance = 0;
    double dues = 0;
    double totalMonthly = 0;
    int insuranceEndPayment = 0;  // payment it is charged with last; 0 for none

    int horizonYears = kHorizonDefaultYears;
    PaidOver horizon;
    PaidOver wholeTerm;

    std::string firstRatio;  // as the main window shows them
    std::string secondRatio;
    std::string firstLimit;
    std::string secondLimit;
    bool incomeEntered = false;
    bool flagDownPayment = false;
    bool flagLoanAmount = false;
    bool flagFirstRatio = false;
    bool flagSecondRatio = false;

    LoanCostStream stream;  // what break-even compares

    // As the Loan Estimate discloses them (fractions; NaN when none): the
    // scenario's closing costs with the points as finance charges.
    double apr = 0;
    double tip = 0;
};

// Every figure of one column. The horizon is held within 1 to 40 years.
ComparisonFigures ComputeComparisonColumn(const ComparisonInput& input, int horizonYears);

// A column's name when the user gave none: "30-year at 6.5 %".
std::string DefaultColumnName(const Model& model);

struct ComparisonCell {
    std::string text;      // what the table shows
    std::string number;    // the value as CSV writes it ("1847.15"); the text itself for words
    bool differs = false;  // from the first column's text
    bool best = false;     // the single lowest cost of the row
};

struct ComparisonRow {
    std::string group;  // "Loan", "Cash to close", "Monthly payment", "Over time", "Qualifying"
    std::string name;   // the row's caption, and its first CSV column
    std::vector<ComparisonCell> cells;  // one per column
};

// The rows of the table, grouped as a buyer reads a loan comparison. A row's
// best cell is marked only when lower is plainly better (a cost) and one column
// alone has the lowest figure.
std::vector<ComparisonRow> ComparisonTable(const std::vector<ComparisonFigures>& columns);

// When the column paying more at closing pays for itself, for one pair.
struct PairBreakEven {
    int first = 0;  // column indexes, first < second
    int second = 0;
    BreakEven result;
    std::string onPayments;  // "Month 61 (5 years 1 month)", "Never within the term"
    std::string onCost;
    std::string summary;  // who pays more, and from when it is ahead on each measure
};

// Every pair of columns, in the order (0,1), (0,2), ... (1,2), ...
std::vector<PairBreakEven> ComparisonBreakEvens(const std::vector<ComparisonFigures>& columns,
                                                const std::vector<std::string>& names);

// The table as CSV: a heading row "Figure" and the column names, then one row
// per figure with machine-readable numbers (no currency signs or separators),
// then the break-even months ("never" when there is none). Lines end in LF.
std::string ComparisonCsv(const std::vector<ComparisonRow>& rows,
                          const std::vector<PairBreakEven>& pairs,
                          const std::vector<std::string>& names);

// The month of a payment number in words: "Month 61 (5 years 1 month)".
std::string MonthInWords(int payment);

}  // namespace dovanel
