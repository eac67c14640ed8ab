#include "data/item_io.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>

namespace dovanel {
namespace {

TEST(ItemReader, CommasAndLineEndsAlikeSeparateItems) {
    Single a = 0, b = 0, c = 0, d = 0;
    std::string s;
    ItemReader reader("1.5,  -2\r\n.25\n3E2\r\"text, with comma\"");
    DataError error;
    ASSERT_TRUE(reader.ReadRecord({&a, &b}, error));
    ASSERT_TRUE(reader.ReadRecord({&c, &d, &s}, error));
    EXPECT_EQ(a, 1.5f);
    EXPECT_EQ(b, -2.0f);
    EXPECT_EQ(c, 0.25f);
    EXPECT_EQ(d, 300.0f);
    EXPECT_EQ(s, "text, with comma");
}

TEST(ItemReader, NumberForms) {
    struct Case {
        const char* text;
        double value;
    };
    for (const Case& c : {Case{"0.075", 0.075},
                          {".075", 0.075},
                          {"-.5", -0.5},
                          {"+7", 7},
                          {"7.", 7},
                          {"1.5e3", 1500},
                          {"1.5E-2", 0.015},
                          {"2D+2", 200},
                          {"  42  ", 42},
                          {"", 0},
                          {"1e-400", 0}}) {
        double v = -1;
        EXPECT_TRUE(ParseNumber(c.text, v)) << c.text;
        EXPECT_DOUBLE_EQ(v, c.value) << c.text;
    }
    double v;
    for (const char* bad : {"abc", "1.2.3", "12abc", "-", ".", "1e", "1e+", "--1", "1 2"})
        EXPECT_FALSE(ParseNumber(bad, v)) << bad;
}

TEST(ItemReader, EmptyItemsReadAsZeroAndEmptyText) {
    Single a = 5;
    Integer i = 5;
    std::string s = "old";
    DataError error;
    ItemReader reader(",,\r\n");
    ASSERT_TRUE(reader.ReadRecord({&a, &i, &s}, error));
    EXPECT_EQ(a, 0.0f);
    EXPECT_EQ(i, 0);
    EXPECT_EQ(s, "");
}

TEST(ItemReader, FailsAtTheFailingItemKeepingEarlierOnes) {
    Single a = 0, b = 9, c = 9;
    DataError error;
    ItemReader shortFile("1,2");
    EXPECT_FALSE(shortFile.ReadRecord({&a, &b, &c}, error));
    EXPECT_EQ(error.Text(), "62 - Input past end of file");
    EXPECT_EQ(a, 1.0f);
    EXPECT_EQ(b, 2.0f);
    EXPECT_EQ(c, 9.0f);

    ItemReader notANumber("1,abc,3");
    c = 9;
    EXPECT_FALSE(notANumber.ReadRecord({&a, &b, &c}, error));
    EXPECT_EQ(error.Text(), "13 - Type mismatch");
    EXPECT_EQ(c, 9.0f);
}

TEST(ItemReader, OutOfRangeNumbersOverflow) {
    Single f = 0;
    Integer i = 0;
    DataError error;
    EXPECT_FALSE(ItemReader("1e39").ReadRecord({&f}, error));
    EXPECT_EQ(error.number, 6);
    EXPECT_FALSE(ItemReader("32768").ReadRecord({&i}, error));
    EXPECT_EQ(error.number, 6);
    EXPECT_TRUE(ItemReader("-32768").ReadRecord({&i}, error));
    EXPECT_EQ(i, -32768);
    EXPECT_TRUE(ItemReader("2.5").ReadRecord({&i}, error));
    EXPECT_EQ(i, 2) << "halves round to even";
}

TEST(ItemReader, SpareItemsKeepTheirKind) {
    SpareItem a, b, c;
    DataError error;
    ASSERT_TRUE(ItemReader("1.50,\"x y\",\r\n").ReadRecord({&a, &b, &c}, error));
    EXPECT_EQ(a.kind, SpareItem::Kind::Number);
    EXPECT_EQ(a.text, "1.50");
    EXPECT_EQ(b.kind, SpareItem::Kind::Text);
    EXPECT_EQ(b.text, "x y");
    EXPECT_EQ(c.kind, SpareItem::Kind::Empty);
    EXPECT_EQ(WriteLayout({{&a, &b, &c}}), "1.50,\"x y\",\r\n");
}

TEST(ItemWriter, SinglesAtMostSevenDigitsAndAlwaysReadable) {
    EXPECT_EQ(SingleItem(1234567.5f), "1234568");
    EXPECT_EQ(SingleItem(250000), "250000");
    EXPECT_EQ(SingleItem(0.0725f), ".0725");
    EXPECT_EQ(SingleItem(-0.5f), "-.5");
    EXPECT_EQ(SingleItem(std::numeric_limits<float>::infinity()), "0");
    EXPECT_EQ(SingleItem(std::nanf("")), "0");
    for (float v : {FLT_MAX, -FLT_MAX, FLT_MIN, 3.4028e38f}) {
        Single back = 0;
        DataError error;
        ASSERT_TRUE(ItemReader(SingleItem(v)).ReadRecord({&back}, error)) << SingleItem(v);
        EXPECT_NEAR(back, v, std::fabs(v) * 1e-6);
    }
}

TEST(ItemWriter, QuotesInTextsBecomeSingleQuotes) {
    std::string name = "Joe's \"best\" loan", back;
    const std::string text = WriteLayout({{&name}});
    EXPECT_EQ(text, "\"Joe's 'best' loan\"\r\n");
    DataError error;
    ASSERT_TRUE(ItemReader(text).ReadRecord({&back}, error));
    EXPECT_EQ(back, "Joe's 'best' loan");
}

}  // namespace
}  // namespace dovanel
