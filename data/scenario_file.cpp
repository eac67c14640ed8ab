#include "data/scenario_file.h"

#include <algorithm>
#include <unordered_map>
#include <variant>
#include <vector>

#include "data/file_read.h"
#include "data/text_codec.h"
#include "data/value_text.h"

namespace dovanel {

namespace {

constexpr std::string_view kFormatPrefix = "Dovanel scenario ";
constexpr std::size_t kShownChars = 40;

std::string Indexed(const char* head, int index, const char* tail) {
    return head + std::to_string(index) + tail;
}

// The keys of a scenario, in the order they are written, with the fields they
// hold: `visit(name, field, since)`. `since` is the format version that
// brought the key in: a file of an older version lacks it, and the field then
// keeps its value in a new scenario. A key added later comes with the next
// version (kScenarioFormatVersion and docs/scenario-format.md).
template <typename S, typename Visit>
void InfoAndLoanKeys(S& s, Visit&& visit) {
    visit("info.name", s.info.name, 1);
    visit("info.note", s.info.note, 1);
    visit("info.savedDate", s.info.savedDate, 1);
    auto& d = s.loanData;
    visit("loan.downPaymentRate", d.downPaymentRate, 1);
    visit("loan.purchasePrice", d.purchasePrice, 1);
    visit("loan.interestRate", d.interestRate, 1);
    visit("loan.earnestMoney", d.earnestMoney, 1);
    visit("loan.monthlyDues", d.monthlyDues, 1);
    visit("loan.annualTaxes", d.annualTaxes, 1);
    visit("loan.monthlyInsurance", d.monthlyInsurance, 1);
    visit("loan.termYears", d.termYears, 1);
    visit("loan.mortgageTypeName", d.mortgageTypeName, 1);
    visit("loan.isArm", d.isArm, 1);
    visit("loan.spare1.kind", d.spare1.kind, 1);
    visit("loan.spare1.text", d.spare1.text, 1);
    visit("loan.spare2.kind", d.spare2.kind, 1);
    visit("loan.spare2.text", d.spare2.text, 1);
    visit("loan.startDateSpecific", d.startDateSpecific, 1);
    visit("loan.startDate", d.startDate, 1);
    visit("loan.monthlyIncome", d.monthlyIncome, 1);
    visit("loan.monthlyDebt", d.monthlyDebt, 1);
}

template <typename S, typename Visit>
void IncomeAndDebtKeys(S& s, Visit&& visit) {
    auto& a = s.incomeAnalysis;
    for (int y = 1; y <= IncomeAnalysis::years; ++y) {
        visit(Indexed("income.year", y, ".label"), a.yearLabel[y], 1);
        visit(Indexed("income.year", y, ".income"), a.yearIncome[y], 1);
    }
    visit("income.averageYearIncome", a.averageYearIncome, 1);
    visit("income.averageMonthlyIncome", a.averageMonthlyIncome, 1);
    for (int k = 1; k <= IncomeAnalysis::lines; ++k)
        for (int y = 1; y <= IncomeAnalysis::years; ++y)
            visit(Indexed("income.line", k, ".year") + std::to_string(y), a.line[k][y], 1);
    for (int i = 0; i < DebtSummary::items; ++i) {
        visit(Indexed("debt.item", i, ".name"), s.debtSummary.itemName[i], 1);
        visit(Indexed("debt.item", i, ".amount"), s.debtSummary.itemAmount[i], 1);
    }
}

template <typename S, typename Visit>
void GovernmentKeys(S& s, Visit&& visit) {
    visit("loan.vaUse", s.government.vaUse, 2);
    visit("loan.financeUpfront", s.government.financeUpfront, 2);
    visit("loan.fhaCountyLimit", s.government.fhaCountyLimit, 2);
}

template <typename S, typename Visit>
void EstimateKeys(S& s, Visit&& visit) {
    auto& e = s.estimate;
    visit("estimate.closingDate", e.closingDate, 2);
    visit("estimate.firstPaymentDate", e.firstPaymentDate, 2);
    visit("estimate.keepFixedInterestDays", e.keepFixedInterestDays, 2);
    for (int i = 0; i < EstimateDetails::maxFees; ++i) {
        auto& fee = e.fees[static_cast<std::size_t>(i)];
        visit(Indexed("estimate.fee", i + 1, ".name"), fee.name, 2);
        visit(Indexed("estimate.fee", i + 1, ".amount"), fee.amount, 2);
        visit(Indexed("estimate.fee", i + 1, ".section"), fee.section, 2);
        visit(Indexed("estimate.fee", i + 1, ".financeCharge"), fee.financeCharge, 2);
        visit(Indexed("estimate.fee", i + 1, ".paidBySeller"), fee.paidBySeller, 2);
    }
}

template <typename S, typename Visit>
void ForEachKey(S& s, Visit&& visit) {
    InfoAndLoanKeys(s, visit);
    IncomeAndDebtKeys(s, visit);
    GovernmentKeys(s, visit);
    EstimateKeys(s, visit);
}

constexpr const char* kKindNames[] = {"empty", "number", "text"};
constexpr const char* kVaUseNames[] = {"notIncluded", "firstUse", "subsequentUse", "exempt"};
constexpr const char* kFlagNames[] = {"no", "yes"};

const char* KindName(SpareItem::Kind kind) {
    return kKindNames[static_cast<int>(kind)];
}

// One of a few names: the index of the one that matches, or -1.
template <std::size_t N>
int NameIndex(std::string_view value, const char* const (&names)[N]) {
    for (std::size_t i = 0; i < N; ++i)
        if (value == names[i]) return static_cast<int>(i);
    return -1;
}

void AppendValue(std::string& out, SpareItem::Kind kind) {
    out += KindName(kind);
}
void AppendValue(std::string& out, VaUse use) {
    out += kVaUseNames[static_cast<int>(use)];
}
void AppendValue(std::string& out, bool flag) {
    out += kFlagNames[flag ? 1 : 0];
}
void AppendValue(std::string& out, const std::string& text) {
    AppendEscaped(out, text);
}
template <typename Number>
void AppendValue(std::string& out, Number value) {
    AppendNumber(out, value);
}

bool ReadValue(std::string_view value, SpareItem::Kind& kind, std::string& why) {
    for (auto k : {SpareItem::Kind::Empty, SpareItem::Kind::Number, SpareItem::Kind::Text}) {
        if (value != KindName(k)) continue;
        kind = k;
        return true;
    }
    why = "is not one of empty, number and text";
    return false;
}
bool ReadValue(std::string_view value, VaUse& use, std::string& why) {
    const int i = NameIndex(value, kVaUseNames);
    if (i < 0)
        why = "is not one of notIncluded, firstUse, subsequentUse and exempt";
    else
        use = static_cast<VaUse>(i);
    return i >= 0;
}
bool ReadValue(std::string_view value, bool& flag, std::string& why) {
    const int i = NameIndex(value, kFlagNames);
    if (i < 0)
        why = "is not one of no and yes";
    else
        flag = i == 1;
    return i >= 0;
}
void AppendValue(std::string& out, EstimateSection section) {
    out += EstimateSectionLetter(section);
}
bool ReadValue(std::string_view value, EstimateSection& section, std::string& why) {
    if (EstimateSectionOfLetter(value, section)) return true;
    why = "is not a section a fee can sit in (A, B, C, E, F, G or H)";
    return false;
}
bool ReadValue(std::string_view value, std::string& text, std::string& why) {
    return ReadEscaped(value, text, why);
}
template <typename Number>
bool ReadValue(std::string_view value, Number& number, std::string& why) {
    return ReadNumber(value, number, why);
}

// At most the first forty characters of a part of the file, for a message.
std::string Shown(std::string_view text) {
    std::size_t end = 0;
    char32_t c = 0;
    for (std::size_t chars = 0; end < text.size() && chars < kShownChars; ++chars)
        if (!NextUtf8(text, end, c)) ++end;
    return end < text.size() ? std::string(text.substr(0, end)) + "\u2026" : std::string(text);
}

std::string Quoted(std::string_view text) {
    return "\"" + Shown(text) + "\"";
}

using FieldRef = std::variant<Single*, double*, Integer*, std::string*, SpareItem::Kind*, VaUse*,
                              bool*, EstimateSection*>;

struct Slot {
    std::string name;
    FieldRef field;
    int since = 1;
    int line = 0;  // where the file set it; 0 while it has not
};

class Parser {
  public:
    explicit Parser(Scenario& into) {
        ForEachKey(into, [this](std::string name, auto& field, int since) {
            slots_.push_back({std::move(name), &field, since});
        });
        for (std::size_t i = 0; i < slots_.size(); ++i) index_.emplace(slots_[i].name, i);
    }
    Parser(const Parser&) = delete;  // the index points into the slots' names
    Parser& operator=(const Parser&) = delete;

    ScenarioReadResult Run(std::string_view text);

  private:
    ScenarioReadResult FormatLine(std::string_view line);
    ScenarioReadResult KeyLine(std::string_view line, int number);
    ScenarioReadResult MissingKeys(int lastLine) const;

    std::vector<Slot> slots_;
    std::unordered_map<std::string_view, std::size_t> index_;
    int version_ = 0;
};

ScenarioReadResult Failed(int line, std::string reason) {
    return {false, line, std::move(reason)};
}

ScenarioReadResult Parser::Run(std::string_view text) {
    if (text.empty()) return Failed(1, "The file is empty: it holds no scenario");
    int number = 0;
    for (std::size_t pos = 0; pos < text.size();) {
        ++number;
        const std::size_t end = text.find('\n', pos);
        std::string_view line = text.substr(pos, end == std::string_view::npos ? end : end - pos);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (std::string why = TextLineError(line); !why.empty()) return Failed(number, why);
        if (end == std::string_view::npos)
            return Failed(number, "The line has no line end: the file may be cut short");
        const ScenarioReadResult read = number == 1 ? FormatLine(line) : KeyLine(line, number);
        if (!read) return read;
        pos = end + 1;
    }
    return MissingKeys(number);
}

ScenarioReadResult Parser::FormatLine(std::string_view line) {
    const std::string_view digits = line.substr(std::min(line.size(), kFormatPrefix.size()));
    const bool named = line.substr(0, kFormatPrefix.size()) == kFormatPrefix;
    const bool numbered = !digits.empty() && digits[0] != '0' &&
                          digits.find_first_not_of("0123456789") == std::string_view::npos;
    if (!named || !numbered)
        return Failed(1, "This is not a Dovanel scenario file: its first line must read \"" +
                             std::string(kFormatPrefix) + std::to_string(kScenarioFormatVersion) +
                             "\", not " + Quoted(line));
    if (digits.size() > 4 || std::stoi(std::string(digits)) > kScenarioFormatVersion)
        return Failed(1, "A newer version of Dovanel wrote this file (scenario format " +
                             Shown(digits) + "); this version reads format " +
                             std::to_string(kScenarioFormatVersion) + " and older");
    version_ = std::stoi(std::string(digits));
    return {true, 1, {}};
}

ScenarioReadResult Parser::KeyLine(std::string_view line, int number) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return Failed(number, "The line " + Quoted(line) + " is not of the form key=value");
    const std::string_view key = line.substr(0, equals);
    const std::string_view value = line.substr(equals + 1);
    const auto found = index_.find(key);
    if (found == index_.end() || slots_[found->second].since > version_)
        return Failed(number, "The key " + Quoted(key) + " is unknown");
    Slot& slot = slots_[found->second];
    if (slot.line != 0)
        return Failed(number, "The key " + Quoted(key) + " appears a second time (first on line " +
                                  std::to_string(slot.line) + ")");
    std::string why;
    if (!std::visit([&](auto* field) { return ReadValue(value, *field, why); }, slot.field)) {
        const bool text = std::holds_alternative<std::string*>(slot.field);
        return Failed(number, "The value " + (text ? std::string() : Quoted(value) + " ") + "of " +
                                  Quoted(key) + " " + why);
    }
    slot.line = number;
    return {true, number, {}};
}

ScenarioReadResult Parser::MissingKeys(int lastLine) const {
    std::vector<const Slot*> missing;
    for (const Slot& slot : slots_)
        if (slot.line == 0 && slot.since <= version_) missing.push_back(&slot);
    if (missing.empty()) return {true, 0, {}};
    std::string reason = "The file ends without the key " + Quoted(missing.front()->name);
    if (missing.size() > 1)
        reason += " and " + std::to_string(missing.size() - 1) + " more: it may be cut short";
    return Failed(lastLine, reason);
}

}  // namespace

std::string ScenarioFileText(const Scenario& scenario) {
    std::string out(kFormatPrefix);
    out += std::to_string(kScenarioFormatVersion);
    out += '\n';
    ForEachKey(scenario, [&out](const std::string& name, const auto& field, int) {
        out += name;
        out += '=';
        AppendValue(out, field);
        out += '\n';
    });
    return out;
}

ScenarioReadResult ParseScenarioText(std::string_view text, Scenario& scenario) {
    Scenario read;
    ScenarioReadResult result = Parser(read).Run(text);
    if (result) scenario = std::move(read);
    return result;
}

ScenarioReadResult ReadScenarioFile(const std::string& path, Scenario& scenario) {
    std::string text;
    const FileReadResult read = ReadRegularFile(path, kScenarioFileLimit, text);
    if (!read) return Failed(0, read.reason);
    return ParseScenarioText(text, scenario);
}

std::string ScenarioReadMessage(const std::string& path, const ScenarioReadResult& result) {
    const std::string where =
        result.line > 0 ? "Line " + std::to_string(result.line) + ": " : std::string("Reason: ");
    return "The scenario could not be opened:\r" + path + "\r\r" + where + result.reason + ".";
}

}  // namespace dovanel
