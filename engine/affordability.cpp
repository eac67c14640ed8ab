#include "engine/affordability.h"

#include <algorithm>
#include <cmath>

#include "engine/format_value.h"
#include "engine/recalculate.h"

namespace dovanel {

namespace {

Single Store(double value) {
    return static_cast<Single>(value);
}

// A copy of the model on which prices are tried one after another.
class Trial {
  public:
    Trial(const Model& model, const AffordabilityOptions& options)
        : work_(model),
          options_(options),
          todayPrice_(model.loanData.purchasePrice),
          todayTaxes_(model.loanData.annualTaxes),
          todayInsurance_(model.loanData.monthlyInsurance) {}

    // The first limit the price breaks, or None when it qualifies.
    AffordLimit Try(long long price) {
        LoanData& d = work_.loanData;
        const double p = static_cast<double>(price);
        d.purchasePrice = Store(p);
        // Today's share of the price, to the cent, as the main window's boxes
        // will hold it; a price of 0 gives no share to keep.
        if (options_.scaleTaxesAndInsurance && todayPrice_ > 0) {
            d.annualTaxes = ScaledAmount(todayTaxes_, p);
            d.monthlyInsurance = ScaledAmount(todayInsurance_, p);
        }
        RecalculateResults(work_);
        ratios_ = RatiosOf(work_);
        const LoanResults& r = work_.loanResults;
        if (ratios_.firstOverLimit) return AffordLimit::FirstRatio;
        if (ratios_.secondOverLimit) return AffordLimit::SecondRatio;
        if (options_.limitCash && r.totalDueAtClosing > options_.cashAvailable)
            return AffordLimit::Cash;
        if (options_.stayConforming && r.loanAmount > work_.guidelineRatios.jumboLimit)
            return AffordLimit::Conforming;
        return AffordLimit::None;
    }

    // The loan as the last price tried left it.
    void Keep(Affordability& a) const {
        a.loan = work_.loanData;
        a.results = work_.loanResults;
        a.firstRatio = ratios_.first;
        a.secondRatio = ratios_.second;
    }

  private:
    Single ScaledAmount(double today, double price) const {
        return Store(std::round(today * price / todayPrice_ * 100.0) / 100.0);
    }

    Model work_;
    AffordabilityOptions options_;
    double todayPrice_;
    double todayTaxes_;
    double todayInsurance_;
    QualifyingRatios ratios_;
};

bool IncomeEntered(Single income) {
    return income > 0 && income != kIncomeNotEntered;
}

std::string Percent(Single ratio) {
    return FormatValue(ratio, "#%");
}

const char kWholeDollars[] = "$#,##0";

// A monthly cost a "no price qualifies" answer can name.
struct MonthlyCost {
    const char* name;
    double amount;
    bool plural;  // "taxes exceed", "insurance exceeds"
};

// The costs that by themselves break a ratio allowing `allowed` a month: the
// largest first, as many as it takes to go over. Empty when they never do.
std::vector<MonthlyCost> CostsOver(std::vector<MonthlyCost> costs, double allowed) {
    std::stable_sort(costs.begin(), costs.end(), [](const MonthlyCost& a, const MonthlyCost& b) {
        return a.amount > b.amount;
    });
    std::vector<MonthlyCost> named;
    double sum = 0;
    for (const MonthlyCost& cost : costs) {
        if (!(cost.amount > 0) || sum > allowed) break;
        named.push_back(cost);
        sum += cost.amount;
    }
    if (!(sum > allowed)) named.clear();
    return named;
}

// "the monthly taxes ($500) and insurance ($300) alone exceed the first ratio (28%)".
std::string CostsSentence(const std::vector<MonthlyCost>& named, const std::string& ratio) {
    std::string text = "the monthly ";
    for (std::size_t i = 0; i < named.size(); ++i) {
        if (i > 0) text += i + 1 == named.size() ? " and " : ", ";
        text +=
            std::string(named[i].name) + " (" + FormatValue(named[i].amount, kWholeDollars) + ")";
    }
    const bool one = named.size() == 1;
    text += one ? " alone " : " together ";
    text += one && !named[0].plural ? "exceeds " : "exceed ";
    return text + ratio;
}

// Why not even a price of $1 keeps a ratio within its limit: the costs that
// break it by themselves. The payment of a $1 loan is left out of the costs
// but not out of what the ratio still allows.
std::string RatioBlame(const Affordability& a, bool second) {
    const LoanData& d = a.loan;
    const LoanResults& r = a.results;
    const Single limit = second ? r.secondRatioLimit : r.firstRatioLimit;
    const std::string ratio =
        std::string(second ? "the second ratio (" : "the first ratio (") + Percent(limit) + ")";
    std::vector<MonthlyCost> costs = {{"taxes", static_cast<double>(d.annualTaxes) / 12.0, true},
                                      {"insurance", d.monthlyInsurance, false},
                                      {"dues", d.monthlyDues, true}};
    if (second) costs.push_back({"debts", d.monthlyDebt, true});
    const double loanPayment = static_cast<double>(r.monthlyPrincipalInterest) + r.monthlyPmi;
    const double allowed = static_cast<double>(limit) * d.monthlyIncome - loanPayment;
    const std::vector<MonthlyCost> named = CostsOver(costs, allowed);
    if (named.empty()) return "No price qualifies: even a price of $1 breaks " + ratio + ".";
    return "No price qualifies: " + CostsSentence(named, ratio) + ".";
}

std::string NothingQualifiesText(const Affordability& a) {
    const LoanResults& r = a.results;
    switch (a.binding) {
        case AffordLimit::FirstRatio:
            return RatioBlame(a, false);
        case AffordLimit::SecondRatio:
            if (a.debtRatio > r.secondRatioLimit)
                return "No price qualifies: the monthly debts alone take " +
                       FormatValue(a.debtRatio, "0.0%") +
                       " of the monthly income, more than the second ratio allows (" +
                       Percent(r.secondRatioLimit) + ").";
            return RatioBlame(a, true);
        case AffordLimit::Cash:
            return "No price qualifies: the closing costs alone exceed the cash available.";
        default:
            return "No price qualifies within the conforming loan limit.";
    }
}

const char kPricePattern[] = "$###,###,##0";
const char kCentsPattern[] = "$###,###,##0.00";

}  // namespace

AffordLimit BrokenLimit(const Model& model, const AffordabilityOptions& options, long long price) {
    return Trial(model, options).Try(price);
}

// Qualifying only gets harder as the price rises (the down-payment rate, and so
// the LTV band and the ratio limits, stay as they are; the cash due rises with
// the down payment), so halving the range of whole dollars between a price that
// qualifies and one that does not finds the last price that qualifies. Prices
// above 16,777,216 share their float with a neighbour, so a price qualifies as
// the float it is stored as: the answer is still a price whose next dollar fails.
Affordability MaxAffordablePrice(const Model& model, const AffordabilityOptions& options) {
    Affordability a;
    a.loan = model.loanData;
    a.results = model.loanResults;
    const LoanData& d = model.loanData;
    if (!IncomeEntered(d.monthlyIncome)) return a;
    a.debtRatio = Store(static_cast<double>(d.monthlyDebt) / d.monthlyIncome);

    Trial trial(model, options);
    a.binding = trial.Try(1);
    if (a.binding != AffordLimit::None) {
        a.outcome = AffordOutcome::NothingQualifies;
        trial.Keep(a);
        return a;
    }
    long long low = 1;
    long long high = kAffordCeiling + 1;
    AffordLimit highLimit = trial.Try(high);
    if (highLimit == AffordLimit::None) {
        a.outcome = AffordOutcome::AboveCeiling;
        a.price = high;
        trial.Keep(a);
        return a;
    }
    while (high - low > 1) {
        const long long middle = low + (high - low) / 2;
        const AffordLimit broken = trial.Try(middle);
        if (broken == AffordLimit::None) {
            low = middle;
        } else {
            high = middle;
            highLimit = broken;
        }
    }
    trial.Try(low);
    trial.Keep(a);
    a.outcome = AffordOutcome::Found;
    a.price = low;
    a.binding = highLimit;
    return a;
}

AffordabilityTable AffordabilitySensitivity(const Model& model,
                                            const AffordabilityOptions& options) {
    AffordabilityTable table;
    const double todayRate = model.loanData.interestRate;
    for (const double shift : {-0.01, -0.005, 0.0, 0.005, 0.01}) {
        const Single rate = Store(todayRate + shift);
        if (shift != 0.0 && rate < 0.00001f) continue;
        if (shift == 0.0) table.todayRow = static_cast<int>(table.rates.size());
        table.rates.push_back(rate);
    }
    const Single today = model.loanData.downPaymentRate;
    table.downPayments = {0.035f, 0.05f, 0.10f, 0.20f, today};
    // Today's down payment as one of the fixed ones: that column is today's.
    for (int c = 0; c + 1 < AffordabilityTable::kColumns; ++c) {
        if (table.downPayments[c] != today) continue;
        table.todayColumn = c;
        table.columns = AffordabilityTable::kColumns - 1;
    }
    Model work = model;
    for (const Single rate : table.rates) {
        auto& row = table.cells.emplace_back();
        work.loanData.interestRate = rate;
        for (int c = 0; c < table.columns; ++c) {
            work.loanData.downPaymentRate = table.downPayments[c];
            row[c] = MaxAffordablePrice(work, options);
        }
    }
    return table;
}

std::string AffordPriceText(const Affordability& a) {
    switch (a.outcome) {
        case AffordOutcome::Found:
            return FormatValue(static_cast<double>(a.price), kPricePattern);
        case AffordOutcome::NoIncome:
            return "Enter the monthly income first.";
        case AffordOutcome::AboveCeiling:
            return "More than $100,000,000";
        case AffordOutcome::NothingQualifies:
            break;
    }
    return NothingQualifiesText(a);
}

std::string AffordLoanText(const Affordability& a) {
    return a.outcome == AffordOutcome::Found ? FormatValue(a.results.loanAmount, kPricePattern)
                                             : std::string();
}

std::string AffordPaymentText(const Affordability& a) {
    return a.outcome == AffordOutcome::Found
               ? FormatValue(a.results.totalMonthlyPayment, kCentsPattern)
               : std::string();
}

std::string AffordCashText(const Affordability& a) {
    return a.outcome == AffordOutcome::Found
               ? FormatValue(a.results.totalDueAtClosing, kCentsPattern)
               : std::string();
}

std::string AffordLimitText(const Affordability& a) {
    switch (a.binding) {
        case AffordLimit::FirstRatio:
            return "First ratio (" + Percent(a.results.firstRatioLimit) + ")";
        case AffordLimit::SecondRatio:
            return "Second ratio (" + Percent(a.results.secondRatioLimit) + ")";
        case AffordLimit::Cash:
            return "Cash available";
        case AffordLimit::Conforming:
            return "Conforming loan limit";
        case AffordLimit::None:
            break;
    }
    return {};
}

std::string AffordCellText(const Affordability& a) {
    switch (a.outcome) {
        case AffordOutcome::Found:
            return FormatValue(static_cast<double>(a.price), kPricePattern);
        case AffordOutcome::AboveCeiling:
            return "over $100M";
        case AffordOutcome::NothingQualifies:
            return "none";
        case AffordOutcome::NoIncome:
            break;
    }
    return {};
}

std::string AffordCellDetail(const Affordability& a) {
    if (a.outcome != AffordOutcome::Found) return AffordPriceText(a);
    return "Total monthly payment " + AffordPaymentText(a) + "; decided by: " + AffordLimitText(a);
}

std::string AffordCellReading(const AffordabilityTable& t, int row, int column) {
    if (row < 0 || column < 0 || row >= static_cast<int>(t.cells.size()) || column >= t.columns)
        return {};
    const Affordability& cell = t.cells[row][column];
    const bool today = row == t.todayRow && column == t.todayColumn;
    const std::string price = AffordCellText(cell);
    return AffordRateHeading(t.rates[row]) + " rate, " +
           AffordDownHeading(t.downPayments[column], false) + (today ? " (today's loan): " : ": ") +
           (price.empty() ? std::string() : price + ". ") + AffordCellDetail(cell);
}

std::string AffordRateHeading(Single rate) {
    return FormatValue(rate, "0.0##%");
}

std::string AffordDownHeading(Single downPayment, bool today) {
    const std::string percent = FormatValue(downPayment, "0.0#%");
    return today ? "Today " + percent : percent + " down";
}

}  // namespace dovanel
