#pragma once
// A loan scenario with every schedule filled, shared by the engine tests. The
// tables match tests/engine/reference/recalc_reference.py.

#include "engine/model.h"

namespace dovanel::test {

Model SampleModel();

// Sets the loan inputs and the derived type fields as the main window would;
// typeIndex counts in kOfferedMortgageTypes.
void SetLoan(Model& m, float price, float down, float rate, int typeIndex);

// The sample scenario with these loan inputs, recalculated.
Model SampleLoan(float price, float down, float rate, int typeIndex);

// The published Loan Estimate purchase sample: $180,000, 10 % down, 3.875 %
// for 30 years, with its itemized fees, recalculated.
Model EstimateSampleModel();

}  // namespace dovanel::test
