#include <cstdio>
#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "previewer/startup/option_tokens.h"
#include "previewer/startup/options.h"
#include "previewer/startup/program_files.h"

namespace mox {
namespace {

// The settings written at the end of the file replace the file's own
// resolution, gamma and font path options; other options are kept.
bool IsKeptOption(std::string_view token) {
  if (token.empty() || token.front() != '-') return false;
  char letter = token.size() > 1 ? token[1] : '\0';
  if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
  return letter != 'I' && letter != 'P' && letter != 'R' && letter != '^';
}

// Copies the kept options of the old file, one a line. The old file is split
// into tokens exactly as the option reader splits it, and its comment lines,
// document name and other text are dropped.
bool CopyKeptOptions(std::FILE* old_file, std::FILE* new_file) {
  std::string line;
  while (ReadOptionLine(old_file, line)) {
    if (IsCommentLine(line)) continue;
    for (const std::string& token : SplitOptionTokens(line)) {
      if (IsKeptOption(token) && std::fprintf(new_file, "%s\n", token.c_str()) < 0) {
        return false;
      }
    }
  }
  return std::ferror(old_file) == 0;
}

// Writes the new initialization file, taking the kept options from old_path
// when there is an old file. True only when everything reached the file.
bool WriteInitFile(const Options& options, const std::string& init_path,
                   const std::string* old_path) {
  platform::FilePtr new_file = platform::OpenFile(init_path, "w+t");
  if (!new_file) return false;
  bool written = true;
  if (old_path != nullptr) {
    platform::FilePtr old_file = platform::OpenFile(*old_path, "rt");
    written = old_file && CopyKeptOptions(old_file.get(), new_file.get());
  }
  written = written &&
            std::fprintf(new_file.get(), "-R%0.2lf\n", options.ResolutionX) >= 0 &&
            std::fprintf(new_file.get(), "-^%0.4lf\n", options.Gamma) >= 0 &&
            std::fprintf(new_file.get(), "-P%s\n", options.PkFontPath.c_str()) >= 0 &&
            std::fprintf(new_file.get(), "-I%s\n", options.ChineseFontPath.c_str()) >= 0;
  const bool closed = platform::CloseChecked(new_file);
  return written && closed;
}

}  // namespace

// The old file is moved aside under a temporary name while the new one is
// written, and only deleted once the new file is complete; on any failure
// the old file goes back under its own name, so the user never loses it.
int SaveOptions() {
  const Options& options = CurrentOptions();
  const std::string& init_path = options.InitFilePath;
  const std::string temp_path = TemporaryInitPathOf(init_path);
  if (init_path.empty() || temp_path.empty()) return 1;

  platform::FileSystem& files = platform::Files();
  files.Remove(temp_path);
  const bool has_old_file = files.Exists(init_path);
  if (has_old_file && !files.Rename(init_path, temp_path)) return 1;

  if (WriteInitFile(options, init_path, has_old_file ? &temp_path : nullptr)) {
    if (has_old_file) files.Remove(temp_path);
    return 0;
  }
  files.Remove(init_path);
  if (has_old_file) files.Rename(temp_path, init_path);
  return 1;
}

}  // namespace mox
