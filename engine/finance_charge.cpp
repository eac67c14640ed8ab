#include "engine/finance_charge.h"

namespace dovanel {

const std::vector<ClosingCostKindInfo>& ClosingCostKinds() {
    using K = ClosingCostKind;
    static const std::vector<ClosingCostKindInfo> kinds = {
        {K::kDiscountPoints, "discount-points", true},
        {K::kOrigination, "origination", true},
        {K::kUnderwriting, "underwriting", true},
        {K::kProcessing, "processing", true},
        {K::kBrokerFee, "broker-fee", true},
        {K::kMortgageInsurance, "mortgage-insurance", true},
        {K::kGuaranteeFee, "guarantee-fee", true},
        {K::kPrepaidInterest, "prepaid-interest", true},
        {K::kTaxService, "tax-service", true},
        {K::kFloodMonitoring, "flood-monitoring", true},
        {K::kTitle, "title", false},
        {K::kSurvey, "survey", false},
        {K::kDocumentPreparation, "document-preparation", false},
        {K::kNotary, "notary", false},
        {K::kCreditReport, "credit-report", false},
        {K::kAppraisal, "appraisal", false},
        {K::kInspection, "inspection", false},
        {K::kFloodDetermination, "flood-determination", false},
        {K::kRecordingFee, "recording-fee", false},
        {K::kTransferTax, "transfer-tax", false},
        {K::kEscrowDeposit, "escrow-deposit", false},
        {K::kApplicationFee, "application-fee", false},
        {K::kHomeownersInsurance, "homeowners-insurance", false},
        {K::kPropertyTaxes, "property-taxes", false},
        {K::kOtherLenderCharge, "other-lender-charge", true},
        {K::kOther, "other", false},
    };
    return kinds;
}

namespace {

const ClosingCostKindInfo& InfoOf(ClosingCostKind kind) {
    const std::vector<ClosingCostKindInfo>& kinds = ClosingCostKinds();
    const std::size_t index = static_cast<std::size_t>(kind);
    return index < kinds.size() ? kinds[index] : kinds.back();
}

}  // namespace

bool DefaultFinanceCharge(ClosingCostKind kind) {
    return InfoOf(kind).financeCharge;
}

const char* ClosingCostKindKey(ClosingCostKind kind) {
    return InfoOf(kind).key;
}

bool ClosingCostKindOfKey(std::string_view key, ClosingCostKind& kind) {
    for (const ClosingCostKindInfo& info : ClosingCostKinds())
        if (key == info.key) {
            kind = info.kind;
            return true;
        }
    return false;
}

double PrepaidFinanceCharges(const std::vector<FinanceChargeItem>& items) {
    double total = 0;
    for (const FinanceChargeItem& item : items)
        if (item.financeCharge && !item.paidBySeller) total += item.amount;
    return total;
}

}  // namespace dovanel
