// Prints the results block for a sample loan: a quick look at the engine at work.
#include <cstdio>

#include "engine/recalculate.h"

int main() {
    dovanel::Model model;
    auto& d = model.loanData;
    d.purchasePrice = 200000;
    d.downPaymentRate = 0.2f;
    d.interestRate = 0.07f;
    d.mortgageTypeName = dovanel::kMortgageTypes[0];
    d.termYears = dovanel::TermYearsOf(d.mortgageTypeName);
    d.monthlyIncome = dovanel::kIncomeNotEntered;
    model.guidelineRatios = {766550, 0.28f, 0.36f, 0.28f, 0.36f};
    const auto shown = dovanel::Recalculate(model);
    std::printf("Loan amount ............ %s\n", shown.label8.c_str());
    std::printf("Loan to value .......... %s\n", shown.label9.c_str());
    std::printf("Principal + interest ... %s\n", shown.label2.c_str());
    std::printf("%s %s\n", shown.label22.c_str(), shown.lblTotalMonthlyPayment.c_str());
    std::printf("Total interest ......... %s\n", shown.lblTotalInterest.c_str());
    return 0;
}
