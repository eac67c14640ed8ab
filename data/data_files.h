#pragma once
// The nine data files the program reads and writes, each described once as a
// layout of records so that its reader and writer cannot disagree.

#include <iterator>
#include <string>

#include "data/file_write.h"
#include "data/item_io.h"
#include "engine/model.h"

namespace dovanel {

enum class DataFile { Estimate, Main, Pmi, Escrow, Title, Guidelines, Origination, Income, Debt };

// Every data file, in the order the program loads them.
inline constexpr DataFile kEveryDataFile[] = {
    DataFile::Estimate,    DataFile::Main,   DataFile::Pmi,
    DataFile::Escrow,      DataFile::Title,  DataFile::Guidelines,
    DataFile::Origination, DataFile::Income, DataFile::Debt};
inline constexpr int kDataFileCount = static_cast<int>(std::size(kEveryDataFile));

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

// Writes a data file of the model into `folder` (ending in a separator).
WriteResult SaveDataFile(DataFile file, const Model& model, const std::string& folder);

// The texts of a file read as Windows-1252 in this run, written back unchanged
// in the same bytes.
LegacyTexts& LegacyTextsOf(DataFile file);

// Reads a data file from `folder` into the model, with no questions asked.
bool LoadDataFile(DataFile file, Model& model, const std::string& folder, DataError& error);

}  // namespace dovanel
