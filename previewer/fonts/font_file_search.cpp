#include "previewer/fonts/font_file_search.h"

#include <set>
#include <string_view>
#include <utility>

#include "platform/current_directory.h"
#include "platform/file_system.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "previewer/fonts/font_file_search_texts.h"
#include "previewer/fonts/lookup_output.h"

namespace mox {
namespace {

constexpr std::string_view kProgramName = "kpsewhich";
// More than kpsewhich prints for the names of one command line.
constexpr std::size_t kLookupOutputLimit = 4 << 20;

class Kpsewhich final : public FileLookupProgram {
 public:
  std::optional<std::string> Run(const std::vector<std::string>& names) override {
    std::string command(kProgramName);
    for (const std::string& name : names) command.append(" ").append(name);
    // Its exit code counts the files it did not find: the output is the
    // answer whatever the code.
    std::optional<platform::ProgramOutput> run =
        platform::RunProgramForOutput(command, kLookupTimeLimitMs, kLookupOutputLimit);
    if (!run) return std::nullopt;
    return std::move(run->Output);
  }
};

// A name that goes on a command line and into a folder as it is: no folder
// in it, no blank, quote or character Windows refuses in names, and no
// leading "-" that kpsewhich would take for an option.
bool IsPlainFileName(std::string_view name) {
  if (name.empty() || name.front() == '-' || name == "." || name == "..") return false;
  constexpr std::string_view kRefused = "\"*/:<>?\\|";
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte <= ' ' || byte == 0x7F || kRefused.find(c) != std::string_view::npos) return false;
  }
  return true;
}

bool IsAbsolutePath(const std::string& path) {
  if (!path.empty() && (path.front() == '/' || path.front() == '\\')) return true;
  return path.size() >= 2 && path[1] == ':';
}

// kpsewhich names a file of the current folder "./name": made absolute, the
// answer stays right after the current folder changes (an open dialog
// changes it).
std::optional<std::string> UsableAnswer(std::optional<std::string> path) {
  if (!path) return std::nullopt;
  if (!IsAbsolutePath(*path)) {
    const std::string folder = platform::CurrentDirectoryFor(*path);
    *path = folder + platform::SeparatorToAppend(folder) + *path;
  }
  // A path the program cannot open (a Unix path printed under Wine) is
  // none.
  if (!platform::Files().Exists(*path)) return std::nullopt;
  return path;
}

}  // namespace

std::unique_ptr<FileLookupProgram> DefaultLookupProgram() { return std::make_unique<Kpsewhich>(); }

const Bilingual* FileSearchProblemText(FileSearchProblem problem) {
  return problem == FileSearchProblem::LookupNotRun ? &kLookupNotRun : nullptr;
}

FontFileSearch::FontFileSearch(std::string folders, std::unique_ptr<FileLookupProgram> program)
    : folders_(ParseSearchFolders(folders)), program_(std::move(program)) {}

void FontFileSearch::Prefetch(const std::vector<std::string>& file_names) {
  std::vector<std::string> wanted;
  std::set<std::string_view> listed;
  for (const std::string& name : file_names) {
    if (answers_.contains(name) || !listed.insert(name).second) continue;
    if (IsPlainFileName(name)) {
      wanted.push_back(name);
    } else {
      answers_[name] = std::nullopt;
    }
  }
  if (wanted.empty()) return;
  std::vector<std::optional<std::string>> found;
  if (!folders_.empty()) {
    if (!expanded_folders_) expanded_folders_ = ExpandSearchFolders(folders_);
    found = FindInFolders(*expanded_folders_, wanted);
  } else {
    found = AskProgram(wanted);
  }
  for (std::size_t i = 0; i < wanted.size(); ++i) answers_[wanted[i]] = std::move(found[i]);
}

std::optional<std::string> FontFileSearch::Find(const std::string& file_name) {
  auto known = answers_.find(file_name);
  if (known == answers_.end()) {
    Prefetch({file_name});
    known = answers_.find(file_name);
  }
  return known->second;
}

FileSearchProblem FontFileSearch::TakeProblem() {
  if (!problem_untold_) return FileSearchProblem::None;
  problem_untold_ = false;
  return FileSearchProblem::LookupNotRun;
}

std::vector<std::optional<std::string>> FontFileSearch::AskProgram(
    const std::vector<std::string>& names) {
  std::vector<std::optional<std::string>> found;
  found.reserve(names.size());
  std::vector<std::string> group;
  std::size_t length = kProgramName.size();
  const auto ask = [&] {
    for (std::optional<std::string>& path : AskProgramOnce(group)) found.push_back(std::move(path));
    group.clear();
    length = kProgramName.size();
  };
  for (const std::string& name : names) {
    if (!group.empty() && length + 1 + name.size() > kLookupCommandLimit) ask();
    group.push_back(name);
    length += 1 + name.size();
  }
  if (!group.empty()) ask();
  return found;
}

std::vector<std::optional<std::string>> FontFileSearch::AskProgramOnce(
    const std::vector<std::string>& names) {
  std::vector<std::optional<std::string>> found(names.size());
  if (program_failed_ || !program_) return found;
  const std::optional<std::string> output = program_->Run(names);
  if (!output) {
    program_failed_ = true;
    problem_untold_ = true;
    return found;
  }
  std::vector<std::optional<std::string>> printed = MatchLookupOutput(names, *output);
  for (std::size_t i = 0; i < names.size(); ++i) found[i] = UsableAnswer(std::move(printed[i]));
  return found;
}

}  // namespace mox
