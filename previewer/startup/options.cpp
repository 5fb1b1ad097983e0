#include "previewer/startup/options.h"

#include <string_view>

#include "platform/environment.h"
#include "platform/file_system.h"
#include "platform/text_format.h"
#include "previewer/startup/apply_option.h"
#include "previewer/startup/startup_texts.h"
#include "previewer/startup/number_syntax.h"
#include "previewer/startup/option_tokens.h"
#include "previewer/startup/program_files.h"

namespace mox {
namespace {

// A font path from its environment variable, when the variable holds anything
// but white space; the leading white space is dropped.
void TakePathVariable(const char* name, std::string& path) {
  const std::optional<std::string> value = platform::GetEnvironmentText(name);
  if (!value) return;
  std::size_t start = 0;
  while (start < value->size() && IsOptionSpace((*value)[start])) ++start;
  if (start == value->size()) return;
  path = value->substr(start);
  TruncateGbk(path, kOptionTextLimit);
}

// The error for an invalid token. init_file_path is the initialization file
// while it is open (the options variable is read while it is open, too);
// nullptr once it has been read to its end or when there is none.
std::string InvalidOptionText(std::string_view token, const std::string* init_file_path,
                              Language language) {
  std::string text = Format(kInvalidOption.In(language), std::string(token).c_str());
  if (init_file_path != nullptr) {
    text += Format(kInInitFile.In(language), init_file_path->c_str());
  } else {
    text += kInCommandLine.In(language);
  }
  return text;
}

}  // namespace

std::string IgnoredLinesText(const std::vector<IgnoredOptionLine>& lines,
                             const std::string& init_file_path, Language language) {
  std::string text = Format(kIgnoredInitLinesHead.In(language), init_file_path.c_str());
  constexpr std::size_t kListed = 8;
  for (std::size_t i = 0; i < lines.size() && i < kListed; ++i) {
    text += Format(kIgnoredInitLine.In(language), lines[i].Line, lines[i].Reason.c_str());
  }
  if (lines.size() > kListed) {
    text += Format(kMoreIgnoredInitLines.In(language), static_cast<int>(lines.size() - kListed));
  }
  return text;
}

std::optional<std::string> ReadOptions(const std::vector<std::string>& arguments,
                                       Options& options,
                                       std::vector<IgnoredOptionLine>* ignored_lines) {
  options.ProgramPath = arguments.empty() ? std::string() : arguments[0];
  options.ProgramDirectory = ProgramDirectoryOf(options.ProgramPath);
  options.InitFilePath = InitFilePathOf(options.ProgramPath);
  options.ChineseFontPath = options.ProgramDirectory + "HZFONTS";
  options.PkFontPath = options.ProgramDirectory + "PIXEL\\DPI$d";
  TakePathVariable("CCPKPATH", options.PkFontPath);
  TakePathVariable("CCHZPATH", options.ChineseFontPath);
  TakePathVariable("CCGS", options.GhostscriptPath);
  TakePathVariable("CCTFMPATH", options.FontMetricPath);

  // A missing initialization file is no error. The file stays open while the
  // options variable is read; every return closes it.
  platform::FilePtr init_file;
  if (!options.InitFilePath.empty()) {
    init_file = platform::OpenFile(options.InitFilePath, "rt");
  }
  const std::string* open_init_file = init_file ? &options.InitFilePath : nullptr;

  const std::string variable = OptionsVariableOf(options.ProgramPath);
  if (!variable.empty()) {
    if (const std::optional<std::string> value = platform::GetEnvironmentText(variable)) {
      for (const std::string& token : SplitOptionTokens(*value)) {
        if (!ApplyOptionToken(token, options)) {
          return InvalidOptionText(token, open_init_file, options.Lang);
        }
      }
    }
  }

  if (init_file) {
    std::string line;
    int line_number = 0;
    while (ReadOptionLine(init_file.get(), line)) {
      ++line_number;
      if (IsCommentLine(line)) continue;
      // A line is taken whole or not at all: its tokens go to a copy, and
      // one the reader refuses leaves the settings as they were before the
      // line. Without a list to note it in, the first such line ends the
      // reading as it always did.
      Options taken = options;
      bool refused = false;
      for (const std::string& token : SplitOptionTokens(line)) {
        if (ApplyOptionToken(token, taken)) continue;
        if (ignored_lines == nullptr) {
          return InvalidOptionText(token, open_init_file, taken.Lang);
        }
        ignored_lines->push_back({line_number, Format(kInvalidOption.In(options.Lang),
                                                      token.c_str())});
        refused = true;
        break;
      }
      if (!refused) options = std::move(taken);
    }
    init_file.reset();
  }

  for (std::size_t i = 1; i < arguments.size(); ++i) {
    if (!ApplyOptionToken(arguments[i], options)) {
      return InvalidOptionText(arguments[i], nullptr, options.Lang);
    }
  }
  return std::nullopt;
}

}  // namespace mox
