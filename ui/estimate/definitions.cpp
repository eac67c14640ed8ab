#include "ui/estimate/definitions.h"

namespace dovanel {

namespace {

struct Entry {
    const char* caption;  // the caption label's name
    const char* title;
    const char* hudLine;  // empty where the line has none
    const char* first;
    const char* second;  // empty where there is one paragraph
};

const Entry kDefinitions[] = {
    {"lblPurchasePrice", "Purchase Price", "",
     "Purchase Price is the entire amount that the seller requires for purchase of the residence.  "
     "In general terms, this amount will be composed of the Loan Amount paid by the lender and the "
     "Down Payment paid by the buyer.  The upper right section of this screen provides a view of "
     "the components.  Remember that the buyer must come to escrow with not only the \"Down "
     "Payment\" but also the \"Closing Costs\" of the loan as well as collection of \"Prepaid "
     "Escrows\" (even though the latter two items are not strictly part of the Purchase Price of "
     "the home).",
     ""},
    {"lblDownPaymentAmount", "Down Payment", "",
     "Percentage of the \"Purchase Price\" that will be paid as a Down Payment.  The reverse of "
     "the Down Payment Percentage is the Loan-to-Value Ratio.",
     "Note that any Down Payment Percentage less than 20% will result in having to pay Private "
     "Mortgage Insurance (PMI), which will result in an additional monthly expense."},
    {"lblDownPaymentPercent", "Down Payment", "",
     "Percentage of the \"Purchase Price\" that will be paid as a Down Payment.  The reverse of "
     "the Down Payment Percentage is the Loan-to-Value Ratio, also displayed in the \"Calculated "
     "Results\" block.",
     "Note that any Down Payment Percentage less than 20% will result in having to pay Private "
     "Mortgage Insurance (PMI), which will result in an additional monthly expense.   To help "
     "alert you to that, a \"red flag\" will appear next to the \"Down Payment (%)\" field on the "
     "main screen if this value is less than 20%.  Down Payments between 5% and 9.99% will result "
     "in higher PMI payments than down payments of between 10% and 19.99%."},
    {"lblInterestRate", "Interest Rate", "",
     "Interest rates will vary (from lending institution to lending institution, and even from day "
     "to day).  They can also greatly effect the computations (this is esp. true the more that is "
     "financed), so try to use the most current interest rate possible.  You can obtain this "
     "information on the Internet.  Most lending institutions will also provide a current quote "
     "over the phone.  Newspapers will often publish current rates on a regular basis (usually the "
     "Sunday edition).",
     ""},
    {"lblLoanToValue", "Loan-to-Value Ratio", "",
     "The Loan-to-Value (LTV) Ratio is a percentage value inversely related to the Down Payment "
     "Percentage.  For example, if the Down Payment is 20% then the LTV Ratio is 80%.  The "
     "Loan-to-Value Ratio is an important indicator for financing considerations.  All purchases "
     "with an LTV greater than 80% (even if only by .01%) requires that you, the borrower, pay "
     "Private Mortgage Insurance (PMI).  If possible, you should try to avoid PMI by making your "
     "Down Payment at least 20% of the purchase price.  (For your convenience, when you view/print "
     "the Amortization Table with Dovanel, the point at which PMI is not required will be "
     "displayed for you.)",
     ""},
    {"lblOriginationFee", "Loan Origination Fee", "HUD-1 Form / Line Item 801:",
     "The Loan Origination Fee (\"Points\") is charged by lenders for originating and processing "
     "the loan and computed by taking its value and muliplying it by the purchase price.  If a "
     "lender is charging less points, be careful that they are not increasing the interest rate to "
     "recoup loss profits.  You should try to get low points (even if the interest rate is higher) "
     "if you plan to sell the home relatively soon because otherwise it takes you longer to make "
     "back those lost fees.  If you plan to keep the home for a long period, however, then you "
     "should try to pay the points to \"buy\" a lower interest rate.",
     ""},
    {"lblCostItem1", "Appraisal Fee", "HUD-1 Form / Line Item 803:",
     "The buyer usually pays the appraisal fee, although it is not unheard of for the seller to "
     "pay this fee if they are trying to entice a purchase.  Lenders usually order the appraisal "
     "and the resulting report is considered the property of the lender.  Since the lender is the "
     "one that orders the appraisal, you will probably have to specifically request that a copy of "
     "the appraisal be provided to you after purchase of the home is completed.  The official "
     "appraisal contains a lot of valuable information about your home and is a good thing to "
     "have.",
     ""},
    {"lblCostItem2", "Credit Report", "HUD-1 Form / Line Item 804:",
     "Expect the lender to order a Credit Report to establish a borrower's creditworthiness.  "
     "Since the lender is the one that orders the report, you will probably have to specifically "
     "request that a copy of it be provided to you after purchase of the home is completed.  Note "
     "that there may be several credit reports ordered in the course of processing the loan: one "
     "at the initial stages of loan processing and one immediately before closing (to confirm no "
     "changes in the buyer's credit status have occured).  If a borrower disputes any negative "
     "items, then another may need to be ordered in the middle of the process to verify they have "
     "been resolved.",
     ""},
    {"lblCostItem3", "Tax Related Service Fee", "HUD-1 Form / Line Item 1111:",
     "Tax Related Service Fee combines Line Item 1202 (City/county/tax stamps) and Line Item 1203 "
     "(State tax/stamps), plus any other miscellaneous local regulatory fees.  Different lenders "
     "will list this item differently.  There are no standards; however, when the stated amount "
     "exceeds the actual amount paid, the excess should be credited to the buyer at the time of "
     "closing.",
     ""},
    {"lblCostItem4", "Lender's Processing Fee", "HUD-1 Form / Line Item 811:",
     "The Lender's Processing Fee is optional and may or may not show up on your Good Faith "
     "Estimate.  Mortgage brokers use it more than other lending institutions.  A Lender's "
     "Processing Fee should be covered by the Loan Origination Fee; however, because the Loan "
     "Origination Fee is only payable at the closing of a successful sale, using a non refundable "
     "Lender's Processing Fee enables mortgage brokers to be paid for work even if the sale of the "
     "loan fails.",
     ""},
    {"lblEscrowFee", "Escrow/Closing Fee", "HUD-1 Form / Line Item 1101:",
     "The Escrow/Closing Fee is also referred to as a \"Settlement Fee\" and is paid to the "
     "company that handles the escrow of the sale.",
     ""},
    {"lblCostItem5", "Courier, Flood Report, etc.", "HUD-1 Form / Line Item 1201:",
     "This line item encompasses the many miscellaneous small fees that could (but not necessarily "
     "do) accrue during the loan processing.  These include courier charges, flood reports (in "
     "states requiring these), notary fees and other minor expenses.  Money not spent is credited "
     "back to the buyer.",
     ""},
    {"lblTitleInsurance", "Title Insurance", "HUD-1 Form / Line Item 1109:",
     "Title Insurance is the premium paid for insuring the lender's liability up to the value of "
     "the loan amount in the event of faulty title.",
     "Dovanel computes Title Insurance from a graduated table of charges based on the Loan Amount. "
     " The lender usually selects the title company to be used."},
    {"lblCostItem6", "Recording Fee", "HUD-1 Form / Line Item 1201:",
     "Most states require a tax on the transfer of property and impose payment of a fee for "
     "recording the purchase documents.  These fees vary from state to state.",
     ""},
    {"lblCostItem7", "Miscellaneous Costs", "HUD-1 Form / Line Item N/A:",
     "Miscellaneous costs are costs that don't nicely fit into any other category, yet need to be "
     "considered since they often occur.",
     ""},
    {"lblDetailsPurchasePrice", "Purchase Price", "",
     "Purchase Price refers to the entire amount that the seller has agreed to accept for the "
     "home's purchase.  This amount will generally be composed of the Loan Amount paid by the "
     "lender and the Down Payment paid by the buyer.  The upper right block of values on this "
     "screen gives a detailed view of how the computations are made.  Remember that you, the "
     "buyer, must come to escrow with not only the Down Payment amount, but also the Closing Costs "
     "of the loan and collection of Prepaid Escrows.",
     ""},
    {"lblPlusClosingCosts", "Plus Total Closing Costs", "",
     "The Total Closing Costs value is carried over from the \"Estimated Closing Costs\" box to "
     "the left (the components, therefore, can be seen there).",
     ""},
    {"lblPlusPrepaidEscrows", "Plus Total Prepaid Escrows", "",
     "The Total Prepaid Escrows value is carried over from the \"Estimated Prepaid Escrows\" box "
     "to the lower left (the components, therefore, can be seen there).",
     ""},
    {"lblLessLoanAmount", "Loan Amount", "",
     "The Loan Amount is what is still owed after a Down Payment Amount has been paid.  The Loan "
     "Amount greatly affects closing costs.  For example, the Loan Origination Fee is 2% of the "
     "Loan Amount and Escrow and Title fees are established according to schedules indexing "
     "various Loan Amounts.",
     ""},
    {"lblLessEarnestMoney", "Less Earnest Money", "",
     "Earnest Money is a deposit on the home buyer's performance in accordance with the contract "
     "for purchase of the residence.  This is generally the first item to be placed into escrow, "
     "remaining there throughout processing of the loan until such time as the lender deposits the "
     "Loan Amount into the escrow account (adding it to the Earnest Money already there) to "
     "satisfy all obligations.",
     ""},
    {"lblLessApplicationDeposit", "Less Loan Application Deposit", "",
     "The Loan Application Deposit is used to ensure the buyer's performance and is paid into "
     "escrow with the Loan Amount and Earnest Money.  Lenders use it to pay the initial expenses "
     "(such as the appraisal, credit reports, flood report or other regulatory incidental "
     "expenses) for originating the loan.  Unused amounts should be credited back to escrow, but "
     "only at the time of closing.  If financing fails before closing, then money not spent on "
     "legitimate loan origination or processing expenses should be returned to the borrower.  "
     "However, you should get those terms in writing to be sure it does.",
     ""},
    {"Label16", "Interim Interest", "HUD-1 Form / Line Item 901:",
     "Lenders usually require borrowers to pay at closing/settlement any interest that accrues on "
     "the mortgage from the closing date to the date of the first mortgage payment.  Since these "
     "dates cannot be known at the time of creating a \"Good Faith Estimate\", an estimate of the "
     "number of days to compute interim interest is used.",
     ""},
    {"lblPmiPremium", "Private Mortgage Insurance Premium", "HUD-1 Form / Line Item 902:",
     "Private Mortgage Insurance (PMI) is insurance to protect lenders against any potential loss "
     "that may result to the lender due to a borrower defaulting on the loan.  Fannie Mae "
     "Guidelines require that Private Mortgage Insurance (PMI) be added to conventional loans if "
     "the Loan-to-Value (LTV) ratio is greater than 80% (which will happen, at least for payments "
     "toward the beginning of the mortgage, if your Down Payment is less than 20%).  This is not "
     "the same as Hazard Insurance, Homeowner's Insurance or Disability Mortgage Insurance.",
     "Lenders typically require advanced premium payments (typically 12 months) be paid.  This "
     "prepayment is collected by the escrow agent at closing and then sent to the PMI carrier."},
    {"lblPmiImpounds", "Private Mortgage Insurance Impounds", "HUD-1 Form / Line Item 1002:",
     "Lenders generally require that a number of months of Private Mortgage Insurance payments be "
     "paid in advance and held in reserve (\"impounded\") against the possibility that the "
     "borrower may not make payments.",
     ""},
    {"lblInsurancePremium", "Homeowner's Insurance Premium", "HUD-1 Form / Line Item 903:",
     "Homeowner's Insurance (a.k.a.  \"Hazard Insurance\") covers the borrower against loss from "
     "fire and certain natural hazards.  Lenders require that some minimum amount of protection "
     "cover the home for the life of the mortgage.  Non-covered items (such as theft, personal "
     "liability or tidal wave insurance) is up to the home owner.  Lenders will require that a "
     "number of month's coverage be prepaid in advance.  Common practice is that a year's worth of "
     "premiums be paid in advance at closing.",
     ""},
    {"lblInsuranceImpounds", "Homeowner's Insurance Impounds", "HUD-1 Form / Line Item 1001:",
     "Lenders generally require that a number of months of Homeowner's Insurance (a.k.a.  \"Hazard "
     "Insurance\") payments be paid in advance and held in reserve (\"impounded\") against the "
     "possibility that the borrower may not make payments.",
     ""},
    {"lblTaxImpounds", "Property Tax Impounds", "HUD-1 Form / Line Item 1004:",
     "Lenders generally require that a number of months of property tax payments be impounded to "
     "escrow, then prepaid to the proper governmental authority for that period, usually 6 months.",
     ""},
    {"lblPrincipalInterest", "Monthly Principal + Interest", "",
     "This is the amount of principal and interest that is paid on the loan.  It is important to "
     "note that it is not usually your entire monthly payment related to your home, see the "
     "information under \"Total Monthly Payment\" for details.",
     ""},
    {"lblMonthlyInsurance", "Monthly Homeowner's Insurance", "",
     "Monthly Homeowner's Insurance (sometimes called \"hazard insurance\") will vary and is "
     "related to subjective issues (such as the likelihood a home will incur water damage, fire, "
     "etc.).  It is intended to cover the replacement cost of the home if it becomes destroyed.  "
     "If this amount is not available from the seller, a reasonable estimate is acceptable.  The "
     "Monthly Homeowner's Insurance amount is added to the monthly Principal and Interest payment, "
     "monthly Real Estate Tax amount and any monthly PUD homeowner's association dues to compute "
     "total housing expense.  Under Fannie Mae Guidelines, total housing expense may not exceed "
     "28% of the buyer's gross monthly income (although other programs may allow higher qualifying "
     "ratios).",
     ""},
    {"lblMonthlyTaxes", "Annual Real Estate Taxes", "",
     "Yearly Property Taxes for a properties is available from the Multiple Listing Service (MLS) "
     "listing, or by contacting the seller.  An artificial amount is added to monthly Principal "
     "and Interest payment, monthly homeowner's insurance and any PUD homeowner's association dues "
     "to compute the total housing expense.  (For your convenience, \"Dovanel\" will take the "
     "annual figure you provide and convert it to a monthly figure for some computational "
     "purposes.)  Under Fannie Mae Guidelines, total housing expense may not exceed 28% of the "
     "buyer's gross monthly income although other programs may allow higher qualifying ratios.",
     ""},
    {"lblMonthlyDues", "Homeowner's Association Dues", "",
     "Homeowner's Association Dues are any regular monthly membership dues or charges payable to a "
     "condominium, cooperative or planned unit development for participation in common amenities.  "
     "This item will increase your total monthly home expense (along with real estate taxes, "
     "homeowner's insurance and private mortgage insurance) for purposes of computing your "
     "Qualifying Ratios and Minimum Monthly Income Required.",
     ""},
    {"lblMonthlyPmi", "Private Mortgage Insurance", "",
     "Fannie Mae Guidelines require that Private Mortgage Insurance (PMI) be added to conventional "
     "loans if the Loan-to-Value (LTV) ratio is greater than 80% (which will happen, at least for "
     "payments toward the beginning of the mortgage, if your Down Payment is less than 20%).",
     "If the LTV ratio is greater than 80%, you will notice the Financing Estimate will have a PMI "
     "premium and impound amounts under \"Estimated Prepaid Escrows\".  When PMI is added, your "
     "\"Total Housing Expense\" will be increased by the monthly amount that must be paid for PMI. "
     " This will require that your minimum Monthly Income be higher since the Total Monthly "
     "Housing Expense will be greater."},
};

}  // namespace

bool FindLineDefinition(const QString& caption, LineDefinition& definition) {
    for (const Entry& e : kDefinitions) {
        if (caption != e.caption) continue;
        const QString gap = "\r\r";
        QString text = *e.hudLine ? QString(e.hudLine) + gap + e.first : QString(e.first);
        if (*e.second) text += gap + e.second;
        definition = {e.title, text};
        return true;
    }
    return false;
}

}  // namespace dovanel
