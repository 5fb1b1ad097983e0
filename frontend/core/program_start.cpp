#include "frontend/core/program_start.h"

#include "frontend/core/frame_files.h"
#include "platform/paths.h"
#include "platform/text_encoding.h"
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

std::string TexFileNameProblem(const std::string& what, const std::string& source_path) {
  const std::string base = BaseNameOf(source_path);
  for (const char16_t unit : platform::DecodeGb18030(base)) {
    if (unit < 0x80 && std::string_view("%#{}~^").find(static_cast<char>(unit)) !=
                           std::string_view::npos) {
      return what + " 没有运行: TeX 读不了文件名 " + NamePartOf(source_path) + " 中的字符 \"" +
             static_cast<char>(unit) + "\", 请给文件改一个名字.";
    }
  }
  return std::string();
}

}  // namespace mox::varelo
