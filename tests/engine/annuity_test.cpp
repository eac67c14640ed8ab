#include "engine/annuity.h"

#include <gtest/gtest.h>

#include <cmath>

#include "engine/amortization.h"
#include "engine/recalculate.h"
#include "tests/engine/sample_model.h"

namespace dovanel {
namespace {

// The loan arithmetic as it stood before it was made safe at extreme rates:
// for ordinary rates the results must not move by a single bit.
namespace before {
double Payment(double rate, int periods, double principal) {
    if (rate == 0) return principal / periods;
    const double growth = std::pow(1.0 + rate, periods);
    return principal * rate * growth / (growth - 1.0);
}
double Balance(double rate, double principal, double payment, int paid) {
    if (rate == 0) return principal - paid * payment;
    const double growth = std::pow(1.0 + rate, paid);
    return principal * growth - payment * (growth - 1.0) / rate;
}
double Interest(double rate, double principal, double payment, int period) {
    return rate == 0 ? 0.0 : Balance(rate, principal, payment, period - 1) * rate;
}
}  // namespace before

constexpr int kTerms[] = {10, 15, 20, 30};
constexpr float kLoans[] = {1.0f, 118750.0f, 382500.0f, 34000000.0f};

// Rates as the main window stores them: a Single annual fraction, monthly in double.
double Monthly(double percent) {
    return static_cast<double>(static_cast<float>(percent / 100)) / 12.0;
}

TEST(Annuity, OrdinaryRatesGiveTheSameBitsAsBefore) {
    int compared = 0;
    for (double percent = 0.001; percent <= 30.0005; percent += 0.007) {
        for (int term : kTerms) {
            for (float loan : kLoans) {
                const double r = Monthly(percent);
                const int n = term * 12;
                const Annuity a(r, n, loan);
                const double payment = before::Payment(r, n, loan);
                ASSERT_EQ(a.Payment(), payment) << percent << "% " << term;
                ASSERT_EQ(AnnuityPayment(r, n, loan), payment);
                double total = 0;
                for (int k = 1; k <= n; ++k) {
                    const double interest = before::Interest(r, loan, payment, k);
                    ASSERT_EQ(a.InterestPart(k), interest) << percent << "% payment " << k;
                    ASSERT_EQ(a.PrincipalPart(k), payment - interest);
                    ASSERT_EQ(a.Balance(k), before::Balance(r, loan, payment, k));
                    total += interest;
                }
                ASSERT_EQ(a.TotalInterest(n), total) << percent << "% " << term;
                ++compared;
            }
        }
    }
    EXPECT_EQ(compared, 4286 * 4 * 4);
}

// Every rate the interest box takes (six characters: up to 999999 %), far
// beyond the ordinary ones: finite parts that add up.
TEST(Annuity, ExtremeRatesStayAccurate) {
    for (double percent = 0.00001; percent <= 999999; percent *= 1.013) {
        for (int term : kTerms) {
            for (float loan : kLoans) {
                const double r = Monthly(percent);
                const int n = term * 12;
                const Annuity a(r, n, loan);
                const double paid = n * a.Payment();
                const double total = a.TotalInterest(n);
                ASSERT_TRUE(std::isfinite(total) && total > 0) << percent << "% " << term;
                const double error = std::fabs(total - (paid - loan));
                ASSERT_LE(error, 1e-9 * paid) << percent << "% " << term;
                // From 0.001 % to 0.1 % n x payment - loan magnifies the payment's own
                // last-digit rounding, which the unchanged ordinary results keep.
                if (percent < 0.00096 || percent > 0.1) {
                    ASSERT_LE(error, 1e-9 * total) << percent << "% " << term << " " << loan;
                }
                double principal = 0;
                for (int k = 1; k <= n; ++k) {
                    ASSERT_GE(a.InterestPart(k), 0);
                    ASSERT_GE(a.PrincipalPart(k), 0);
                    ASSERT_NEAR(a.InterestPart(k) + a.PrincipalPart(k), a.Payment(),
                                1e-12 * a.Payment());
                    principal += a.PrincipalPart(k);
                }
                ASSERT_NEAR(principal, loan, 1e-9 * loan) << percent << "% " << term;
                ASSERT_NEAR(a.Balance(n), 0.0, 1e-9 * loan);
            }
        }
    }
}

Model LoanAt(float rate) {
    Model m = test::SampleModel();
    test::SetLoan(m, 425000, 0.1f, rate, 0);
    return m;
}

TEST(Annuity, MainWindowAndWindowsAtTwoAndFiveHundredPercent) {
    struct Case {
        float rate;
        const char* total;
    };
    for (const Case& c : {Case{2.0f, "$22,567,500"}, Case{5.0f, "$56,992,500"}}) {
        Model m = LoanAt(c.rate);
        const ResultsDisplay shown = Recalculate(m);
        EXPECT_EQ(shown.lblTotalInterest, c.total);
        EXPECT_EQ(PartialTermInterest(m, 30).label,
                  std::string("Total interest that will be paid: ") + c.total);
        const Amortization table = ComputeAmortization(m);
        ASSERT_EQ(table.rows.size(), 360u);
        double interest = 0;
        for (const AmortizationRow& row : table.rows) interest += row.interest;
        EXPECT_NEAR(interest, shown.totalInterest, 1e-9 * shown.totalInterest);
        EXPECT_NEAR(table.rows.back().ending, 0.0, 1e-6);
        EXPECT_EQ(table.rows.front().line.find("e+"), std::string::npos);
    }
}

}  // namespace
}  // namespace dovanel
