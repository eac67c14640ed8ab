#pragma once
// Government-backed loans: the FHA upfront and annual mortgage insurance
// premiums, the VA funding fee, the USDA guarantee and annual fees, and the
// year's loan limits. Every rate and limit is data in GovernmentLoanTables
// (filled with the 2026 figures), so a new year needs new tables, not a new
// program. Amounts are dollars in double; rates are fractions (0.0175).

#include <string>
#include <vector>

#include "engine/loan_schedule.h"

namespace dovanel {

enum class GovernmentProgram { kNone, kFha, kVa, kUsda };

// Whether and how the VA funding fee is charged; kNotIncluded leaves the loan
// without one, as loans were before the fee was computed.
enum class VaUse { kNotIncluded, kFirstUse, kSubsequentUse, kExempt };

// One row of the FHA annual premium table. The first row whose term, loan size
// and LTV match applies; rows of one term and loan size go by rising LTV.
struct FhaAnnualPremiumRow {
    bool longTerm = true;    // for terms longer than `fhaShortTermYears`, else up to it
    bool largeLoan = false;  // for base loans above `fhaLargeLoanThreshold`, else up to it
    double ltvUpTo = 0;      // up to and including this LTV (base loan / value)
    double rate = 0;         // a year's premium as a share of that year's average balance
    int years = 0;           // years it is charged; 0 for the whole term
};

// One band of the VA funding fee: from this down payment (a share of the price)
// up to the next band's.
struct VaFundingFeeRow {
    double downFrom = 0;
    double firstUse = 0;
    double subsequentUse = 0;
};

// An LTV beyond any real loan: the last row of an LTV table.
constexpr double kAnyLtv = 1000.0;

struct GovernmentLoanTables {
    int year = 2026;

    double fhaUpfrontRate = 0.0175;  // of the base loan
    double fhaMinimumDown = 0.035;   // of the price
    int fhaShortTermYears = 15;
    double fhaLargeLoanThreshold = 726200;
    std::vector<FhaAnnualPremiumRow> fhaAnnual = {
        {true, false, 0.90, 0.0050, 11},     // over 15 years, up to the threshold
        {true, false, 0.95, 0.0050, 0},      //
        {true, false, kAnyLtv, 0.0055, 0},   //
        {true, true, 0.90, 0.0070, 11},      // over 15 years, above the threshold
        {true, true, 0.95, 0.0070, 0},       //
        {true, true, kAnyLtv, 0.0075, 0},    //
        {false, false, 0.90, 0.0015, 11},    // 15 years or less, up to the threshold
        {false, false, kAnyLtv, 0.0040, 0},  //
        {false, true, 0.78, 0.0015, 11},     // 15 years or less, above the threshold
        {false, true, 0.90, 0.0040, 11},     //
        {false, true, kAnyLtv, 0.0065, 0},   //
    };

    std::vector<VaFundingFeeRow> vaFundingFee = {
        {0.00, 0.0215, 0.0330},
        {0.05, 0.0150, 0.0150},
        {0.10, 0.0125, 0.0125},
    };

    double usdaUpfrontRate = 0.01;   // of the base loan
    double usdaAnnualRate = 0.0035;  // of each year's average scheduled balance

    // One-unit loan limits.
    double conformingLimit = 832750;  // baseline; a larger conventional loan is jumbo
    double highCostLimit = 1249125;
    double fhaFloor = 541287;
    double fhaCeiling = 1249125;
};

// What makes the tables unusable, or empty when they make sense: a table with
// no rows, a rate or down payment above 100 %, VA bands that do not start at 0
// and rise, FHA rows of one term and loan size whose LTVs do not rise (a later
// one would never apply), a term and loan size with no FHA row, or a limit above
// its ceiling. Rows are counted from 1.
std::string GovernmentTablesProblem(const GovernmentLoanTables& tables);

// A yearly premium and how long it is charged.
struct AnnualPremium {
    double rate = 0;
    int payments = 0;  // charged with payments 1 to this one; 0 for none
};

// The FHA upfront premium of a base loan, to the cent.
double FhaUpfrontPremium(double baseLoan, const GovernmentLoanTables& tables);

// The FHA annual premium for a loan of `termYears` years whose base loan is
// `baseLoan` on a property worth `value`. No premium when no row matches.
AnnualPremium FhaAnnualPremium(int termYears, double baseLoan, double value,
                               const GovernmentLoanTables& tables);

// The VA funding fee's rate and amount (of the base loan price - downPayment, to
// the cent): 0 when not included or exempt. A down payment within half a cent of
// a band's start counts in that band.
double VaFundingFeeRate(VaUse use, double price, double downPayment,
                        const GovernmentLoanTables& tables);
double VaFundingFee(VaUse use, double price, double downPayment,
                    const GovernmentLoanTables& tables);

// The USDA upfront guarantee fee of a base loan, to the cent.
double UsdaUpfrontFee(double baseLoan, const GovernmentLoanTables& tables);

// A premium charged on the average scheduled balance of each year, one amount
// per payment of `schedule` (0 once `premium.payments` have been charged). Year
// y's premium is the average of the balances owed before payments 12y - 11 to
// 12y times the rate, rounded to the cent; divided by `financedFactor` and
// rounded again; then divided by 12 and rounded to the cent for each month.
std::vector<double> PremiumsOnAverageBalance(const std::vector<ScheduledPayment>& schedule,
                                             double loanAmount, const AnnualPremium& premium,
                                             double financedFactor = 1.0);

// Whether an FHA loan's down payment is below the minimum.
bool BelowFhaMinimumDown(double price, double downPayment, const GovernmentLoanTables& tables);
// Whether a loan is above the conforming limit (jumbo).
bool AboveConformingLimit(double loanAmount, const GovernmentLoanTables& tables);
// Whether an FHA base loan is above the county's limit; a limit of 0 or less
// takes the national floor.
bool AboveFhaLimit(double baseLoan, double countyLimit, const GovernmentLoanTables& tables);
// The FHA limit that applies: the county's, or the national floor without one.
double FhaLimit(double countyLimit, const GovernmentLoanTables& tables);

// A loan under one of the programs, as the scenario gives it.
struct GovernmentLoanTerms {
    GovernmentProgram program = GovernmentProgram::kNone;
    double price = 0;
    double downPayment = 0;
    double value = 0;  // the property's value for the LTV; 0 or less takes the price
    int termYears = 30;
    double annualRate = 0;  // the note rate
    VaUse vaUse = VaUse::kNotIncluded;
    bool financeUpfront = true;  // the upfront premium or fee is added to the loan
};

struct GovernmentLoanCosts {
    double baseLoan = 0;  // price - down payment
    double upfrontRate = 0;
    double upfront = 0;                    // the upfront premium or fee
    double financedUpfront = 0;            // the part of it added to the loan
    double cashUpfront = 0;                // the part of it paid at closing
    double loanAmount = 0;                 // base loan + financed upfront
    AnnualPremium annual;                  // FHA annual premium or USDA annual fee
    std::vector<double> monthlyInsurance;  // one amount per payment, 0 where none is due
};

// Everything the program charges for a loan. A loan of no program, or a VA loan,
// has no monthly insurance (the amounts are all 0).
GovernmentLoanCosts ComputeGovernmentLoan(const GovernmentLoanTerms& terms,
                                          const GovernmentLoanTables& tables);

}  // namespace dovanel
