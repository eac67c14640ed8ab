#include "engine/government.h"

#include <algorithm>
#include <cmath>

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

bool AboveFhaLimit(double baseLoan, double countyLimit, const GovernmentLoanTables& tables) {
    return baseLoan > (countyLimit > 0 ? countyLimit : tables.fhaFloor);
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

}  // namespace dovanel
