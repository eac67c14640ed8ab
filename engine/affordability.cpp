#include "engine/affordability.h"

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
        // Today's share of the price; a price of 0 gives no share to keep.
        if (options_.scaleTaxesAndInsurance && todayPrice_ > 0) {
            d.annualTaxes = Store(todayTaxes_ * p / todayPrice_);
            d.monthlyInsurance = Store(todayInsurance_ * p / todayPrice_);
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

std::string NothingQualifiesText(const Affordability& a) {
    const LoanResults& r = a.results;
    switch (a.binding) {
        case AffordLimit::FirstRatio:
            return "No price qualifies: the monthly dues alone exceed the first ratio (" +
                   Percent(r.firstRatioLimit) + ").";
        case AffordLimit::SecondRatio:
            if (a.debtRatio > r.secondRatioLimit)
                return "No price qualifies: the monthly debts alone take " +
                       FormatValue(a.debtRatio, "0.0%") +
                       " of the monthly income, more than the second ratio allows (" +
                       Percent(r.secondRatioLimit) + ").";
            return "No price qualifies: the monthly dues and debts together exceed the second "
                   "ratio (" +
                   Percent(r.secondRatioLimit) + ").";
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
    const double today = model.loanData.interestRate;
    for (const double shift : {-0.01, -0.005, 0.0, 0.005, 0.01}) {
        const Single rate = Store(today + shift);
        if (shift != 0.0 && rate < 0.00001f) continue;
        if (shift == 0.0) table.todayRow = static_cast<int>(table.rates.size());
        table.rates.push_back(rate);
    }
    table.downPayments = {0.035f, 0.05f, 0.10f, 0.20f, model.loanData.downPaymentRate};
    Model work = model;
    for (const Single rate : table.rates) {
        auto& row = table.cells.emplace_back();
        work.loanData.interestRate = rate;
        for (int c = 0; c < AffordabilityTable::kColumns; ++c) {
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

std::string AffordRateHeading(Single rate) {
    return FormatValue(rate, "0.0##%");
}

std::string AffordDownHeading(Single downPayment, bool today) {
    const std::string percent = FormatValue(downPayment, "0.0#%");
    return today ? "Today " + percent : percent + " down";
}

}  // namespace dovanel
