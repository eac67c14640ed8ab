#pragma once
// Dovanel's calculation engine: the in-memory model of a loan scenario, the
// lender's settings it is computed with, and its results.
//
// How the program fits together:
//   engine/  this model, Recalculate (results and the texts of the results block),
//            FormatValue (every number shown), the income and amortization arithmetic.
//            Plain C++17; knows nothing of files or screens.
//   data/    reads and writes the data files into this model; no widgets.
//   ui/      the windows: each reads the model, calls the engine, shows the texts it gets.
//   shell/   start-up, settings, help, window effects, the platform services.
//   app/     main().
//
// Conventions of the model: money is float dollars, rates and ratios are float
// fractions (0.07 for 7 %), day and month counts are 16-bit integers. Every
// result is computed in double and rounded to float only when it is stored.
// Arrays keep the index ranges the data files and screens use.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/government.h"
#include "engine/index_array.h"

namespace dovanel {

using Single = float;
using Integer = std::int16_t;

// An item of MAIN.DAT that the program carries but never uses: a number, a
// quoted text or nothing. It is written back exactly as it was read.
struct SpareItem {
    enum class Kind { Empty, Number, Text };
    Kind kind = Kind::Empty;
    std::string text;  // the number's digits as read, or the text without quotes

    friend bool operator==(const SpareItem& a, const SpareItem& b) {
        return a.kind == b.kind && a.text == b.text;
    }
};

struct LoanData {
    Single downPaymentRate = 0;
    Single purchasePrice = 0;
    Single interestRate = 0;
    Single earnestMoney = 0;
    Single monthlyDues = 0;
    Single annualTaxes = 0;
    Single monthlyInsurance = 0;
    Integer termYears = 0;
    std::string mortgageTypeName;
    Integer isArm = 0;
    SpareItem spare1;
    SpareItem spare2;
    Integer startDateSpecific = 0;
    std::string startDate;
    Single monthlyIncome = 0;  // 0.0001 marks income not entered
    Single monthlyDebt = 0;
};

struct LoanResults {
    Single downPaymentAmount = 0;
    Single loanAmount = 0;
    Single ltv = 0;
    Single interimInterest = 0;
    Single escrowFee = 0;
    Single titleFee = 0;
    Single pmiPremiumRate = 0;
    Single pmiMonthlyRate = 0;
    Single pmiPremium = 0;
    Single monthlyPmi = 0;
    Single pmiImpounds = 0;
    Single taxImpounds = 0;
    Single insuranceImpounds = 0;
    Single insurancePremium = 0;
    Single originationRate = 0;
    Single originationFee = 0;
    Single itemizedCosts = 0;
    Single totalClosingCosts = 0;
    Single totalPrepaidEscrows = 0;
    Single estimateDueAtClosing = 0;
    Single totalDueAtClosing = 0;
    Single monthlyPrincipalInterest = 0;
    Single totalMonthlyPayment = 0;
    Single firstRatioLimit = 0;
    Single secondRatioLimit = 0;
    Single minMonthlyIncome = 0;
};

// The Financing Estimate settings. Name 5 is shown beside amount 7 and name 7
// beside amount 5 everywhere; the other names go with the amount of their index.
struct EstimateValues {
    IndexArray<Single, 1, 7> costAmount;
    Integer interimInterestDays = 0;
    Integer pmiImpoundMonths = 0;
    Integer insurancePremiumMonths = 0;
    Integer insuranceImpoundMonths = 0;
    Integer taxImpoundMonths = 0;
    Single applicationDeposit = 0;
    IndexArray<std::string, 1, 7> costName;
};

// PMI rates by LTV band 1 to 4; the monthly tables hold annual rates charged monthly.
struct PmiSchedule {
    IndexArray<Single, 1, 4> conventionalPremium;
    IndexArray<Single, 1, 4> armPremium;
    IndexArray<Single, 1, 4> conventionalMonthly;
    IndexArray<Single, 1, 4> armMonthly;
};

// A graduated fee table: row i (1..120) charges fee[i] for amounts above
// amount[i] up to amount[i + 1]. Rows -20..0 are spare room for the editor's view.
struct FeeTable {
    static constexpr int firstRow = 1;
    static constexpr int lastRow = 120;
    IndexArray<Single, -20, 120> amount;
    IndexArray<Single, -20, 120> fee;
};

// Origination fee rate by loan-amount band, rows 1 to 5 (index 0 unused).
struct OriginationSchedule {
    static constexpr int rows = 5;
    IndexArray<Single, 0, 5> feeRate;
    IndexArray<Single, 0, 5> amountFrom;
    IndexArray<Single, 0, 5> amountTo;
};

struct GuidelineRatios {
    Single jumboLimit = 0;
    Single firstRatioUpTo90 = 0;
    Single secondRatioUpTo90 = 0;
    Single firstRatioAbove90 = 0;
    Single secondRatioAbove90 = 0;
};

// Three years of tax-return lines: line[k][y], k = 1..25, y = 1..3 (y = 0 unused).
struct IncomeAnalysis {
    static constexpr int lines = 25;
    static constexpr int years = 3;
    IndexArray<IndexArray<Single, 0, 3>, 1, 25> line;
    IndexArray<std::string, 1, 3> yearLabel;
    IndexArray<Single, 1, 3> yearIncome;
    Single averageYearIncome = 0;
    Single averageMonthlyIncome = 0;
};

struct DebtSummary {
    static constexpr int items = 31;
    IndexArray<std::string, 0, 30> itemName;
    IndexArray<Single, 0, 30> itemAmount;
};

// What the user knows a scenario by. The saved date reads "YYYY-MM-DD" and
// stays empty until the scenario is first saved.
struct ScenarioInfo {
    std::string name;
    std::string note;
    std::string savedDate;
};

// The borrower's choices for a government-backed loan; a loan of another type
// ignores them.
struct GovernmentChoices {
    VaUse vaUse = VaUse::kNotIncluded;
    bool financeUpfront = true;  // the upfront premium or fee is added to the loan
    Single fhaCountyLimit = 0;   // the county's FHA limit; 0 takes the national floor
};

// The sections of the Loan Estimate's closing cost details a fee can sit in
// (D, I and J are totals): A origination charges, B services the borrower
// cannot shop for, C services they can shop for, E taxes and government fees,
// F prepaids, G initial escrow, H other.
enum class EstimateSection { kA, kB, kC, kE, kF, kG, kH };

// The section's letter ("A"), and the section of a letter (false for none).
const char* EstimateSectionLetter(EstimateSection section);
bool EstimateSectionOfLetter(std::string_view letter, EstimateSection& section);

// A closing cost the fixed estimate lines do not cover.
struct EstimateFee {
    std::string name;
    Single amount = 0;
    EstimateSection section = EstimateSection::kH;
    Integer financeCharge = 0;  // 1 when it counts in the finance charge
    Integer paidBySeller = 0;   // 1 when the seller pays it, 0 for the borrower
};

// What the Loan Estimate adds to a scenario. Dates read "YYYY-MM-DD"; an empty
// closing date is the day the estimate is made, an empty first payment date the
// first of the second month after closing.
// A fee slot is in use while it has a name or an amount.
struct EstimateDetails {
    static constexpr int maxFees = 30;
    std::array<EstimateFee, maxFees> fees;
    std::string closingDate;
    std::string firstPaymentDate;
    Integer keepFixedInterestDays = 0;  // 1: prepaid interest keeps the estimate values' days
};

// One loan scenario: what a scenario file holds. Results are never part of it.
struct Scenario {
    LoanData loanData;
    IncomeAnalysis incomeAnalysis;
    DebtSummary debtSummary;
    ScenarioInfo info;
    GovernmentChoices government;
    EstimateDetails estimate;
};

// Who makes the loan, as the reports name them; all empty for no lender.
struct LenderInfo {
    std::string name;
    std::string nmls;  // the lender's NMLS ID
    std::string officer;
    std::string officerNmls;
    std::string address;  // may run over several lines
    std::string phone;
    std::string email;

    bool IsEmpty() const {
        return name.empty() && nmls.empty() && officer.empty() && officerNmls.empty() &&
               address.empty() && phone.empty() && email.empty();
    }
};

// The lender's desk: the schedules every scenario is computed with (the data-folder files).
struct LenderSettings {
    EstimateValues estimateValues;
    PmiSchedule pmiSchedule;
    FeeTable escrowFees;
    FeeTable titleFees;
    OriginationSchedule originationSchedule;
    GuidelineRatios guidelineRatios;
    LenderInfo lender;
    GovernmentLoanTables governmentTables;
};

// A scenario over lender settings with the results derived from both (tests and
// solvers hold one whole).
struct Model : Scenario, LenderSettings {
    LoanResults loanResults;
};

// The program's name, as window captions, message titles and messages use it.
inline constexpr char kProductName[] = "Dovanel";

// The monthly income that marks "no income entered".
inline constexpr Single kIncomeNotEntered = 0.0001f;

// The thirteen mortgage types, in the order the type list offers them.
inline constexpr int kMortgageTypeCount = 13;
extern const char* const kMortgageTypes[kMortgageTypeCount];

// The government-backed types offered after the thirteen, and the whole list
// the type lists offer: the thirteen first, then these.
inline constexpr int kGovernmentMortgageTypeCount = 3;
extern const char* const kGovernmentMortgageTypes[kGovernmentMortgageTypeCount];
inline constexpr int kOfferedMortgageTypeCount = kMortgageTypeCount + kGovernmentMortgageTypeCount;
extern const char* const kOfferedMortgageTypes[kOfferedMortgageTypeCount];

// Term in years: the number the type text starts with (its first two characters).
Integer TermYearsOf(std::string_view typeName);
// 1 for the adjustable types whose text ends in "ARM)", else 0.
Integer IsArmOf(std::string_view typeName);
// VA loans carry no PMI amounts.
bool IsVaType(std::string_view typeName);
// The program a type's loan is made under: by the type's last word (FHA, VA, USDA).
GovernmentProgram GovernmentProgramOf(std::string_view typeName);
// FHA and USDA loans: monthly insurance for the years their program sets, in place of PMI.
bool CarriesProgramInsurance(std::string_view typeName);

}  // namespace dovanel
