#include "previewer/dvi/paper_size_special.h"

#include "previewer/dvi/mox_conventions.h"
#include "previewer/dvi/special_text.h"
#include "previewer/startup/dimension.h"
#include "previewer/startup/number_syntax.h"

namespace mox {
namespace {

constexpr std::string_view kKeyword = "papersize=";

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// One side in big points, or nothing.
std::optional<double> ParseSide(std::string_view text) {
  text = TrimSpecialBlanks(text);
  std::size_t at = 0;
  std::size_t points = 0;
  bool have_digit = false;
  for (; at < text.size() && ((text[at] >= '0' && text[at] <= '9') || text[at] == '.'); ++at) {
    if (text[at] == '.') ++points;
    else have_digit = true;
  }
  if (!have_digit || points > 1) return std::nullopt;
  const double value = ParseDecimalPrefix(text.substr(0, at));
  std::string_view unit = TrimSpecialBlanks(text.substr(at));
  if (StartsWithNoCase(unit, "true")) unit = TrimSpecialBlanks(unit.substr(4));
  // The unit must be two letters: ParseDimension would take none as cm.
  if (unit.size() != 2 || !IsLetter(unit[0]) || !IsLetter(unit[1])) return std::nullopt;
  const std::optional<Dimension> dimension = ParseDimension(unit);
  if (!dimension || dimension->Unit == DimensionUnit::Px) return std::nullopt;
  const double bp = value * InchesPerUnit(dimension->Unit) * 72.0;
  if (!(bp > 0.0 && bp <= kMaxPaperSideBp)) return std::nullopt;
  return bp;
}

}  // namespace

std::optional<PaperSize> ParsePaperSizeSpecial(std::string_view special) {
  std::string_view text = TrimSpecialBlanks(special);
  if (text.substr(0, kKeyword.size()) != kKeyword) return std::nullopt;
  text.remove_prefix(kKeyword.size());
  const std::size_t comma = text.find(',');
  if (comma == std::string_view::npos) return std::nullopt;
  const std::optional<double> width = ParseSide(text.substr(0, comma));
  const std::optional<double> height = ParseSide(text.substr(comma + 1));
  if (!width || !height) return std::nullopt;
  return PaperSize{*width, *height};
}

bool IsLandscapeSpecial(std::string_view special) {
  return TrimSpecialBlanks(special) == "landscape";
}

}  // namespace mox
