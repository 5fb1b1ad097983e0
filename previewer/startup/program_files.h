// Names the previewer derives from the path of its program file (argument 0):
// its folder, its initialization file and its options environment variable.
// Both "\\" and "/" separate folders, so native paths work as well.
#pragma once

#include <string>
#include <string_view>

namespace mox {

bool IsPathSeparator(char c);

// The program path up to and including its last "\\", "/" or ":"; empty
// when it has none.
std::string ProgramDirectoryOf(std::string_view program_path);

// The program path with its last three characters replaced by "INI";
// empty (no initialization file) when the path is shorter than that.
std::string InitFilePathOf(std::string_view program_path);

// The initialization file's temporary name while it is rewritten: its last
// three characters replaced by "$$$" (empty for a path shorter than that).
std::string TemporaryInitPathOf(std::string_view init_path);

// The file name part of the program path with its last four characters
// (".EXE") replaced by "OPTS", upper-cased: moxwin32.exe gives
// MOXWIN32OPTS. Empty (no variable) when the name is shorter than four.
std::string OptionsVariableOf(std::string_view program_path);

}  // namespace mox
