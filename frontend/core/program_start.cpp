#include "frontend/core/program_start.h"

#include "frontend/core/frame_files.h"
#include "platform/paths.h"
#include "platform/text_format.h"

namespace mox::varelo {

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string JoinPath(const std::string& folder, const std::string& name) {
  const std::size_t last = FindLastOfGbk(folder, "\\/");
  const bool ends_in_separator = !folder.empty() && last == folder.size() - 1;
  return folder + (ends_in_separator ? "" : platform::SeparatorToAppend(folder)) + name;
}

std::string FolderPartOf(const std::string& path) {
  const std::size_t last = FindLastOfGbk(path, "\\/:");
  if (last == std::string::npos) return std::string();
  if (path[last] == ':') return path.substr(0, last + 1);
  // A separator right after the drive or at the start is the root itself.
  const bool root = last == 0 || (last == 2 && path[1] == ':');
  return path.substr(0, root ? last + 1 : last);
}

std::string BaseNameOf(const std::string& path) {
  const std::string name = NamePartOf(path);
  const std::size_t dot = FindLastOfGbk(name, ".");
  return dot == std::string::npos ? name : name.substr(0, dot);
}

}  // namespace mox::varelo
