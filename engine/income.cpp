#include "engine/income.h"

#include "engine/format_value.h"

namespace dovanel {

namespace {
// Added back: non-taxable and non-cash items. Taken out: non-recurring items.
constexpr int kSigns[IncomeAnalysis::lines] = {+1, -1, +1, -1, -1, +1, -1, +1, -1, +1, +1, +1, +1,
                                               -1, -1, +1, +1, +1, -1, +1, -1, +1, +1, +1, -1};
}  // namespace

int IncomeLineSign(int line) {
    return kSigns[line - 1];
}

IncomeDisplay ComputeIncomeAnalysis(IncomeAnalysis& a) {
    IncomeDisplay out;
    for (int y = 1; y <= IncomeAnalysis::years; ++y) {
        double total = 0.0;
        for (int k = 1; k <= IncomeAnalysis::lines; ++k)
            total += kSigns[k - 1] * static_cast<double>(a.line[k][y]);
        a.yearIncome[y] = static_cast<Single>(total);
        out.yearIncome[y] = PlainNumber(a.yearIncome[y]);
        if (a.yearIncome[y] != 0) ++out.countedYears;
    }
    const Single sum = a.yearIncome[3] + a.yearIncome[2] + a.yearIncome[1];
    if (sum == 0) {
        a.averageYearIncome = a.averageMonthlyIncome = 0.0f;
    } else {
        a.averageYearIncome = sum / static_cast<Single>(out.countedYears);
        a.averageMonthlyIncome = a.averageYearIncome / 12.0f;
    }
    out.averageFrameCaption = std::to_string(out.countedYears) + " Year Average";
    out.averageYearIncome = FormatValue(a.averageYearIncome, "currency");
    out.averageMonthlyIncome = FormatValue(a.averageMonthlyIncome, "currency");
    return out;
}

Single ConfirmedMonthlyIncome(const IncomeAnalysis& a) {
    const Single sum = a.yearIncome[1] + a.yearIncome[2] + a.yearIncome[3];
    return sum == 0 ? kIncomeNotEntered : a.averageMonthlyIncome;
}

}  // namespace dovanel
