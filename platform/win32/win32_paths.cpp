#include "platform/paths.h"

#include "platform/text_encoding.h"

namespace mox::platform {

const char* SeparatorToAppend(const std::string&) { return "\\"; }

std::string ProgramFileName(const std::string& upper_case_base_name) {
  return upper_case_base_name + ".EXE";
}

std::string PathFromProgramOutput(std::string_view line) {
  std::string path;
  std::size_t failed_at = 0;
  if (IsUtf8Text(line) && EncodeGb18030(DecodeUtf8(line), path, failed_at)) return path;
  return std::string(line);
}

}  // namespace mox::platform
