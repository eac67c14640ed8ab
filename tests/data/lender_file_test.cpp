#include "data/lender_file.h"

#include <gtest/gtest.h>

#include <fstream>

#include "tests/data/temp_folder.h"

namespace dovanel {
namespace {

LenderInfo SomeLender() {
    return {"First Bank, N.A.",
            "123456",
            "Ann \"Annie\" Lee",
            "7890",
            "1 Main St.\nSuite 4\\5\r\nTown",
            "+1 555 0100",
            "ann@example.com"};
}

void ExpectSame(const LenderInfo& a, const LenderInfo& b) {
    EXPECT_EQ(LenderFileText(a), LenderFileText(b));
    EXPECT_EQ(a.address, b.address);
    EXPECT_EQ(a.officer, b.officer);
}

TEST(LenderFile, EveryFieldReadsBackExactly) {
    const LenderInfo written = SomeLender();
    LenderInfo read;
    ASSERT_TRUE(ParseLenderText(LenderFileText(written), read));
    ExpectSame(read, written);
    EXPECT_TRUE(LenderInfo().IsEmpty());
    EXPECT_FALSE(written.IsEmpty());
}

TEST(LenderFile, WhatIsNotALenderFileLeavesTheLenderAsItWas) {
    const std::string good = LenderFileText(SomeLender());
    struct Case {
        const char* what;
        std::string text;
        int line;
    };
    const Case cases[] = {
        {"empty", "", 1},
        {"another format", "Dovanel lender 2\n", 1},
        {"a key missing", "Dovanel lender 1\nname=x\nofficer=y\n", 3},
        {"cut short", good.substr(0, good.size() - 1), 8},
        {"a line after the last key", good + "more=1\n", 9},
        {"not UTF-8", "Dovanel lender 1\nname=\xff\n", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LenderInfo lender = SomeLender();
        const ScenarioReadResult read = ParseLenderText(c.text, lender);
        EXPECT_FALSE(read);
        EXPECT_EQ(read.line, c.line) << read.reason;
        ExpectSame(lender, SomeLender());
    }
}

TEST(LenderFile, AMissingFileIsNoLender) {
    test::TempFolder folder;
    const std::string path = (folder.path() / kLenderFileName).string();
    LenderInfo lender = SomeLender();
    EXPECT_TRUE(ReadLenderFile(path, lender));
    EXPECT_TRUE(lender.IsEmpty());
    std::ofstream(path, std::ios::binary) << LenderFileText(SomeLender());
    ASSERT_TRUE(ReadLenderFile(path, lender));
    ExpectSame(lender, SomeLender());
}

}  // namespace
}  // namespace dovanel
