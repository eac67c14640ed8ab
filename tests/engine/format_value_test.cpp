#include "engine/format_value.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace dovanel {
namespace {

struct Case {
    double value;
    const char* pattern;
    const char* expected;
};

void ExpectAll(std::initializer_list<Case> cases) {
    for (const Case& c : cases)
        EXPECT_EQ(FormatValue(c.value, c.pattern), c.expected)
            << c.value << " with \"" << c.pattern << '"';
}

TEST(FormatValue, WholeDollars) {
    ExpectAll({
        {160000, "$#,###", "$160,000"},
        {0, "$#,###", "$"},
        {-1500, "$#,###", "-$1,500"},
        {1064.4843, "$###,##0", "$1,064"},
        {0, "$#,##0", "$0"},
        {999.5, "$#,###", "$1,000"},
        {1234567890, "###,###,###", "1,234,567,890"},
        {12, "###,###,##0", "12"},
        {0.4, "$###,###,##0", "$0"},
        {223214.24, "$#,###", "$223,214"},
    });
}

TEST(FormatValue, DollarsAndCents) {
    ExpectAll({
        {40000, "$#,###.#0", "$40,000.00"},
        {123456.78, "$#,###.#0", "$123,456.78"},
        {987.654, "$#,###.#0", "$987.65"},
        {0.42, "$#,###.#0", "$.42"},
        {742.1875, "$#,###.#0", "$742.19"},
        {0, "$#,###,##0.00", "$0.00"},
        {1234.5, "$###,###,###.00", "$1,234.50"},
        {5, "$###,###,##0.#0", "$5.00"},
        {1250, "#,###.#0", "1,250.00"},
    });
}

TEST(FormatValue, NamedCurrency) {
    ExpectAll({
        {-1234.5, "currency", "($1,234.50)"},
        {1064.48, "currency", "$1,064.48"},
        {0, "currency", "$0.00"},
        {5000, "currency", "$5,000.00"},
    });
}

TEST(FormatValue, NegativeAndZeroSections) {
    ExpectAll({
        {1200, "(#,###);;\\", "(1,200)"},
        {-1200, "(#,###);;\\", "-(1,200)"},
        {0, "(#,###);;\\", ""},
        {1234, "(#,###);;\\", "(1,234)"},
        {-500, "#,###;(#,###)", "(500)"},
        {500, "#,###;(#,###)", "500"},
        {250, "($#,##0)", "($250)"},
        {3000000, "($#,###,##0)", "($3,000,000)"},
        {0, "(###,###,##0)", "(0)"},
    });
}

TEST(FormatValue, Percentages) {
    ExpectAll({
        {0.28, "#.##%", "28.%"},
        {0.2845, "#.##%", "28.45%"},
        {0, "#.##%", ".%"},
        {0.8, "0.0%", "80.0%"},
        {0.0725f, "##.#0%", "7.25%"},
        {0.075, "##.##0%", "7.500%"},
        {0.075, " ##.##0%", " 7.500%"},
        {0.28, "#%", "28%"},
        {0.36f, "#%", "36%"},
        {0.005, "#.000%", ".500%"},
        {0.0125, "##.000%", "1.250%"},
        {0.0725, "##.00%", "7.25%"},
        {0.7999, "#.#0%", "79.99%"},
        {0.0042, "#.#0%", ".42%"},
    });
}

TEST(FormatValue, PlainDecimals) {
    ExpectAll({
        {20, "#.00", "20.00"},
        {7.25, "#.0##", "7.25"},
        {7, "#.0##", "7.0"},
        {0.5, "#.#00", ".500"},
        {1.25, "#.#00", "1.250"},
        {0.75, "#.#0", ".75"},
        {35, "#.##", "35."},
        {1.005, "#.00", "1.01"},
    });
}

TEST(FormatValue, HalvesRoundAwayFromZeroAsTheirDecimalsRead) {
    ExpectAll({
        {0.5, "#", "1"},
        {2.5, "#", "3"},
        {-2.5, "#", "-3"},
        {0.125, "#.00", ".13"},
        {2.675, "#.00", "2.68"},
        {1.005, "#.00", "1.01"},
        {0.045, "#.00", ".05"},
        {1234.5, "#,###", "1,235"},
        {0.00125, "#.000%", ".125%"},
        {0.0012499, "#.00%", ".12%"},
        {123456789012.5, "#", "123456789013"},
        {1e20, "#,###", "100,000,000,000,000,000,000"},
        {9.9999999, "#.00", "10.00"},
        {0.999, "#.#0", "1.00"},
    });
}

TEST(FormatValue, AllZeroDigitsShowNoMinusSign) {
    ExpectAll({
        {-0.0000001, "$#,###.#0", "$.00"},
        {-0.0000001, "#.#0%", ".00%"},
        {-0.3, "$#,###", "$"},
        {-0.004, "(#,###);;\\", ""},
    });
}

TEST(FormatValue, NonFiniteValuesShowNothing) {
    EXPECT_EQ(FormatValue(std::numeric_limits<double>::infinity(), "$###,##0"), "");
    EXPECT_EQ(FormatValue(-std::numeric_limits<double>::infinity(), "#.##%"), "");
    EXPECT_EQ(FormatValue(std::nan(""), "currency"), "");
}

TEST(FormatValue, YearOfADate) {
    EXPECT_EQ(FormatValue(DateSerial(2026, 12, 9), "yyyy"), "2026");
    EXPECT_EQ(FormatValue(DateSerial(1999, 12, 31), "YYYY"), "1999");
    EXPECT_EQ(FormatValue(DateSerial(2000, 1, 1), "yyyy"), "2000");
    EXPECT_EQ(DateSerial(1899, 12, 30), 0.0);
}

TEST(PlainNumber, ShortestTextUpToSevenDigits) {
    EXPECT_EQ(PlainNumber(160000.0f), "160000");
    EXPECT_EQ(PlainNumber(0.25f), ".25");
    EXPECT_EQ(PlainNumber(-0.25f), "-.25");
    EXPECT_EQ(PlainNumber(0.0725f), ".0725");
    EXPECT_EQ(PlainNumber(0.07f), ".07");
    EXPECT_EQ(PlainNumber(12345.5f), "12345.5");
    EXPECT_EQ(PlainNumber(-300.0f), "-300");
    EXPECT_EQ(PlainNumber(0.0f), "0");
    EXPECT_EQ(PlainNumber(1234567.5f), "1234568");
    EXPECT_EQ(PlainNumber(123456.78f), "123456.8");
    EXPECT_EQ(PlainNumber(1e20f), "100000000000000000000");
    EXPECT_EQ(PlainNumber(1e-7f), ".0000001");
    EXPECT_EQ(PlainNumber(std::numeric_limits<float>::infinity()), "");
}

TEST(PlainNumber, ReadsBackAsTheSameFloatWhenSevenDigitsSuffice) {
    for (float v : {0.1f, 0.3f, 1064.48f, 766550.0f, 0.0032f, 99999.99f, 3.14159f}) {
        EXPECT_EQ(static_cast<float>(LeadingNumber(PlainNumber(v))), v) << PlainNumber(v);
    }
}

TEST(LeadingNumber, TakesTheNumberATextStartsWith) {
    EXPECT_EQ(LeadingNumber("  250000"), 250000);
    EXPECT_EQ(LeadingNumber("12abc"), 12);
    EXPECT_EQ(LeadingNumber("1.5.7"), 1.5);
    EXPECT_EQ(LeadingNumber(".25"), 0.25);
    EXPECT_EQ(LeadingNumber("-7"), -7);
    EXPECT_EQ(LeadingNumber("+7"), 7);
    EXPECT_EQ(LeadingNumber("7."), 7);
    EXPECT_EQ(LeadingNumber(""), 0);
    EXPECT_EQ(LeadingNumber("-"), 0);
    EXPECT_EQ(LeadingNumber("."), 0);
    EXPECT_EQ(LeadingNumber("abc12"), 0);
    EXPECT_EQ(LeadingNumber("1e5"), 1);
    EXPECT_EQ(LeadingNumber("1,000"), 1);
    EXPECT_EQ(LeadingNumber(std::string(400, '9')), HUGE_VAL);
    EXPECT_EQ(LeadingNumber("-" + std::string(400, '9')), -HUGE_VAL);
    EXPECT_EQ(LeadingNumber("." + std::string(400, '0') + "1"), 0);
}

}  // namespace
}  // namespace dovanel
