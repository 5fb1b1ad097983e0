#include "previewer/startup/program_files.h"

namespace mox {
namespace {

std::string ReplaceTail(std::string_view text, std::string_view tail) {
  if (text.size() < tail.size()) return std::string();
  std::string result(text.substr(0, text.size() - tail.size()));
  result.append(tail);
  return result;
}

// Whether text[i] starts a double-byte GBK character; then text[i + 1] is
// its second byte, which may have the code of an ASCII letter or of "\\".
bool StartsDoubleByte(std::string_view text, std::size_t i) {
  const auto lead = static_cast<unsigned char>(text[i]);
  if (lead < 0x81 || lead > 0xFE || i + 1 >= text.size()) return false;
  const auto trail = static_cast<unsigned char>(text[i + 1]);
  return trail >= 0x40 && trail <= 0xFE && trail != 0x7F;
}

// Upper-cases the ASCII letters of GBK text.
std::string UpperGbk(std::string_view text) {
  std::string result(text);
  for (std::size_t i = 0; i < result.size(); ++i) {
    if (StartsDoubleByte(result, i)) {
      ++i;
    } else if (result[i] >= 'a' && result[i] <= 'z') {
      result[i] = static_cast<char>(result[i] - 'a' + 'A');
    }
  }
  return result;
}

// Index just after the last folder separator or drive colon, found by a
// forward scan over whole characters.
std::size_t NameStart(std::string_view path) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (StartsDoubleByte(path, i)) {
      ++i;
    } else if (IsPathSeparator(path[i]) || path[i] == ':') {
      start = i + 1;
    }
  }
  return start;
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
