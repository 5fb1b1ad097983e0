// How this platform writes paths and names programs.
#pragma once

#include <string>

namespace mox::platform {

// The separator to append to a directory that does not end in one: "\\" on
// Windows; natively "/" for a directory written with "/" only (a POSIX
// one), else "\\" (a Windows path kept as the user wrote it).
const char* SeparatorToAppend(const std::string& directory);

// A program's file name beside the others of the suite: "MAKEPK.EXE" on
// Windows, "makepk" natively.
std::string ProgramFileName(const std::string& upper_case_base_name);

}  // namespace mox::platform
