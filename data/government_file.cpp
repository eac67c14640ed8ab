#include "data/government_file.h"

#include <sstream>
#include <utility>
#include <vector>

#include "data/file_read.h"
#include "data/text_lines.h"
#include "data/value_text.h"

namespace dovanel {

namespace {

constexpr std::string_view kFormatLine = "Dovanel government loans 1";

ScenarioReadResult Failed(int line, std::string reason) {
    return {false, line, std::move(reason)};
}

// The single figures, in the order written.
std::vector<std::pair<const char*, double GovernmentLoanTables::*>> Figures() {
    using T = GovernmentLoanTables;
    return {{"fha.upfrontRate", &T::fhaUpfrontRate},
            {"fha.minimumDown", &T::fhaMinimumDown},
            {"fha.largeLoanThreshold", &T::fhaLargeLoanThreshold},
            {"usda.upfrontRate", &T::usdaUpfrontRate},
            {"usda.annualRate", &T::usdaAnnualRate},
            {"limit.conforming", &T::conformingLimit},
            {"limit.highCost", &T::highCostLimit},
            {"limit.fhaFloor", &T::fhaFloor},
            {"limit.fhaCeiling", &T::fhaCeiling}};
}

std::string Number(double value) {
    std::string out;
    AppendNumber(out, value);
    return out;
}

std::string FhaRowText(const FhaAnnualPremiumRow& row) {
    return std::string(row.longTerm ? "long " : "short ") + (row.largeLoan ? "large " : "small ") +
           Number(row.ltvUpTo) + " " + Number(row.rate) + " " + std::to_string(row.years);
}

std::string VaRowText(const VaFundingFeeRow& row) {
    return Number(row.downFrom) + " " + Number(row.firstUse) + " " + Number(row.subsequentUse);
}

// The words of a row, separated by single spaces.
std::vector<std::string> Words(std::string_view value) {
    std::vector<std::string> words;
    std::istringstream in{std::string(value)};
    for (std::string w; in >> w;) words.push_back(w);
    return words;
}

bool ReadRate(const std::string& word, double& field, std::string& why) {
    if (!ReadNumber(word, field, why)) return false;
    if (field >= 0 && field <= 1000) return true;
    why = "holds " + word + ", which is not a share from 0 to 1000";
    return false;
}

bool ReadFhaRow(std::string_view value, FhaAnnualPremiumRow& row, std::string& why) {
    const std::vector<std::string> w = Words(value);
    if (w.size() != 5 || (w[0] != "long" && w[0] != "short") ||
        (w[1] != "small" && w[1] != "large")) {
        why = "is not \"long|short small|large LTV rate years\"";
        return false;
    }
    row.longTerm = w[0] == "long";
    row.largeLoan = w[1] == "large";
    Integer years = 0;
    if (!ReadRate(w[2], row.ltvUpTo, why) || !ReadRate(w[3], row.rate, why) ||
        !ReadNumber(w[4], years, why))
        return false;
    row.years = years;
    if (years >= 0 && years <= 100) return true;
    why = "gives years that are not from 0 to 100";
    return false;
}

bool ReadVaRow(std::string_view value, VaFundingFeeRow& row, std::string& why) {
    const std::vector<std::string> w = Words(value);
    if (w.size() != 3) {
        why = "is not \"down-payment first-use subsequent-use\"";
        return false;
    }
    return ReadRate(w[0], row.downFrom, why) && ReadRate(w[1], row.firstUse, why) &&
           ReadRate(w[2], row.subsequentUse, why);
}

// Reads the lines one by one: each key in its order; the table rows repeat
// their key, and at least one row of each table is needed.
class Reader {
  public:
    explicit Reader(std::string_view text) : lines_(text) {}

    ScenarioReadResult Run(GovernmentLoanTables& t);

  private:
    bool Next(std::string_view& key, std::string_view& value);
    ScenarioReadResult Expect(std::string_view key, std::string_view& value);
    ScenarioReadResult Bad(std::string_view key, const std::string& why) const {
        return Failed(number_, "The value of \"" + std::string(key) + "\" " + why);
    }

    TextLines lines_;
    int number_ = 0;  // the line read last, or the one missing
    std::string lineError_;
};

bool Reader::Next(std::string_view& key, std::string_view& value) {
    std::string_view line;
    const bool read = lines_.Next(line);
    number_ = read ? lines_.number() : lines_.number() + 1;
    if (!read) return false;
    lineError_ = TextLineError(line);
    const std::size_t equals = line.find('=');
    key = line.substr(0, equals == std::string_view::npos ? line.size() : equals);
    value = equals == std::string_view::npos ? std::string_view() : line.substr(equals + 1);
    return true;
}

ScenarioReadResult Reader::Expect(std::string_view key, std::string_view& value) {
    std::string_view found;
    if (!Next(found, value)) return Failed(number_, "The file is cut short");
    if (!lineError_.empty()) return Failed(number_, lineError_);
    if (found != key)
        return Failed(number_, "The line should start with \"" + std::string(key) + "=\"");
    return {true, number_, {}};
}

ScenarioReadResult Reader::Run(GovernmentLoanTables& t) {
    std::string_view key, value;
    if (!Next(key, value) || key != kFormatLine || !lineError_.empty())
        return Failed(1, "This is not a government loan tables file this version of Dovanel wrote");
    std::string why;
    Integer year = 0, shortTerm = 0;
    if (ScenarioReadResult r = Expect("year", value); !r) return r;
    if (!ReadNumber(value, year, why) || year < 1900)
        return Bad("year", why.empty() ? "is not a year" : why);
    t.year = year;
    if (ScenarioReadResult r = Expect("fha.shortTermYears", value); !r) return r;
    if (!ReadNumber(value, shortTerm, why) || shortTerm < 0)
        return Bad("fha.shortTermYears", why.empty() ? "is below 0" : why);
    t.fhaShortTermYears = shortTerm;
    for (const auto& [name, field] : Figures()) {
        if (ScenarioReadResult r = Expect(name, value); !r) return r;
        if (!ReadNumber(value, t.*field, why) || !(t.*field >= 0))
            return Bad(name, why.empty() ? "is below 0" : why);
    }
    t.fhaAnnual.clear();
    t.vaFundingFee.clear();
    while (!lines_.AtEnd()) {
        if (!Next(key, value)) return Failed(number_, "The file is cut short");
        if (!lineError_.empty()) return Failed(number_, lineError_);
        if (key == "fha.annual") {
            if (!ReadFhaRow(value, t.fhaAnnual.emplace_back(), why)) return Bad(key, why);
        } else if (key == "va.fundingFee") {
            if (!ReadVaRow(value, t.vaFundingFee.emplace_back(), why)) return Bad(key, why);
        } else {
            return Failed(number_, "The key \"" + std::string(key) + "\" is unknown");
        }
    }
    if (t.fhaAnnual.empty() || t.vaFundingFee.empty())
        return Failed(number_, "The file has no fha.annual or no va.fundingFee row");
    return {true, 0, {}};
}

}  // namespace

std::string GovernmentFileText(const GovernmentLoanTables& t) {
    std::string out(kFormatLine);
    out += "\nyear=" + std::to_string(t.year) + "\n";
    out += "fha.shortTermYears=" + std::to_string(t.fhaShortTermYears) + "\n";
    for (const auto& [name, field] : Figures()) out += name + ("=" + Number(t.*field)) + "\n";
    for (const FhaAnnualPremiumRow& row : t.fhaAnnual)
        out += "fha.annual=" + FhaRowText(row) + "\n";
    for (const VaFundingFeeRow& row : t.vaFundingFee)
        out += "va.fundingFee=" + VaRowText(row) + "\n";
    return out;
}

ScenarioReadResult ParseGovernmentText(std::string_view text, GovernmentLoanTables& tables) {
    GovernmentLoanTables read;
    const ScenarioReadResult result = Reader(text).Run(read);
    if (!result) return result;
    // Tables that make no sense (a band that never applies, a rate above 100 %)
    // would give wrong figures without a word: they are refused like a bad line.
    const std::string problem = GovernmentTablesProblem(read);
    if (!problem.empty()) return Failed(0, problem);
    tables = std::move(read);
    return result;
}

ScenarioReadResult ReadGovernmentFile(const std::string& path, GovernmentLoanTables& tables) {
    std::string text;
    const FileReadResult file = ReadRegularFile(path, kGovernmentFileLimit, text);
    if (file.missing) {
        tables = GovernmentLoanTables();
        return {true, 0, {}};
    }
    if (!file) return Failed(0, file.reason);
    return ParseGovernmentText(text, tables);
}

}  // namespace dovanel
