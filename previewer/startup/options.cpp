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

std::optional<std::string> ReadOptions(const std::vector<std::string>& arguments,
                                       Options& options) {
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
    while (ReadOptionLine(init_file.get(), line)) {
      if (IsCommentLine(line)) continue;
      for (const std::string& token : SplitOptionTokens(line)) {
        if (!ApplyOptionToken(token, options)) {
          return InvalidOptionText(token, open_init_file, options.Lang);
        }
      }
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
