#include "frontend/core/tex_log_place.h"

#include "frontend/core/program_start.h"
#include "platform/file_system.h"
#include "platform/paths.h"
#include "platform/text_format.h"

namespace mox::varelo {
namespace {

bool IsAbsolute(const std::string& name) {
  if (name.empty()) return false;
  if (name[0] == '/' || name[0] == '\\') return true;
  const char c = name[0];
  return name.size() >= 2 && name[1] == ':' && ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'));
}

bool HasTexExtension(const std::string& path) {
  if (path.size() < 4) return false;
  std::string extension = path.substr(path.size() - 4);
  for (char& c : extension) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return extension == ".tex";
}

}  // namespace

std::string LogRelativeName(const std::string& name) {
  std::string_view rest = name;
  while (rest.substr(0, 2) == "./" || rest.substr(0, 2) == ".\\") rest.remove_prefix(2);
  return std::string(rest);
}

std::string LogFilePath(const std::string& name, const std::string& log_folder) {
  if (IsAbsolute(name)) return name;
  std::string relative = LogRelativeName(name);
  if (log_folder.empty()) return relative;
  if (std::string_view(platform::SeparatorToAppend(log_folder)) == "\\") ReplaceGbk(relative, '/', '\\');
  return JoinPath(log_folder, relative);
}

LogFileProbe FilesBeside(const std::string& log_path) {
  return [folder = FolderPartOf(log_path)](const std::string& name) {
    return platform::Files().Exists(LogFilePath(platform::PathFromProgramOutput(name), folder));
  };
}

SourcePlace SourcePlaceOf(const LogRow& row, const std::string& log_path) {
  const std::string folder = FolderPartOf(log_path);
  SourcePlace place;
  place.Line = row.Line;
  place.Column = row.Column;
  place.Path = LogFilePath(row.File.empty() ? BaseNameOf(log_path) + ".tex" : row.File, folder);
  if (HasTexExtension(place.Path)) {
    const std::string ctx = place.Path.substr(0, place.Path.size() - 4) + ".ctx";
    if (platform::Files().Exists(ctx)) place.Path = ctx;
  }
  return place;
}

}  // namespace mox::varelo
