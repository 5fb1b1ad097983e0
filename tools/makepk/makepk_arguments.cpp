#include "tools/makepk/makepk_arguments.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>

#include "platform/text_format.h"
#include "tools/makepk/makepk_texts.h"

namespace mox::makepk {
namespace {

bool HasDollarD(const std::string& text) {
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] == '$' && (text[i + 1] == 'd' || text[i + 1] == 'D')) return true;
  }
  return false;
}

// A positive number that fills the whole text.
bool ReadPositive(const std::string& text, double& value) {
  if (text.empty()) return false;
  char* end = nullptr;
  errno = 0;
  value = std::strtod(text.c_str(), &end);
  return errno == 0 && *end == '\0' && value > 0.0 && value < 1e6;
}

// "-R600", "-R600.00x600.00" (also with "X").
bool ReadResolution(const std::string& text, MakePkArguments& parsed) {
  const std::size_t cross = text.find_first_of("xX");
  if (cross == std::string::npos) {
    if (!ReadPositive(text, parsed.ResolutionX)) return false;
    parsed.ResolutionY = parsed.ResolutionX;
    return true;
  }
  return ReadPositive(text.substr(0, cross), parsed.ResolutionX) &&
         ReadPositive(text.substr(cross + 1), parsed.ResolutionY);
}

bool ReadWhole(const std::string& text, long low, long high, long& value) {
  if (text.empty()) return false;
  char* end = nullptr;
  errno = 0;
  value = std::strtol(text.c_str(), &end, 10);
  return errno == 0 && *end == '\0' && value >= low && value <= high;
}

}  // namespace

std::optional<MakePkArguments> ParseMakePkArguments(const std::vector<std::string>& arguments,
                                                    std::string& error) {
  MakePkArguments parsed;
  // The language first, so that every complaint is in it.
  const Language language = MakePkLanguage(arguments);
  parsed.English = language == Language::English;

  // A program path with blanks, unquoted, leaves its pieces before the
  // first option.
  std::size_t first = 0;
  while (first < arguments.size() && arguments[first].compare(0, 1, "-") != 0) ++first;
  if (first == arguments.size()) first = 0;

  std::vector<std::string> rest;
  for (std::size_t i = first; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (!rest.empty() || argument.size() < 2 || argument[0] != '-') {
      rest.push_back(argument);
      continue;
    }
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(argument[1])));
    const std::string value = argument.substr(2);
    bool valid = true;
    switch (letter) {
      case 'C': parsed.UsedFontsOnly = true; valid = value.empty(); break;
      case 'E': valid = value.empty(); break;
      case 'Q': parsed.Quiet = true; valid = value.empty(); break;
      case 'R': valid = ReadResolution(value, parsed); break;
      case 'M': valid = ReadWhole(value, 0, 1000000, parsed.Magnification); break;
      case 'T': {
        long seconds = 0;
        valid = ReadWhole(value, 1, 86400, seconds);
        parsed.TimeoutSeconds = static_cast<int>(seconds);
        break;
      }
      case 'F': parsed.FontMetricPath = value; valid = !value.empty(); break;
      case 'P':
        parsed.PathTemplate = value;
        // A template with blanks: its pieces up to the one that holds "$d".
        while (!HasDollarD(parsed.PathTemplate) && i + 1 < arguments.size() &&
               arguments[i + 1].compare(0, 1, "-") != 0) {
          parsed.PathTemplate += " " + arguments[++i];
        }
        valid = !parsed.PathTemplate.empty();
        break;
      default: valid = false; break;
    }
    if (!valid) {
      error = Format(kInvalidOption.In(language), argument.c_str());
      return std::nullopt;
    }
  }
  if (parsed.PathTemplate.empty()) {
    error = kNoPathTemplate.In(language);
    return std::nullopt;
  }
  if (!HasDollarD(parsed.PathTemplate)) {
    error = Format(kNoDollarD.In(language),
                   parsed.PathTemplate.c_str());
    return std::nullopt;
  }
  if (rest.empty()) {
    error = kNoDviFile.In(language);
    return std::nullopt;
  }
  for (const std::string& piece : rest) {
    if (!parsed.DviPath.empty()) parsed.DviPath += ' ';
    parsed.DviPath += piece;
  }
  return parsed;
}

Language MakePkLanguage(const std::vector<std::string>& arguments) {
  for (const std::string& argument : arguments) {
    if (argument == "-E" || argument == "-e") return Language::English;
  }
  return Language::Chinese;
}

const char* MakePkUsage(Language language) {
  return kUsage.In(language);
}

}  // namespace mox::makepk
