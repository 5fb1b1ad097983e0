// The command runner's two parameters, the TeX folder and the source file,
// kept in "\\tex.loc" in the program folder: a text file of two lines.
#pragma once

#include <string>

namespace mox::varelo {

struct TexLocation {
  std::string TexDir;
  std::string Source;
};

inline constexpr char kDefaultSource[] = "D:\\emtex\\ch0.ctx";

// The TeX tools folder installed beside the program (its batch files run
// the TeX distribution found on the search path): where the folder box
// starts without a "\\tex.loc", instead of a DOS-era "D:\\EMTEX" that a
// current system does not have.
std::string TexToolsFolder(const std::string& program_dir);

std::string TexLocationFile(const std::string& program_dir);

// The parameters at the start: line 1 and line 2 of "\\tex.loc" (a line end
// "\r\n" or "\n"), each of any length; what the file lacks (the file, or its
// second line) keeps the initial value.
TexLocation LoadTexLocation(const std::string& program_dir);

// Writes "\\tex.loc" anew; false with the reason (GBK) when it could not.
bool SaveTexLocation(const std::string& program_dir, const TexLocation& location,
                     std::string& reason);

}  // namespace mox::varelo
