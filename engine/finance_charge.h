#pragma once
// Which closing costs are finance charges: the kinds of charge a loan's closing
// lists, each with whether it counts as a charge for the credit by default (the
// user may change an item's flag), and the amount financed that follows.
// Charges every applicant pays whether or not credit is granted, and charges
// a cash buyer would pay too, are not finance charges.

#include <string_view>
#include <vector>

namespace dovanel {

enum class ClosingCostKind {
    kDiscountPoints,
    kOrigination,
    kUnderwriting,
    kProcessing,
    kBrokerFee,
    kMortgageInsurance,  // mortgage insurance premiums paid at closing
    kGuaranteeFee,       // FHA upfront premium, VA funding fee, USDA guarantee fee
    kPrepaidInterest,
    kTaxService,
    kFloodMonitoring,
    kTitle,  // title insurance, search, binder, settlement or closing agent
    kSurvey,
    kDocumentPreparation,
    kNotary,
    kCreditReport,
    kAppraisal,
    kInspection,  // pest, home and other inspections
    kFloodDetermination,
    kRecordingFee,
    kTransferTax,
    kEscrowDeposit,   // initial deposits for taxes and insurance
    kApplicationFee,  // charged to every applicant, credit granted or not
    kHomeownersInsurance,
    kPropertyTaxes,
    kOtherLenderCharge,  // any other charge the lender makes for the loan
    kOther,              // anything else, a cash buyer would pay it too
};

struct ClosingCostKindInfo {
    ClosingCostKind kind;
    const char* key;     // the kind's name in files: "discount-points"
    bool financeCharge;  // counted in the finance charge by default
};

// Every kind, in the order of the enumeration.
const std::vector<ClosingCostKindInfo>& ClosingCostKinds();

bool DefaultFinanceCharge(ClosingCostKind kind);
const char* ClosingCostKindKey(ClosingCostKind kind);
// The kind of a file's key; false for a key no kind has.
bool ClosingCostKindOfKey(std::string_view key, ClosingCostKind& kind);

// One closing cost as the finance charge sees it.
struct FinanceChargeItem {
    double amount = 0;
    bool financeCharge = false;
    bool paidBySeller = false;  // the seller's payments are no charge to the borrower
};

// The finance charges the borrower pays at closing (or finances with the loan).
double PrepaidFinanceCharges(const std::vector<FinanceChargeItem>& items);

// The loan amount less the prepaid finance charges: what the APR is solved for.
inline double AmountFinanced(double loanAmount, double prepaidFinanceCharges) {
    return loanAmount - prepaidFinanceCharges;
}

}  // namespace dovanel
