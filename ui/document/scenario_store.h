#pragma once
// The one place that knows where each document lives and reads and writes it:
// - the default loan: every data file at start (the settings into the desk),
//   MAIN.DAT on Save, INCOME.DAT and DEBT.DAT on the Ok of their screens;
// - a scenario file (.dovanel): written whole on Save, with the date saved;
// - a new scenario: started from the installed default loan.
// Every failure is told to the user; nothing is written into the data folder
// anywhere else.

#include <QString>
#include <memory>

#include "data/data_files.h"
#include "data/load.h"
#include "ui/document/scenario_document.h"

class QWidget;

namespace dovanel {

class LenderDesk;

// The file dialogs' filter.
inline constexpr char kScenarioFilter[] = "Dovanel scenarios (*.dovanel);;All files (*)";
inline constexpr char kScenarioSuffix[] = "dovanel";

// The start-up load of every data file from the data folder into the default
// loan, asking about every failure over `owner`; the settings then go to the
// document's desk.
LoadOutcome LoadDefaultLoan(QWidget* owner, ScenarioDocument& document);

// Saves the document where it lives; an untitled one asks for a file first.
// `ending`: the program is about to end, so a failed write of MAIN.DAT may be
// tried again. True when its changes are saved.
bool SaveDocument(QWidget* owner, ScenarioDocument& document, bool ending = false);

// Asks for a scenario file and saves the document there; the document then
// lives in that file (the default loan's data files stay as last saved). False
// when cancelled or not written (told).
bool SaveDocumentAs(QWidget* owner, ScenarioDocument& document);

// The path the user named, with ".dovanel" added when the name has no suffix.
QString WithScenarioSuffix(const QString& path);

// Reads a scenario file into a new document over the desk; on failure tells
// why (the file, the line, the reason) and gives none.
std::unique_ptr<ScenarioDocument> OpenScenario(QWidget* owner, LenderDesk& desk,
                                               const QString& path);

// A new, untitled scenario: the installed default loan (MAIN.DAT, INCOME.DAT
// with this year's captions, DEBT.DAT from the program folder), or, when those
// cannot be read, a blank one of the first mortgage type.
std::unique_ptr<ScenarioDocument> NewScenario(LenderDesk& desk);

// The Ok of the income analysis or the debt summary (`part` INCOME.DAT or
// DEBT.DAT): the default loan writes that file at once (a failure is told);
// any other document becomes modified and is written by its next Save.
// False when the file could not be written.
bool ConfirmScenarioPart(QWidget* owner, ScenarioDocument& document, DataFile part);

// Writes one data file of the lender's settings on an editor's Ok; a failure
// is told (the values stay in memory). True when written.
bool SaveSettingsFile(QWidget* owner, DataFile file, const LenderSettings& settings);

}  // namespace dovanel
