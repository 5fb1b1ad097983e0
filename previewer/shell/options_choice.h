// What the Options dialog shows and takes back: the resolution combo box,
// the two font paths, the gamma text and the save box, built from the
// current settings, checked when the user presses OK, and what applying it
// changes.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "previewer/base/bilingual.h"
#include "previewer/startup/options.h"

namespace mox {

struct OptionsChoice {
  // "180", "300", "600", and the current resolution ("%0.2lf") as a fourth
  // entry when it is none of them; the entry selected; the combo box text.
  std::vector<std::string> ResolutionEntries;
  int ResolutionSelection = 0;
  std::string ResolutionText;
  std::string PkFontPath;       // at most 255 bytes
  std::string ChineseFontPath;  // at most 255 bytes
  std::string GammaText;        // "%0.4lf" cut to 9 characters
  bool Save = false;
};

// The choice as the dialog opens.
OptionsChoice CurrentOptionsChoice(const Options& options);

// A decimal floating-point number as the longest valid prefix of the text,
// 0 when there is none.
double LeadingNumber(const std::string& text);

// The error box's text for a choice that cannot be applied, or nothing: a
// resolution that is not above 0, then a gamma of 0 (whose message wins).
std::optional<std::string> OptionsChoiceError(const OptionsChoice& choice, Language language);

// What applying a valid choice changed.
struct OptionsChange {
  bool Gamma = false;
  bool Resolution = false;
};
OptionsChange ApplyOptionsChoice(const OptionsChoice& choice, Options& options);

// The box shown after saving: "Options saved in \"%s\"" or "Cannot save
// options to \"%s\"" with the initialization file's path.
std::string SavedOptionsMessage(const Options& options, bool saved, Language language);

}  // namespace mox
