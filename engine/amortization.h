#pragma once
// The amortization table of the current loan and the interest paid over its
// first years.

#include <string>
#include <vector>

#include "engine/model.h"

namespace dovanel {

struct AmortizationRow {
    int year = 0;
    int month = 0;
    double beginning = 0;
    double interest = 0;
    double principal = 0;
    double ending = 0;
    double ltv = 0;
    std::string line;  // the row as the table lists it, columns separated by tabs
};

struct Amortization {
    std::vector<AmortizationRow> rows;
    int pmiRemovalRow = 0;  // 1-based row from which PMI can be dropped; 0 for none
    std::string removePmiMessage;
};

// Every payment of the loan the last Recalculate left in the model.
Amortization ComputeAmortization(const Model& model);

// Whether the loan carries PMI at all (the same test as the main window's).
bool LoanCarriesPmi(const Model& model);

// The list line of one row: "Year 1 / Month 1<TAB>     $118,750.00<TAB><TAB>...".
std::string AmortizationLine(const AmortizationRow& row);

struct PartialTerm {
    double total = 0;
    std::string sentence;  // "Show total interest for the first [5] years of the mortgage."
    std::string label;     // "Total interest that will be paid: $43,427"
};

// Interest over the first `years` years; years beyond the term count the whole term.
PartialTerm PartialTermInterest(const Model& model, int years);

}  // namespace dovanel
