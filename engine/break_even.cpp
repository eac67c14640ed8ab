#include "engine/break_even.h"

#include <algorithm>
#include <cmath>

namespace dovanel {

namespace {

constexpr double kCent = 0.01;

CostMonth MonthOf(const LoanCostStream& stream, std::size_t index) {
    return index < stream.months.size() ? stream.months[index] : CostMonth();
}

double Cost(const CostMonth& m) {
    return m.interest + m.insurance;
}

// The month from which `paying` stays at least a cent below `other` on one measure.
template <typename Measure>
int StaysAheadFrom(const LoanCostStream& paying, const LoanCostStream& other, Measure measure) {
    const std::size_t months = std::max(paying.months.size(), other.months.size());
    double mine = paying.upfront, theirs = other.upfront;
    int lastBehind = 0;
    for (std::size_t i = 0; i < months; ++i) {
        mine += measure(MonthOf(paying, i));
        theirs += measure(MonthOf(other, i));
        // Sums of cents are a cent apart when they differ; half a cent absorbs
        // the binary noise of adding them up.
        const bool ahead = mine < theirs - kCent / 2;
        if (!ahead) lastBehind = static_cast<int>(i) + 1;
    }
    return lastBehind < static_cast<int>(months) ? lastBehind + 1 : kNeverWithinTerm;
}

}  // namespace

LoanCostStream CostStreamOf(double upfront, const std::vector<ScheduledPayment>& schedule,
                            const std::vector<double>& insurance) {
    LoanCostStream stream;
    stream.upfront = upfront;
    stream.months.reserve(schedule.size());
    for (std::size_t i = 0; i < schedule.size(); ++i)
        stream.months.push_back({schedule[i].interest, schedule[i].principal,
                                 i < insurance.size() ? insurance[i] : 0.0});
    return stream;
}

BreakEven FindBreakEven(const LoanCostStream& first, const LoanCostStream& second) {
    BreakEven out;
    if (!(std::fabs(first.upfront - second.upfront) >= kCent / 2)) return out;
    out.payingOption = first.upfront > second.upfront ? 0 : 1;
    const LoanCostStream& paying = out.payingOption == 0 ? first : second;
    const LoanCostStream& other = out.payingOption == 0 ? second : first;
    out.onPayments = StaysAheadFrom(paying, other, [](const CostMonth& m) { return m.Payment(); });
    out.onCost = StaysAheadFrom(paying, other, Cost);
    return out;
}

}  // namespace dovanel
