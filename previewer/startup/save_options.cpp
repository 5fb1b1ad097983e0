#include <algorithm>
#include <array>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "platform/text_format.h"
#include "previewer/startup/apply_option.h"
#include "previewer/startup/number_syntax.h"
#include "previewer/startup/option_tokens.h"
#include "previewer/startup/options.h"
#include "previewer/startup/program_files.h"

namespace mox {
namespace {

// The settings written at the end of the file replace the file's own
// resolution, gamma, font path and page layout options; other options are
// kept.
bool IsKeptOption(std::string_view token) {
  if (token.empty() || token.front() != '-') return false;
  char letter = token.size() > 1 ? token[1] : '\0';
  if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
  return letter != 'I' && letter != 'P' && letter != 'R' && letter != '^' && letter != 'L';
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

using SavedSettings = std::array<std::string, 4>;

// The saved settings as option tokens: resolution, gamma, PK font path and
// Chinese font path.
SavedSettings SettingTokens(const Options& options) {
  // A path with white space in it is written in double quotes, which keep
  // it one token when the file is read (files written before stay as they
  // were: their paths have none).
  const auto path_token = [](const char* option, const std::string& path) {
    const bool spaced = std::any_of(path.begin(), path.end(), [](char c) { return IsOptionSpace(c); });
    return std::string(option) + (spaced ? "\"" + path + "\"" : path);
  };
  return {Format("-R%0.2lf", options.ResolutionX), Format("-^%0.4lf", options.Gamma),
          path_token("-P", options.PkFontPath), path_token("-I", options.ChineseFontPath)};
}

// Whether reading the saved lines back gives the settings: each line one
// token the reader accepts, also with its line feed (which an unclosed
// double quote would take into the token) and without one inside (which
// would end the line), and the font paths as they are. "-P" with a path of
// the longest kind (and its quotes) is longer than a token may be, a path
// with a double quote in it cannot always be quoted, a path in quotes of its
// own would lose them, and a resolution below 0.005 would be written as 0.
bool ReadsBack(const SavedSettings& settings, const Options& options) {
  Options read;
  for (const std::string& token : settings) {
    const std::vector<std::string> tokens = SplitOptionTokens(token + "\n");
    if (token.find_first_of(std::string_view("\n\0", 2)) != std::string::npos ||
        tokens.size() != 1 || tokens[0] != token || !ApplyOptionToken(token, read)) {
      return false;
    }
  }
  return read.PkFontPath == options.PkFontPath &&
         read.ChineseFontPath == options.ChineseFontPath;
}

// Writes the new initialization file, taking the kept options from old_path
// when there is an old file. True only when everything reached the file.
bool WriteInitFile(const SavedSettings& settings, bool continuous_pages,
                   const std::string& init_path, const std::string* old_path) {
  platform::FilePtr new_file = platform::OpenFile(init_path, "w+t");
  if (!new_file) return false;
  bool written = true;
  if (old_path != nullptr) {
    platform::FilePtr old_file = platform::OpenFile(*old_path, "rt");
    written = old_file && CopyKeptOptions(old_file.get(), new_file.get());
  }
  for (const std::string& token : settings) {
    written = written && std::fprintf(new_file.get(), "%s\n", token.c_str()) >= 0;
  }
  // The page layout only when it is not the default, so that a file of
  // the default settings stays as it always was.
  if (!continuous_pages) written = written && std::fprintf(new_file.get(), "-L0\n") >= 0;
  const bool closed = platform::CloseChecked(new_file);
  return written && closed;
}

}  // namespace

// The old file is moved aside under a temporary name while the new one is
// written, and only deleted once the new file is complete; on any failure
// the old file goes back under its own name, so the user never loses it.
// Settings the reader would not read back as they are fail the save before
// any file is touched.
int SaveOptions(const Options& options) {
  const std::string& init_path = options.InitFilePath;
  const std::string temp_path = TemporaryInitPathOf(init_path);
  if (init_path.empty() || temp_path.empty()) return 1;
  const SavedSettings settings = SettingTokens(options);
  if (!ReadsBack(settings, options)) return 1;

  platform::FileSystem& files = platform::Files();
  files.Remove(temp_path);
  const bool has_old_file = files.Exists(init_path);
  if (has_old_file && !files.Rename(init_path, temp_path)) return 1;

  if (WriteInitFile(settings, options.ContinuousPages, init_path,
                    has_old_file ? &temp_path : nullptr)) {
    if (has_old_file) files.Remove(temp_path);
    return 0;
  }
  files.Remove(init_path);
  if (has_old_file) files.Rename(temp_path, init_path);
  return 1;
}

}  // namespace mox
