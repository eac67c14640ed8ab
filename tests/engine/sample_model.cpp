#include "tests/engine/sample_model.h"

#include <algorithm>
#include <iterator>

#include "engine/recalculate.h"

namespace dovanel::test {

Model SampleModel() {
    Model m;
    for (int i = 1; i <= 120; ++i) {
        m.escrowFees.amount[i] = i * 25000.0f;
        m.escrowFees.fee[i] = static_cast<float>(300.0 + i * 12.5);
        m.titleFees.amount[i] = i * 20000.0f;
        m.titleFees.fee[i] = static_cast<float>(450.0 + i * 17.25);
    }
    auto& o = m.originationSchedule;
    o.feeRate[1] = 0.01f, o.amountFrom[1] = 0, o.amountTo[1] = 100000;
    o.feeRate[2] = 0.0075f, o.amountFrom[2] = 100000, o.amountTo[2] = 500000;
    o.feeRate[3] = 0.005f, o.amountFrom[3] = 500000, o.amountTo[3] = 2000000;
    const float convPrem[] = {0.0025f, 0.005f, 0.0075f, 0.01f};
    const float armPrem[] = {0.003f, 0.006f, 0.009f, 0.012f};
    const float convMon[] = {0.0032f, 0.0052f, 0.0078f, 0.0096f};
    const float armMon[] = {0.0038f, 0.0061f, 0.0089f, 0.0112f};
    for (int b = 1; b <= 4; ++b) {
        m.pmiSchedule.conventionalPremium[b] = convPrem[b - 1];
        m.pmiSchedule.armPremium[b] = armPrem[b - 1];
        m.pmiSchedule.conventionalMonthly[b] = convMon[b - 1];
        m.pmiSchedule.armMonthly[b] = armMon[b - 1];
    }
    auto& e = m.estimateValues;
    const float costs[] = {450, 35, 85, 595, 125, 95, 40.5f};
    for (int i = 1; i <= 7; ++i) e.costAmount[i] = costs[i - 1];
    e.interimInterestDays = 15;
    e.pmiImpoundMonths = 2;
    e.insurancePremiumMonths = 12;
    e.insuranceImpoundMonths = 3;
    e.taxImpoundMonths = 4;
    e.applicationDeposit = 350;
    m.guidelineRatios = {766550, 0.28f, 0.36f, 0.25f, 0.33f};
    m.loanData.monthlyIncome = kIncomeNotEntered;
    SetLoan(m, 200000, 0.2f, 0.07f, 0);
    return m;
}

void SetLoan(Model& m, float price, float down, float rate, int typeIndex) {
    m.loanData.purchasePrice = price;
    m.loanData.downPaymentRate = down;
    m.loanData.interestRate = rate;
    m.loanData.mortgageTypeName = kOfferedMortgageTypes[typeIndex];
    m.loanData.termYears = TermYearsOf(m.loanData.mortgageTypeName);
    m.loanData.isArm = IsArmOf(m.loanData.mortgageTypeName);
}

Model SampleLoan(float price, float down, float rate, int typeIndex) {
    Model m = SampleModel();
    SetLoan(m, price, down, rate, typeIndex);
    Recalculate(m);
    return m;
}

// The published purchase sample: $180,000, 10 % down, 3.875 % for 30 years,
// mortgage insurance of $82.35 a month, $100.83 of insurance and $105.30 of
// taxes a month, 6 months of insurance prepaid and 2 of each in escrow, every
// other cost an itemized fee; closing 15 days before the first interest period.
Model EstimateSampleModel() {
    Model m;
    LoanData& d = m.loanData;
    d.purchasePrice = 180000;
    d.downPaymentRate = 0.1f;
    d.interestRate = 0.03875f;
    d.termYears = 30;
    d.mortgageTypeName = kMortgageTypes[0];
    d.monthlyInsurance = 100.83f;
    d.annualTaxes = 1263.6f;
    d.earnestMoney = 10000;
    d.monthlyIncome = kIncomeNotEntered;
    for (int band = 1; band <= 4; ++band) m.pmiSchedule.conventionalMonthly[band] = 0.0061f;
    m.estimateValues.insurancePremiumMonths = 6;
    m.estimateValues.insuranceImpoundMonths = 2;
    m.estimateValues.taxImpoundMonths = 2;
    m.estimateValues.interimInterestDays = 30;
    m.estimate.closingDate = "2024-05-17";
    m.estimate.firstPaymentDate = "2024-07-01";
    const EstimateFee fees[] = {
        {"0.25 % of Loan Amount (Points)", 405, EstimateSection::kA, 1, 0},
        {"Application Fee", 300, EstimateSection::kA, 0, 0},
        {"Underwriting Fee", 1097, EstimateSection::kA, 1, 0},
        {"Appraisal Fee", 405, EstimateSection::kB, 0, 0},
        {"Credit Report Fee", 30, EstimateSection::kB, 0, 0},
        {"Flood Determination Fee", 20, EstimateSection::kB, 0, 0},
        {"Flood Monitoring Fee", 32, EstimateSection::kB, 1, 0},
        {"Tax Monitoring Fee", 75, EstimateSection::kB, 1, 0},
        {"Tax Status Research Fee", 110, EstimateSection::kB, 1, 0},
        {"Pest Inspection Fee", 135, EstimateSection::kC, 0, 0},
        {"Survey Fee", 65, EstimateSection::kC, 0, 0},
        {"Title - Insurance Binder", 700, EstimateSection::kC, 0, 0},
        {"Title - Lender's Title Policy", 535, EstimateSection::kC, 0, 0},
        {"Title - Settlement Agent Fee", 502, EstimateSection::kC, 0, 0},
        {"Title - Title Search", 1261, EstimateSection::kC, 0, 0},
        {"Recording Fees and Other Taxes", 85, EstimateSection::kE, 0, 0},
        {"Title - Owner's Title Policy (optional)", 1017, EstimateSection::kH, 0, 0},
    };
    std::copy(std::begin(fees), std::end(fees), m.estimate.fees.begin());
    Recalculate(m);
    return m;
}

}  // namespace dovanel::test
