#include <algorithm>
#include <cstdlib>

#include "data/comparison_file.h"
#include "data/government_file.h"
#include "data/lender_file.h"
#include "fuzz/fuzz_checks.h"

namespace dovanel::fuzz {

namespace {

void Check(bool property) {
    if (!property) std::abort();
}

// A refused text leaves what it was read into alone and says where; an
// accepted one writes back to a text that reads to the same.
template <typename T, typename Parse, typename Write>
void CheckReader(const std::string& text, const T& untouched, Parse parse, Write write) {
    T value = untouched;
    const ScenarioReadResult result = parse(text, value);
    if (!result) {
        Check(write(value) == write(untouched));
        Check(!result.reason.empty());
        const auto lines = static_cast<int>(std::count(text.begin(), text.end(), '\n'));
        Check(result.line >= 0 && result.line <= lines + 2);
        return;
    }
    const std::string written = write(value);
    T again = untouched;
    Check(parse(written, again).ok);
    Check(write(again) == written);
}

}  // namespace

void CheckKeptFiles(const std::string& text) {
    ComparisonSet set;
    set.horizonYears = 3;
    set.columns.push_back({ComparisonColumnRecord::Source::kFile, "untouched", 0.01, "/x", {}});
    CheckReader(text, set, ParseComparisonText, ComparisonFileText);
    LenderInfo lender;
    lender.name = "untouched";
    CheckReader(text, lender, ParseLenderText, LenderFileText);
    GovernmentLoanTables tables;
    tables.year = 1999;
    CheckReader(text, tables, ParseGovernmentText, GovernmentFileText);
    CheckGovernmentTables(text);
}

// Tables that read are used: every program's charges are worked out from them
// without a fault.
void CheckGovernmentTables(const std::string& text) {
    GovernmentLoanTables tables;
    if (!ParseGovernmentText(text, tables)) return;
    for (GovernmentProgram program :
         {GovernmentProgram::kFha, GovernmentProgram::kVa, GovernmentProgram::kUsda}) {
        GovernmentLoanTerms terms;
        terms.program = program;
        terms.price = 400000;
        terms.downPayment = 14000;
        terms.annualRate = 0.0625;
        terms.vaUse = VaUse::kFirstUse;
        const GovernmentLoanCosts costs = ComputeGovernmentLoan(terms, tables);
        Check(costs.loanAmount >= costs.baseLoan && costs.upfront >= 0);
    }
}

}  // namespace dovanel::fuzz
