#include "data/scenario_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cfloat>
#include <cstring>
#include <filesystem>
#include <functional>
#include <random>
#include <vector>

#include "data/file_read.h"
#include "data/value_text.h"
#include "tests/data/random_scenario.h"
#include "tests/data/temp_folder.h"

namespace dovanel {
namespace {

namespace fs = std::filesystem;
using test::Bits;
using test::Difference;
using test::FieldsOf;
using test::RandomScenario;

std::vector<std::string> LinesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t pos = 0;
    for (std::size_t end; (end = text.find('\n', pos)) != std::string::npos; pos = end + 1)
        lines.push_back(text.substr(pos, end - pos));
    return lines;
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
}

// The line of `lines` that sets `key`, 0-based.
std::size_t LineOfKey(const std::vector<std::string>& lines, const std::string& key) {
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i].rfind(key + "=", 0) == 0) return i;
    ADD_FAILURE() << "no key " << key;
    return 0;
}

Scenario SampleScenario() {
    std::mt19937_64 rng(7);
    return RandomScenario(rng);
}

TEST(ScenarioFile, TenThousandRandomScenariosReadBackBitForBit) {
    std::mt19937_64 rng(20240524);
    for (int n = 0; n < 10000; ++n) {
        const Scenario written = RandomScenario(rng);
        Scenario read = RandomScenario(rng);  // every field must be overwritten
        const ScenarioReadResult result = ParseScenarioText(ScenarioFileText(written), read);
        ASSERT_TRUE(result) << "scenario " << n << ", line " << result.line << ": "
                            << result.reason;
        ASSERT_EQ(Difference(written, read), "") << "scenario " << n;
    }
}

TEST(ScenarioFile, WritesEveryFieldOnItsOwnLine) {
    Scenario s;
    const std::vector<std::string> lines = LinesOf(ScenarioFileText(s));
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], "Dovanel scenario 2");
    EXPECT_EQ(lines.size() - 1, FieldsOf(s).Count());
}

// Numbers in their shortest exact form, texts with their escapes.
TEST(ScenarioFile, WritesValuesReadably) {
    struct Case {
        std::function<void(Scenario&)> set;
        std::string line;
    } const cases[] = {
        {[](Scenario& s) { s.loanData.purchasePrice = 250000; }, "loan.purchasePrice=250000"},
        {[](Scenario& s) { s.loanData.interestRate = 0.07f; }, "loan.interestRate=0.07"},
        {[](Scenario& s) { s.loanData.monthlyDues = -0.0f; }, "loan.monthlyDues=-0"},
        {[](Scenario& s) { s.loanData.monthlyDebt = FLT_TRUE_MIN; }, "loan.monthlyDebt=1e-45"},
        {[](Scenario& s) { s.loanData.earnestMoney = -FLT_MAX; },
         "loan.earnestMoney=-3.4028235e+38"},
        {[](Scenario& s) { s.loanData.termYears = -32768; }, "loan.termYears=-32768"},
        {[](Scenario& s) { s.loanData.spare2.kind = SpareItem::Kind::Number; },
         "loan.spare2.kind=number"},
        {[](Scenario& s) { s.info.name = "Zo\xC3\xAB = \"O'Neil\""; },
         "info.name=Zo\xC3\xAB = \"O'Neil\""},
        {[](Scenario& s) { s.info.note = "a\\b\r\nc\td"; }, "info.note=a\\\\b\\r\\nc\\td"},
        {[](Scenario& s) { s.info.note = std::string("\0\x1B\x7F", 3); },
         "info.note=\\x00\\x1B\\x7F"},
        {[](Scenario& s) { s.info.note = "\xC2\x85\xE2\x82\xAC"; },
         "info.note=\\xC2\\x85\xE2\x82\xAC"},
        {[](Scenario& s) { s.info.note = "Caf\xE9 \xF0\x9F\x8F\xA0\xED\xA0\x80"; },
         "info.note=Caf\\xE9 \xF0\x9F\x8F\xA0\\xED\\xA0\\x80"},
    };
    for (const Case& c : cases) {
        Scenario s;
        c.set(s);
        const std::string key = c.line.substr(0, c.line.find('='));
        const std::vector<std::string> lines = LinesOf(ScenarioFileText(s));
        EXPECT_EQ(lines[LineOfKey(lines, key)], c.line);
    }
}

// No input makes a number that is not finite; should one arise, it is written
// as 0 so that the file still reads.
TEST(ScenarioFile, NumbersThatAreNotFiniteAreWrittenAsZero) {
    for (Single odd :
         {std::numeric_limits<Single>::infinity(), -std::numeric_limits<Single>::infinity(),
          std::numeric_limits<Single>::quiet_NaN()}) {
        Scenario s;
        s.incomeAnalysis.yearIncome[2] = odd;
        Scenario read;
        ASSERT_TRUE(ParseScenarioText(ScenarioFileText(s), read));
        EXPECT_EQ(Bits(read.incomeAnalysis.yearIncome[2]), Bits(0.0f));
    }
}

TEST(ScenarioFile, DoublesReadBackBitForBit) {
    std::mt19937_64 rng(99);
    for (int n = 0; n < 20000; ++n) {
        std::uint64_t bits = rng();
        if (n % 4 == 0) bits &= 0x800FFFFFFFFFFFFFull;  // subnormal
        double value;
        std::memcpy(&value, &bits, sizeof value);
        if (!std::isfinite(value)) continue;
        std::string text;
        AppendNumber(text, value);
        double back = 1;
        std::string why;
        ASSERT_TRUE(ReadNumber(text, back, why)) << text << " " << why;
        ASSERT_EQ(std::memcmp(&back, &value, sizeof value), 0) << text;
    }
}

// Forms a person may type: other number spellings, CR LF line ends, keys in
// any order, raw tabs, lower-case hexadecimal escapes.
TEST(ScenarioFile, ReadsWhatAPersonMayWrite) {
    const Scenario original = SampleScenario();
    const std::vector<std::string> lines = LinesOf(ScenarioFileText(original));

    std::string crlf;
    for (const std::string& line : lines) crlf += line + "\r\n";
    Scenario read;
    ASSERT_TRUE(ParseScenarioText(crlf, read));
    EXPECT_EQ(Difference(original, read), "");

    std::vector<std::string> reversed(lines.rbegin(), lines.rend() - 1);
    reversed.insert(reversed.begin(), lines[0]);
    ASSERT_TRUE(ParseScenarioText(Joined(reversed), read));
    EXPECT_EQ(Difference(original, read), "");

    struct Case {
        const char* line;
        std::function<bool(const Scenario&)> check;
    } const cases[] = {
        {"loan.purchasePrice=2.5e5",
         [](const Scenario& s) { return s.loanData.purchasePrice == 250000; }},
        {"loan.purchasePrice=250000.00",
         [](const Scenario& s) { return s.loanData.purchasePrice == 250000; }},
        {"loan.interestRate=.07",
         [](const Scenario& s) { return s.loanData.interestRate == 0.07f; }},
        {"loan.termYears=030", [](const Scenario& s) { return s.loanData.termYears == 30; }},
        {"loan.termYears=-0", [](const Scenario& s) { return s.loanData.termYears == 0; }},
        {"info.name=a\tb", [](const Scenario& s) { return s.info.name == "a\tb"; }},
        {"info.name=\\xe9\\x0a", [](const Scenario& s) { return s.info.name == "\xE9\n"; }},
        {"info.name=", [](const Scenario& s) { return s.info.name.empty(); }},
        {"info.name= x = y ", [](const Scenario& s) { return s.info.name == " x = y "; }},
    };
    for (const Case& c : cases) {
        std::vector<std::string> changed = lines;
        const std::string line = c.line;
        changed[LineOfKey(lines, line.substr(0, line.find('=')))] = line;
        Scenario s;
        const ScenarioReadResult result = ParseScenarioText(Joined(changed), s);
        EXPECT_TRUE(result) << c.line << ": " << result.reason;
        EXPECT_TRUE(c.check(s)) << c.line;
    }
}

// A file that cannot be read names its line and reason, and the scenario stays as it was.
TEST(ScenarioFile, MalformedFilesNameTheirLineAndLeaveTheScenario) {
    const std::vector<std::string> lines = LinesOf(ScenarioFileText(SampleScenario()));
    const auto at = [&](const std::string& key) { return LineOfKey(lines, key); };
    const auto replace = [&](const std::string& key, const std::string& line) {
        std::vector<std::string> changed = lines;
        changed[at(key)] = line;
        return Joined(changed);
    };
    const auto value = [&](const std::string& key, const std::string& v) {
        return replace(key, key + "=" + v);
    };
    const std::string whole = Joined(lines);
    const int last = static_cast<int>(lines.size());
    const int price = static_cast<int>(at("loan.purchasePrice")) + 1;
    const int term = static_cast<int>(at("loan.termYears")) + 1;
    const int note = static_cast<int>(at("info.note")) + 1;
    const int kind = static_cast<int>(at("loan.spare1.kind")) + 1;
    const int section = static_cast<int>(at("estimate.fee3.section")) + 1;
    std::vector<std::string> cut(lines.begin(), lines.begin() + 50);
    std::vector<std::string> without = lines;
    without.erase(without.begin() + at("loan.termYears"));
    const std::string binary("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16);

    struct Case {
        const char* what;
        std::string text;
        int line;
        std::string reason;
    } const cases[] = {
        {"empty file", "", 1, "The file is empty"},
        {"newer version", "Dovanel scenario 3\n" + whole.substr(whole.find('\n') + 1), 1,
         "A newer version of Dovanel wrote this file (scenario format 3); this version reads "
         "format 2 and older"},
        {"far newer version", "Dovanel scenario 1234567890123\n", 1,
         "scenario format 1234567890123"},
        {"other program's file", "[General]\nkey=value\n", 1, "not a Dovanel scenario file"},
        {"format line without version", "Dovanel scenario\n", 1, "its first line must read"},
        {"version with leading zero", "Dovanel scenario 01\n", 1, "not a Dovanel scenario file"},
        {"version 0", "Dovanel scenario 0\n", 1, "not a Dovanel scenario file"},
        {"minor version", "Dovanel scenario 1.1\n", 1, "not a Dovanel scenario file"},
        {"byte order mark", "\xEF\xBB\xBF" + whole, 1, "not a Dovanel scenario file"},
        {"binary file", binary, 1, "not UTF-8 text: the byte \\x89 at column 1"},
        {"NUL byte", replace("loan.purchasePrice", std::string("loan.purchasePrice=1\0", 21)),
         price, "NUL byte"},
        {"byte that is not UTF-8", value("info.note", "Caf\xE9"), note, "the byte \\xE9 at column"},
        {"control character", value("info.note", "a\x01"), note,
         "control character (written \\x01"},
        {"lone carriage return", value("info.note", "a\rb"), note, "written \\r"},
        {"C1 control character", value("info.note", "\xC2\x85"), note, "written \\xC2\\x85"},
        {"line without =", replace("loan.termYears", "loan.termYears 30"), term,
         "The line \"loan.termYears 30\" is not of the form key=value"},
        {"blank line", whole + "\n", last + 1, "is not of the form key=value"},
        {"unknown key", whole + "loan.colour=red\n", last + 1,
         "The key \"loan.colour\" is unknown"},
        {"key with a blank", replace("loan.termYears", "loan.termYears =30"), term,
         "The key \"loan.termYears \" is unknown"},
        {"duplicate key", whole + "loan.termYears=15\n", last + 1,
         "The key \"loan.termYears\" appears a second time (first on line " + std::to_string(term) +
             ")"},
        {"missing key", Joined(without), last - 1,
         "The file ends without the key \"loan.termYears\""},
        {"cut at a line end", Joined(cut), 50, "and 272 more: it may be cut short"},
        {"cut inside a line", whole.substr(0, whole.size() - 3), last, "no line end"},
        {"Integer too large", value("loan.termYears", "32768"), term,
         "The value \"32768\" of \"loan.termYears\" is out of range for an Integer"},
        {"Integer too small", value("loan.termYears", "-32769"), term,
         "out of range for an Integer"},
        {"Integer far too large", value("loan.termYears", "99999999999999999999"), term,
         "out of range"},
        {"Integer with a fraction", value("loan.termYears", "1.5"), term, "is not a whole number"},
        {"Integer with an exponent", value("loan.termYears", "3e1"), term, "is not a whole number"},
        {"empty Integer", value("loan.termYears", ""), term, "is not a whole number"},
        {"Integer with a plus", value("loan.termYears", "+30"), term, "is not a whole number"},
        {"Single too large", value("loan.purchasePrice", "3.4028236e38"), price,
         "is out of range for a Single (at most 3.4028235e+38, and no nonzero value nearer 0 than "
         "1e-45)"},
        {"Single too small", value("loan.purchasePrice", "7e-46"), price,
         "out of range for a Single"},
        {"infinity", value("loan.purchasePrice", "inf"), price, "is not a finite number"},
        {"negative infinity", value("loan.purchasePrice", "-infinity"), price,
         "not a finite number"},
        {"NaN", value("loan.purchasePrice", "nan"), price, "is not a finite number"},
        {"word", value("loan.purchasePrice", "lots"), price,
         "The value \"lots\" of \"loan.purchasePrice\" is not a number"},
        {"empty Single", value("loan.purchasePrice", ""), price, "is not a number"},
        {"thousands separator", value("loan.purchasePrice", "250,000"), price, "is not a number"},
        {"blank before a number", value("loan.purchasePrice", " 1"), price, "is not a number"},
        {"hexadecimal", value("loan.purchasePrice", "0x1p3"), price, "is not a number"},
        {"long value shown cut", value("loan.purchasePrice", std::string(100, '9') + "x"), price,
         "The value \"" + std::string(40, '9') + "\u2026\" of"},
        {"unknown escape", value("info.note", "a\\qb"), note,
         "The value of \"info.note\" has an unknown escape \"\\q\""},
        {"lone backslash", value("info.note", "a\\"), note, "ends in a lone backslash"},
        {"short hexadecimal escape", value("info.note", "\\x4"), note,
         "without two hexadecimal digits"},
        {"bad hexadecimal escape", value("info.note", "\\xG1"), note,
         "without two hexadecimal digits"},
        {"spare kind", value("loan.spare1.kind", "Number"), kind,
         "The value \"Number\" of \"loan.spare1.kind\" is not one of empty, number and text"},
        {"fee in a total's section", value("estimate.fee3.section", "D"), section,
         "The value \"D\" of \"estimate.fee3.section\" is not a section a fee can sit in"},
        {"fee section in lower case", value("estimate.fee3.section", "a"), section,
         "is not a section a fee can sit in"},
        {"fee amount with letters", value("estimate.fee3.amount", "12x"), section - 1,
         "is not a number"},
        {"a version 2 key in a version 1 file",
         "Dovanel scenario 1\n" + whole.substr(whole.find('\n') + 1),
         static_cast<int>(at("loan.vaUse")) + 1, "The key \"loan.vaUse\" is unknown"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Scenario before = SampleScenario();
        Scenario s = before;
        const ScenarioReadResult result = ParseScenarioText(c.text, s);
        EXPECT_FALSE(result);
        EXPECT_EQ(result.line, c.line);
        EXPECT_NE(result.reason.find(c.reason), std::string::npos) << result.reason;
        EXPECT_EQ(Difference(before, s), "");
    }
}

TEST(ScenarioFile, MessageNamesTheFileTheLineAndTheReason) {
    EXPECT_EQ(
        ScenarioReadMessage("/home/ann/Smith.dovanel", {false, 7, "The key \"x\" is unknown"}),
        "The scenario could not be opened:\r/home/ann/Smith.dovanel\r\rLine 7: The key \"x\" is "
        "unknown.");
    EXPECT_EQ(ScenarioReadMessage("/tmp/p", {false, 0, "It is a folder, not a file"}),
              "The scenario could not be opened:\r/tmp/p\r\rReason: It is a folder, not a file.");
}

// Files that are no scenario file, or stop being one while read: refused
// before or after reading, the scenario unchanged.
TEST(ScenarioFile, RefusesWhatIsNotAWholeRegularFile) {
    test::TempFolder folder;
    const std::string valid = ScenarioFileText(SampleScenario());
    test::Spit(folder.File("ok.dovanel"), valid);
    ASSERT_EQ(::mkfifo(folder.File("fifo.dovanel").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", folder.File("zero.dovanel"));
    fs::create_directory(folder.File("folder.dovanel"));
    test::Spit(folder.File("large.dovanel"), valid);
    fs::resize_file(folder.File("large.dovanel"), kScenarioFileLimit + 1);
    test::Spit(folder.File("binary.dovanel"), "Dovanel scenario 1\n" + std::string(64, '\0'));

    struct Case {
        const char* name;
        int line;
        std::string reason;
    } const cases[] = {
        {"missing.dovanel", 0, "No such file or directory"},
        {"fifo.dovanel", 0, "It is a named pipe (FIFO), not a file"},
        {"zero.dovanel", 0, "It is a device, not a file"},
        {"folder.dovanel", 0, "It is a folder, not a file"},
        {"large.dovanel", 0, "It is larger than 8 MB, the most this program reads"},
        {"binary.dovanel", 2, "NUL byte"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Scenario before = SampleScenario();
        Scenario s = before;
        const ScenarioReadResult result = ReadScenarioFile(folder.File(c.name), s);
        EXPECT_FALSE(result);
        EXPECT_EQ(result.line, c.line);
        EXPECT_NE(result.reason.find(c.reason), std::string::npos) << result.reason;
        EXPECT_EQ(Difference(before, s), "");
    }
}

// The largest file allowed reads, through a symbolic link too.
TEST(ScenarioFile, ReadsAFileOfTheLimitThroughALink) {
    test::TempFolder folder;
    Scenario written = SampleScenario();
    written.info.note.clear();
    const std::size_t rest = kScenarioFileLimit - ScenarioFileText(written).size();
    written.info.note = std::string(rest, 'n');
    test::Spit(folder.File("limit.dovanel"), ScenarioFileText(written));
    fs::create_symlink("limit.dovanel", folder.File("link.dovanel"));
    Scenario read;
    const ScenarioReadResult result = ReadScenarioFile(folder.File("link.dovanel"), read);
    ASSERT_TRUE(result) << result.reason;
    EXPECT_EQ(Difference(written, read), "");
}

// A file cut, grown or deleted between two pieces of the read.
TEST(ScenarioFile, FileChangedWhileReadIsRefused) {
    test::TempFolder folder;
    const std::string path = folder.File("s.dovanel");
    const std::string big(200 * 1024, 'x');
    struct Case {
        const char* what;
        std::function<void()> change;
        std::string reason;
    } const cases[] = {
        {"cut short", [&] { fs::resize_file(path, 1000); }, "It changed while it was read"},
        {"emptied", [&] { fs::resize_file(path, 0); }, "It changed while it was read"},
        {"grown", [&] { std::ofstream(path, std::ios::app) << "more"; },
         "It changed while it was read"},
        {"grown past the limit", [&] { fs::resize_file(path, kScenarioFileLimit + 10); },
         "It is larger than 8 MB, the most this program reads"},
        {"deleted", [&] { fs::remove(path); }, "It was deleted or replaced while it was read"},
        {"replaced",
         [&] { test::Spit(folder.File("new"), "x"), fs::rename(folder.File("new"), path); },
         "It was deleted or replaced while it was read"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::Spit(path, big);
        std::string text = "old";
        bool changed = false;
        const FileReadResult result = ReadRegularFile(path, kScenarioFileLimit, text, [&] {
            if (!changed) c.change();
            changed = true;
        });
        EXPECT_FALSE(result);
        EXPECT_EQ(result.reason, c.reason);
        EXPECT_EQ(text, "old");
    }
    test::Spit(path, big);
    std::string text;
    ASSERT_TRUE(ReadRegularFile(path, kScenarioFileLimit, text));
    EXPECT_EQ(text, big);
}

// A file of the first version has no estimate keys: it reads with the
// estimate's details of a new scenario (no fees, dates of the day).
TEST(ScenarioFile, VersionOneFileReadsWithNewEstimateDetails) {
    const Scenario written = SampleScenario();
    std::vector<std::string> lines = LinesOf(ScenarioFileText(written));
    const std::size_t first = LineOfKey(lines, "loan.vaUse");  // the first key of version 2
    lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(first), lines.end());
    lines[0] = "Dovanel scenario 1";
    Scenario read = SampleScenario();
    const ScenarioReadResult result = ParseScenarioText(Joined(lines), read);
    ASSERT_TRUE(result) << result.line << ": " << result.reason;
    Scenario expected = written;
    expected.estimate = EstimateDetails{};
    expected.government = GovernmentChoices{};
    EXPECT_EQ(Difference(expected, read), "");
}

// The example in docs/scenario-format.md is a whole file that reads.
TEST(ScenarioFile, DocumentedExampleReads) {
    const std::string example =
        test::Slurp(DOVANEL_SOURCE_ROOT "tests/data/scenarios/example.dovanel");
    const std::string doc = test::Slurp(DOVANEL_SOURCE_ROOT "docs/scenario-format.md");
    ASSERT_FALSE(example.empty());
    EXPECT_NE(doc.find("```\n" + example + "```\n"), std::string::npos);
    Scenario s;
    const ScenarioReadResult result = ParseScenarioText(example, s);
    ASSERT_TRUE(result) << result.line << ": " << result.reason;
    EXPECT_EQ(ScenarioFileText(s), example);
}

// A file of the first version has none of the government-loan keys: it reads
// with their defaults, so its loans come out as they always did.
TEST(ScenarioFile, FirstVersionReadsWithGovernmentDefaults) {
    const std::string v1 = test::Slurp(DOVANEL_SOURCE_ROOT "tests/data/scenarios/version1.dovanel");
    ASSERT_EQ(v1.substr(0, 19), "Dovanel scenario 1\n");
    Scenario s;
    s.government = {VaUse::kExempt, false, 5};
    const ScenarioReadResult result = ParseScenarioText(v1, s);
    ASSERT_TRUE(result) << result.line << ": " << result.reason;
    EXPECT_EQ(s.government.vaUse, VaUse::kNotIncluded);
    EXPECT_TRUE(s.government.financeUpfront);
    EXPECT_EQ(s.government.fhaCountyLimit, 0.0f);
    // A government key in a file of the first version is one that version lacks.
    Scenario t;
    const ScenarioReadResult late = ParseScenarioText(v1 + "loan.vaUse=exempt\n", t);
    EXPECT_FALSE(late);
    EXPECT_NE(late.reason.find("\"loan.vaUse\" is unknown"), std::string::npos) << late.reason;
}

TEST(ScenarioFile, GovernmentChoicesReadBackAndBadOnesAreRefused) {
    const std::string base = ScenarioFileText(Scenario{});
    struct Case {
        const char* line;
        bool ok;
        VaUse use;
        bool finance;
    } const cases[] = {
        {"loan.vaUse=firstUse", true, VaUse::kFirstUse, true},
        {"loan.vaUse=subsequentUse", true, VaUse::kSubsequentUse, true},
        {"loan.vaUse=exempt", true, VaUse::kExempt, true},
        {"loan.financeUpfront=no", true, VaUse::kNotIncluded, false},
        {"loan.vaUse=FirstUse", false, VaUse::kNotIncluded, true},
        {"loan.vaUse=1", false, VaUse::kNotIncluded, true},
        {"loan.financeUpfront=1", false, VaUse::kNotIncluded, true},
        {"loan.financeUpfront=", false, VaUse::kNotIncluded, true},
    };
    for (const Case& c : cases) {
        const std::string key = std::string(c.line).substr(0, std::string(c.line).find('=') + 1);
        const std::size_t at = base.find("\n" + key) + 1;
        std::string text = base;
        text.replace(at, base.find('\n', at) - at, c.line);
        Scenario s;
        const ScenarioReadResult result = ParseScenarioText(text, s);
        EXPECT_EQ(static_cast<bool>(result), c.ok) << c.line << ": " << result.reason;
        if (!c.ok) continue;
        EXPECT_EQ(s.government.vaUse, c.use) << c.line;
        EXPECT_EQ(s.government.financeUpfront, c.finance) << c.line;
        EXPECT_EQ(ScenarioFileText(s), text) << c.line;
    }
}

}  // namespace
}  // namespace dovanel
