#include "frontend/core/source_link.h"


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
