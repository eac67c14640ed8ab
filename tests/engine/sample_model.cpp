#include "tests/engine/sample_model.h"

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

}  // namespace dovanel::test
