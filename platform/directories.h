// Folders as GBK paths: creating them with their parents, a fresh temporary
// folder, removing a folder with everything in it, and the files and
// folders in one.
#pragma once

#include <string>
#include <vector>

namespace mox::platform {

// Creates the folder and every missing parent. True when it exists as a
// folder afterwards.
bool MakeDirectories(const std::string& path);

// Whether the path names an existing folder.
bool IsDirectory(const std::string& path);

// A new empty folder in the system's temporary folder whose name begins with
// prefix; empty when none could be made.
std::string MakeTemporaryDirectory(const std::string& prefix);

// Removes the folder and everything in it; nothing happens when it is gone.
void RemoveDirectoryTree(const std::string& path);

// The names of the files (not folders) in a folder; none when it cannot be
// read.
std::vector<std::string> FileNamesIn(const std::string& folder);

// The names of the folders in a folder (links to folders among them), in
// no particular order; none when it cannot be read.
std::vector<std::string> FolderNamesIn(const std::string& folder);

}  // namespace mox::platform
