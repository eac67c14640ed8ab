#include "engine/model.h"

#include <iterator>

#include "engine/format_value.h"

namespace dovanel {

const char* const kMortgageTypes[kMortgageTypeCount] = {
    "30 Year / Fixed Conventional",
    "20 Year / Fixed Conventional",
    "15 Year / Fixed Conventional",
    "10 Year / Fixed Conventional",
    "30 Year / Fixed VA",
    "20 Year / Fixed VA",
    "15 Year / Fixed VA",
    "10 Year / Fixed VA",
    "30 Year / 5 Year Adjustable (5/25)",
    "30 Year / 7 Year Adjustable (7/23)",
    "30 Year / 3 Year Adjustable (ARM)",
    "30 Year / 1 Year Adjustable (ARM)",
    "30 Year / 6 Month Adjustable (ARM)",
};

const char* const kGovernmentMortgageTypes[kGovernmentMortgageTypeCount] = {
    "30 Year / Fixed FHA",
    "15 Year / Fixed FHA",
    "30 Year / Fixed USDA",
};

const char* const kOfferedMortgageTypes[kOfferedMortgageTypeCount] = {
    kMortgageTypes[0],           kMortgageTypes[1],           kMortgageTypes[2],
    kMortgageTypes[3],           kMortgageTypes[4],           kMortgageTypes[5],
    kMortgageTypes[6],           kMortgageTypes[7],           kMortgageTypes[8],
    kMortgageTypes[9],           kMortgageTypes[10],          kMortgageTypes[11],
    kMortgageTypes[12],          kGovernmentMortgageTypes[0], kGovernmentMortgageTypes[1],
    kGovernmentMortgageTypes[2],
};

namespace {
bool EndsWith(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}
}  // namespace

Integer TermYearsOf(std::string_view typeName) {
    const double years = LeadingNumber(typeName.substr(0, 2));
    return static_cast<Integer>(years);
}

Integer IsArmOf(std::string_view typeName) {
    return EndsWith(typeName, "ARM)") ? 1 : 0;
}

bool IsVaType(std::string_view typeName) {
    return EndsWith(typeName, "VA");
}

GovernmentProgram GovernmentProgramOf(std::string_view typeName) {
    if (EndsWith(typeName, " FHA")) return GovernmentProgram::kFha;
    if (EndsWith(typeName, " USDA")) return GovernmentProgram::kUsda;
    if (IsVaType(typeName)) return GovernmentProgram::kVa;
    return GovernmentProgram::kNone;
}

bool CarriesProgramInsurance(std::string_view typeName) {
    const GovernmentProgram program = GovernmentProgramOf(typeName);
    return program == GovernmentProgram::kFha || program == GovernmentProgram::kUsda;
}

namespace {
constexpr const char* kSectionLetters[] = {"A", "B", "C", "E", "F", "G", "H"};
}  // namespace

const char* EstimateSectionLetter(EstimateSection section) {
    return kSectionLetters[static_cast<int>(section)];
}

bool EstimateSectionOfLetter(std::string_view letter, EstimateSection& section) {
    for (int i = 0; i < static_cast<int>(std::size(kSectionLetters)); ++i) {
        if (letter != kSectionLetters[i]) continue;
        section = static_cast<EstimateSection>(i);
        return true;
    }
    return false;
}

}  // namespace dovanel
