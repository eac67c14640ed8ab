#include "ui/main/explanations.h"

#include <QMap>

#include "engine/format_value.h"
#include "shell/help.h"

namespace dovanel {

namespace {

const QString CR = "\r";

QString Percent(Single limit) {
    return QString::fromStdString(FormatValue(limit, "#%"));
}

QString RatioAlert(const QString& ordinal, Single limit) {
    return "The " + ordinal +
           " Qualifying Ratio has been exceeded in this current financing scenario.  This "
           "Fannie Mae guideline requires that your Total Monthly Housing Cost "
           "(which is the sum of your Mortgage Payment, Homeowner's Insurance, Real "
           "Estate Taxes, and Homeowner's Association Dues) + your Total Monthly Debt "
           "be no more than " +
           Percent(limit) + " of your monthly gross (before tax) income." + CR + CR +
           "If you're unable to increase your income or decrease your debt, then you "
           "must decrease the \"Purchase Price\" and/or \"Loan Amount\" and/or \"Interest Rate\"; "
           "or you must increase your \"Down Payment\"." +
           CR + CR +
           "NOTE: Some lenders allow higher ratios based on individual "
           "consideration of your finances (e.g. perhaps either your income will increase "
           "or your debt will decrease in the near future.)  "
           "Also, some Freddie Mac and other conventional mortgages may offer "
           "slightly higher ratios, but with other restrictions applied.  "
           "Generally speaking, however, not meeting the Qualifying Ratio "
           "hurts your chances of successfully securing a loan.";
}

QString TotalMonthlyPaymentText(Single monthlyPmi) {
    const QString pmi = monthlyPmi > 0
                            ? "Under the current scenario, " +
                                  QString::fromStdString(FormatValue(monthlyPmi, "currency")) +
                                  " of PMI "
                            : QString("Under the current scenario, no PMI ");
    return "To give you a better idea of how you will need to manage your monthly "
           "budget in respect to your total mortgage payment, Dovanel "
           "provides a \"Total Monthly Payment\" item.  Many new home buyers "
           "are surprised with the hidden costs, beyond just principal and "
           "interest, involved with home ownership." +
           CR + CR + "Homeownership costs beyond just principal and interest include:" + CR +
           "+ Real Estate Taxes" + CR + "+ Homeowner's Insurance" + CR +
           "+ Any Homeowner Association dues" + CR +
           "+ Private Mortgage Insurance (PMI) - this occurs if the Loan-to-Value (LTV) "
           "ratio is greater than 80%, which will happen (at least for payments "
           "toward the beginning of the mortgage) if your Down Payment is less than 20%.  " +
           pmi + "is being added to your \"Total Monthly Payment\" calculation." + CR + CR + CR +
           "NOTE: Mortgage companies often collect these fees as part of the "
           "payment and then remit them to their respective entities for you.  "
           "Payment for these items may show up on the Mortgage Account "
           "Statement as \"escrow\".";
}

QString MinimumIncomeText(Single firstRatioLimit) {
    return "Most lending institutions use Fannie Mae Guidelines for residential mortgages.  To "
           "qualify under these "
           "requirements, the stipulated monthly mortgage payment may not exceed " +
           Percent(firstRatioLimit) +
           " of the borrower's Monthly Income.  Gross Monthly Income is considered to be total "
           "combined income before "
           "employment deductions and federal or state withholding.  The Total Monthly Housing "
           "Expense (Principal + "
           "Interest + Real Estate Taxes + Homeowner's Insurance + Private Mortgage Insurance) is "
           "divided by this "
           "amount to obtain the Minimum Gross Monthly Income Required.  If you do not have "
           "sufficient income, then "
           "you may want to consider a mortgage with less interest.  You may also qualify under "
           "special programs "
           "available or exhibit \"compensating factors\" (such as owning other liquid assets) "
           "that could allow you a "
           "higher qualifying ratio.";
}

// The explanations whose text never changes.
const QMap<QString, Explanation>& FixedExplanations() {
    static const QMap<QString, Explanation> texts = {
        {"infoPurchasePrice",
         {"Purchase Price",
          "Purchase Price refers to the entire amount that the seller has agreed to accept for the "
          "home's purchase.  "
          "This amount will generally be composed of the Loan Amount paid by the lender and the "
          "Down Payment paid by "
          "the buyer.  The Financing Estimate screen (upper right block of values) gives a "
          "detailed view of how the "
          "computations are made.  Remember that you, the buyer, must come to escrow with not only "
          "the Down Payment "
          "amount, but also the Closing Costs of the loan and collection of Prepaid Escrows."}},
        {"infoDownPayment",
         {"Down Payment",
          "Percentage of the \"Purchase Price\" that will be paid as a Down Payment.  The actual "
          "Down Payment Amount "
          "will be displayed to the right in the \"Calculated Results\" block.  The reverse of the "
          "Down Payment "
          "Percentage is the Loan-to-Value Ratio, also displayed in the \"Calculated Results\" "
          "block." +
              CR + CR +
              "Note that any Down Payment Percentage less than 20% will result in having to pay "
              "Private Mortgage "
              "Insurance (PMI), which will result in an additional monthly expense.   To help "
              "alert you to that, a "
              "\"red flag\" will appear next to the \"Down Payment (%)\" field if this value is "
              "less than 20%.  Down "
              "Payments between 5% and 9.99% will result in higher PMI payments than down payments "
              "of between 10% "
              "and 19.99%."}},
        {"InfoInterestRate",
         {"Interest Rate",
          "Interest rates will vary (from lending institution to lending institution, and even "
          "from day to day).  "
          "They can also greatly effect the computations (this is esp. true the more that is "
          "financed), so try to use "
          "the most current interest rate possible.  You can obtain this information on the "
          "Internet.  Most lending "
          "institutions will also provide a current quote over the phone.  Newspapers will often "
          "publish current "
          "rates on a regular basis (usually the Sunday edition)."}},
        {"infoEarnestMoney",
         {"Earnest Money Deposit",
          "Earnest Money is money that the buyer pays as a sign of good faith (to show they are "
          "genuinely "
          "interested).  It is usually deducted from the total costs due at closing from the "
          "buyer.  Most contracts "
          "will also have a \"financing contingency\" clause that addresses the disposition of the "
          "earnest money if "
          "there is failure to obtain financing.  It is good practice to start the financing "
          "process immediately.  "
          "It is also a good idea to find out when the financing contingency clause becomes "
          "effective (the loan "
          "officer and/or real estate agent in charge should be able to provide that "
          "information)."}},
        {"infoHomeOwnersInsurance",
         {"Monthly Homeowner's Insurance",
          "Monthly Homeowner's Insurance (sometimes called \"hazard insurance\") will vary and is "
          "related to "
          "subjective issues (such as the likelihood a home will incur water damage, fire, etc.).  "
          "It is intended to "
          "cover the replacement cost of the home if it becomes destroyed.  If this amount is not "
          "available from the "
          "seller, a reasonable estimate is acceptable.  The Monthly Homeowner's Insurance amount "
          "is added to the "
          "monthly Principal and Interest payment, monthly Real Estate Tax amount and any monthly "
          "PUD homeowner's "
          "association dues to compute total housing expense.  Under Fannie Mae Guidelines, total "
          "housing expense "
          "may not exceed 28% of the buyer's gross monthly income (although other programs may "
          "allow higher "
          "qualifying ratios)."}},
        {"infoTaxes",
         {"Annual Real Estate Taxes",
          "Yearly Property Taxes for a properties is available from the Multiple Listing Service "
          "(MLS) listing, or by "
          "contacting the seller.  An artificial amount is added to monthly Principal and Interest "
          "payment, monthly "
          "homeowner's insurance and any PUD homeowner's association dues to compute the total "
          "housing expense.  "
          "(For your convenience, \"Dovanel\" will take the annual figure you provide and convert "
          "it to a monthly "
          "figure for some computational purposes.)  Under Fannie Mae Guidelines, total housing "
          "expense may not "
          "exceed 28% of the buyer's gross monthly income although other programs may allow higher "
          "qualifying "
          "ratios."}},
        {"infoDues",
         {"Monthly Homeowner Association Dues",
          "Monthly Homeowner Association Dues are the monthly dues/charges payable to a "
          "condominiums, cooperatives or "
          "planned unit developments.  (They contribute to paying for costs associated with common "
          "amenities such as "
          "landscaping, swimming pool maintenance, etc.)  Like Real Estate Taxes, Homeowner's "
          "Insurance, and PMI, "
          "Homeowner's Association Dues increase your total monthly home expense and is used for "
          "purposes of "
          "computing your Qualifying Ratios and Minimum Monthly Income Required."}},
        {"infoLoanAmount",
         {"Loan Amount",
          "The Loan Amount is the \"Purchase Price\" minus whatever \"Down Payment\" is applied.  "
          "Naturally the Loan "
          "Amount is crucial to many of the computations (interest that will be paid, your \"Total "
          "Monthly "
          "Payment\", etc.  It also affects closing costs: for example, the Loan Origination Fee "
          "is 2% of the Loan "
          "Amount and Escrow and Title fees are computed from schedules indexing various Loan "
          "Amounts."}},
        {"infoDownPaymentCalc",
         {"Down Payment",
          "The \"Down Payment\" is equal to \"Down Payment (%)\" x the \"Purchase Price\"."}},
        {"infoTotalInterest",
         {"Total Interest",
          "The total amount of interest paid over the term of the loan (as computed using the "
          "current information "
          "provided)."}},
        {"infoTotalDueatClosing",
         {"Total Due At Closing",
          "The Total Due At Closing is the amount of cash that the buyer must pay at escrow "
          "closing.  See the "
          "Financing Estimate screen (upper right block of values) for details about how this "
          "figure is computed.  "
          "It is the sum of the Purchase Price + Closing Costs + Prepaid Escrows minus Loan Amount "
          "minus Earnest "
          "Money minus any Application Deposit minus any Costs Paid By Seller.  Remember that the "
          "Earnest Money and "
          "Application Deposit have already been placed in escrow by the time of closing, so the "
          "escrow agent is "
          "essentially accounting for what has already been paid by the buyer."}},
        {"infoMonthlyPrincipalPlusInterest",
         {"Monthly Principal + Interest",
          "This is the amount of principal and interest that is paid on the loan.  It is important "
          "to note that it "
          "is not usually your entire monthly payment related to your home, see the information "
          "under \"Total "
          "Monthly Payment\" for details."}},
        {"infoLoantoValueRatio",
         {"Loan-to-Value Ratio",
          "The Loan-to-Value (LTV) Ratio is a percentage value inversely related to the Down "
          "Payment Percentage.  "
          "For example, if the Down Payment is 20% then the LTV Ratio is 80%.  The Loan-to-Value "
          "Ratio is an "
          "important indicator for financing considerations.  All purchases with an LTV greater "
          "than 80% (even if "
          "only by .01%) requires that you, the borrower, pay Private Mortgage Insurance (PMI).  "
          "If possible, you "
          "should try to avoid PMI by making your Down Payment at least 20% of the purchase price. "
          " (For your "
          "convenience, when you view/print the Amortization Table with Dovanel, the point at "
          "which PMI is not "
          "required will be displayed for you.)"}},
        {"infoMortgageType", {"", "", help_topic::kMortgageTypes}},
        {"infoQualifyingRatios", {"", "", help_topic::kQualifyingRatios}},
    };
    return texts;
}

QString Dollars(double amount) {
    return "$" + QString::fromStdString(FormatValue(amount, "#,###"));
}

// The FHA loan's own alerts in the down-payment and jumbo flags' places.
Explanation FhaAlert(RedFlag flag, const Model& m) {
    const GovernmentLoanTables& t = m.governmentTables;
    if (flag == RedFlag::DownPayment)
        return {"FHA Minimum Down Payment",
                "An FHA loan needs a down payment of at least " +
                    QString::fromStdString(FormatValue(t.fhaMinimumDown, "0.0%")) +
                    " of the purchase price.  Raise the Down Payment, or choose another "
                    "mortgage type."};
    const double limit = FhaLimit(m.government.fhaCountyLimit, t);
    return {
        "FHA Loan Limit Exceeded",
        "The base loan (the purchase price less the down payment) is above the FHA loan "
        "limit of " +
            Dollars(limit) +
            (m.government.fhaCountyLimit > 0
                 ? QString(" for the county")
                 : QString(" (the national floor; a county's own limit, up to " +
                           Dollars(t.fhaCeiling) + ", is entered in the scenario's properties)")) +
            ".  FHA will not insure the loan: raise the Down Payment, or choose another "
            "mortgage type."};
}

}  // namespace

Explanation RedFlagAlert(RedFlag flag, const Model& m) {
    if ((flag == RedFlag::DownPayment || flag == RedFlag::LoanAmount) &&
        GovernmentProgramOf(m.loanData.mortgageTypeName) == GovernmentProgram::kFha)
        return FhaAlert(flag, m);
    switch (flag) {
        case RedFlag::DownPayment:
            return {"Notification Of PMI Incurred",
                    "Fannie Mae Guidelines require that Private Mortgage Insurance (PMI) be added "
                    "to conventional "
                    "loans if the Loan-to-Value (LTV) ratio is greater than 80% (which will "
                    "happen, at least for "
                    "payments toward the beginning of the mortgage, if your Down Payment is less "
                    "than 20%)." +
                        CR + CR +
                        "If the LTV ratio is greater than 80%, you will notice the Financing "
                        "Estimate will have a PMI "
                        "premium and impound amounts under \"Estimated Prepaid Escrows\".  When "
                        "PMI is added, your "
                        "\"Total Housing Expense\" will be increased by the monthly amount that "
                        "must be paid for "
                        "PMI.  This will require that your minimum Monthly Income be higher since "
                        "the Total Monthly "
                        "Housing Expense will be greater."};
        case RedFlag::LoanAmount:
            return {"Jumbo Loan",
                    "Loan Amounts in excess of $" +
                        QString::fromStdString(FormatValue(m.guidelineRatios.jumboLimit, "#,###")) +
                        " incur 'Jumbo' interest rates.  Generally Jumbo interest rates are "
                        "one-eighth to one-half "
                        "percent more than standard interest rates (depending on the "
                        "competitiveness of the "
                        "lender).  You will need to obtain a current quote of Jumbo interest "
                        "rates, and then modify "
                        "the interest rate field appropriately."};
        case RedFlag::FirstRatio:
            return {"1st Qualifying Ratio Exceeded",
                    RatioAlert("1st", m.loanResults.firstRatioLimit)};
        case RedFlag::SecondRatio:
            return {"2nd Qualifying Ratio Exceeded",
                    RatioAlert("2nd", m.loanResults.secondRatioLimit)};
    }
    return {};
}

Explanation FieldExplanation(const QString& button, const Model& m) {
    if (button == "infoMonthlyIncomeRequired")
        return {"Minimum Monthly Income Required",
                MinimumIncomeText(m.loanResults.firstRatioLimit)};
    if (button == "infoTotalMonthlyPayment")
        return {"Total Monthly Payment", TotalMonthlyPaymentText(m.loanResults.monthlyPmi)};
    return FixedExplanations().value(button);
}

}  // namespace dovanel
