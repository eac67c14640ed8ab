#include <algorithm>
#include <cstdlib>

#include "data/recovery_file.h"
#include "fuzz/fuzz_checks.h"

namespace dovanel::fuzz {

namespace {

// A copy unlike a new one, so that a failed read that changed it shows.
RecoveryCopy Untouched() {
    RecoveryCopy copy;
    copy.kind = RecoveredKind::DefaultLoan;
    copy.name = "untouched";
    copy.written = 42;
    copy.scenario.loanData.purchasePrice = 123.25f;
    return copy;
}

void Check(bool property) {
    if (!property) std::abort();
}

}  // namespace

void CheckRecoveryText(const std::string& text) {
    RecoveryCopy header = Untouched();
    const std::string before = RecoveryText(header);
    const bool headerRead = ParseRecoveryHeader(text, header).ok;
    Check(headerRead || RecoveryText(header) == before);

    RecoveryCopy copy = Untouched();
    const ScenarioReadResult result = ParseRecoveryText(text, copy);
    if (!result) {
        Check(RecoveryText(copy) == before);
        Check(!result.reason.empty());
        const auto lines = static_cast<int>(std::count(text.begin(), text.end(), '\n'));
        Check(result.line >= 1 && result.line <= lines + 1);
        return;
    }
    Check(headerRead);  // a copy that reads has a header that reads
    Check(copy.kind != RecoveredKind::File || (!copy.path.empty() && copy.path[0] == '/'));
    const std::string written = RecoveryText(copy);
    RecoveryCopy again = Untouched();
    Check(ParseRecoveryText(written, again).ok);
    Check(RecoveryText(again) == written);
}

}  // namespace dovanel::fuzz
