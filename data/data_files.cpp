#include "data/data_files.h"

#include "data/file_read.h"

namespace dovanel {

namespace {
// Far more than any data file holds; a bigger one is not ours.
constexpr std::size_t kDataFileLimit = 16 << 20;
}  // namespace

const char* FileName(DataFile file) {
    switch (file) {
        case DataFile::Estimate:
            return "ESTIMATE.DAT";
        case DataFile::Main:
            return "MAIN.DAT";
        case DataFile::Pmi:
            return "PMI.DAT";
        case DataFile::Escrow:
            return "ESCROW.DAT";
        case DataFile::Title:
            return "TITLE.DAT";
        case DataFile::Guidelines:
            return "FANMAE.DAT";
        case DataFile::Origination:
            return "LOANORIG.DAT";
        case DataFile::Income:
            return "INCOME.DAT";
        case DataFile::Debt:
            return "DEBT.DAT";
    }
    return "";
}

namespace {

// Files of one item per record.
template <typename Array>
void OnePerRecord(Layout& layout, Array& array, int first, int last) {
    for (int i = first; i <= last; ++i) layout.push_back({&array[i]});
}

Layout MainLayout(LoanData& d) {
    return {{&d.downPaymentRate, &d.purchasePrice, &d.interestRate, &d.earnestMoney, &d.monthlyDues,
             &d.annualTaxes, &d.monthlyInsurance, &d.termYears, &d.mortgageTypeName, &d.isArm,
             &d.spare1, &d.spare2, &d.startDateSpecific, &d.startDate}};
}

Layout EstimateLayout(EstimateValues& e) {
    Record r;
    for (int i = 1; i <= 7; ++i) r.push_back(&e.costAmount[i]);
    r.insert(r.end(), {&e.interimInterestDays, &e.pmiImpoundMonths, &e.insurancePremiumMonths,
                       &e.insuranceImpoundMonths, &e.taxImpoundMonths, &e.applicationDeposit});
    for (int i = 1; i <= 7; ++i) r.push_back(&e.costName[i]);
    return {r};
}

Layout PmiLayout(PmiSchedule& p) {
    Record r;
    for (auto* table :
         {&p.conventionalPremium, &p.armPremium, &p.conventionalMonthly, &p.armMonthly})
        for (int b = 1; b <= 4; ++b) r.push_back(&(*table)[b]);
    return {r};
}

// All the fees first, then all the thresholds.
Layout FeeLayout(FeeTable& t) {
    Layout layout;
    OnePerRecord(layout, t.fee, FeeTable::firstRow, FeeTable::lastRow);
    OnePerRecord(layout, t.amount, FeeTable::firstRow, FeeTable::lastRow);
    return layout;
}

Layout GuidelineLayout(GuidelineRatios& g) {
    return {{&g.jumboLimit, &g.firstRatioUpTo90, &g.secondRatioUpTo90, &g.firstRatioAbove90,
             &g.secondRatioAbove90}};
}

Layout OriginationLayout(OriginationSchedule& o) {
    Layout layout;
    for (int i = 1; i <= OriginationSchedule::rows; ++i) {
        layout.push_back({&o.feeRate[i]});
        layout.push_back({&o.amountFrom[i]});
        layout.push_back({&o.amountTo[i]});
    }
    return layout;
}

// One record per year; the items after the 25 lines repeat in every record.
Layout IncomeLayout(IncomeAnalysis& a, LoanData& d) {
    Layout layout;
    for (int y = 1; y <= IncomeAnalysis::years; ++y) {
        Record r;
        for (int k = 1; k <= IncomeAnalysis::lines; ++k) r.push_back(&a.line[k][y]);
        r.push_back(&d.monthlyIncome);
        for (int i = 1; i <= 3; ++i) r.push_back(&a.yearLabel[i]);
        for (int i = 1; i <= 3; ++i) r.push_back(&a.yearIncome[i]);
        r.push_back(&a.averageYearIncome);
        layout.push_back(r);
    }
    return layout;
}

Layout DebtLayout(DebtSummary& s, LoanData& d) {
    Layout layout;
    for (int i = 0; i < DebtSummary::items; ++i) {
        layout.push_back({&s.itemName[i]});
        layout.push_back({&s.itemAmount[i]});
    }
    layout.push_back({&d.monthlyDebt});
    return layout;
}

}  // namespace

Layout LayoutOf(DataFile file, Model& m) {
    switch (file) {
        case DataFile::Estimate:
            return EstimateLayout(m.estimateValues);
        case DataFile::Main:
            return MainLayout(m.loanData);
        case DataFile::Pmi:
            return PmiLayout(m.pmiSchedule);
        case DataFile::Escrow:
            return FeeLayout(m.escrowFees);
        case DataFile::Title:
            return FeeLayout(m.titleFees);
        case DataFile::Guidelines:
            return GuidelineLayout(m.guidelineRatios);
        case DataFile::Origination:
            return OriginationLayout(m.originationSchedule);
        case DataFile::Income:
            return IncomeLayout(m.incomeAnalysis, m.loanData);
        case DataFile::Debt:
            return DebtLayout(m.debtSummary, m.loanData);
    }
    return {};
}

std::string FileText(DataFile file, const Model& model) {
    Model copy = model;  // layouts point into a model they may write; writing only reads them
    return WriteLayout(LayoutOf(file, copy), &LegacyTextsOf(file));
}

bool ParseFile(DataFile file, const std::string& text, Model& model, DataError& error) {
    ItemReader reader(text, &LegacyTextsOf(file));
    std::size_t slot = 0;
    for (const Record& record : LayoutOf(file, model)) {
        if (!reader.ReadRecord(record, error, slot)) return false;
        slot += record.size();
    }
    return true;
}

bool ReadWholeFile(const std::string& path, std::string& text, DataError& error) {
    const FileReadResult read = ReadRegularFile(path, kDataFileLimit, text);
    if (read) return true;
    error = read.missing ? data_error::FileNotFound() : data_error::FileAccess();
    return false;
}

LegacyTexts& LegacyTextsOf(DataFile file) {
    static LegacyTexts texts[kDataFileCount];
    return texts[static_cast<int>(file)];
}

WriteResult SaveDataFile(DataFile file, const Model& model, const std::string& folder) {
    return WriteFileAtomically(folder + FileName(file), FileText(file, model));
}

bool LoadDataFile(DataFile file, Model& model, const std::string& folder, DataError& error) {
    std::string text;
    return ReadWholeFile(folder + FileName(file), text, error) &&
           ParseFile(file, text, model, error);
}

}  // namespace dovanel
