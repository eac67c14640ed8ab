#pragma once
// Loading every data file when the main window opens, and saving the loan data.

#include <string>

#include "data/data_files.h"
#include "data/scenario_file.h"
#include "engine/model.h"

namespace dovanel {

enum class LoadAnswer { Abort, Retry, Ignore };

// The questions the load puts to the user. The main window answers them with
// message boxes; tests answer from a script.
class LoadQuestions {
  public:
    virtual ~LoadQuestions() = default;
    // The "Missing File" box; the program ends once it is closed.
    virtual void MissingFile(const std::string& message) = 0;
    // The Abort/Retry/Ignore box ("53 - File not found"), Ignore the default.
    virtual LoadAnswer LoadFailed(const std::string& message) = 0;
    // A data file that could not be read and is done without; the load goes on.
    virtual void Notice(const std::string& message) = 0;
};

enum class LoadOutcome {
    Complete,     // go on with the control set-up (failures may have been ignored)
    Aborted,      // the user stopped the load: open the window with what was read
    MissingFile,  // a data file is missing: end the program
};

// Reads ESTIMATE.DAT, MAIN.DAT, PMI.DAT, ESCROW.DAT, TITLE.DAT, FANMAE.DAT,
// LOANORIG.DAT, INCOME.DAT and DEBT.DAT from `folder` (ending in a separator),
// in this order, putting every failure to `ask`; then LENDER.DAT and GOVLOANS.DAT,
// whose absence means no lender and the built-in tables. Government tables that
// cannot be read are told as a notice and the built-in ones are used.
LoadOutcome LoadAllDataFiles(Model& model, const std::string& folder, LoadQuestions& ask,
                             int currentYear);

std::string MissingFileMessage(const std::string& path, const std::string& productName);
// The load-error box's text: the error ("53 - File not found") and the file it was reading.
std::string LoadErrorMessage(const DataError& error, const std::string& path);

// "The <what> could not be read:", the path, and "Line N: " (when known) with the reason.
std::string UnreadableFileText(const std::string& what, const std::string& path,
                               const ScenarioReadResult& read);
// The notice for government tables that cannot be read.
std::string UnreadableGovernmentMessage(const std::string& path, const ScenarioReadResult& read);

// Year captions still reading "YYYY" become the three years before the current one.
void ApplyYearCaptions(IncomeAnalysis& analysis, int currentYear);

// Writes MAIN.DAT; on failure the result says why.
WriteResult SaveLoanData(const Model& model, const std::string& folder);

}  // namespace dovanel
