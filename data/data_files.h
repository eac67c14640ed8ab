#pragma once
// The nine data files the program reads and writes, each described once as a
// layout of records so that its reader and writer cannot disagree.

#include <string>

#include "data/item_io.h"
#include "engine/model.h"

namespace dovanel {

enum class DataFile { Estimate, Main, Pmi, Escrow, Title, Guidelines, Origination, Income, Debt };

// "MAIN.DAT", "ESTIMATE.DAT", ...
const char* FileName(DataFile file);

// The records of a file, pointing into `model`.
Layout LayoutOf(DataFile file, Model& model);

// The exact text of a file written from `model`.
std::string FileText(DataFile file, const Model& model);

// Reads a file's text into `model`; on failure the fields read so far keep
// their new values. Used where a file is read without questions to the user.
bool ParseFile(DataFile file, const std::string& text, Model& model, DataError& error);

// Reads a whole file into memory.
bool ReadWholeFile(const std::string& path, std::string& text, DataError& error);

// The outcome of writing a file: on failure, the system's reason ("Permission
// denied", "No space left on device") for the user to read.
struct WriteResult {
    bool ok = false;
    std::string reason;
    explicit operator bool() const { return ok; }
};

// Replaces a file's contents without ever leaving it empty or cut short: the
// text goes to a temporary file in the same folder, is flushed to disk and then
// renamed over the original. A read-only file is left as it is. On failure
// nothing was written and the result says why.
WriteResult WriteFileAtomically(const std::string& path, const std::string& text);

// Writes a data file of the model into `folder` (ending in a separator).
WriteResult SaveDataFile(DataFile file, const Model& model, const std::string& folder);

// Reads a data file from `folder` into the model, with no questions asked.
bool LoadDataFile(DataFile file, Model& model, const std::string& folder, DataError& error);

}  // namespace dovanel
