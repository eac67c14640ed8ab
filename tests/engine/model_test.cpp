#include "engine/model.h"

#include <gtest/gtest.h>

namespace dovanel {
namespace {

TEST(IndexArray, KeepsTheDeclaredIndexes) {
    FeeTable table;
    table.amount[-20] = 1;
    table.amount[120] = 2;
    EXPECT_EQ(table.amount[-20], 1);
    EXPECT_EQ(table.amount[120], 2);
    EXPECT_EQ(decltype(table.amount)::size(), 141u);
    IncomeAnalysis income;
    income.line[25][3] = 7;
    EXPECT_EQ(income.line[25][3], 7);
    EXPECT_EQ(income.line[25][0], 0) << "unused slots hold 0";
}

#ifndef NDEBUG
TEST(IndexArrayDeathTest, AnIndexOutsideTheRangeIsCaught) {
    EstimateValues values;
    EXPECT_DEATH(values.costAmount[0] = 1, "");
    FeeTable table;
    EXPECT_DEATH(table.fee[121] = 1, "");
}
#endif

}  // namespace
}  // namespace dovanel
