#include "engine/government.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

#include "engine/money.h"

namespace dovanel {

namespace {

// Half a cent: amounts this close to a limit count as at it.
constexpr double kHalfCent = 0.005;

bool AtMost(double amount, double share, double of) {
    return amount <= share * of + kHalfCent;
}

// Monthly payments over a term; none for a term of no years or of centuries.
int TermPayments(int termYears) {
    return termYears > 0 && termYears <= 100 ? termYears * 12 : 0;
}

int PremiumPayments(int years, int termYears) {
    const int term = TermPayments(termYears);
    return years == 0 ? term : std::min(years * 12, term);
}

void FillFha(const GovernmentLoanTerms& terms, const GovernmentLoanTables& tables,
             GovernmentLoanCosts& out) {
    out.upfrontRate = tables.fhaUpfrontRate;
    out.upfront = FhaUpfrontPremium(out.baseLoan, tables);
    const double value = terms.value > 0 ? terms.value : terms.price;
    out.annual = FhaAnnualPremium(terms.termYears, out.baseLoan, value, tables);
}

void FillUsda(const GovernmentLoanTables& tables, int termYears, GovernmentLoanCosts& out) {
    out.upfrontRate = tables.usdaUpfrontRate;
    out.upfront = UsdaUpfrontFee(out.baseLoan, tables);
    out.annual = {tables.usdaAnnualRate, PremiumPayments(0, termYears)};
}

}  // namespace

double FhaUpfrontPremium(double baseLoan, const GovernmentLoanTables& tables) {
    return RoundToCents(baseLoan * tables.fhaUpfrontRate);
}

AnnualPremium FhaAnnualPremium(int termYears, double baseLoan, double value,
                               const GovernmentLoanTables& tables) {
    const bool longTerm = termYears > tables.fhaShortTermYears;
    const bool largeLoan = baseLoan > tables.fhaLargeLoanThreshold;
    for (const FhaAnnualPremiumRow& row : tables.fhaAnnual) {
        if (row.longTerm != longTerm || row.largeLoan != largeLoan) continue;
        if (AtMost(baseLoan, row.ltvUpTo, value))
            return {row.rate, PremiumPayments(row.years, termYears)};
    }
    return {};
}

double VaFundingFeeRate(VaUse use, double price, double downPayment,
                        const GovernmentLoanTables& tables) {
    if (use != VaUse::kFirstUse && use != VaUse::kSubsequentUse) return 0.0;
    double rate = 0.0;
    for (const VaFundingFeeRow& row : tables.vaFundingFee)
        if (downPayment >= row.downFrom * price - kHalfCent)
            rate = use == VaUse::kFirstUse ? row.firstUse : row.subsequentUse;
    return rate;
}

double VaFundingFee(VaUse use, double price, double downPayment,
                    const GovernmentLoanTables& tables) {
    return RoundToCents((price - downPayment) * VaFundingFeeRate(use, price, downPayment, tables));
}

double UsdaUpfrontFee(double baseLoan, const GovernmentLoanTables& tables) {
    return RoundToCents(baseLoan * tables.usdaUpfrontRate);
}

std::vector<double> PremiumsOnAverageBalance(const std::vector<ScheduledPayment>& schedule,
                                             double loanAmount, const AnnualPremium& premium,
                                             double financedFactor) {
    std::vector<double> monthly(schedule.size(), 0.0);
    const int charged = std::min(premium.payments, static_cast<int>(schedule.size()));
    for (int first = 1; first <= charged; first += 12) {
        double sum = 0;
        for (int k = first; k < first + 12; ++k) sum += BalanceBefore(schedule, loanAmount, k);
        double year = RoundToCents(sum / 12.0 * premium.rate);
        if (financedFactor != 1.0) year = RoundToCents(year / financedFactor);
        const double month = RoundToCents(year / 12.0);
        for (int k = first; k < first + 12 && k <= charged; ++k)
            monthly[static_cast<std::size_t>(k - 1)] = month;
    }
    return monthly;
}

bool BelowFhaMinimumDown(double price, double downPayment, const GovernmentLoanTables& tables) {
    return downPayment < tables.fhaMinimumDown * price - kHalfCent;
}

bool AboveConformingLimit(double loanAmount, const GovernmentLoanTables& tables) {
    return loanAmount > tables.conformingLimit;
}

double FhaLimit(double countyLimit, const GovernmentLoanTables& tables) {
    return countyLimit > 0 ? countyLimit : tables.fhaFloor;
}

bool AboveFhaLimit(double baseLoan, double countyLimit, const GovernmentLoanTables& tables) {
    return baseLoan > FhaLimit(countyLimit, tables);
}

GovernmentLoanCosts ComputeGovernmentLoan(const GovernmentLoanTerms& terms,
                                          const GovernmentLoanTables& tables) {
    GovernmentLoanCosts out;
    out.baseLoan = terms.price - terms.downPayment;
    if (terms.program == GovernmentProgram::kFha) FillFha(terms, tables, out);
    if (terms.program == GovernmentProgram::kUsda) FillUsda(tables, terms.termYears, out);
    if (terms.program == GovernmentProgram::kVa) {
        out.upfrontRate = VaFundingFeeRate(terms.vaUse, terms.price, terms.downPayment, tables);
        out.upfront = VaFundingFee(terms.vaUse, terms.price, terms.downPayment, tables);
    }
    out.financedUpfront = terms.financeUpfront ? out.upfront : 0.0;
    out.cashUpfront = out.upfront - out.financedUpfront;
    out.loanAmount = out.baseLoan + out.financedUpfront;
    const int payments = TermPayments(terms.termYears);
    const bool fha = terms.program == GovernmentProgram::kFha;
    // FHA premiums follow HUD's schedule, whose interest is the balance times the
    // rate in percent, rounded to the cent, / 1200, rounded again.
    const std::vector<ScheduledPayment> schedule =
        CentSchedule(out.loanAmount, terms.annualRate, payments,
                     fha ? InterestRounding::kPercentTwice : InterestRounding::kMonthly);
    // A financed FHA premium is part of every balance, but the annual premium is
    // charged on the base loan alone: HUD's calculation divides the year's premium
    // by 1 + the upfront rate when the upfront premium is financed, which takes it
    // back out (within a cent of the premium on the base loan's own schedule), so
    // financing the upfront premium does not raise the annual one. No later notice
    // withdraws that step, and the annual rates are quoted on the base loan.
    // USDA's annual fee is charged on the whole guaranteed balance, fee included.
    const double factor = fha && out.financedUpfront > 0 ? 1.0 + out.upfrontRate : 1.0;
    out.monthlyInsurance = PremiumsOnAverageBalance(schedule, out.loanAmount, out.annual, factor);
    return out;
}

namespace {

std::string RowText(const char* table, std::size_t index) {
    return std::string(table) + ", row " + std::to_string(index + 1) + ": ";
}

std::string FiguresProblem(const GovernmentLoanTables& t) {
    const std::pair<const char*, double> shares[] = {
        {"The FHA upfront premium", t.fhaUpfrontRate},
        {"The FHA minimum down payment", t.fhaMinimumDown},
        {"The USDA guarantee fee", t.usdaUpfrontRate},
        {"The USDA annual fee", t.usdaAnnualRate}};
    for (const auto& [name, share] : shares)
        if (share > 1) return std::string(name) + " is above 100 %";
    if (t.conformingLimit > t.highCostLimit)
        return "The conforming loan limit is above the high-cost ceiling";
    if (t.fhaFloor > t.fhaCeiling) return "The FHA loan limit floor is above the ceiling";
    return {};
}

// Each term and loan size needs a row; within one, a row whose LTV does not
// rise above the one before would never apply.
std::string FhaProblem(const std::vector<FhaAnnualPremiumRow>& rows) {
    constexpr char kTable[] = "FHA annual premium";
    if (rows.empty()) return "The FHA annual premium table has no rows";
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].rate > 1) return RowText(kTable, i) + "the premium is above 100 %";
        for (std::size_t j = i; j-- > 0;) {
            if (rows[j].longTerm != rows[i].longTerm || rows[j].largeLoan != rows[i].largeLoan)
                continue;
            if (rows[i].ltvUpTo <= rows[j].ltvUpTo)
                return RowText(kTable, i) + "the LTV does not rise above row " +
                       std::to_string(j + 1) + "'s of the same term and loan size";
            break;
        }
    }
    for (bool longTerm : {true, false})
        for (bool largeLoan : {false, true})
            if (std::none_of(rows.begin(), rows.end(), [&](const FhaAnnualPremiumRow& r) {
                    return r.longTerm == longTerm && r.largeLoan == largeLoan;
                }))
                return std::string(
                           "The FHA annual premium table has no row with over the short "
                           "term \"") +
                       (longTerm ? "yes" : "no") + "\" and large loan \"" +
                       (largeLoan ? "yes" : "no") + "\"";
    return {};
}

// The bands start at no down payment and rise.
std::string VaProblem(const std::vector<VaFundingFeeRow>& rows) {
    constexpr char kTable[] = "VA funding fee";
    if (rows.empty()) return "The VA funding fee table has no rows";
    if (rows[0].downFrom != 0) return RowText(kTable, 0) + "the first band does not start at 0 %";
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (i > 0 && rows[i].downFrom <= rows[i - 1].downFrom)
            return RowText(kTable, i) + "the down payment does not rise above row " +
                   std::to_string(i) + "'s";
        if (rows[i].downFrom > 1) return RowText(kTable, i) + "the down payment is above 100 %";
        if (rows[i].firstUse > 1 || rows[i].subsequentUse > 1)
            return RowText(kTable, i) + "a fee is above 100 %";
    }
    return {};
}

}  // namespace

std::string GovernmentTablesProblem(const GovernmentLoanTables& tables) {
    for (const std::string& problem :
         {FiguresProblem(tables), FhaProblem(tables.fhaAnnual), VaProblem(tables.vaFundingFee)})
        if (!problem.empty()) return problem;
    return {};
}

}  // namespace dovanel
