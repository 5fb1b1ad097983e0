#include <cctype>

#include "platform/paths.h"

namespace mox::platform {

const char* SeparatorToAppend(const std::string& directory) {
  const bool posix =
      directory.find('/') != std::string::npos && directory.find('\\') == std::string::npos;
  return posix ? "/" : "\\";
}

std::string ProgramFileName(const std::string& upper_case_base_name) {
  std::string name = upper_case_base_name;
  for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return name;
}

std::string PathFromProgramOutput(std::string_view line) { return std::string(line); }

}  // namespace mox::platform
