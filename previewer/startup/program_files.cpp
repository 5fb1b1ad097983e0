#include "previewer/startup/program_files.h"

#include "platform/text_format.h"

namespace mox {
namespace {

std::string ReplaceTail(std::string_view text, std::string_view tail) {
  if (text.size() < tail.size()) return std::string();
  std::string result(text.substr(0, text.size() - tail.size()));
  result.append(tail);
  return result;
}

// Upper-cases the ASCII letters of GBK text.
std::string UpperGbk(std::string_view text) {
  std::string result(text);
  for (std::size_t i = 0; i < result.size(); ++i) {
    if (IsGbkLeadByte(static_cast<unsigned char>(result[i]))) {
      ++i;
    } else if (result[i] >= 'a' && result[i] <= 'z') {
      result[i] = static_cast<char>(result[i] - 'a' + 'A');
    }
  }
  return result;
}

// Index just after the last folder separator or drive colon.
std::size_t NameStart(std::string_view path) {
  const std::size_t last = FindLastOfGbk(path, "\\/:");
  return last == std::string_view::npos ? 0 : last + 1;
}

}  // namespace

bool IsPathSeparator(char c) { return c == '\\' || c == '/'; }

std::string ProgramDirectoryOf(std::string_view program_path) {
  return std::string(program_path.substr(0, NameStart(program_path)));
}

std::string InitFilePathOf(std::string_view program_path) {
  return ReplaceTail(program_path, "INI");
}

std::string TemporaryInitPathOf(std::string_view init_path) {
  return ReplaceTail(init_path, "$$$");
}

std::string OptionsVariableOf(std::string_view program_path) {
  const std::string_view name = program_path.substr(NameStart(program_path));
  return UpperGbk(ReplaceTail(name, "OPTS"));
}

}  // namespace mox
