#include "engine/amortization.h"

#include "engine/annuity.h"
#include "engine/format_value.h"
#include "engine/recalculate.h"

namespace dovanel {

namespace {

const char kCr = '\r';

std::string RemovalMessage(int year, int month) {
    return "Private Mortage Insurance (PMI) payments can be removed at Year " +
           std::to_string(year) + " / Month " + std::to_string(month) + kCr +
           "because your Loan to Value (LTV) ratio will then be less than 80% from that period on.";
}

std::string NoPmiMessage() {
    return std::string("Because your Loan to Value (LTV) ratio will always be less than 80%, ") +
           kCr + "you will not be required to carry Private Mortage Insurance (PMI).";
}

// FHA and USDA insurance runs for the years its program sets, whatever the LTV.
void GovernmentInsuranceEnd(const Model& model, int payments, Amortization& out) {
    const int last = GovernmentCostsOf(model).annual.payments;
    if (last <= 0 || last >= payments) {
        out.removePmiMessage = std::string("The mortgage insurance of this loan is charged for ") +
                               "the whole term:" + kCr +
                               "it is not removed when the Loan to Value (LTV) ratio falls.";
        return;
    }
    out.pmiRemovalRow = last + 1;
    const AmortizationRow& row = out.rows[static_cast<std::size_t>(last)];
    out.removePmiMessage = "The mortgage insurance of this loan ends at Year " +
                           std::to_string(row.year) + " / Month " + std::to_string(row.month) +
                           kCr + "after the years its program charges it for.";
}

// A money column and its tabs: one more tab when the text is short, so the
// next column still lines up.
void AppendMoney(std::string& line, double value, std::size_t shortBelow, const char* tabs) {
    const std::string text = FormatValue(value, "$#,###.#0");
    line += text;
    line += tabs;
    if (text.size() < shortBelow) line += '\t';
}

}  // namespace

bool LoanCarriesPmi(const Model& model) {
    return model.loanResults.ltv > kPmiLtvLimit;
}

std::string AmortizationLine(const AmortizationRow& row) {
    std::string line;
    line.reserve(96);
    line +=
        "Year " + std::to_string(row.year) + " / Month " + std::to_string(row.month) + "\t     ";
    AppendMoney(line, row.beginning, 6, "\t\t");
    AppendMoney(line, row.interest, 8, "\t");
    AppendMoney(line, row.principal, 8, "\t");
    AppendMoney(line, row.ending, 8, "\t");
    line += FormatValue(row.ltv, "#.#0%");
    return line;
}

Amortization ComputeAmortization(const Model& model) {
    Amortization out;
    const int n = PaymentCount(model.loanData.termYears);
    const double loan = model.loanResults.loanAmount;
    const Annuity annuity(static_cast<double>(model.loanData.interestRate) / 12.0, n, loan);
    const double price = model.loanData.purchasePrice;
    const bool noPmi = !LoanCarriesPmi(model);
    out.rows.reserve(n > 0 ? static_cast<std::size_t>(n) : 0);
    double balance = loan;
    double principal = 0.0;
    AmortizationRow row;
    row.year = 1;
    for (int k = 1; k <= n; ++k) {
        row.beginning = balance = balance - principal;
        row.interest = annuity.InterestPart(k);
        row.principal = principal = annuity.PrincipalPart(k);
        row.ending = row.beginning - row.principal;
        row.ltv = row.ending / price;
        if (++row.month == 13) {
            row.month = 1;
            ++row.year;
        }
        row.line = AmortizationLine(row);
        out.rows.push_back(row);
        if (!noPmi && out.pmiRemovalRow == 0 && row.ltv <= 0.8001) {
            out.pmiRemovalRow = k;
            out.removePmiMessage = RemovalMessage(row.year, row.month);
        }
    }
    if (CarriesProgramInsurance(model.loanData.mortgageTypeName)) {
        out.pmiRemovalRow = 0;
        out.removePmiMessage.clear();
        GovernmentInsuranceEnd(model, n, out);
        return out;
    }
    if (out.pmiRemovalRow == 0) out.removePmiMessage = NoPmiMessage();
    return out;
}

PartialTerm PartialTermInterest(const Model& model, int years) {
    PartialTerm out;
    const int n = PaymentCount(model.loanData.termYears);
    int count = years * 12;
    if (count > n) count = n;
    if (count > 0) {
        const double rate = static_cast<double>(model.loanData.interestRate) / 12.0;
        out.total = Annuity(rate, n, model.loanResults.loanAmount).TotalInterest(count);
    }
    out.sentence =
        "Show total interest for the first [" + std::to_string(years) + "] years of the mortgage.";
    out.label = "Total interest that will be paid: " + FormatValue(out.total, "$#,###");
    return out;
}

}  // namespace dovanel
