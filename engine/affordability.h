#pragma once
// What can the buyer afford: the highest whole-dollar purchase price at which
// neither qualifying ratio is over its limit, with every other loan datum as
// the main window holds it. Every price is tried with Recalculate's own steps
// on a copy of the model, so PMI bands, fee tables and the LTV-dependent ratio
// limits work exactly as on the main window; the model itself is never touched.

#include <array>
#include <string>
#include <vector>

#include "engine/model.h"

namespace dovanel {

struct AffordabilityOptions {
    // Annual taxes and monthly insurance keep their share of today's price.
    bool scaleTaxesAndInsurance = true;
    // "Total Due At Closing" may not exceed the cash available.
    bool limitCash = false;
    double cashAvailable = 0;
    // The loan amount may not exceed the jumbo limit.
    bool stayConforming = false;
};

// The limit a price one dollar higher would break.
enum class AffordLimit { None, FirstRatio, SecondRatio, Cash, Conforming };

enum class AffordOutcome {
    Found,             // price is the answer
    NoIncome,          // no monthly income entered
    NothingQualifies,  // not even a price of $1 qualifies; `binding` says why
    AboveCeiling,      // a price above kAffordCeiling still qualifies
};

inline constexpr long long kAffordCeiling = 100000000;

struct Affordability {
    AffordOutcome outcome = AffordOutcome::NoIncome;
    long long price = 0;  // whole dollars
    AffordLimit binding = AffordLimit::None;
    // The loan data and results at that price (taxes and insurance as scaled).
    LoanData loan;
    LoanResults results;
    Single firstRatio = 0;
    Single secondRatio = 0;
    Single debtRatio = 0;  // monthly debt / monthly income
};

Affordability MaxAffordablePrice(const Model& model, const AffordabilityOptions& options);

// Whether a whole-dollar price qualifies, and which limit it breaks first.
AffordLimit BrokenLimit(const Model& model, const AffordabilityOptions& options, long long price);

// How rate and down payment move the answer: rows of interest rates (today's
// -1, -0.5, 0, +0.5, +1 percentage points, those below 0.001 % left out)
// against down payments of 3.5 %, 5 %, 10 %, 20 % and today's. Today's down
// payment gets a column of its own only when it is none of the four: otherwise
// the matching column is today's, and the table has four columns.
struct AffordabilityTable {
    static constexpr int kColumns = 5;  // at most
    int columns = kColumns;             // in use: the first `columns` of each row
    std::vector<Single> rates;
    std::array<Single, kColumns> downPayments{};
    std::vector<std::array<Affordability, kColumns>> cells;  // [row][column]
    int todayRow = 0;
    int todayColumn = kColumns - 1;
};

AffordabilityTable AffordabilitySensitivity(const Model& model,
                                            const AffordabilityOptions& options);

// ---- the texts the window and the printout show ------------------------------

// The maximum price, or the sentence that stands in its place.
std::string AffordPriceText(const Affordability& a);
// The other values; empty unless a price was found.
std::string AffordLoanText(const Affordability& a);
std::string AffordPaymentText(const Affordability& a);
std::string AffordCashText(const Affordability& a);
// "First ratio (28%)", "Second ratio (36%)", "Cash available", "Conforming loan limit".
std::string AffordLimitText(const Affordability& a);
// A table cell: the price, or a short word for the edge answers.
std::string AffordCellText(const Affordability& a);
// What a cell tells beyond its price: its payment and deciding limit.
std::string AffordCellDetail(const Affordability& a);
// A cell read on its own: "6.75% rate, 20.0% down (today's loan): $412,345.
// Total monthly payment $2,345.67; decided by: First ratio (28%)".
std::string AffordCellReading(const AffordabilityTable& table, int row, int column);
// Row and column headings of the table.
std::string AffordRateHeading(Single rate);
std::string AffordDownHeading(Single downPayment, bool today);

}  // namespace dovanel
