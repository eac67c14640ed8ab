#include "engine/loan_estimate_sections.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "engine/apr.h"
#include "engine/finance_charge.h"
#include "engine/format_value.h"
#include "engine/loan_estimate.h"
#include "engine/loan_schedule.h"
#include "engine/money.h"
#include "engine/recalculate.h"

namespace dovanel {

namespace {

constexpr char kDollars[] = "$#,##0;-$#,##0";
constexpr char kWholeNumber[] = "#,##0";
constexpr char kNone[] = "\u2014";
constexpr double kLargestFee = 1e9;

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// The same day `months` months later, the month's last day where it is shorter.
CalendarDate AddMonths(const CalendarDate& date, int months) {
    const int index = date.year * 12 + (date.month - 1) + months;
    CalendarDate out{index / 12, index % 12 + 1, date.day};
    out.day = std::min(out.day, DaysInMonth(out.year, out.month));
    return out;
}

bool Contains(const std::string& text, const char* word) {
    return text.find(word) != std::string::npos;
}

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// What a program's loan type and upfront mortgage insurance are called.
struct ProgramNames {
    const char* loanType;
    const char* upfront;
};

ProgramNames NamesOf(std::string_view typeName) {
    switch (GovernmentProgramOf(typeName)) {
        case GovernmentProgram::kFha:
            return {"FHA", "FHA Upfront Mortgage Insurance Premium"};
        case GovernmentProgram::kVa:
            return {"VA", "VA Funding Fee"};
        case GovernmentProgram::kUsda:
            return {"USDA", "USDA Upfront Guarantee Fee"};
        case GovernmentProgram::kNone:
            break;
    }
    return {"Conventional", "Mortgage Insurance Premium"};
}

int SectionIndex(EstimateSection section) {
    static const int kIndex[] = {0, 1, 2, 4, 5, 6, 7};  // A B C E F G H among A .. J
    return kIndex[static_cast<int>(section)];
}

std::string Months(const char* name, int months) {
    return std::string(name) + " (" + std::to_string(months) + " mo.)";
}

struct Adder {
    std::vector<EstimateCost>& costs;
    void operator()(std::string name, double amount, EstimateSection section, bool charge) const {
        if (amount == 0 || !std::isfinite(amount)) return;
        EstimateCost c;
        c.name = std::move(name);
        c.amount = amount;
        c.section = section;
        c.financeCharge = charge;
        costs.push_back(std::move(c));
    }
};

// Estimate value captions are shown with amounts 5 and 7 swapped.
int CaptionIndexOfAmount(int amount) {
    return amount == 5 ? 7 : amount == 7 ? 5 : amount;
}

bool ParseDateOr(const std::string& text, const CalendarDate& fallback, CalendarDate& date) {
    if (text.empty()) {
        date = fallback;
        return true;
    }
    return ParseIsoDate(text, date);
}

// The closing and first payment dates, or why they make no loan.
std::string EstimateDates(const EstimateDetails& e, const CalendarDate& today,
                          CalendarDate& closing, CalendarDate& first) {
    if (!ParseDateOr(e.closingDate, today, closing))
        return "The closing date \"" + e.closingDate + "\" is not a day of the calendar.";
    if (!ParseDateOr(e.firstPaymentDate, FirstOfSecondMonthAfter(closing), first))
        return "The first payment date \"" + e.firstPaymentDate +
               "\" is not a day of the calendar.";
    if (DaysBetween(closing, first) <= 0)
        return "The closing date must come before the first payment date.";
    if (DaysBetween(AddMonths(closing, 12), first) > 0)
        return "The first payment must fall within a year of the closing date.";
    return {};
}

struct SectionSums {
    std::array<double, kEstimateSectionCount> rounded{};
    double loanCosts = 0;  // A + B + C unrounded
    double sellerPaid = 0;
    double prepaidFinanceCharges = 0;
};

SectionSums SumSections(const std::vector<EstimateCost>& costs) {
    SectionSums s;
    std::vector<FinanceChargeItem> charges;
    for (const EstimateCost& c : costs) {
        const int index = SectionIndex(c.section);
        s.rounded[static_cast<std::size_t>(index)] += RoundToDollars(c.amount);
        if (index <= 2) s.loanCosts += c.amount;
        if (c.paidBySeller) s.sellerPaid += RoundToDollars(c.amount);
        charges.push_back({c.amount, c.financeCharge, c.paidBySeller});
    }
    s.prepaidFinanceCharges = PrepaidFinanceCharges(charges);
    auto& t = s.rounded;
    t[3] = t[0] + t[1] + t[2];
    t[8] = t[4] + t[5] + t[6] + t[7];
    t[9] = t[3] + t[8];
    return s;
}

// The mortgage insurance due with each payment. FHA and USDA premiums are
// recomputed each year on the scheduled balance and run for the years their
// program sets; PMI is the monthly line until the balance reaches the point
// where it is cancelled.
std::vector<double> InsuranceStream(const Model& m, const GovernmentLoanCosts& program,
                                    int payments) {
    if (CarriesProgramInsurance(m.loanData.mortgageTypeName)) {
        std::vector<double> stream = program.monthlyInsurance;
        while (!stream.empty() && !(stream.back() > 0)) stream.pop_back();
        return stream;
    }
    const double monthly = m.loanResults.monthlyPmi;
    if (!(monthly > 0) || payments <= 0) return {};
    int end = MortgageInsuranceEndPayment(m.loanResults.loanAmount,
                                          static_cast<double>(m.loanData.interestRate) / 12.0,
                                          payments, m.loanData.purchasePrice);
    if (end <= 0) end = payments;
    return std::vector<double>(static_cast<std::size_t>(end), monthly);
}

std::string YearsText(int first, int last) {
    if (first == last) return "Year " + std::to_string(first);
    return "Years " + std::to_string(first) + "-" + std::to_string(last);
}

// A column's mortgage insurance is its first payment's: a premium recomputed on
// the falling balance is never higher later in the column.
void ProjectedTexts(const Model& m, double pi, const std::vector<double>& insurance,
                    LoanEstimateForm& f) {
    const double escrow =
        static_cast<double>(m.loanData.monthlyInsurance) + m.loanData.annualTaxes / 12.0;
    const double firstInsurance = insurance.empty() ? 0.0 : insurance.front();
    for (const ProjectedPaymentColumn& c :
         ProjectedPayments(pi, firstInsurance, static_cast<int>(insurance.size()), escrow,
                           m.loanData.termYears)) {
        f.projectedPayments.push_back(
            {YearsText(c.firstYear, c.lastYear), FormatValue(c.principalAndInterest, "$#,##0.00"),
             c.mortgageInsurance > 0 ? FormatValue(c.mortgageInsurance, kWholeNumber) : kNone,
             FormatValue(c.escrow, kWholeNumber), FormatValue(c.total, kDollars)});
    }
    f.monthlyEscrow = FormatValue(RoundToDollars(escrow), kDollars);
}

void CashToClose(const Model& m, double financedUpfront, const SectionSums& s,
                 LoanEstimateForm& f) {
    const double rows[] = {s.rounded[9],
                           0.0 - RoundToDollars(financedUpfront),
                           RoundToDollars(m.loanResults.downPaymentAmount),
                           -RoundToDollars(m.loanData.earnestMoney),
                           0.0,
                           -s.sellerPaid,
                           -RoundToDollars(m.estimateValues.applicationDeposit)};
    static const char* const kCaptions[] = {"Total Closing Costs (J)",
                                            "Closing Costs Financed (Paid from your Loan Amount)",
                                            "Down Payment/Funds from Borrower",
                                            "Deposit",
                                            "Funds for Borrower",
                                            "Seller Credits",
                                            "Adjustments and Other Credits"};
    double cash = 0;
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        cash += rows[i];
        f.cashToCloseRows.emplace_back(kCaptions[i], FormatValue(rows[i], kDollars));
    }
    f.cashToCloseRows.emplace_back("Estimated Cash to Close", FormatValue(cash, kDollars));
    f.cashToClose = FormatValue(cash, kDollars);
}

std::vector<EstimateCost> AllCosts(const Model& m, double prepaidInterest, int days) {
    std::vector<EstimateCost> costs = FixedEstimateCosts(m, prepaidInterest, days);
    for (const EstimateFee& fee : m.estimate.fees) {
        if (!FeeInUse(fee)) continue;
        costs.push_back({fee.name, fee.amount, fee.section, fee.financeCharge != 0,
                         fee.paidBySeller != 0, true});
    }
    return costs;
}

void CostTexts(const std::vector<EstimateCost>& costs, const SectionSums& s, LoanEstimateForm& f) {
    for (const EstimateCost& c : costs)
        f.lines.push_back({c.name, FormatValue(RoundToDollars(c.amount), kDollars), c.section});
    for (std::size_t i = 0; i < f.sectionTotal.size(); ++i)
        f.sectionTotal[i] = FormatValue(s.rounded[i], kDollars);
    f.lenderCredits = FormatValue(0.0, kDollars);
    f.closingCosts = f.sectionTotal[9];
}

}  // namespace

bool ParseIsoDate(std::string_view text, CalendarDate& date) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return false;
    for (std::size_t i : {0, 1, 2, 3, 5, 6, 8, 9})
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) return false;
    const auto number = [&](std::size_t at, std::size_t n) {
        return std::atoi(std::string(text.substr(at, n)).c_str());
    };
    const CalendarDate d{number(0, 4), number(5, 2), number(8, 2)};
    if (d.year < 1900 || d.month < 1 || d.month > 12 || d.day < 1 ||
        d.day > DaysInMonth(d.year, d.month))
        return false;
    date = d;
    return true;
}

std::string IsoDate(const CalendarDate& date) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year % 10000, date.month % 100,
                  date.day % 100);
    return text;
}

CalendarDate FirstOfSecondMonthAfter(const CalendarDate& date) {
    CalendarDate first = AddMonths(date, 2);
    first.day = 1;
    return first;
}

int DaysBetween(const CalendarDate& from, const CalendarDate& to) {
    return static_cast<int>(DateSerial(to.year, to.month, to.day) -
                            DateSerial(from.year, from.month, from.day));
}

EstimateSection DefaultSectionOfCaption(std::string_view caption, bool& financeCharge) {
    const std::string c = Lower(caption);
    using S = EstimateSection;
    financeCharge = false;
    if (Contains(c, "owner")) return S::kH;
    for (const char* charge :
         {"discount", "point", "origination", "underwriting", "processing", "broker"})
        if (Contains(c, charge)) return financeCharge = true, S::kA;
    if (Contains(c, "application")) return S::kA;
    if (Contains(c, "recording") || Contains(c, "transfer")) return S::kE;
    if (Contains(c, "monitor") || (Contains(c, "tax") && Contains(c, "service"))) {
        financeCharge = true;
        return S::kB;
    }
    for (const char* noShop : {"appraisal", "credit", "flood", "tax"})
        if (Contains(c, noShop)) return S::kB;
    for (const char* shop :
         {"title", "settlement", "closing", "escrow", "survey", "pest", "inspection"})
        if (Contains(c, shop)) return S::kC;
    return S::kH;
}

std::vector<EstimateCost> FixedEstimateCosts(const Model& m, double prepaidInterest,
                                             int prepaidDays) {
    using S = EstimateSection;
    const LoanResults& r = m.loanResults;
    const EstimateValues& v = m.estimateValues;
    std::vector<EstimateCost> costs;
    const Adder add{costs};
    add("Origination Fee", r.originationFee, S::kA, true);
    for (int i = 1; i <= 7; ++i) {
        const std::string& caption = v.costName[CaptionIndexOfAmount(i)];
        bool charge = false;
        const S section = DefaultSectionOfCaption(caption, charge);
        add(caption, v.costAmount[i], section, charge);
    }
    add(NamesOf(m.loanData.mortgageTypeName).upfront, r.pmiPremium, S::kB, true);
    add("Settlement / Escrow Fee", r.escrowFee, S::kC, false);
    add("Title Insurance", r.titleFee, S::kC, false);
    add("Prepaid Interest (" + std::to_string(prepaidDays) + " days)", prepaidInterest, S::kF,
        true);
    add(Months("Homeowner's Insurance Premium", v.insurancePremiumMonths), r.insurancePremium,
        S::kF, false);
    add(Months("Homeowner's Insurance", v.insuranceImpoundMonths), r.insuranceImpounds, S::kG,
        false);
    add(Months("Mortgage Insurance", v.pmiImpoundMonths), r.pmiImpounds, S::kG, false);
    add(Months("Property Taxes", v.taxImpoundMonths), r.taxImpounds, S::kG, false);
    return costs;
}

const char* SectionHeading(int index) {
    static const char* const kHeadings[kEstimateSectionCount] = {
        "A. Origination Charges",
        "B. Services You Cannot Shop For",
        "C. Services You Can Shop For",
        "D. TOTAL LOAN COSTS (A + B + C)",
        "E. Taxes and Other Government Fees",
        "F. Prepaids",
        "G. Initial Escrow Payment at Closing",
        "H. Other",
        "I. TOTAL OTHER COSTS (E + F + G + H)",
        "J. TOTAL CLOSING COSTS"};
    return index >= 0 && index < kEstimateSectionCount ? kHeadings[index] : "";
}

LoanEstimateForm MakeLoanEstimate(const Model& m, const CalendarDate& today,
                                  LoanEstimateNumbers* numbers) {
    LoanEstimateForm f;
    CalendarDate closing, first;
    f.error = EstimateDates(m.estimate, today, closing, first);
    const int payments = PaymentCount(m.loanData.termYears);
    const double loan = m.loanResults.loanAmount, rate = m.loanData.interestRate;
    const std::vector<ScheduledPayment> schedule = f.error.empty() && payments > 0
                                                       ? CentSchedule(loan, rate, payments)
                                                       : std::vector<ScheduledPayment>{};
    if (f.error.empty() && (schedule.empty() || !(loan > 0)))
        f.error = "The loan has no payments: it needs a loan amount, a rate and a term.";
    if (!f.error.empty()) return f;

    LoanEstimateNumbers n;
    n.oddDays = std::max(DaysBetween(closing, AddMonths(first, -1)), -29);
    n.prepaidDays =
        m.estimate.keepFixedInterestDays ? m.estimateValues.interimInterestDays : n.oddDays;
    n.prepaidInterest = PrepaidInterest(loan, rate, n.prepaidDays);
    const std::vector<EstimateCost> costs = AllCosts(m, n.prepaidInterest, n.prepaidDays);
    const SectionSums sums = SumSections(costs);
    const GovernmentLoanCosts program = GovernmentCostsOf(m);
    const std::vector<double> insurance = InsuranceStream(m, program, payments);
    n.amountFinanced = AmountFinanced(loan, sums.prepaidFinanceCharges);
    n.apr = AnnualPercentageRate(LoanAprFlow(n.amountFinanced, n.oddDays, schedule, insurance));
    n.tip = TotalInterestPercentage(schedule, n.prepaidInterest, loan);

    f.closingDate = IsoDate(closing);
    f.firstPaymentDate = IsoDate(first);
    f.loanAmount = FormatValue(loan, kDollars);
    f.loanType = NamesOf(m.loanData.mortgageTypeName).loanType;
    f.interestRate = DisclosurePercent(rate);
    f.monthlyPrincipalInterest = FormatValue(schedule.front().payment, "$#,##0.00");
    ProjectedTexts(m, schedule.front().payment, insurance, f);
    CostTexts(costs, sums, f);
    f.prepaidInterestLine =
        "Prepaid Interest (" + FormatValue(RoundToCents(loan * rate / 360.0), "$#,##0.00") +
        " per day for " + std::to_string(n.prepaidDays) + " days @ " + f.interestRate + ")";
    CashToClose(m, program.financedUpfront, sums, f);
    const InFiveYears five =
        InFiveYearsFigures(schedule, insurance, sums.loanCosts, n.prepaidInterest);
    f.inFiveYearsTotal = FormatValue(RoundToDollars(five.totalPaid), kDollars);
    f.inFiveYearsPrincipal = FormatValue(RoundToDollars(five.principalPaid), kDollars);
    f.apr = DisclosurePercent(n.apr);
    f.tip = DisclosurePercent(n.tip);
    if (numbers) *numbers = n;
    return f;
}

std::string FeeAmountError(std::string_view text, double& amount) {
    std::string plain;
    for (char c : text)
        if (c != ',' && c != '$' && c != ' ') plain.push_back(c);
    const char* start = plain.c_str();
    char* end = nullptr;
    const bool numeric =
        !plain.empty() && plain.find_first_not_of("0123456789.-") == std::string::npos;
    const double value = numeric ? std::strtod(start, &end) : 0.0;
    if (!numeric || end != start + plain.size() || !std::isfinite(value))
        return "The amount must be a number of dollars, such as 1250.50.";
    if (value < 0) return "The amount cannot be negative.";
    if (value >= kLargestFee) return "The amount is too large for a closing cost.";
    amount = value;
    return {};
}

}  // namespace dovanel
