#include <algorithm>
#include <cstdlib>

#include "data/scenario_file.h"
#include "fuzz/fuzz_checks.h"

namespace dovanel::fuzz {

namespace {

// A scenario unlike a new one, so that a failed read that changed it shows.
Scenario Untouched() {
    Scenario s;
    s.info.name = "untouched";
    s.loanData.purchasePrice = 123.25f;
    s.debtSummary.itemName[30] = "last";
    return s;
}

void Check(bool property) {
    if (!property) std::abort();
}

}  // namespace

void CheckScenarioText(const std::string& text) {
    Scenario scenario = Untouched();
    const std::string before = ScenarioFileText(scenario);
    const ScenarioReadResult result = ParseScenarioText(text, scenario);
    if (!result) {
        Check(ScenarioFileText(scenario) == before);
        Check(!result.reason.empty());
        const auto lines = static_cast<int>(std::count(text.begin(), text.end(), '\n'));
        Check(result.line >= 1 && result.line <= lines + 1);
        return;
    }
    const std::string written = ScenarioFileText(scenario);
    Scenario again = Untouched();
    Check(ParseScenarioText(written, again).ok);
    Check(ScenarioFileText(again) == written);
}

}  // namespace dovanel::fuzz
