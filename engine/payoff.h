#pragma once
// The payoff planner: the loan's schedule with extra principal payments, what
// they save, and when private mortgage insurance (PMI) ends. Also the schedule
// as CSV text for spreadsheets.

#include <string>
#include <vector>

#include "engine/amortization.h"
#include "engine/model.h"

namespace dovanel {

struct ExtraPayments {
    double monthly = 0;     // added to every payment's principal
    double yearly = 0;      // added once a year ...
    int yearlyMonth = 1;    // ... in this month of each loan year (1..12)
    double lumpSum = 0;     // added once ...
    int lumpSumAt = 1;      // ... to this payment (1-based)
    bool biweekly = false;  // half the payment every two weeks: one twelfth of it more each month

    bool Any() const { return monthly > 0 || yearly > 0 || lumpSum > 0 || biweekly; }
};

// One payment. `principal` is the scheduled part of the level payment, `extra`
// the extra principal paid with it; ending = beginning - principal - extra.
struct PayoffRow {
    int payment = 0;
    int year = 0;
    int month = 0;
    double beginning = 0;
    double interest = 0;
    double principal = 0;
    double extra = 0;
    double ending = 0;
    double ltv = 0;
};

struct PmiPlan {
    bool charged = false;  // the loan pays monthly PMI
    double monthly = 0;    // PMI per month, dollars
    // Payment numbers (1-based, 0 for never): the balance first at 80 % of the
    // purchase price with the extras, and without them; first at 78 % by the
    // original schedule; the middle of the term.
    int request = 0;
    int requestWithoutExtras = 0;
    int automatic = 0;
    int final = 0;
    double saved = 0;  // PMI not paid because the request date comes sooner
};

struct PayoffPlan {
    double payment = 0;               // the level principal-and-interest payment
    std::vector<PayoffRow> rows;      // with the extras
    std::vector<PayoffRow> baseline;  // without them
    double totalInterest = 0;
    double baselineInterest = 0;
    PmiPlan pmi;

    // The texts the planner shows.
    std::string payoff;         // "Year 23 / Month 4"
    std::string monthsSaved;    // "86 (7 years 2 months)"
    std::string interestSaved;  // "$#,###"
    std::string totalInterestText;
    std::string pmiRequest;
    std::string pmiAutomatic;
    std::string pmiFinal;
    std::string pmiSaved;
};

// The plan for the loan the last Recalculate left in the model. Negative
// extras count as none; a lump sum outside the term is never paid.
PayoffPlan ComputePayoffPlan(const Model& model, const ExtraPayments& extras);

// The schedule of the amortization table, as planner rows without extras.
std::vector<PayoffRow> RowsOf(const Amortization& table);

// "Year 23 / Month 4" of a payment number (1-based).
std::string PaymentDate(int payment);

// A count of payments with its years and months: "86 (7 years 2 months)".
std::string PaymentsText(int count);

// `value` rounded to `decimals` places (0 to 8) in fixed notation, as CSV
// exports write numbers: no sign on zero, 0 for what is not a number.
void AppendFixed(std::string& out, double value, int decimals);

// The schedule in whole cents, so that it adds up as a spreadsheet adds it:
// the balances are rounded, the interest and the extras are rounded on their
// running totals (each column then sums to its own total, rounded), and the
// principal is what the rounded balances leave, so that in every row
// beginning - principal - extra = ending, and each row begins where the last ended.
std::vector<PayoffRow> RoundedToCents(const std::vector<PayoffRow>& rows);

// The schedule as RFC 4180 CSV: a header line, then one line per payment;
// amounts rounded to cents as RoundedToCents rounds them, with two decimals
// and no thousands separators, the LTV as a fraction with four decimals, LF
// line ends.
std::string ScheduleCsv(const std::vector<PayoffRow>& rows);

}  // namespace dovanel
