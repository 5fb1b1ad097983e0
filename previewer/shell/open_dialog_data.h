// What the file-open dialog starts with: its flags are the window's, the
// filter, default extension and the folder of the document named at start.
#pragma once

#include <string>

namespace mox {

inline constexpr char kOpenDialogFilter[] =
    "DVI/DBA (*.dvi;*.dba)|*.dvi;*.dba|DVI files (*.dvi)|*.dvi|"
    "DVI-BMF arch. (*.dba)|*.dba|All files (*.*)|*.*||";
inline constexpr char kOpenDialogExtension[] = "dvi";

// The folder part of a document path, written with '/': the path is cut
// before its last '/', '\\' or ':' that is not its first character (a ':'
// stays with the folder; a separator in the first position is the root).
// Empty for an empty path or a bare name.
std::string OpenDialogInitialDirectory(const std::string& path);

}  // namespace mox
