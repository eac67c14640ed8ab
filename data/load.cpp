#include "data/load.h"

#include <filesystem>

#include "data/data_files.h"
#include "data/government_file.h"
#include "data/lender_file.h"

namespace dovanel {

namespace {

enum class Step { Done, Skipped, Abort };

// Runs one operation until it succeeds or the user gives up on it.
template <typename Operation>
Step Attempt(LoadQuestions& ask, const std::string& path, Operation operation) {
    for (;;) {
        DataError error;
        if (operation(error)) return Step::Done;
        switch (ask.LoadFailed(LoadErrorMessage(error, path))) {
            case LoadAnswer::Abort:
                return Step::Abort;
            case LoadAnswer::Ignore:
                return Step::Skipped;
            case LoadAnswer::Retry:
                break;
        }
    }
}

// Reads one file record by record. After an ignored open, every read fails in turn.
bool LoadOne(DataFile file, Model& model, const std::string& path, LoadQuestions& ask) {
    std::string text;
    const Step open =
        Attempt(ask, path, [&](DataError& e) { return ReadWholeFile(path, text, e); });
    if (open == Step::Abort) return false;
    const bool opened = open == Step::Done;
    ItemReader reader(text, &LegacyTextsOf(file));
    std::size_t slot = 0;
    for (const Record& record : LayoutOf(file, model)) {
        const std::size_t start = reader.position();
        const std::size_t firstSlot = slot;
        slot += record.size();
        const Step read = Attempt(ask, path, [&](DataError& e) {
            if (!opened) {
                e = data_error::BadFileNumber();
                return false;
            }
            reader.set_position(start);
            return reader.ReadRecord(record, e, firstSlot);
        });
        if (read == Step::Abort) return false;
    }
    return true;
}

}  // namespace

std::string LoadErrorMessage(const DataError& error, const std::string& path) {
    return error.Text() + "\r\r" + path;
}

std::string MissingFileMessage(const std::string& path, const std::string& productName) {
    const std::string quoted = "\"" + productName + "\"";
    return "The following data file was missing: " + path + "\r\r" +
           "You must either locate the file and copy to the same location as " + quoted +
           " or reinstall " + quoted + " for computations to work properly.";
}

std::string UnreadableFileText(const std::string& what, const std::string& path,
                               const ScenarioReadResult& read) {
    const std::string where = read.line > 0 ? "Line " + std::to_string(read.line) + ": " : "";
    return "The " + what + " could not be read:\r" + path + "\r\r" + where + read.reason + ".";
}

std::string UnreadableGovernmentMessage(const std::string& path, const ScenarioReadResult& read) {
    return UnreadableFileText("government loan tables", path, read) + "\r\r" + kProductName +
           " uses its built-in tables for " + std::to_string(GovernmentLoanTables().year) +
           " instead and leaves the file as it is. Ok in Tools, Change the Government Loan "
           "Tables replaces it.";
}

void ApplyYearCaptions(IncomeAnalysis& analysis, int currentYear) {
    if (analysis.yearLabel[1] != "YYYY") return;
    for (int i = 1; i <= 3; ++i) analysis.yearLabel[i] = std::to_string(currentYear - 4 + i);
}

LoadOutcome LoadAllDataFiles(Model& model, const std::string& folder, LoadQuestions& ask,
                             int currentYear) {
    for (DataFile file : kEveryDataFile) {
        const std::string path = folder + FileName(file);
        std::error_code ec;
        if (file != DataFile::Income && !std::filesystem::is_regular_file(path, ec)) {
            ask.MissingFile(MissingFileMessage(path, kProductName));
            return LoadOutcome::MissingFile;
        }
        if (!LoadOne(file, model, path, ask)) return LoadOutcome::Aborted;
        if (file == DataFile::Income) ApplyYearCaptions(model.incomeAnalysis, currentYear);
    }
    // The lender's information is optional: none, or one that cannot be read, is no lender.
    if (!ReadLenderFile(folder + kLenderFileName, model.lender)) model.lender = LenderInfo();
    // The government loan tables likewise: none are the built-in ones, and so are ones that
    // cannot be read, which the user is told about; the file is left as it is.
    const std::string government = folder + kGovernmentFileName;
    if (const ScenarioReadResult read = ReadGovernmentFile(government, model.governmentTables);
        !read) {
        model.governmentTables = GovernmentLoanTables();
        ask.Notice(UnreadableGovernmentMessage(government, read));
    }
    return LoadOutcome::Complete;
}

WriteResult SaveLoanData(const Model& model, const std::string& folder) {
    return SaveDataFile(DataFile::Main, model, folder);
}

}  // namespace dovanel
