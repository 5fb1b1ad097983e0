#include "previewer/fonts/lookup_output.h"

#include <map>

#include "platform/paths.h"
#include "previewer/fonts/search_folders.h"

namespace mox {
namespace {

using NameIndex = std::map<std::string, std::vector<std::size_t>, std::less<>>;

// Gives the path to the first name of `key` that has none yet.
bool Answer(const NameIndex& index, const std::string& key, const std::string& path,
            std::vector<std::optional<std::string>>& answers) {
  const auto hit = index.find(key);
  if (hit == index.end()) return false;
  for (const std::size_t i : hit->second) {
    if (!answers[i]) {
      answers[i] = path;
      return true;
    }
  }
  return false;
}

}  // namespace

std::vector<std::optional<std::string>> MatchLookupOutput(const std::vector<std::string>& names,
                                                          std::string_view output) {
  NameIndex exact;
  NameIndex folded;
  for (std::size_t i = 0; i < names.size(); ++i) {
    exact[names[i]].push_back(i);
    folded[FoldAsciiCase(names[i])].push_back(i);
  }
  std::vector<std::optional<std::string>> answers(names.size());
  while (!output.empty()) {
    const std::size_t end = output.find('\n');
    std::string_view line = output.substr(0, end);
    output.remove_prefix(end == std::string_view::npos ? output.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty()) continue;
    const std::string path = platform::PathFromProgramOutput(line);
    // The names asked for hold neither separator byte, not even as the trail
    // byte of a character: the last such byte ends the folder.
    const std::size_t separator = path.find_last_of("/\\");
    const std::string name = separator == std::string::npos ? path : path.substr(separator + 1);
    if (!Answer(exact, name, path, answers)) Answer(folded, FoldAsciiCase(name), path, answers);
  }
  return answers;
}

}  // namespace mox
