#pragma once
// Scenarios for the tests of the files that hold one: every field listed by
// kind, a comparison bit for bit, and random scenarios with values of every
// class and texts of every byte.

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "engine/model.h"

namespace dovanel::test {

// A field added to the scenario must be written to its file, described in
// docs/scenario-format.md and listed below; this size tells when one was added.
static_assert(sizeof(Scenario) == 3464,
              "Scenario changed: add the new field to the scenario file, its documentation "
              "and the field lists of tests/data/random_scenario.h");

// Every field of a scenario, by kind: the tests' own list, independent of the file's keys.
struct Fields {
    std::vector<Single*> singles;
    std::vector<Integer*> integers;
    std::vector<std::string*> texts;
    std::vector<SpareItem::Kind*> kinds;
    std::vector<VaUse*> vaUses;
    std::vector<bool*> flags;
    std::vector<EstimateSection*> sections;
    std::size_t Count() const {
        return singles.size() + integers.size() + texts.size() + kinds.size() + vaUses.size() +
               flags.size() + sections.size();
    }
};

inline Fields FieldsOf(Scenario& s) {
    Fields f;
    LoanData& d = s.loanData;
    for (auto m : {&LoanData::downPaymentRate, &LoanData::purchasePrice, &LoanData::interestRate,
                   &LoanData::earnestMoney, &LoanData::monthlyDues, &LoanData::annualTaxes,
                   &LoanData::monthlyInsurance, &LoanData::monthlyIncome, &LoanData::monthlyDebt})
        f.singles.push_back(&(d.*m));
    for (auto m : {&LoanData::termYears, &LoanData::isArm, &LoanData::startDateSpecific})
        f.integers.push_back(&(d.*m));
    for (auto m : {&LoanData::mortgageTypeName, &LoanData::startDate}) f.texts.push_back(&(d.*m));
    for (SpareItem* spare : {&d.spare1, &d.spare2}) {
        f.kinds.push_back(&spare->kind);
        f.texts.push_back(&spare->text);
    }
    for (auto m : {&ScenarioInfo::name, &ScenarioInfo::note, &ScenarioInfo::savedDate})
        f.texts.push_back(&(s.info.*m));
    IncomeAnalysis& a = s.incomeAnalysis;
    for (int y = 1; y <= IncomeAnalysis::years; ++y) {
        for (int k = 1; k <= IncomeAnalysis::lines; ++k) f.singles.push_back(&a.line[k][y]);
        f.singles.push_back(&a.yearIncome[y]);
        f.texts.push_back(&a.yearLabel[y]);
    }
    f.singles.push_back(&a.averageYearIncome);
    f.singles.push_back(&a.averageMonthlyIncome);
    for (int i = 0; i < DebtSummary::items; ++i) {
        f.texts.push_back(&s.debtSummary.itemName[i]);
        f.singles.push_back(&s.debtSummary.itemAmount[i]);
    }
    f.vaUses.push_back(&s.government.vaUse);
    f.flags.push_back(&s.government.financeUpfront);
    f.singles.push_back(&s.government.fhaCountyLimit);
    EstimateDetails& e = s.estimate;
    f.texts.push_back(&e.closingDate);
    f.texts.push_back(&e.firstPaymentDate);
    f.integers.push_back(&e.keepFixedInterestDays);
    for (EstimateFee& fee : e.fees) {
        f.texts.push_back(&fee.name);
        f.singles.push_back(&fee.amount);
        f.sections.push_back(&fee.section);
        f.integers.push_back(&fee.financeCharge);
        f.integers.push_back(&fee.paidBySeller);
    }
    return f;
}

inline std::uint32_t Bits(Single value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// Empty when the two scenarios hold the same bits in every field, else the first difference.
inline std::string Difference(const Scenario& a, const Scenario& b) {
    Fields fa = FieldsOf(const_cast<Scenario&>(a)), fb = FieldsOf(const_cast<Scenario&>(b));
    for (std::size_t i = 0; i < fa.singles.size(); ++i)
        if (Bits(*fa.singles[i]) != Bits(*fb.singles[i]))
            return "single " + std::to_string(i) + ": " + std::to_string(*fa.singles[i]) +
                   " != " + std::to_string(*fb.singles[i]);
    for (std::size_t i = 0; i < fa.integers.size(); ++i)
        if (*fa.integers[i] != *fb.integers[i]) return "integer " + std::to_string(i);
    for (std::size_t i = 0; i < fa.texts.size(); ++i)
        if (*fa.texts[i] != *fb.texts[i]) return "text " + std::to_string(i);
    for (std::size_t i = 0; i < fa.kinds.size(); ++i)
        if (*fa.kinds[i] != *fb.kinds[i]) return "kind " + std::to_string(i);
    for (std::size_t i = 0; i < fa.vaUses.size(); ++i)
        if (*fa.vaUses[i] != *fb.vaUses[i]) return "VA use " + std::to_string(i);
    for (std::size_t i = 0; i < fa.flags.size(); ++i)
        if (*fa.flags[i] != *fb.flags[i]) return "flag " + std::to_string(i);
    for (std::size_t i = 0; i < fa.sections.size(); ++i)
        if (*fa.sections[i] != *fb.sections[i]) return "section " + std::to_string(i);
    return {};
}

// Floats of every class: any finite bit pattern, subnormals, the extremes,
// signed zeros and amounts in cents.
inline Single RandomSingle(std::mt19937_64& rng) {
    static const Single kExtremes[] = {0.0f,
                                       -0.0f,
                                       FLT_MAX,
                                       -FLT_MAX,
                                       FLT_MIN,
                                       -FLT_MIN,
                                       FLT_TRUE_MIN,
                                       -FLT_TRUE_MIN,
                                       std::nextafter(FLT_MIN, 0.0f),
                                       kIncomeNotEntered};
    std::uint32_t bits = static_cast<std::uint32_t>(rng());
    switch (rng() % 5) {
        case 0:
            return kExtremes[rng() % std::size(kExtremes)];
        case 1:
            bits &= 0x807FFFFFu;  // exponent 0: subnormal
            break;
        case 2:
            return static_cast<Single>(static_cast<double>(rng() % 100000000) / 100.0);
        default:
            if ((bits & 0x7F800000u) == 0x7F800000u) bits &= 0xBFFFFFFFu;  // no inf, no NaN
    }
    Single value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// Byte strings with every byte value, broken and valid UTF-8, and the
// characters the format escapes or splits at.
inline std::string RandomText(std::mt19937_64& rng) {
    static const char* const kPieces[] = {"\\",
                                          "\\x41",
                                          "\\n",
                                          "\n",
                                          "\r\n",
                                          "\r",
                                          "\t",
                                          "=",
                                          "\xC3\xA9",
                                          "\xC2\x85",
                                          "\xE2\x80\xA8",
                                          "\xF0\x9F\x98\x80",
                                          "\xED\xA0\x80",
                                          "\xC0\xAF",
                                          "\xF4\x90\x80\x80",
                                          "\xFF",
                                          "\x7F",
                                          "Dovanel scenario 1",
                                          "key=value",
                                          " "};
    std::string text;
    const std::size_t length = rng() % 4 == 0 ? 0 : rng() % 24;
    while (text.size() < length) {
        if (rng() % 3 == 0)
            text += kPieces[rng() % std::size(kPieces)];
        else
            text.push_back(static_cast<char>(rng() % 256));
    }
    return text;
}

inline Scenario RandomScenario(std::mt19937_64& rng) {
    Scenario s;
    Fields f = FieldsOf(s);
    for (Single* v : f.singles) *v = RandomSingle(rng);
    for (Integer* v : f.integers)
        *v = rng() % 8 == 0 ? (rng() % 2 ? INT16_MIN : INT16_MAX)
                            : static_cast<Integer>(static_cast<std::uint16_t>(rng()));
    for (std::string* v : f.texts) *v = RandomText(rng);
    for (SpareItem::Kind* v : f.kinds) *v = static_cast<SpareItem::Kind>(rng() % 3);
    for (VaUse* v : f.vaUses) *v = static_cast<VaUse>(rng() % 4);
    for (bool* v : f.flags) *v = rng() % 2 == 0;
    for (EstimateSection* v : f.sections) *v = static_cast<EstimateSection>(rng() % 7);
    return s;
}

}  // namespace dovanel::test
