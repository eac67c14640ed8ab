#pragma once
// What the save-kill test saves: every data file and the settings file, each
// in two versions of different lengths, so that a file read afterwards shows
// whether it is the whole old one, the whole new one, or neither.

#include <string>
#include <vector>

#include "data/data_files.h"
#include "tests/engine/sample_model.h"

namespace dovanel::test {

struct SavedFile {
    std::string name;
    std::string versions[2];
    bool settings = false;  // DV.INI rather than a data file of the model
    DataFile file = DataFile::Main;
};

// The second version: every file differs from the sample, most in length.
inline Model ChangedModel() {
    Model b = SampleModel();
    b.loanData.purchasePrice = 1234567.5f;
    b.loanData.mortgageTypeName = "Caf\xC3\xA9 and a much longer mortgage type name";
    b.estimateValues.costName[3] = "Appraisal, with a longer name than before";
    b.debtSummary.itemName[7] = "Car loan";
    b.debtSummary.itemAmount[7] = 415.25f;
    for (int row = 1; row <= 120; ++row) b.escrowFees.fee[row] += 0.5f;
    for (int k = 1; k <= 25; ++k) b.incomeAnalysis.line[k][2] = 1000.125f * k;
    b.guidelineRatios.jumboLimit = 766550;
    b.originationSchedule.feeRate[2] = 0.00875f;
    b.pmiSchedule.armMonthly[3] = 0.0123f;
    b.titleFees.amount[60] = 999999;
    return b;
}

// The two models the data files are saved from.
inline const Model& KillTestModel(int version) {
    static const Model models[2] = {SampleModel(), ChangedModel()};
    return models[version];
}

inline std::vector<SavedFile> KillTestFiles() {
    std::vector<SavedFile> files;
    for (DataFile file : kEveryDataFile)
        files.push_back({FileName(file),
                         {FileText(file, KillTestModel(0)), FileText(file, KillTestModel(1))},
                         false,
                         file});
    files.push_back({"DV.INI",
                     {"[General]\r\nShow Quick Start Information=YES\r\n",
                      "[General]\r\nShow Quick Start Information=NO\r\n; checked\r\n"},
                     true});
    return files;
}

}  // namespace dovanel::test
