#pragma once
// The Loan Estimate as a document: every closing cost of the scenario (the
// estimate's fixed lines and the itemized fees) placed in its section, and the
// three pages' figures as the form prints them. Windows and reports show these
// texts as they are; all arithmetic is here.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "engine/model.h"

namespace dovanel {

// A day of the calendar.
struct CalendarDate {
    int year = 0;
    int month = 0;
    int day = 0;
};

// "YYYY-MM-DD" of a real day (false for anything else), and back.
bool ParseIsoDate(std::string_view text, CalendarDate& date);
std::string IsoDate(const CalendarDate& date);
// The first of the second month after `date`: the usual first payment.
CalendarDate FirstOfSecondMonthAfter(const CalendarDate& date);
// Days from `from` to `to` (negative when `to` comes first).
int DaysBetween(const CalendarDate& from, const CalendarDate& to);

// One closing cost as the form lists it.
struct EstimateCost {
    std::string name;
    double amount = 0;  // exact dollars
    EstimateSection section = EstimateSection::kH;
    bool financeCharge = false;
    bool paidBySeller = false;
    bool itemized = false;  // one of the scenario's fees, not a fixed estimate line
};

// The fixed estimate lines in their default sections with their default
// finance-charge flags (lines of 0 left out): origination and processing in A;
// appraisal, credit report, flood, tax service and the upfront mortgage
// insurance premium (an FHA premium, a VA funding fee, a USDA guarantee fee) in B; settlement and title in C; recording and transfer taxes in E;
// prepaid interest and the insurance premium in F; reserves in G; the rest in H.
// `model.loanResults` must be up to date; the interest is the one given.
std::vector<EstimateCost> FixedEstimateCosts(const Model& model, double prepaidInterest,
                                             int prepaidDays);

// The section and flag a fixed cost item of this caption goes to by default.
EstimateSection DefaultSectionOfCaption(std::string_view caption, bool& financeCharge);

// A fee slot the user has filled.
inline bool FeeInUse(const EstimateFee& fee) {
    return !fee.name.empty() || fee.amount != 0;
}

// The figures of the form, as texts ("$8,054", "4.274%").
struct ProjectedPaymentText {
    std::string years;  // "Years 1-7", "Year 1"
    std::string principalAndInterest;
    std::string mortgageInsurance;  // "82" or "—"
    std::string escrow;
    std::string total;
};

struct EstimateLineText {
    std::string name;
    std::string amount;
    EstimateSection section = EstimateSection::kH;
};

// Sections A to J of the closing cost details.
inline constexpr int kEstimateSectionCount = 10;

struct LoanEstimateForm {
    // Empty when the inputs make a form; else why not (then no figure is given).
    std::string error;

    // Dates the form is made for, "YYYY-MM-DD".
    std::string closingDate;
    std::string firstPaymentDate;

    // Page 1: Loan Terms, Projected Payments, Costs at Closing.
    std::string loanType;  // "Conventional", "FHA", "VA" or "USDA"
    std::string loanAmount;
    std::string interestRate;
    std::string monthlyPrincipalInterest;
    std::vector<ProjectedPaymentText> projectedPayments;
    std::string monthlyEscrow;  // estimated taxes, insurance and assessments
    std::string closingCosts;
    std::string cashToClose;

    // Page 2: closing cost details and cash to close.
    std::vector<EstimateLineText> lines;
    std::array<std::string, kEstimateSectionCount> sectionTotal;  // A .. J
    std::string lenderCredits;
    std::string prepaidInterestLine;  // "Prepaid Interest ($17.44 per day for 15 days @ 3.875%)"
    std::vector<std::pair<std::string, std::string>> cashToCloseRows;

    // Page 3: comparisons.
    std::string inFiveYearsTotal;
    std::string inFiveYearsPrincipal;
    std::string apr;
    std::string tip;
};

// The section letters A to J in order, as the form heads them.
const char* SectionHeading(int index);  // "A. Origination Charges"

// The exact figures the texts come from (also for the comparison of scenarios).
struct LoanEstimateNumbers {
    double prepaidInterest = 0;
    int prepaidDays = 0;
    int oddDays = 0;
    double amountFinanced = 0;
    double apr = 0;  // fraction; NaN when none
    double tip = 0;  // fraction
};

// The form of `model` (loan results up to date) made on `today`. A bad date
// (unreadable, closing on or after the first payment, a first period over a
// year) gives an error and no figures.
LoanEstimateForm MakeLoanEstimate(const Model& model, const CalendarDate& today,
                                  LoanEstimateNumbers* numbers = nullptr);

// Why an itemized fee's typed amount cannot be taken, or empty: it must be a
// plain number of dollars, 0 or more.
std::string FeeAmountError(std::string_view text, double& amount);

}  // namespace dovanel
