#include "previewer/startup/apply_option.h"

#include "previewer/startup/option_tokens.h"

#include <optional>

#include "platform/text_format.h"
#include "previewer/startup/number_syntax.h"
#include "previewer/startup/program_files.h"

namespace mox {
namespace {

std::string LimitedText(std::string_view text) {
  std::string result(text);
  TruncateGbk(result, kOptionTextLimit);
  return result;
}

// "x" or "x:y", both greater than 0.
bool ApplyResolution(std::string_view argument, Options& options) {
  if (argument.empty()) return true;
  const std::optional<ScannedNumber> x = ScanOptionNumber(argument, ':');
  if (!x || !(x->Value > 0.0)) return false;
  double y = x->Value;
  if (x->End < argument.size()) {
    const std::optional<ScannedNumber> second =
        ScanOptionNumber(argument.substr(x->End + 1), '\0');
    if (!second || !(second->Value > 0.0)) return false;
    y = second->Value;
  }
  options.ResolutionX = x->Value;
  options.ResolutionY = y;
  return true;
}

// A number, optionally followed by ":" and anything.
bool ApplyGamma(std::string_view argument, Options& options) {
  if (argument.empty()) return true;
  const std::optional<ScannedNumber> gamma = ScanOptionNumber(argument, ':');
  if (!gamma) return false;
  options.Gamma = gamma->Value;
  return true;
}

bool ApplyZoom(std::string_view argument, Options& options) {
  double zoom = ParseDecimalPrefix(argument);
  if (zoom < 0.0) return false;
  if (zoom > 1.0) zoom = 1.0 / zoom;
  options.InitialZoom = zoom;
  options.CurrentZoom = zoom == 0.0 ? 1.0 : zoom;
  return true;
}

// "x:y", two dimensions, neither negative.
bool ApplyMargins(std::string_view argument, Options& options) {
  if (argument.empty()) return true;
  const std::size_t colon = argument.find(':');
  if (colon == std::string_view::npos) return false;
  const std::optional<Dimension> x = ParseDimension(argument.substr(0, colon));
  const std::optional<Dimension> y = ParseDimension(argument.substr(colon + 1));
  if (!x || !y || x->Value < 0.0 || y->Value < 0.0) return false;
  options.MarginX = *x;
  options.MarginY = *y;
  return true;
}

bool ApplyParity(std::string_view argument, Options& options) {
  const std::int32_t parity = ReadDecimalInt(argument);
  if (parity < 0 || parity > 2) return false;
  options.ParityFilter = parity;
  return true;
}

// "-S<line>:<file>", the file possibly in double quotes.
bool ApplySourcePosition(std::string_view argument, Options& options) {
  const std::size_t colon = argument.find(':');
  if (colon == std::string_view::npos || colon == 0) return false;
  const std::int32_t line = ReadDecimalInt(argument.substr(0, colon));
  const std::string file(Unquoted(argument.substr(colon + 1)));
  if (line < 1 || file.empty()) return false;
  options.SourceLine = line;
  options.SourceFile = file;
  return true;
}

bool ApplyOption(char letter, std::string_view argument, Options& options) {
  if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
  switch (letter) {
    case 'E':
      options.Lang = Language::English;
      return true;
    case 'C':
      options.Lang = Language::Chinese;
      return true;
    case 'R':
      return ApplyResolution(argument, options);
    case '^':
      return ApplyGamma(argument, options);
    case 'P':
      options.PkFontPath = LimitedText(Unquoted(argument));
      return true;
    case 'K':
      options.GhostscriptPath = LimitedText(Unquoted(argument));
      return true;
    case 'I':
      options.ChineseFontPath = LimitedText(Unquoted(argument));
      return true;
    case 'F':
      options.FontMetricPath = LimitedText(Unquoted(argument));
      return true;
    case 'M':
      if (!argument.empty()) options.Magnification = ReadDecimalInt(argument);
      return true;
    case 'N':
      options.PageSelectionText = LimitedText(argument);
      return true;
    case 'U':
      return ApplyParity(argument, options);
    case 'V':
      options.SequenceMode = ReadDecimalInt(argument);
      return true;
    case 'Z':
      return ApplyZoom(argument, options);
    case 'B':
      return ApplyMargins(argument, options);
    case 'S':
      return ApplySourcePosition(argument, options);
    case 'L':
      // The page layout; anything but "0" and "1" is refused.
      if (argument != "0" && argument != "1") return false;
      options.ContinuousPages = argument == "1";
      return true;
    case 'D':
      if (argument != "0" && argument != "1") return false;
      options.DrawAhead = argument == "1";
      return true;
    case '!': case '#': case '&': case '@':
    case 'A': case 'G': case 'H': case 'T': case 'X':
      return true;  // valid letters that mean nothing to the previewer
    default:
      return false;
  }
}

}  // namespace

std::string DocumentNameOf(std::string_view name) {
  std::string result(name);
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos ||
      (dot + 1 < name.size() && IsPathSeparator(name[dot + 1]))) {
    result += ".DVI";
  }
  return result;
}

bool ApplyOptionToken(std::string_view token, Options& options) {
  if (token.empty() || token == "-") return true;
  if (token.front() != '-') {
    options.DocumentName = DocumentNameOf(Unquoted(token));
    return true;
  }
  return ApplyOption(token[1], token.substr(2), options);
}

}  // namespace mox
