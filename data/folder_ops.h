#pragma once
// The system's calls the installation of the data files makes on files and
// folders, each returning 0 or the system's error number. They sit in
// data/folder_ops_posix.cpp.

#include <string>

namespace dovanel {

// Reads a whole file into `text`; `missing` when there is none.
int ReadFileBytes(const std::string& path, std::string& text, bool& missing);

// Makes a new folder private to the user from `pattern`, whose last six
// characters "XXXXXX" are replaced to make its name unique.
int MakeTemporaryFolder(std::string& pattern);

// Renames a file or folder; a folder replaces only an empty one.
int RenamePath(const std::string& from, const std::string& to);

// Swaps two folders in one step.
int SwapFolders(const std::string& first, const std::string& second);

// Gives `folder` the permissions of `model`, where `model` exists.
void CopyFolderPermissions(const std::string& model, const std::string& folder);

}  // namespace dovanel
