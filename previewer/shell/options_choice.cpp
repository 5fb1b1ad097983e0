#include "previewer/shell/options_choice.h"

#include <cstdlib>

#include "platform/text_format.h"
#include "previewer/startup/options.h"
#include "previewer/shell/shell_texts.h"

namespace mox {
namespace {

constexpr std::size_t kGammaTextLimit = 9;

}  // namespace

OptionsChoice CurrentOptionsChoice(const Options& options) {
  OptionsChoice choice;
  choice.ResolutionEntries = {"180", "300", "600"};
  const double resolution = options.ResolutionX;
  if (resolution == 180.0) {
    choice.ResolutionSelection = 0;
  } else if (resolution == 300.0) {
    choice.ResolutionSelection = 1;
  } else if (resolution == 600.0) {
    choice.ResolutionSelection = 2;
  } else {
    choice.ResolutionEntries.push_back(Format("%0.2lf", resolution));
    choice.ResolutionSelection = 3;
  }
  choice.ResolutionText =
      choice.ResolutionEntries[static_cast<std::size_t>(choice.ResolutionSelection)];
  choice.PkFontPath = options.PkFontPath.substr(0, kOptionTextLimit);
  choice.ChineseFontPath = options.ChineseFontPath.substr(0, kOptionTextLimit);
  choice.GammaText = Format("%0.4lf", options.Gamma).substr(0, kGammaTextLimit);
  return choice;
}

double LeadingNumber(const std::string& text) {
  const char* start = text.c_str();
  char* end = nullptr;
  const double value = std::strtod(start, &end);
  return end == start ? 0.0 : value;
}

std::optional<std::string> OptionsChoiceError(const OptionsChoice& choice, Language language) {
  std::optional<std::string> error;
  // There is no Chinese wording of the resolution message.
  if (!(LeadingNumber(choice.ResolutionText) > 0.0)) error = "Invalid resolution!";
  if (LeadingNumber(choice.GammaText) == 0.0) error = kInvalidGamma.In(language);
  return error;
}

OptionsChange ApplyOptionsChoice(const OptionsChoice& choice, Options& options) {
  const double old_resolution = options.ResolutionX;
  const double old_gamma = options.Gamma;
  const double resolution = LeadingNumber(choice.ResolutionText.substr(0, kOptionTextLimit));
  options.ResolutionX = options.ResolutionY = resolution;
  options.PkFontPath = choice.PkFontPath.substr(0, kOptionTextLimit);
  options.ChineseFontPath = choice.ChineseFontPath.substr(0, kOptionTextLimit);
  options.Gamma = LeadingNumber(choice.GammaText);
  return {options.Gamma != old_gamma, options.ResolutionX != old_resolution};
}

std::string SavedOptionsMessage(const Options& options, bool saved, Language language) {
  const char* path = options.InitFilePath.c_str();
  return Format((saved ? kOptionsSaved : kOptionsNotSaved).In(language), path);
}

}  // namespace mox
