#include "data/text_codec.h"

#include <gtest/gtest.h>

#include "data/data_files.h"
#include "tests/engine/sample_model.h"

namespace dovanel {
namespace {

TEST(TextCodec, StrictUtf8) {
    const struct {
        const char* bytes;
        bool valid;
    } cases[] = {
        {"", true},
        {"Courier / Flood Report", true},
        {"Caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x8F\xA0", true},
        {"Caf\xE9", false},           // Windows-1252
        {"\x93quoted\x94", false},    // Windows-1252 curly quotes
        {"\xC0\xAF", false},          // overlong "/"
        {"\xED\xA0\x80", false},      // a surrogate
        {"\xE2\x82", false},          // cut short
        {"\xF4\x90\x80\x80", false},  // above U+10FFFF
        {"\xC3", false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsValidUtf8(c.bytes), c.valid) << c.bytes;
}

TEST(TextCodec, EveryWindows1252ByteComesBackAsItWas) {
    std::string all;
    for (int b = 1; b < 256; ++b) all.push_back(static_cast<char>(b));
    const std::string text = Windows1252ToUtf8(all);
    EXPECT_TRUE(IsValidUtf8(text));
    EXPECT_EQ(text.find("\xEF\xBF\xBD"), std::string::npos) << "never a replacement character";
    std::string back;
    ASSERT_TRUE(Utf8ToWindows1252(text, back));
    EXPECT_EQ(back, all);
    EXPECT_EQ(Windows1252ToUtf8("Caf\xE9 \x80"), "Caf\xC3\xA9 \xE2\x82\xAC");
    EXPECT_FALSE(Utf8ToWindows1252("\xE2\x82\xB9", back)) << "no byte for the rupee sign";
}

// Data files written by older copies in Windows-1252, as the program meets them.
TEST(TextCodec, Windows1252TextsReadAsTextAndGoBackByteForByte) {
    Model m = test::SampleModel();
    m.debtSummary.itemName[0] = "Caf\xE9 card";
    m.debtSummary.itemName[1] = "Caf\xC3\xA9 in UTF-8";
    m.estimateValues.costName[1] = "Appraisal \x96 \x93rush\x94";
    m.incomeAnalysis.yearLabel[1] =
        "Ann\xE9"
        "e 1";
    m.loanData.mortgageTypeName = "30 Year / Fixed Conventional \xB7";
    m.loanData.spare1 = {SpareItem::Kind::Text, "spare \xE9"};
    for (DataFile file : {DataFile::Debt, DataFile::Estimate, DataFile::Income, DataFile::Main}) {
        const std::string original = FileText(file, m);  // raw bytes, as an old copy wrote them
        Model read;
        DataError error;
        ASSERT_TRUE(ParseFile(file, original, read, error)) << FileName(file);
        EXPECT_EQ(FileText(file, read), original) << FileName(file);
    }
    Model read;
    DataError error;
    ASSERT_TRUE(ParseFile(DataFile::Debt, FileText(DataFile::Debt, m), read, error));
    EXPECT_EQ(read.debtSummary.itemName[0], "Caf\xC3\xA9 card") << "the program holds UTF-8";
    EXPECT_EQ(read.debtSummary.itemName[1], "Caf\xC3\xA9 in UTF-8");
    ASSERT_TRUE(ParseFile(DataFile::Main, FileText(DataFile::Main, m), read, error));
    EXPECT_EQ(read.loanData.spare1.text, "spare \xE9") << "spare items are kept as they were";

    read.debtSummary.itemName[0] = "Caf\xC3\xA9 card, paid";  // the user changed it
    const std::string written = FileText(DataFile::Debt, read);
    EXPECT_EQ(written.rfind("\"Caf\xC3\xA9 card, paid\"\r\n", 0), 0u)
        << "a changed text is written in UTF-8";
    EXPECT_NE(written.find("\"Caf\xC3\xA9 in UTF-8\""), std::string::npos);
}

// One file may hold the same words in UTF-8 in one field and in Windows-1252 in
// another (typed by this program and by an older copy): each field keeps its
// own bytes while it is unchanged.
TEST(TextCodec, EachFieldKeepsItsOwnEncoding) {
    const std::string utf8 = "Caf\xC3\xA9", legacy = "Caf\xE9";
    Model m = test::SampleModel();
    m.debtSummary.itemName[0] = utf8;
    m.debtSummary.itemName[1] = legacy;
    m.debtSummary.itemName[2] = legacy + " bar";
    m.debtSummary.itemName[3] = utf8 + " bar";
    const std::string original = FileText(DataFile::Debt, m);
    Model read;
    DataError error;
    ASSERT_TRUE(ParseFile(DataFile::Debt, original, read, error));
    EXPECT_EQ(FileText(DataFile::Debt, read), original) << "saved unchanged: byte for byte";

    read.debtSummary.itemName[2] = utf8 + " bar, paid";  // the user edited one field
    const std::string edited = FileText(DataFile::Debt, read);
    std::string expected = original;
    const std::string before = "\"" + legacy + " bar\"";
    expected.replace(expected.find(before), before.size(), "\"" + utf8 + " bar, paid\"");
    EXPECT_EQ(edited, expected) << "the edited text in UTF-8, every other one as it was";
    Model back;
    ASSERT_TRUE(ParseFile(DataFile::Debt, edited, back, error));
    EXPECT_EQ(back.debtSummary.itemName[2], utf8 + " bar, paid");

    // The same file, since rewritten by another program in UTF-8 only: nothing
    // of the earlier read lingers.
    std::string rewritten = original;
    for (std::size_t at; (at = rewritten.find(legacy)) != std::string::npos;)
        rewritten.replace(at, legacy.size(), utf8);
    Model again;
    ASSERT_TRUE(ParseFile(DataFile::Debt, rewritten, again, error));
    EXPECT_EQ(FileText(DataFile::Debt, again), rewritten);
}

}  // namespace
}  // namespace dovanel
