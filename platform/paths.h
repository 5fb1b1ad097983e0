// How this platform writes paths and names programs.
#pragma once

#include <string>
#include <string_view>

namespace mox::platform {

// The separator to append to a directory that does not end in one: "\\" on
// Windows; natively "/" for a directory written with "/" only (a POSIX
// one), else "\\" (a Windows path kept as the user wrote it).
const char* SeparatorToAppend(const std::string& directory);

// A program's file name beside the others of the suite: "MAKEPK.EXE" on
// Windows, "makepk" natively.
std::string ProgramFileName(const std::string& upper_case_base_name);

// A path another program printed (kpsewhich), as this program holds paths.
// On Windows a line of valid UTF-8 with characters beyond ASCII (what the
// programs of TeX Live and MiKTeX print) becomes GB18030; natively, where
// paths are the system's bytes, and for any other line the bytes stay.
std::string PathFromProgramOutput(std::string_view line);

}  // namespace mox::platform
