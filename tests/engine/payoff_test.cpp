#include "engine/payoff.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "engine/format_value.h"
#include "engine/recalculate.h"
#include "tests/engine/sample_model.h"

namespace dovanel {
namespace {

using test::SampleLoan;

std::string Cents(double amount) {
    return FormatValue(amount, "$#,###.#0");
}

// Without extras the plan is the amortization table, row for row to the cent,
// and ends on the same payment.
TEST(PayoffPlan, WithoutExtrasEqualsTheAmortizationTable) {
    const float prices[] = {1, 1000, 125000, 333333.33f, 999999, 5000000};
    const float downs[] = {0.05f, 0.1f, 0.2f, 0.35f};
    const float rates[] = {0, 0.0001f, 0.03f, 0.075f, 0.125f, 0.18f};
    const int types[] = {0, 1, 2, 3, 4, 10, 12};
    int loans = 0;
    for (float price : prices)
        for (float down : downs)
            for (float rate : rates)
                for (int type : types) {
                    const Model m = SampleLoan(price, down, rate, type);
                    const Amortization table = ComputeAmortization(m);
                    const PayoffPlan plan = ComputePayoffPlan(m, {});
                    SCOPED_TRACE(testing::Message() << price << " " << down << " " << rate << " "
                                                    << kMortgageTypes[type]);
                    ASSERT_EQ(plan.rows.size(), table.rows.size());
                    for (std::size_t k = 0; k < table.rows.size(); ++k) {
                        const AmortizationRow& a = table.rows[k];
                        const PayoffRow& p = plan.rows[k];
                        ASSERT_EQ(p.year, a.year);
                        ASSERT_EQ(p.month, a.month);
                        ASSERT_EQ(Cents(p.beginning), Cents(a.beginning)) << "row " << k + 1;
                        ASSERT_EQ(Cents(p.interest), Cents(a.interest)) << "row " << k + 1;
                        ASSERT_EQ(Cents(p.principal), Cents(a.principal)) << "row " << k + 1;
                        ASSERT_EQ(Cents(p.ending), Cents(a.ending)) << "row " << k + 1;
                        ASSERT_EQ(p.extra, 0.0);
                    }
                    EXPECT_EQ(plan.rows.back().ending, 0.0);
                    EXPECT_EQ(ScheduleCsv(plan.rows), ScheduleCsv(RowsOf(table)));
                    EXPECT_EQ(plan.monthsSaved, "0");
                    EXPECT_EQ(plan.interestSaved, "$0");
                    ++loans;
                }
    EXPECT_EQ(loans, 1008);
}

// At no interest every payment is principal, so the payoff can be counted by hand:
// 12,000 over ten years is 100 a month.
TEST(PayoffPlan, ExtrasAtNoInterest) {
    struct Case {
        const char* what;
        ExtraPayments extras;
        std::size_t payments;
        double lastPaid;
        const char* payoff;
    };
    ExtraPayments monthly, yearly, lump, biweekly, lumpTooBig, negative;
    monthly.monthly = 100;
    yearly.yearly = 1200;
    yearly.yearlyMonth = 12;
    lump.lumpSum = 6000;
    lump.lumpSumAt = 1;
    biweekly.biweekly = true;
    lumpTooBig.lumpSum = 50000;
    lumpTooBig.lumpSumAt = 3;
    negative.monthly = -100;
    negative.lumpSum = -5;
    const Case cases[] = {
        {"none", {}, 120, 100, "Year 10 / Month 12"},
        {"100 a month", monthly, 60, 200, "Year 5 / Month 12"},
        {"1,200 each December", yearly, 60, 1300, "Year 5 / Month 12"},
        {"6,000 with the first payment", lump, 60, 100, "Year 5 / Month 12"},
        // 108.33 a month: 110 payments leave 83.33 for the 111th.
        {"biweekly", biweekly, 111, 12000 - 110 * (100 + 100.0 / 12), "Year 10 / Month 3"},
        {"lump sum above the balance", lumpTooBig, 3, 11800, "Year 1 / Month 3"},
        {"negative extras", negative, 120, 100, "Year 10 / Month 12"},
    };
    const Model m = SampleLoan(15000, 0.2f, 0, 3);  // 12,000 over ten years
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const PayoffPlan plan = ComputePayoffPlan(m, c.extras);
        ASSERT_EQ(plan.rows.size(), c.payments);
        const PayoffRow& last = plan.rows.back();
        EXPECT_NEAR(last.principal + last.extra, c.lastPaid, 1e-6);
        EXPECT_NEAR(last.principal + last.extra, last.beginning, 1e-9);  // only what is owed
        EXPECT_EQ(last.ending, 0.0);
        EXPECT_EQ(plan.payoff, c.payoff);
        EXPECT_EQ(plan.totalInterest, 0.0);
    }
}

// Every row of a plan with extras adds up: interest on the running balance,
// the balance falls by the principal and the extra, the loan is repaid exactly.
TEST(PayoffPlan, ExtrasKeepTheScheduleConsistent) {
    const Model m = SampleLoan(125000, 0.05f, 0.075f, 0);
    // 100 a month, 1,000 every fourth month of the year, 5,000 with payment 24, biweekly.
    const ExtraPayments x{100, 1000, 4, 5000, 24, true};
    const PayoffPlan plan = ComputePayoffPlan(m, x);
    const double rate = 0.075f / 12.0;
    double repaid = 0;
    for (const PayoffRow& r : plan.rows) {
        EXPECT_NEAR(r.interest, r.beginning * rate, 1e-9);
        EXPECT_NEAR(r.ending, r.beginning - r.principal - r.extra, 1e-9);
        repaid += r.principal + r.extra;
        if (&r != &plan.rows.back()) {
            const double expected =
                100 + (r.month == 4 ? 1000 : 0) + (r.payment == 24 ? 5000 : 0) + plan.payment / 12;
            EXPECT_NEAR(r.extra, expected, 1e-9) << r.payment;
            EXPECT_NEAR(r.principal, plan.payment - r.interest, 1e-9);
        }
    }
    EXPECT_NEAR(repaid, 118750, 1e-6);
    ASSERT_LT(plan.rows.size(), 360u);
    EXPECT_LT(plan.totalInterest, plan.baselineInterest);
    const int saved = 360 - static_cast<int>(plan.rows.size());
    EXPECT_EQ(plan.monthsSaved.substr(0, plan.monthsSaved.find(' ')), std::to_string(saved));
    EXPECT_EQ(plan.interestSaved,
              FormatValue(plan.baselineInterest - plan.totalInterest, "$#,###"));
    EXPECT_EQ(plan.totalInterestText, FormatValue(plan.totalInterest, "$#,###"));
}

TEST(PayoffPlan, PmiDatesFollowTheOriginalScheduleAndMoveWithExtras) {
    const Model m = SampleLoan(125000, 0.05f, 0.075f, 0);
    ASSERT_GT(m.loanResults.monthlyPmi, 0);
    const Amortization table = ComputeAmortization(m);
    auto firstAt = [&](double share) {
        for (std::size_t k = 0; k < table.rows.size(); ++k)
            if (table.rows[k].ending <= share * 125000) return static_cast<int>(k) + 1;
        return 0;
    };
    const PayoffPlan base = ComputePayoffPlan(m, {});
    ASSERT_TRUE(base.pmi.charged);
    EXPECT_EQ(base.pmi.request, firstAt(0.80));
    EXPECT_EQ(base.pmi.automatic, firstAt(0.78));
    EXPECT_GT(base.pmi.automatic, base.pmi.request);
    EXPECT_EQ(base.pmi.final, 180);
    EXPECT_EQ(base.pmi.saved, 0);
    EXPECT_EQ(base.pmiFinal, "Year 15 / Month 12; " +
                                 FormatValue(180.0 * m.loanResults.monthlyPmi, "$#,###") +
                                 " of PMI paid until then");
    EXPECT_EQ(base.pmiRequest.substr(0, base.pmiRequest.find(';')), PaymentDate(base.pmi.request));
    EXPECT_TRUE(base.pmiSaved.empty());

    ExtraPayments x;
    x.monthly = 200;
    const PayoffPlan faster = ComputePayoffPlan(m, x);
    EXPECT_LT(faster.pmi.request, base.pmi.request);
    EXPECT_EQ(faster.pmi.requestWithoutExtras, base.pmi.request);
    EXPECT_EQ(faster.pmi.automatic, base.pmi.automatic);  // by the original schedule
    EXPECT_EQ(faster.pmi.final, 180);
    EXPECT_DOUBLE_EQ(faster.pmi.saved, static_cast<double>(m.loanResults.monthlyPmi) *
                                           (base.pmi.request - faster.pmi.request));
    EXPECT_EQ(faster.pmiSaved, "Without the extra payments: " + PaymentDate(base.pmi.request) +
                                   ". PMI saved: " + FormatValue(faster.pmi.saved, "$#,###"));
}

// Extras that pay the loan off before a PMI date: PMI ends with the loan, so the
// amount stops at the payoff and the date says the loan is paid off first.
TEST(PayoffPlan, PmiDatesAfterThePayoffSayTheLoanIsPaidOffFirst) {
    const Model m = SampleLoan(125000, 0.05f, 0.075f, 0);
    const double monthly = m.loanResults.monthlyPmi;
    ExtraPayments x;
    x.monthly = 3500;  // paid off in the third year
    const PayoffPlan plan = ComputePayoffPlan(m, x);
    const int payoff = static_cast<int>(plan.rows.size());
    ASSERT_GT(payoff, 24);
    ASSERT_LE(payoff, 36);
    struct Line {
        const char* what;
        int date;
        const std::string& text;
    };
    const Line lines[] = {{"request", plan.pmi.request, plan.pmiRequest},
                          {"automatic", plan.pmi.automatic, plan.pmiAutomatic},
                          {"final", plan.pmi.final, plan.pmiFinal}};
    for (const Line& line : lines) {
        SCOPED_TRACE(line.what);
        ASSERT_GT(line.date, 0);
        const int paidUntil = std::min(line.date, payoff);
        const std::string paid =
            FormatValue(monthly * paidUntil, "$#,###") + " of PMI paid until then";
        if (line.date > payoff)
            EXPECT_EQ(line.text, "Loan paid off first, at " + PaymentDate(payoff) + "; " + paid);
        else
            EXPECT_EQ(line.text, PaymentDate(line.date) + "; " + paid);
    }
    EXPECT_LE(plan.pmi.request, payoff) << "the balance reaches 80 % before it reaches 0";
    EXPECT_GT(plan.pmi.automatic, payoff);
    EXPECT_EQ(plan.pmi.final, 180);
}

TEST(PayoffPlan, LoansWithoutPmiSaySo) {
    struct Case {
        float down;
        int type;
        const char* text;
    };
    const Case cases[] = {
        {0.05f, 4, "No PMI is charged: VA loans carry no private mortgage insurance."},
        {0.20f, 0, "No PMI is charged: the loan is no more than 80.01 % of the purchase price."},
        {0.25f, 11, "No PMI is charged: the loan is no more than 80.01 % of the purchase price."},
    };
    for (const Case& c : cases) {
        const PayoffPlan plan = ComputePayoffPlan(SampleLoan(200000, c.down, 0.065f, c.type), {});
        EXPECT_FALSE(plan.pmi.charged);
        EXPECT_EQ(plan.pmiRequest, c.text);
        EXPECT_TRUE(plan.pmiAutomatic.empty());
        EXPECT_TRUE(plan.pmiFinal.empty());
    }
}

TEST(PayoffPlan, NoTermGivesNoPayments) {
    Model m = SampleLoan(200000, 0.1f, 0.065f, 0);
    m.loanData.termYears = 0;
    ExtraPayments x;
    x.monthly = 10;
    const PayoffPlan plan = ComputePayoffPlan(m, x);
    EXPECT_TRUE(plan.rows.empty());
    EXPECT_TRUE(plan.payoff.empty());
    EXPECT_EQ(ScheduleCsv(plan.rows),
              "payment,year,month,beginning,interest,principal,extra,ending,ltv\n");
}

// A reader after RFC 4180 (quoted fields, doubled quotes, CRLF or LF).
std::vector<std::vector<std::string>> ReadCsv(const std::string& text) {
    std::vector<std::vector<std::string>> records(1, std::vector<std::string>(1));
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        std::string& field = records.back().back();
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"')
                field += text[++i];
            else if (c == '"')
                quoted = false;
            else
                field += c;
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            records.back().emplace_back();
        } else if (c == '\n' || c == '\r') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            records.emplace_back(1);
        } else {
            field += c;
        }
    }
    if (records.back().size() == 1 && records.back()[0].empty()) records.pop_back();
    return records;
}

TEST(ScheduleCsv, RoundTripsThroughACsvReader) {
    const Model m = SampleLoan(125000, 0.05f, 0.075f, 0);
    ExtraPayments x;
    x.monthly = 150;
    x.lumpSum = 1234.567;
    x.lumpSumAt = 2;
    const PayoffPlan plan = ComputePayoffPlan(m, x);
    const std::string csv = ScheduleCsv(plan.rows);
    EXPECT_EQ(csv.find('\r'), std::string::npos);
    EXPECT_EQ(csv.find("-0.00"), std::string::npos);
    EXPECT_EQ(csv.substr(0, csv.find('\n', 65) + 1),
              "payment,year,month,beginning,interest,principal,extra,ending,ltv\n"
              "1,1,1,118750.00,742.19,88.13,150.00,118511.87,0.9481\n");
    const auto records = ReadCsv(csv);
    ASSERT_EQ(records.size(), plan.rows.size() + 1);
    for (std::size_t k = 0; k < plan.rows.size(); ++k) {
        const auto& f = records[k + 1];
        const PayoffRow& r = plan.rows[k];
        ASSERT_EQ(f.size(), 9u);
        EXPECT_EQ(std::stoi(f[0]), r.payment);
        EXPECT_EQ(std::stoi(f[1]), r.year);
        EXPECT_EQ(std::stoi(f[2]), r.month);
        const double amounts[] = {r.beginning, r.interest, r.principal, r.extra, r.ending};
        // Balances are rounded; interest and extras carry their rounding on to
        // the next row (a cent at most), the principal takes what keeps the row
        // balanced (a cent and a half at most).
        const double within[] = {0.005, 0.01, 0.015, 0.01, 0.005};
        for (int c = 0; c < 5; ++c) {
            EXPECT_EQ(f[3 + c].size() - f[3 + c].find('.'), 3u) << f[3 + c];
            EXPECT_NEAR(std::stod(f[3 + c]), amounts[c], within[c] + 1e-9);
        }
        EXPECT_EQ(f[8].size() - f[8].find('.'), 5u);
        EXPECT_NEAR(std::stod(f[8]), r.ltv, 0.00005 + 1e-12);
    }
    EXPECT_EQ(records[2][6], "1384.57");  // 150 plus the lump sum, rounded
    EXPECT_EQ(records.back()[7], "0.00");
}

}  // namespace
}  // namespace dovanel

namespace dovanel {
namespace {

// A CSV amount as whole cents.
long long CentsOf(const std::string& field) {
    return std::llround(std::stod(field) * 100.0);
}

// Adds up an exported schedule the way a spreadsheet user checks it: every row
// balances to the cent, each row begins where the last one ended, and the
// interest column sums to the total the program shows.
void ExpectCsvAddsUp(const std::string& csv, double loan, double totalInterest) {
    const auto records = ReadCsv(csv);
    ASSERT_GE(records.size(), 2u);
    long long previousEnding = std::llround(loan * 100.0);
    long long interest = 0;
    int unbalanced = 0;
    for (std::size_t k = 1; k < records.size(); ++k) {
        const auto& f = records[k];
        const long long beginning = CentsOf(f[3]), principal = CentsOf(f[5]), extra = CentsOf(f[6]),
                        ending = CentsOf(f[7]);
        if (beginning - principal - extra != ending || beginning != previousEnding) ++unbalanced;
        previousEnding = ending;
        interest += CentsOf(f[4]);
    }
    EXPECT_EQ(unbalanced, 0) << "rows out of balance";
    EXPECT_EQ(previousEnding, 0) << "the last row pays the loan off";
    EXPECT_EQ(interest, std::llround(totalInterest * 100.0)) << "the interest column's sum";
}

TEST(ScheduleCsv, EveryRowBalancesAndTheColumnsSumToTheTotals) {
    const float prices[] = {1000, 125000, 333333.33f, 999999};
    const float rates[] = {0.0001f, 0.03f, 0.0675f, 0.125f};
    // None; 123.45 a month, 1,000.005 every seventh month, 5,432.109 with payment 13; biweekly.
    const ExtraPayments none, some{123.45, 1000.005, 7, 5432.109, 13, false},
        biweekly{0, 0, 1, 0, 1, true};
    int loans = 0;
    for (float price : prices)
        for (float rate : rates)
            for (int type : {0, 1, 10})
                for (const ExtraPayments& x : {none, some, biweekly}) {
                    Model m = SampleLoan(price, 0.1f, rate, type);
                    SCOPED_TRACE(testing::Message() << price << " " << rate << " " << type << " "
                                                    << x.monthly << " " << x.biweekly);
                    const PayoffPlan plan = ComputePayoffPlan(m, x);
                    const double loan = m.loanResults.loanAmount;
                    ExpectCsvAddsUp(ScheduleCsv(plan.rows), loan, plan.totalInterest);
                    // The planner's "Total interest" is the column's sum in whole dollars.
                    const std::string dollars =
                        FormatValue(std::round(plan.totalInterest * 100) / 100, "$#,###");
                    EXPECT_EQ(plan.totalInterestText, dollars == "$" ? "$0" : dollars);
                    // The amortization table's export sums to the main window's total.
                    const ResultsDisplay shown = Recalculate(m);
                    ExpectCsvAddsUp(ScheduleCsv(RowsOf(ComputeAmortization(m))), loan,
                                    shown.totalInterest);
                    ++loans;
                }
    EXPECT_EQ(loans, 144);
}

}  // namespace
}  // namespace dovanel
