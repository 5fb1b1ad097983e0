// Any text as what kpsewhich printed and as a user's search path for VF and
// TFM files. The input's first line holds the names asked (separated by
// blanks), the rest is the output. Every answer must belong to its name;
// every folder of the path must be a folder's name.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "previewer/fonts/lookup_output.h"
#include "previewer/fonts/search_folders.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::size_t end = text.find('\n');
  const std::string_view first = text.substr(0, end);
  const std::string_view output =
      end == std::string_view::npos ? std::string_view() : text.substr(end + 1);

  // Names never hold a separator (the search refuses them).
  std::vector<std::string> names;
  for (std::size_t at = 0; at <= first.size();) {
    std::size_t blank = first.find(' ', at);
    if (blank == std::string_view::npos) blank = first.size();
    const std::string_view name = first.substr(at, blank - at);
    if (!name.empty() && name.find_first_of("/\\") == std::string_view::npos) {
      names.emplace_back(name);
    }
    at = blank + 1;
  }
  const std::vector<std::optional<std::string>> answers = mox::MatchLookupOutput(names, output);
  if (answers.size() != names.size()) std::abort();
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (!answers[i]) continue;
    const std::string& path = *answers[i];
    const std::size_t separator = path.find_last_of("/\\");
    const std::string last = separator == std::string::npos ? path : path.substr(separator + 1);
    if (mox::FoldAsciiCase(last) != mox::FoldAsciiCase(names[i])) std::abort();
  }

  for (const mox::SearchFolder& folder : mox::ParseSearchFolders(text)) {
    if (folder.Path.empty() || folder.Path.find(';') != std::string::npos) std::abort();
  }
  return 0;
}
