#pragma once
// Recalculate: every loan result from the loan data and the schedules, and the
// texts and states of the main window's results block.

#include <string>

#include "engine/model.h"

namespace dovanel {

// What the results block shows after a recalculation. Each member is named after
// the control that shows it.
struct ResultsDisplay {
    std::string label2;                  // monthly principal and interest
    std::string label22;                 // caption of the total-monthly-payment row
    std::string lblTotalMonthlyPayment;  //
    std::string label6;                  // total due at closing
    std::string label8;                  // loan amount
    std::string label9;                  // loan-to-value ratio
    std::string label5;                  // down payment in dollars
    std::string label10;                 // minimum monthly income required
    std::string lblFirstRatio;           // "First  <28%"
    std::string lblSecondRatio;          // "Second  <36%"
    std::string label23_3;               // first qualifying ratio or "Enter Income"
    std::string label23_1;               // second qualifying ratio or "Enter Income"
    std::string lblTotalInterest;
    bool redFlagDownPayment = false;
    bool redFlagLoanAmount = false;
    bool redFlagFirstRatio = false;
    bool redFlagSecondRatio = false;
    bool lblClickRedFlag = false;  // shown with any red flag

    // Shown but not kept in the model.
    Single firstRatio = 0;
    Single secondRatio = 0;
    double totalInterest = 0;
};

// Rewrites every field of model.loanResults and returns the results block.
ResultsDisplay Recalculate(Model& model);

// The same results without the texts of the results block (and without the
// total interest): for working out many scenarios on a copy of the model.
void RecalculateResults(Model& model);

// The two qualifying ratios of the last recalculation and whether each is over
// its limit, exactly as the ratio red flags decide it.
struct QualifyingRatios {
    Single first = 0;
    Single second = 0;
    bool firstOverLimit = false;
    bool secondOverLimit = false;
};
QualifyingRatios RatiosOf(const Model& model);

// The upfront and monthly costs of the scenario's government-backed loan, from
// its type, its choices and the desk's tables; all 0 for a loan of no program.
GovernmentLoanCosts GovernmentCostsOf(const Model& model);

// The lookups Recalculate uses; each is a pure function of its amount and table.
inline constexpr Single kEscrowTopLimit = 100000000.0f;
inline constexpr Single kTitleTopLimit = 1000000000.0f;
Single GraduatedFee(const FeeTable& table, Single amount, Single topLimit);
Single OriginationRate(const OriginationSchedule& schedule, Single amount);
// The PMI band (1..4) of a loan-to-value ratio, 0 when it lies in none.
int PmiBand(Single ltv);

// The number of monthly payments of a term: years x 12 in 16-bit arithmetic,
// -1 when that overflows (the payment is then undefined).
int PaymentCount(Integer termYears);

// PMI is charged, and the down-payment flag raised, above this LTV.
inline constexpr Single kPmiLtvLimit = 0.8001f;
// Above this LTV the stricter pair of qualifying-ratio limits applies.
inline constexpr Single kRatioLtvLimit = 0.9001f;

}  // namespace dovanel
