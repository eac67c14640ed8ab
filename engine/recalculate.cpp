#include "engine/recalculate.h"

#include <cmath>
#include <limits>

#include "engine/annuity.h"
#include "engine/format_value.h"

namespace dovanel {

Single GraduatedFee(const FeeTable& table, Single amount, Single topLimit) {
    // Row i charges its fee above its own threshold up to and including the
    // next row's threshold; the threshold plus one is formed in float.
    for (int i = FeeTable::firstRow; i < FeeTable::lastRow; ++i) {
        const Single from = table.amount[i] + 1.0f;
        if (amount >= from && amount <= table.amount[i + 1]) return table.fee[i];
    }
    const Single from = table.amount[FeeTable::lastRow] + 1.0f;
    if (amount >= from && amount <= topLimit) return table.fee[FeeTable::lastRow];
    return 0.0f;
}

Single OriginationRate(const OriginationSchedule& schedule, Single amount) {
    for (int i = 1; i <= OriginationSchedule::rows; ++i)
        if (amount >= schedule.amountFrom[i] && amount <= schedule.amountTo[i])
            return schedule.feeRate[i];
    return 0.0f;
}

int PmiBand(Single ltv) {
    // The bands meet without gaps: an LTV just above 0.8501 or 0.9001 belongs to
    // the next band rather than to none.
    const double x = ltv;
    if (x >= 0.8001 && x <= 0.8501) return 1;
    if (x > 0.8501 && x <= 0.9001) return 2;
    if (x > 0.9001 && x <= 0.95) return 3;
    if (x > 0.95 && x <= 100000.0) return 4;
    return 0;
}

int PaymentCount(Integer termYears) {
    const int n = termYears * 12;
    if (n > std::numeric_limits<Integer>::max() || n < std::numeric_limits<Integer>::min())
        return -1;
    return n;
}

namespace {

Single Store(double value) {
    return static_cast<Single>(value);
}

// FHA and USDA loans carry their own premiums in place of PMI: the upfront
// premium or fee is charged at closing (the financed part comes back in the loan
// amount) and the first year's monthly premium is the monthly line.
void InsuredGovernmentPmi(const GovernmentLoanCosts& costs, LoanResults& r) {
    r.pmiPremiumRate = Store(costs.upfrontRate);
    r.pmiMonthlyRate = Store(costs.annual.rate);
    r.pmiPremium = Store(costs.upfront);
    r.monthlyPmi = costs.monthlyInsurance.empty() ? 0.0f : Store(costs.monthlyInsurance.front());
}

// Private mortgage insurance by the PMI table's LTV band.
void ConventionalPmi(Model& m) {
    LoanResults& r = m.loanResults;
    const int band = PmiBand(r.ltv);
    if (band != 0) {
        const bool arm = m.loanData.isArm == 1;
        const PmiSchedule& s = m.pmiSchedule;
        r.pmiPremiumRate = arm ? s.armPremium[band] : s.conventionalPremium[band];
        r.pmiMonthlyRate = arm ? s.armMonthly[band] : s.conventionalMonthly[band];
    }
    r.pmiPremium = Store(static_cast<double>(r.pmiPremiumRate) * r.loanAmount);
    r.monthlyPmi = Store(static_cast<double>(r.pmiMonthlyRate) * r.loanAmount / 12.0);
}

// VA loans carry no monthly insurance; their upfront line is the funding fee,
// none when it is not included, whatever the down payment.
void VaFundingFeeLine(const Model& m, const GovernmentLoanCosts& costs, LoanResults& r) {
    r.monthlyPmi = 0.0f;
    r.pmiPremium = Store(costs.upfront);
    if (m.government.vaUse != VaUse::kNotIncluded) r.pmiPremiumRate = Store(costs.upfrontRate);
}

void PmiStep(Model& m, const GovernmentLoanCosts& costs) {
    LoanResults& r = m.loanResults;
    r.pmiPremiumRate = r.pmiMonthlyRate = r.pmiPremium = r.monthlyPmi = 0.0f;
    const std::string& type = m.loanData.mortgageTypeName;
    if (CarriesProgramInsurance(type)) {
        InsuredGovernmentPmi(costs, r);
    } else {
        if (r.ltv > kPmiLtvLimit) ConventionalPmi(m);
        if (IsVaType(type)) VaFundingFeeLine(m, costs, r);
    }
    r.pmiImpounds = Store(static_cast<double>(r.monthlyPmi) * m.estimateValues.pmiImpoundMonths);
}

void LoanSteps(Model& m, GovernmentLoanCosts& costs) {
    const LoanData& d = m.loanData;
    LoanResults& r = m.loanResults;
    const double price = d.purchasePrice;
    r.downPaymentAmount = Store(price * d.downPaymentRate);
    costs = GovernmentCostsOf(m);
    r.loanAmount = Store(price - r.downPaymentAmount + costs.financedUpfront);
    r.ltv = Store((price - r.downPaymentAmount) / price);
    r.interimInterest = Store(static_cast<double>(r.loanAmount) * d.interestRate *
                              m.estimateValues.interimInterestDays / 360.0);
    r.escrowFee = GraduatedFee(m.escrowFees, d.purchasePrice, kEscrowTopLimit);
    r.titleFee = GraduatedFee(m.titleFees, r.loanAmount, kTitleTopLimit);
}

void ClosingSteps(Model& m) {
    const LoanData& d = m.loanData;
    const EstimateValues& e = m.estimateValues;
    LoanResults& r = m.loanResults;
    r.taxImpounds = Store(static_cast<double>(d.annualTaxes) / 12.0 * e.taxImpoundMonths);
    r.insuranceImpounds = Store(static_cast<double>(d.monthlyInsurance) * e.insuranceImpoundMonths);
    r.insurancePremium = Store(static_cast<double>(d.monthlyInsurance) * e.insurancePremiumMonths);
    r.originationRate = OriginationRate(m.originationSchedule, r.loanAmount);
    r.originationFee = Store(static_cast<double>(r.originationRate) * r.loanAmount);
    double items = 0.0;
    for (int i = 1; i <= 7; ++i) items += e.costAmount[i];
    r.itemizedCosts = Store(items);
    r.totalClosingCosts =
        Store(static_cast<double>(r.itemizedCosts) + r.titleFee + r.escrowFee + r.originationFee);
    r.totalPrepaidEscrows =
        Store(static_cast<double>(r.interimInterest) + r.taxImpounds + r.insuranceImpounds +
              r.insurancePremium + r.pmiPremium + r.pmiImpounds);
    r.estimateDueAtClosing =
        Store((static_cast<double>(d.purchasePrice) + r.totalPrepaidEscrows + r.totalClosingCosts) -
              (static_cast<double>(e.applicationDeposit) + d.earnestMoney + r.loanAmount));
    r.totalDueAtClosing =
        Store(static_cast<double>(r.estimateDueAtClosing) + d.earnestMoney + e.applicationDeposit);
}

void PaymentSteps(Model& m) {
    const LoanData& d = m.loanData;
    LoanResults& r = m.loanResults;
    const int n = PaymentCount(d.termYears);
    const double payment =
        n < 0 ? std::numeric_limits<double>::quiet_NaN()
              : AnnuityPayment(static_cast<double>(d.interestRate) / 12.0, n, r.loanAmount);
    r.monthlyPrincipalInterest = Store(payment);
    r.totalMonthlyPayment =
        Store(static_cast<double>(r.monthlyPrincipalInterest) + d.monthlyInsurance +
              static_cast<double>(d.annualTaxes) / 12.0 + d.monthlyDues + r.monthlyPmi);
    const GuidelineRatios& g = m.guidelineRatios;
    const bool above90 = r.ltv > kRatioLtvLimit;
    r.firstRatioLimit = above90 ? g.firstRatioAbove90 : g.firstRatioUpTo90;
    r.secondRatioLimit = above90 ? g.secondRatioAbove90 : g.secondRatioUpTo90;
    r.minMonthlyIncome = Store(static_cast<double>(r.totalMonthlyPayment) / r.firstRatioLimit);
}

// FHA loans are flagged below FHA's minimum down payment, USDA loans need none,
// every other loan is flagged where it needs PMI.
bool DownPaymentFlag(const Model& m, GovernmentProgram program) {
    const LoanResults& r = m.loanResults;
    if (program == GovernmentProgram::kFha)
        return BelowFhaMinimumDown(m.loanData.purchasePrice, r.downPaymentAmount,
                                   m.governmentTables);
    if (program == GovernmentProgram::kUsda) return false;
    return r.ltv > kPmiLtvLimit;
}

// An FHA base loan is held to the county's FHA limit; other loans to the jumbo limit.
bool LoanAmountFlag(const Model& m, GovernmentProgram program) {
    const LoanResults& r = m.loanResults;
    if (program == GovernmentProgram::kFha)
        return AboveFhaLimit(static_cast<double>(m.loanData.purchasePrice) - r.downPaymentAmount,
                             m.government.fhaCountyLimit, m.governmentTables);
    return r.loanAmount > m.guidelineRatios.jumboLimit;
}

void ShowResults(const Model& m, ResultsDisplay& out) {
    const LoanData& d = m.loanData;
    const LoanResults& r = m.loanResults;
    out.label2 = FormatValue(r.monthlyPrincipalInterest, "$###,##0");
    const GovernmentProgram program = GovernmentProgramOf(d.mortgageTypeName);
    const bool insured = CarriesProgramInsurance(d.mortgageTypeName);
    out.label22 = r.monthlyPmi <= 0 ? "Total Monthly Payment . . . . . . ."
                  : insured         ? "Total Monthly Payment (w/MI) . . . ."
                                    : "Total Monthly Payment (w/PMI) . . .";
    out.lblTotalMonthlyPayment = FormatValue(r.totalMonthlyPayment, "currency");
    out.label6 = FormatValue(r.totalDueAtClosing, "$#,###");
    out.label8 = FormatValue(r.loanAmount, "$#,###");
    out.label9 = FormatValue(r.ltv, "0.0%");
    out.label5 = FormatValue(r.downPaymentAmount, "$#,###.#0");
    out.label10 = FormatValue(r.minMonthlyIncome, "$###,##0");
    out.lblFirstRatio = "First  <" + FormatValue(r.firstRatioLimit, "#%");
    out.lblSecondRatio = "Second  <" + FormatValue(r.secondRatioLimit, "#%");
    const QualifyingRatios ratios = RatiosOf(m);
    out.firstRatio = ratios.first;
    out.secondRatio = ratios.second;
    out.label23_3 = FormatValue(out.firstRatio, "#.##%");
    out.label23_1 = FormatValue(out.secondRatio, "#.##%");
    if (d.monthlyIncome == kIncomeNotEntered) out.label23_3 = out.label23_1 = "Enter Income";
    out.redFlagDownPayment = DownPaymentFlag(m, program);
    out.redFlagLoanAmount = LoanAmountFlag(m, program);
    out.redFlagFirstRatio = ratios.firstOverLimit;
    out.redFlagSecondRatio = ratios.secondOverLimit;
    out.lblClickRedFlag = out.redFlagDownPayment || out.redFlagLoanAmount ||
                          out.redFlagFirstRatio || out.redFlagSecondRatio;
    const int n = PaymentCount(d.termYears);
    out.totalInterest =
        n <= 0
            ? 0.0
            : Annuity(static_cast<double>(d.interestRate) / 12.0, n, r.loanAmount).TotalInterest(n);
    out.lblTotalInterest = FormatValue(out.totalInterest, "$#,###");
}

}  // namespace

QualifyingRatios RatiosOf(const Model& model) {
    const LoanData& d = model.loanData;
    const LoanResults& r = model.loanResults;
    QualifyingRatios out;
    out.first = Store(static_cast<double>(r.totalMonthlyPayment) / d.monthlyIncome);
    out.second =
        Store((static_cast<double>(r.totalMonthlyPayment) + d.monthlyDebt) / d.monthlyIncome);
    out.firstOverLimit = d.monthlyIncome != 0 && out.first > r.firstRatioLimit;
    out.secondOverLimit = d.monthlyIncome != 0 && out.second > r.secondRatioLimit;
    return out;
}

GovernmentLoanCosts GovernmentCostsOf(const Model& model) {
    const LoanData& d = model.loanData;
    const GovernmentProgram program = GovernmentProgramOf(d.mortgageTypeName);
    if (program == GovernmentProgram::kNone) return {};
    GovernmentLoanTerms terms;
    terms.program = program;
    terms.price = d.purchasePrice;
    terms.downPayment = Store(static_cast<double>(d.purchasePrice) * d.downPaymentRate);
    terms.termYears = d.termYears;
    terms.annualRate = d.interestRate;
    terms.vaUse = model.government.vaUse;
    terms.financeUpfront = model.government.financeUpfront;
    return ComputeGovernmentLoan(terms, model.governmentTables);
}

void RecalculateResults(Model& model) {
    GovernmentLoanCosts costs;
    LoanSteps(model, costs);
    PmiStep(model, costs);
    ClosingSteps(model);
    PaymentSteps(model);
}

ResultsDisplay Recalculate(Model& model) {
    RecalculateResults(model);
    ResultsDisplay out;
    ShowResults(model, out);
    return out;
}

}  // namespace dovanel
