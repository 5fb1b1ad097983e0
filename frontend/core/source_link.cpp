#include "frontend/core/source_link.h"

#include <algorithm>
#include <limits>

namespace mox::varelo {
namespace {

bool IsLineNumber(const std::string& text) {
  if (text.empty() || text.size() > 9) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

}  // namespace

std::size_t LineStartByte(std::string_view text, std::int32_t line) {
  std::size_t at = 0;
  for (std::int32_t n = 1; n < line; ++n) {
    const std::size_t end = text.find_first_of("\r\n", at);
    if (end == std::string_view::npos) return text.size();
    at = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
  }
  return at;
}

std::int32_t LineOfByte(std::string_view text, std::size_t offset) {
  std::int32_t line = 1;
  const std::size_t end = std::min(offset, text.size());
  for (std::size_t i = 0; i < end; ++i) {
    if (text[i] == '\n' || (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'))) {
      if (line < std::numeric_limits<std::int32_t>::max()) ++line;
    }
  }
  return line;
}

std::string DviFileOf(const std::string& source) {
  return JoinPath(FolderPartOf(source), BaseNameOf(source) + ".dvi");
}

ForwardSearch ForwardSearchFor(const std::string& program_dir, const std::string& source,
                               std::int32_t line) {
  ForwardSearch search;
  search.Position = {line, source, DviFileOf(source)};
  const std::string dvi = search.Position.DviFile;
  search.Previewer.CommandLine = Quoted(JoinPath(program_dir, "moxwin32.exe")) + " -S" +
                                 std::to_string(line) + ":" + Quoted(source) + " " + Quoted(dvi);
  search.Previewer.WorkingFolder = FolderPartOf(dvi);
  search.Previewer.ShowMode = kShowNormal;
  return search;
}

std::int32_t CommandLineLine(const std::vector<std::string>& arguments) {
  return arguments.size() > 2 && IsLineNumber(arguments[2]) ? std::stoi(arguments[2]) : 0;
}

}  // namespace mox::varelo
