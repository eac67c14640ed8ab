#pragma once
// Telling the user that a file could not be written: a warning that names the
// file's full path and the system's reason. Every save of the program reports
// its failure through here.

#include <QString>

#include "data/data_files.h"

class QWidget;

namespace dovanel {

struct Model;

// What became of the values that could not be written: the message's last paragraph.
inline constexpr char kValuesKeptInMemory[] =
    "The values are kept in memory and used until the program ends, but the file still "
    "holds the old ones.";

// "The file could not be saved:", the path, the reason and `consequence`.
QString WriteFailureText(const QString& path, const WriteResult& result,
                         const QString& consequence);

// A warning box with the program's name as title; the path is shown as written.
void ReportWriteFailure(QWidget* parent, const QString& path, const WriteResult& result,
                        const QString& consequence);

// The same warning with Retry and Cancel: true when the user wants another try.
bool AskRetryWrite(QWidget* parent, const QString& path, const WriteResult& result,
                   const QString& consequence);

// Writes one data file of an editor's Ok into the data folder; a failure is
// reported, saying that the values are kept in memory. True when written.
bool SaveDataFileReported(QWidget* parent, DataFile file, const Model& model);

// A failed write of the settings file, reported once a session at most.
void ReportSettingsWriteFailure(QWidget* parent, const WriteResult& result);

}  // namespace dovanel
