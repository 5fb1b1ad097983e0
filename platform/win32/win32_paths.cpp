#include "platform/paths.h"

namespace mox::platform {

const char* SeparatorToAppend(const std::string&) { return "\\"; }

std::string ProgramFileName(const std::string& upper_case_base_name) {
  return upper_case_base_name + ".EXE";
}

}  // namespace mox::platform
