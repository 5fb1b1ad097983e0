#include "previewer/fonts/search_folders.h"

#include <algorithm>
#include <map>

#include "platform/directories.h"
#include "platform/paths.h"
#include "platform/text_format.h"
#include "previewer/startup/option_tokens.h"

namespace mox {
namespace {

constexpr std::string_view kSeparators = "/\\";

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// Whether the text ends in a separator of its own (not the trail byte of a
// GBK character, which may be 0x5C).
bool EndsInSeparator(std::string_view text) {
  return !text.empty() && FindLastOfGbk(text, kSeparators) == text.size() - 1;
}

std::string Joined(const std::string& folder, const std::string& name) {
  if (EndsInSeparator(folder)) return folder + name;
  return folder + platform::SeparatorToAppend(folder) + name;
}

SearchFolder FolderOf(std::string_view element) {
  SearchFolder folder;
  int separators = 0;
  while (EndsInSeparator(element)) {
    element.remove_suffix(1);
    ++separators;
  }
  folder.WithSubfolders = separators >= 2;
  folder.Path = std::string(element);
  // A root keeps its separator: "C:" alone would be the drive's current
  // folder, and "" no folder at all.
  const bool drive = element.size() == 2 && element[1] == ':';
  if (separators > 0 && (element.empty() || drive)) folder.Path += element.empty() ? "/" : "\\";
  return folder;
}

}  // namespace

std::vector<SearchFolder> ParseSearchFolders(std::string_view text) {
  std::vector<SearchFolder> folders;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find(';', start);  // never a GBK trail byte
    if (end == std::string_view::npos) end = text.size();
    const std::string_view element = Trimmed(Unquoted(Trimmed(text.substr(start, end - start))));
    if (!element.empty()) folders.push_back(FolderOf(element));
    start = end + 1;
  }
  return folders;
}

std::vector<std::string> ExpandSearchFolders(const std::vector<SearchFolder>& folders) {
  std::vector<std::string> result;
  for (const SearchFolder& folder : folders) {
    std::vector<std::string> level{folder.Path};
    for (int depth = 0; !level.empty(); ++depth) {
      std::vector<std::string> next;
      for (const std::string& path : level) {
        if (result.size() >= kSearchedFolderLimit) return result;
        result.push_back(path);
        if (!folder.WithSubfolders || depth >= kSubfolderDepth) continue;
        std::vector<std::string> names = platform::FolderNamesIn(path);
        std::sort(names.begin(), names.end());
        for (const std::string& name : names) {
          if (result.size() + next.size() >= kSearchedFolderLimit) break;
          next.push_back(Joined(path, name));
        }
      }
      level = std::move(next);
    }
  }
  return result;
}

std::vector<std::optional<std::string>> FindInFolders(const std::vector<std::string>& folders,
                                                      const std::vector<std::string>& names) {
  std::map<std::string, std::vector<std::size_t>, std::less<>> exact;
  std::map<std::string, std::vector<std::size_t>, std::less<>> folded;
  for (std::size_t i = 0; i < names.size(); ++i) {
    exact[names[i]].push_back(i);
    folded[FoldAsciiCase(names[i])].push_back(i);
  }
  std::vector<std::optional<std::string>> found(names.size());
  std::vector<std::optional<std::string>> found_folded(names.size());
  std::size_t missing = names.size();
  for (const std::string& folder : folders) {
    if (missing == 0) break;
    for (const std::string& file : platform::FileNamesIn(folder)) {
      if (const auto hit = exact.find(file); hit != exact.end()) {
        for (const std::size_t i : hit->second) {
          if (!found[i]) {
            found[i] = Joined(folder, file);
            --missing;
          }
        }
      } else if (const auto near = folded.find(FoldAsciiCase(file)); near != folded.end()) {
        for (const std::size_t i : near->second) {
          if (!found_folded[i]) found_folded[i] = Joined(folder, file);
        }
      }
    }
  }
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (!found[i]) found[i] = std::move(found_folded[i]);
  }
  return found;
}

std::string FoldAsciiCase(std::string_view name) {
  std::string folded(name);
  for (std::size_t i = 0; i < folded.size(); ++i) {
    const auto byte = static_cast<unsigned char>(folded[i]);
    if (IsGbkLeadByte(byte)) {
      ++i;
    } else if (byte >= 'A' && byte <= 'Z') {
      folded[i] = static_cast<char>(byte - 'A' + 'a');
    }
  }
  return folded;
}

}  // namespace mox
