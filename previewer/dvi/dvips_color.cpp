#include "previewer/dvi/dvips_color.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "previewer/dvi/dvips_color_names.h"
#include "previewer/dvi/special_text.h"

namespace mox {
namespace {

// A channel of 0 to 1 in 256 steps as PostScript devices take it: cut
// down, so that 0.5 is 127 as on the pages other DVI drivers draw (the
// small addition keeps 0.6 * 255 from falling just short of 153).
std::uint8_t Channel(double value) {
  return static_cast<std::uint8_t>(std::floor(std::clamp(value, 0.0, 1.0) * 255.0 + 1e-6));
}

RgbColor FromRgb(double r, double g, double b) { return {Channel(r), Channel(g), Channel(b)}; }

// PostScript's conversion of a CMYK colour to RGB when no colour rendering
// says otherwise: the black is added to each of the other three.
RgbColor FromCmyk(const CmykValues& cmyk) {
  const double k = cmyk[3];
  return FromRgb(1.0 - std::min(1.0, cmyk[0] + k), 1.0 - std::min(1.0, cmyk[1] + k),
                 1.0 - std::min(1.0, cmyk[2] + k));
}

// sethsbcolor: the hue goes once round red, yellow, green, cyan, blue,
// magenta and back to red from 0 to 1.
RgbColor FromHsb(double hue, double saturation, double brightness) {
  double sixths = hue * 6.0;
  if (sixths >= 6.0) sixths = 0.0;
  const int sector = static_cast<int>(std::floor(sixths));
  const double f = sixths - sector;
  const double v = brightness;
  const double p = v * (1.0 - saturation);
  const double q = v * (1.0 - saturation * f);
  const double t = v * (1.0 - saturation * (1.0 - f));
  switch (sector) {
    case 0: return FromRgb(v, t, p);
    case 1: return FromRgb(q, v, p);
    case 2: return FromRgb(p, v, t);
    case 3: return FromRgb(p, q, v);
    case 4: return FromRgb(t, p, v);
    default: return FromRgb(v, p, q);
  }
}

// The values after a model's name: exactly `count` numbers, each clamped to
// 0..1; nothing when there are more or fewer, or one is not a number.
template <std::size_t count>
std::optional<std::array<double, count>> Values(std::string_view text) {
  std::array<double, count> values{};
  for (double& value : values) {
    const std::optional<double> number = ParseSpecialNumber(TakeSpecialWord(text));
    if (!number) return std::nullopt;
    value = std::clamp(*number, 0.0, 1.0);
  }
  if (!TrimSpecialBlanks(text).empty()) return std::nullopt;
  return values;
}

}  // namespace

std::optional<RgbColor> ParseDvipsColor(std::string_view text) {
  const std::string_view model = TakeSpecialWord(text);
  if (model == "rgb") {
    const auto v = Values<3>(text);
    if (!v) return std::nullopt;
    return FromRgb((*v)[0], (*v)[1], (*v)[2]);
  }
  if (model == "cmyk") {
    const auto v = Values<4>(text);
    if (!v) return std::nullopt;
    return FromCmyk(*v);
  }
  if (model == "gray") {
    const auto v = Values<1>(text);
    if (!v) return std::nullopt;
    return FromRgb((*v)[0], (*v)[0], (*v)[0]);
  }
  if (model == "hsb") {
    const auto v = Values<3>(text);
    if (!v) return std::nullopt;
    return FromHsb((*v)[0], (*v)[1], (*v)[2]);
  }
  if (!TrimSpecialBlanks(text).empty()) return std::nullopt;
  const std::optional<CmykValues> named = FindDvipsColorName(model);
  if (!named) return std::nullopt;
  return FromCmyk(*named);
}

std::optional<ColorSpecial> ParseDvipsColorSpecial(std::string_view special) {
  const std::string_view keyword = TakeSpecialWord(special);
  ColorSpecial result;
  if (keyword == "background") {
    result.Action = ColorAction::Background;
  } else if (keyword == "color") {
    std::string_view rest = special;
    const std::string_view word = TakeSpecialWord(rest);
    if (word == "pop") {
      if (!TrimSpecialBlanks(rest).empty()) return std::nullopt;
      result.Action = ColorAction::Pop;
      return result;
    }
    result.Action = ColorAction::Set;
    if (word == "push") {
      result.Action = ColorAction::Push;
      special = rest;
    }
  } else {
    return std::nullopt;
  }
  const std::optional<RgbColor> color = ParseDvipsColor(special);
  if (!color) return std::nullopt;
  result.Color = *color;
  return result;
}

ColorStackResult ColorStack::Push(RgbColor color) {
  if (pushed_.size() >= kMaxDepth) return ColorStackResult::Overflow;
  pushed_.push_back(color);
  return ColorStackResult::Ok;
}

ColorStackResult ColorStack::Pop() {
  if (pushed_.empty()) return ColorStackResult::Underflow;
  pushed_.pop_back();
  return ColorStackResult::Ok;
}

void ColorStack::Set(RgbColor color) { (pushed_.empty() ? base_ : pushed_.back()) = color; }

}  // namespace mox
